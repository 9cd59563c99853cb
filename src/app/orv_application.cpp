// Catching at the event loop's entry.
#include "app/orv_application.h"

#include "platform/messages.h"

#include <exception>

bool TOrvApplication::notify(QObject* receiver, QEvent* event)
{
    // A box shown from inside a failing handler would deliver more events; one report is enough.
    static bool reporting = false;
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (!reporting) {
            reporting = true;
            ShowExceptionMessage(std::current_exception());
            reporting = false;
        }
    }
    return false;
}
