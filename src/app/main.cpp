// Program entry: no command-line arguments are read.
#include "app/main_form.h"
#include "app/orv_application.h"
#include "app/program_start.h"
#include "app/view_registry.h"
#include "platform/qt_messages.h"
#include "views/trend_view_form.h"

#include <QApplication>

namespace {
// The windows this build has, by measure.
void RegisterWindows()
{
    RegisterTrendViews();
}
}  // namespace

int main(int argc, char** argv)
{
    TOrvApplication app(argc, argv);
    QtMessages messages;
    SetMessageSeam(&messages);
    RegisterWindows();
    TProgramWindows windows = StartProgram(app);
    messages.SetParent(windows.MainForm);
    return app.exec();
}
