// The application object: every event (command, timer tick, paint) is delivered inside a
// catch, so an exception from a handler is reported once and never crosses the event loop.
#pragma once

#include <QApplication>

class TOrvApplication : public QApplication {
    Q_OBJECT
public:
    TOrvApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};
