// The shared sample books of the sheet tests.
#include "sheet_samples.h"

#include <string>

TF1Book SampleFormattedBook()
{
    TF1Book book;
    book.SetSheetName(1, "Events");
    const char* titles[] = {"Date", "Measure", "Type", "Unit", "Threshold", "Peak", "Duration (s.)"};
    for (int c = 0; c < 7; ++c) book.SetCellText(2, 2 + c, titles[c]);
    for (int r = 3; r <= 6; ++r) {
        book.SetCellEntry(r, 2, "10/02/2024 10:15:0" + std::to_string(r) + ".25");
        book.SetCellEntry(r, 3, "L1 Voltage");
        book.SetCellEntry(r, 6, "207.30");
        book.SetCellEntry(r, 7, std::to_string(r * 10));
    }
    book.SetRowHeight(2, 400);
    book.SetColumnWidth(1, 850);
    book.SetSelection(2, 2, 6, 8);
    book.SetBorder(2, 1, 1, 1, 1);
    book.SetAlignment(4, false, 2, 0);
    book.SetSelection(2, 2, 2, 8);
    book.SetPattern(1, 0xC0C0C0, 0xC0C0C0);
    book.SetFont("Arial", 10, true);
    book.SetBorder(2, -1, -1, -1, -1);
    book.SetAlignment(3, false, 2, 0);
    book.SetSelection(3, 2, 3, 8);
    book.SetFont("Arial", 10, false, false, false, false, 0x0000FF);  // Palette red
    book.SetSelection(4, 6, 4, 6);
    book.SetNumberFormat("+0.0;-0.0");
    book.SetSelection(5, 2, 5, 2);
    book.SetFont("Arial", 12, false, true, true, true, 0x123456);  // a colour outside the palette
    return book;
}
