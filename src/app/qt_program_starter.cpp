// Detached program start.
#include "app/qt_program_starter.h"

#include <QProcess>
#include <QStringList>

bool QtProgramStarter::Start(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList args;
    for (const auto& a : arguments) args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), args);
}
