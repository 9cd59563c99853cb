// Program entry: no command-line arguments are read.
#include "app/main_form.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TMainForm form;
    form.showMaximized();
    return app.exec();
}
