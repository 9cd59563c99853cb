// Program start: the splash, the main window and the windows that live for the whole run,
// created in their fixed order.
#pragma once

class QApplication;
class TLogoForm;
class TMainForm;
class TWarningForm;

struct TProgramWindows {
    TLogoForm* LogoForm = nullptr;   // released when the splash ends
    TMainForm* MainForm = nullptr;
    TWarningForm* WarningForm = nullptr;
};

// Creates and shows the splash, sets the application's name, creates the main window (shown
// maximised) and the run-long windows; the splash's end enables the toolbar and shows the notice.
TProgramWindows StartProgram(QApplication& app);
// The splash's end: toolbar start states, then the start-up notice.
void EndSplash(TProgramWindows& windows);
