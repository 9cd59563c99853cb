// The one seam for message boxes, questions, file and folder dialogs and the print dialog.
// Engines and windows call the free functions below; the Qt implementation shows real dialogs,
// the scripted implementation (scripted_messages.h) records what was asked and answers from a
// script, so tests can drive every road.
#pragma once

#include <exception>
#include <optional>
#include <string>

enum class MsgType { Error, Warning, Information, Confirmation };

// Buttons of a message box, combinable; the answer is one of them.
enum MsgButton : unsigned {
    MbOk = 1,
    MbCancel = 2,
    MbYes = 4,
    MbNo = 8,
    MbAbort = 16,
    MbRetry = 32,
    MbIgnore = 64,
};
constexpr unsigned MbOkCancel = MbOk | MbCancel;
constexpr unsigned MbYesNo = MbYes | MbNo;
constexpr unsigned MbYesNoCancel = MbYes | MbNo | MbCancel;

struct FileDialogRequest {
    std::string title;
    std::string folder;       // initial folder
    std::string fileName;     // initial file name
    std::string filter;       // "Report Files (*.rep)|*.rep", several pairs joined by "|"
    std::string defaultExt;   // without the dot
    bool mustExist = true;    // open dialogs: file and folder must exist
    bool askOverwrite = true; // save dialogs: ask before replacing an existing file
};

struct PrintRequest {
    bool allowSelection = false; // offer "selection" as print range
};

struct PrintChoice {
    std::string printerName{};  // empty: the default printer
    std::string outputFile{};   // a PDF file to print into instead of a printer
    bool selectionOnly = false;
    int copies = 1;
};

class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    virtual MsgButton Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption) = 0;
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseFolder(const std::string& title, const std::string& folder) = 0;
    virtual std::optional<PrintChoice> Print(const PrintRequest& request) = 0;
    virtual bool PrinterSetup() = 0;
    virtual void Beep() = 0;
};

// Installs the seam every call below goes through (not owned). Without one, messages are
// written to standard error and answered with the first button.
void SetMessageSeam(MessageSeam* seam);
MessageSeam* CurrentMessageSeam();

MsgButton ShowMessage(const std::string& text, MsgType type = MsgType::Information, unsigned buttons = MbOk,
                      const std::string& caption = "");
inline void ShowError(const std::string& text) { ShowMessage(text, MsgType::Error, MbOk); }
inline bool AskYesNo(const std::string& text) { return ShowMessage(text, MsgType::Confirmation, MbYesNo) == MbYes; }
std::optional<std::string> AskOpenFile(const FileDialogRequest& request);
std::optional<std::string> AskSaveFile(const FileDialogRequest& request);
std::optional<std::string> AskFolder(const std::string& title, const std::string& folder);
std::optional<PrintChoice> AskPrint(const PrintRequest& request = {});
bool AskPrinterSetup();
void Beep();
// The one error box for a command or timer tick that ended with an exception (called from
// inside the catch that met it).
void ShowExceptionMessage(std::exception_ptr error);
