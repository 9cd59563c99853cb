// Program start-up order.
#include "app/program_start.h"

#include "app/logo_form.h"
#include "app/main_form.h"
#include "app/tool_icons.h"
#include "app/warning_form.h"
#include "dialogs/alarm_bar_form.h"
#include "dialogs/br_date_form.h"
#include "dialogs/prn_form.h"
#include "dialogs/prn_title_dlg.h"

#include <QApplication>
#include <QScreen>

TProgramWindows StartProgram(QApplication& app)
{
    TProgramWindows windows;
    windows.LogoForm = new TLogoForm;  // fixes ProgDir
    windows.LogoForm->show();
    windows.LogoForm->repaint();
    app.processEvents();

    app.setApplicationName("ORV");
    app.setWindowIcon(ProgramIcon());

    windows.MainForm = new TMainForm;
    windows.MainForm->setAttribute(Qt::WA_DeleteOnClose);
    // The windows that live for the whole run, none of them shown yet.
    BrDateForm = new TBrDateForm(windows.MainForm);
    AlarmBarForm = new TAlarmBarForm(windows.MainForm);
    PrnForm = new TPrnForm(windows.MainForm);
    PrnTitleDlg = new TPrnTitleDlg(windows.MainForm);
    windows.WarningForm = new TWarningForm(windows.MainForm);
    // Without a window manager "maximised" alone keeps the default size: take the screen first.
    if (QScreen* screen = QGuiApplication::primaryScreen()) windows.MainForm->setGeometry(screen->availableGeometry());
    windows.MainForm->showMaximized();
    windows.LogoForm->raise();

    windows.LogoForm->OnSplashEnd = [windows]() mutable { EndSplash(windows); };
    return windows;
}

void EndSplash(TProgramWindows& windows)
{
    windows.MainForm->EnableMainCommands();
    windows.WarningForm->ShowStartupNotice();
}
