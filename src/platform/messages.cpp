// Dispatch of the message seam to the installed implementation.
#include "platform/messages.h"

#include <cstdio>
#include <new>

namespace {
MessageSeam* installed = nullptr;

MsgButton FirstButton(unsigned buttons)
{
    for (unsigned b = 1; b <= MbIgnore; b <<= 1)
        if (buttons & b) return static_cast<MsgButton>(b);
    return MbOk;
}
}  // namespace

void SetMessageSeam(MessageSeam* seam) { installed = seam; }
MessageSeam* CurrentMessageSeam() { return installed; }

MsgButton ShowMessage(const std::string& text, MsgType type, unsigned buttons, const std::string& caption)
{
    if (installed) return installed->Message(text, type, buttons, caption);
    std::fprintf(stderr, "orv: %s\n", text.c_str());
    return FirstButton(buttons);
}

std::optional<std::string> AskOpenFile(const FileDialogRequest& request)
{
    return installed ? installed->OpenFile(request) : std::nullopt;
}

std::optional<std::string> AskSaveFile(const FileDialogRequest& request)
{
    return installed ? installed->SaveFile(request) : std::nullopt;
}

std::optional<std::string> AskFolder(const std::string& title, const std::string& folder)
{
    return installed ? installed->ChooseFolder(title, folder) : std::nullopt;
}

std::optional<PrintChoice> AskPrint(const PrintRequest& request)
{
    return installed ? installed->Print(request) : std::nullopt;
}

bool AskPrinterSetup() { return installed && installed->PrinterSetup(); }

void Beep()
{
    if (installed) installed->Beep();
}

void ShowExceptionMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        ShowError("Not enough memory to complete the command.");
    } catch (const std::exception& e) {
        ShowError(std::string("The command could not be completed: ") + e.what());
    } catch (...) {
        ShowError("The command could not be completed.");
    }
}
