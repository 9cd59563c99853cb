// The Save Sheet As behaviour every sheet window shares: the save dialog set up once per window,
// then for each save the proposed name and folder, the overwrite question, and the writing as
// Excel 5.0 or tab-separated text by the type chosen.
#pragma once

#include "sheet/sheet_book.h"

#include <optional>
#include <string>

struct SaveSheetDialog {
    std::string title = "Save Sheet As";
    std::string filter = "Excel 5.0 Format (*.xls)|*.xls|Text File (*.txt)|*.txt";
    std::string folder;               // the start folder (SheetDir) until LastPath has a sheet folder
    bool lastChoseText = false;       // the type chosen last: proposes "*.txt" next time
    bool alwaysProposeExcel = false;  // propose "*.xls" whatever type was chosen last
};

// A dialog set up with its title and SheetDir as its start folder.
SaveSheetDialog MakeSaveSheetDialog(const std::string& title = "Save Sheet As");

// Asks for the file, always asking before an existing file is replaced, then writes the book
// (a ".txt" name as text, any other as Excel 5.0). LastPath's sheet folder follows a file written.
// Returns the path written; nothing when cancelled or when writing failed (the book's own message).
std::optional<std::string> SaveSheetAs(const TF1Book& book, SaveSheetDialog& dialog);
