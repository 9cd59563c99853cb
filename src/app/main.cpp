// Program entry: no command-line arguments are read.
#include "app/main_form.h"
#include "app/program_start.h"
#include "platform/qt_messages.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtMessages messages;
    SetMessageSeam(&messages);
    TProgramWindows windows = StartProgram(app);
    messages.SetParent(windows.MainForm);
    return app.exec();
}
