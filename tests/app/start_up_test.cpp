// Program start-up order: folders, toolbar start states, the start-up notice and its setting.
#include "app/logo_form.h"
#include "app/main_form.h"
#include "app/program_start.h"
#include "app/warning_form.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/app_settings.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("ORV_PROGDIR", dir.Path().c_str(), 1);
        QSettings("Tarn", "Orv").remove("Warning");
    }
    void TearDown() override
    {
        delete windows.LogoForm;  // still alive: the splash timer never fired
        delete windows.MainForm;
        unsetenv("ORV_PROGDIR");
    }
    void Start() { windows = StartProgram(*static_cast<QApplication*>(QCoreApplication::instance())); }

    TempProgDir dir;
    TProgramWindows windows;
};
}  // namespace

TEST_F(StartUp, CreatesTheProgramFoldersUnderProgDir)
{
    Start();
    EXPECT_EQ(ProgDir(), dir.Path());
    for (const char* folder : {"data", "sheet", "sheet/values", "sheet/compliance", "sheet/summary"})
        EXPECT_TRUE(FolderExists(dir / folder)) << folder;
    EXPECT_EQ(DataDir(), dir / "data/");
    EXPECT_EQ(windows.LogoForm->LabelVersion->text().toStdString(), "Version 2.18.6 fu");
}

TEST_F(StartUp, ToolbarIsDisabledUntilTheSplashEnds)
{
    Start();
    TMainForm* f = windows.MainForm;
    for (QAction* b : {f->BtnSurvey, f->BtnExit, f->BtnHelp, f->BtnNew}) EXPECT_FALSE(b->isEnabled());
    EndSplash(windows);
    for (QAction* b : {f->BtnExport, f->BtnRead, f->BtnComm, f->BtnRepos, f->BtnSurvey, f->BtnAnalysis, f->BtnReport,
                       f->BtnSummary, f->BtnOpenSheet, f->BtnHelp, f->BtnExit})
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    for (QAction* b : {f->BtnNew, f->BtnOpen, f->BtnSave, f->BtnTraces, f->BtnZoomIn, f->BtnZoomOut, f->BtnMeas,
                       f->BtnValues, f->BtnCurve, f->BtnFailed, f->BtnBarReport, f->BtnSaveSheet, f->BtnPrint,
                       f->BtnCopyClip, f->BtnFirst, f->BtnEvent})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    // The setup commands stay disabled in the menu too.
    EXPECT_FALSE(f->ItemNewSetup->isEnabled());
    EXPECT_TRUE(f->ItemOpenSurvey->isEnabled());
}

TEST_F(StartUp, NoticeShowsOnFirstRunAndClosingWritesTheSwitch)
{
    Start();
    EndSplash(windows);
    ASSERT_TRUE(windows.WarningForm->isVisible());
    // Fixed in size like every dialog, so a window manager draws no resize border on it.
    EXPECT_EQ(windows.WarningForm->minimumSize(), windows.WarningForm->maximumSize());
    EXPECT_FALSE(ReadStartUpSetting().has_value());
    windows.WarningForm->CBoxStartUp->setChecked(false);
    windows.WarningForm->btnCloseClick();
    EXPECT_FALSE(windows.WarningForm->isVisible());
    EXPECT_EQ(ReadStartUpSetting(), std::optional<bool>(false));
}

TEST_F(StartUp, NoticeStaysHiddenWhenSwitchedOff)
{
    WriteStartUpSetting(false);
    Start();
    EndSplash(windows);
    EXPECT_FALSE(windows.WarningForm->isVisible());
    EXPECT_FALSE(windows.WarningForm->CBoxStartUp->isChecked());
}

TEST_F(StartUp, SplashEndReleasesTheSplash)
{
    Start();
    QPointer<TLogoForm> logo = windows.LogoForm;
    logo->Timer1Timer();
    windows.LogoForm = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(logo.isNull());
    EXPECT_TRUE(windows.MainForm->BtnSurvey->isEnabled());
}
