// Save Sheet As: dialog request, type by the chosen name, LastPath, and the write.
#include "sheet/save_sheet_as.h"

#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "survey/records.h"

#include <algorithm>
#include <cctype>

namespace {
bool IsTextName(const std::string& path)
{
    std::string ext = ExtractFileExt(path);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".txt";
}
}  // namespace

SaveSheetDialog MakeSaveSheetDialog(const std::string& title)
{
    SaveSheetDialog dialog;
    dialog.title = title;
    dialog.folder = SheetDir();
    return dialog;
}

std::optional<std::string> SaveSheetAs(const TF1Book& book, SaveSheetDialog& dialog)
{
    FileDialogRequest request;
    request.title = dialog.title;
    request.filter = dialog.filter;
    bool proposeText = dialog.lastChoseText && !dialog.alwaysProposeExcel;
    request.fileName = proposeText ? "*.txt" : "*.xls";
    request.defaultExt = proposeText ? "txt" : "xls";
    request.folder = LastPath().SheetPathSet ? LastPath().SheetPath : dialog.folder;
    request.mustExist = false;
    request.askOverwrite = true;  // saving never replaces a file without asking
    auto chosen = AskSaveFile(request);
    if (!chosen) return std::nullopt;
    std::string path = *chosen;
    if (ExtractFileExt(path).empty()) path += proposeText ? ".txt" : ".xls";
    bool text = IsTextName(path);
    dialog.lastChoseText = text;
    // A folder that could not be written to is not where the next dialog should start.
    if (!book.WriteFile(path, text ? kFileTypeText : kFileTypeExcel5)) return std::nullopt;
    LastPath().SheetPathSet = true;
    LastPath().SheetPath = ExtractFilePath(path);
    return path;
}
