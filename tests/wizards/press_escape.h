// Escape pressed on a window, as the keyboard delivers it, for the wizard tests.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

inline void PressEscape(QWidget& window)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
}
