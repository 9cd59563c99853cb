// The field check on leaving.
#include "dialogs/field_exit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

void CheckOnLeavingField(QLineEdit* field, QWidget* scope, std::function<void()> check)
{
    QObject::connect(field, &QLineEdit::editingFinished, scope, [field, scope, check = std::move(check)] {
        QWidget* next = QApplication::focusWidget();
        const bool outsideButton = next && !scope->isAncestorOf(next) && qobject_cast<QPushButton*>(next);
        if (next == field || outsideButton || !scope->isVisible()) return;
        check();
    });
}
