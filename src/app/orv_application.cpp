// Catching at the event loop's entry.
#include "app/orv_application.h"

#include "platform/messages.h"

#include <exception>
#include <new>

bool TOrvApplication::notify(QObject* receiver, QEvent* event)
{
    // A box shown from inside a failing handler would deliver more events; one report is enough.
    static bool reporting = false;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        if (!reporting) {
            reporting = true;
            ShowMessage("Not enough memory to complete the command.", MsgType::Error);
            reporting = false;
        }
    } catch (const std::exception& error) {
        if (!reporting) {
            reporting = true;
            ShowMessage(std::string("The command could not be completed: ") + error.what(), MsgType::Error);
            reporting = false;
        }
    } catch (...) {
        if (!reporting) {
            reporting = true;
            ShowMessage("The command could not be completed.", MsgType::Error);
            reporting = false;
        }
    }
    return false;
}
