// The spreadsheet book every sheet window, the exporter and the values sheet fill: sheets of
// sparse cells (sheet_cells.h) with shared texts and styles, view state and print settings.
// Plain C++; the grid view and printing draw it, the Excel 5.0 and text writers save it, the
// Excel 5.0 reader fills it.
// Rows, columns and sheets count from 1; -1 as a row or column means all; colours are 0x00BBGGRR.
// Only rows and cells in use are stored, so memory follows the content, never the largest index.
#pragma once

#include "sheet/cell_style.h"
#include "sheet/sheet_cells.h"
#include "sheet/text_pool.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct CellRange {
    int row1 = 1, col1 = 1, row2 = 1, col2 = 1;
    bool operator==(const CellRange&) const = default;
};

struct Worksheet {
    std::string name;
    SheetRows rows;                 // rows without a cell or a height are absent
    std::vector<int> columnWidths;  // by column - 1; -1: the default width
    CellRange selection;
    int activeRow = 1, activeCol = 1;
    int topRow = 1, leftCol = 1;
    std::optional<CellRange> printArea;
    std::vector<std::pair<int, int>> rowsKeptTogether;  // first and last rows a page does not break

    const Cell* Find(int row, int col) const;
    Cell& At(int row, int col);  // creates the row and cell (within kBookMaxRows, kBookMaxCols)
    // Sizes with the defaults for columns and rows never sized.
    int ColumnWidth(int col) const;
    int RowHeight(int row) const;
    // Last row and column holding a value or a format other than the default (0 when none).
    int LastRow() const;
    int LastCol() const;
};

// Print settings of the book, used for every sheet. Margins are in inches.
struct PrintSettings {
    std::string header;
    std::string footer;
    double topMargin = 1.0;
    double bottomMargin = 1.0;
    double leftMargin = 0.75;
    double rightMargin = 0.75;
    bool gridLines = false;
    bool leftToRight = false;  // False: down the rows first, then across
    bool noColor = false;
    std::int64_t devMode = 0;  // opaque printer settings kept by the printing code; 0: none
};

// What the writers accept: the limits of an Excel 5.0 sheet.
constexpr int kExcelMaxRows = 16384;
constexpr int kExcelMaxCols = 256;
constexpr int kExcelMaxLabel = 255;
// What the book holds at all; cells beyond are ignored.
constexpr int kBookMaxRows = 1048576;
constexpr int kBookMaxCols = 16384;
static_assert(kBookMaxCols <= 0xFFFF, "a cell keeps its column in 16 bits");

// File types of ReadFile and WriteFile.
constexpr int kFileTypeText = 3;
constexpr int kFileTypeExcel5 = 4;

class TF1Book {
public:
    TF1Book();

    // Sheets.
    int Sheet() const { return sheet_; }
    void SetSheet(int sheet);
    int NumSheets() const { return static_cast<int>(sheets_.size()); }
    void SetNumSheets(int count);  // new sheets are "Sheet<n>"; at least one sheet stays
    std::string SheetName(int sheet) const;
    void SetSheetName(int sheet, const std::string& name);
    const std::string& TableName() const { return tableName_; }
    void SetTableName(const std::string& name) { tableName_ = name; }
    const std::string& AppName() const { return appName_; }
    void SetAppName(const std::string& name) { appName_ = name; }

    // Cells of the current sheet. CellText sets a literal text; CellEntry a typed input, where a
    // plain number becomes a number shown with the decimals typed; both read the displayed text
    // ("" when empty). CellNumber reads 0 for a cell without a number.
    std::string CellText(int row, int col) const;
    void SetCellText(int row, int col, std::string_view text);
    std::string CellEntry(int row, int col) const { return CellText(row, col); }
    void SetCellEntry(int row, int col, std::string_view text);
    double CellNumber(int row, int col) const;
    void SetCellNumber(int row, int col, double value);
    // The number typed input gets from `value` written with `decimals` (0 to 30) decimals, as
    // std::to_chars writes it, shown with them, without writing and reading back the text: what
    // the exporters hand over. A value that is no number shows "***" (kNoValueText), as a text.
    void SetCellFixed(int row, int col, double value, int decimals);

    // Active cell, scroll position and scroll limits.
    int Row() const { return Current().activeRow; }
    void SetRow(int row);  // also collapses the selection onto the active cell
    int Col() const { return Current().activeCol; }
    void SetCol(int col);
    int TopRow() const { return Current().topRow; }
    void SetTopRow(int row);
    int LeftCol() const { return Current().leftCol; }
    void SetLeftCol(int col);
    int MaxRow() const { return maxRow_; }
    void SetMaxRow(int row);
    int MaxCol() const { return maxCol_; }
    void SetMaxCol(int col);
    int LastRow() const { return Current().LastRow(); }
    int LastCol() const { return Current().LastCol(); }

    // Sizes: column widths in 1/256 of a digit, row heights in twips.
    int ColumnWidth(int col) const;
    void SetColumnWidth(int col, int width);
    void SetColumnWidths(int col1, int col2, int width, bool useDefault);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    // Fits the columns col1..col2 to the widest displayed text of rows row1..row2 (built-in font
    // widths). With setDefaults a column without text in the rows gets the default width.
    void AutoFitColumns(int row1, int col1, int row2, int col2, bool setDefaults);

    // Selection and its formatting.
    void SetSelection(int row1, int col1, int row2, int col2);
    int SelStartRow() const { return Current().selection.row1; }
    int SelStartCol() const { return Current().selection.col1; }
    int SelEndRow() const { return Current().selection.row2; }
    int SelEndCol() const { return Current().selection.col2; }
    void SetFont(const std::string& name, double size, bool bold, bool italic = false, bool underline = false,
                 bool strikeout = false, std::uint32_t colour = 0, bool outline = false, bool shadow = false);
    // Horizontal and vertical 0 and orientation -1 leave that part as it is.
    void SetAlignment(int horizontal, bool wrap, int vertical, int orientation);
    // Line styles of the range's outline and of every cell's left, right, top and bottom edges;
    // -1 leaves a line as it is; the outline is laid over the edges. Shade fills with grey.
    void SetBorder(int outline, int left, int right, int top, int bottom, bool shade = false,
                   std::uint32_t outlineColour = 0, std::uint32_t leftColour = 0, std::uint32_t rightColour = 0,
                   std::uint32_t topColour = 0, std::uint32_t bottomColour = 0);
    void SetPattern(int pattern, std::uint32_t fore, std::uint32_t back);
    std::string NumberFormat() const;  // of the active cell
    void SetNumberFormat(const std::string& format);
    void SetPrintAreaFromSelection();
    void ClearPrintArea();  // prints the used part again
    // Printed pages do not break rows row1..row2 of the current sheet apart when they fit on one
    // page: the page before ends above them. Set once the rows stand where they print.
    void KeepRowsTogether(int row1, int row2);

    // Type 1 clears values and formats (the whole sheet with sizes too), 2 formats, 3 values.
    void ClearRange(int row1, int col1, int row2, int col2, int type);
    // Type 3 removes whole rows row1..row2 (later rows move up), type 4 whole columns col1..col2.
    void DeleteRange(int row1, int col1, int row2, int col2, int type);

    // View switches (the grid view honours them; cells are never edited in it).
    bool ShowGridLines = true;
    bool ShowRowHeading = true;
    bool ShowColHeading = true;
    bool AllowAutoFill = true, AllowDelete = true, AllowDesigner = true, AllowFillRange = true,
         AllowInCellEditing = true, AllowMoveRange = true, AllowSelections = true;

    // Print settings (PrintHeader and PrintFooter take &L &C &R &D &T &P &N &F &A, "\r" breaks).
    PrintSettings Print;
    const std::string& PrintHeader() const { return Print.header; }
    void SetPrintHeader(const std::string& text) { Print.header = text; }
    const std::string& PrintFooter() const { return Print.footer; }
    void SetPrintFooter(const std::string& text) { Print.footer = text; }
    void SetPrintTopMargin(double inches) { Print.topMargin = inches; }
    void SetPrintBottomMargin(double inches) { Print.bottomMargin = inches; }
    void SetPrintGridLines(bool on) { Print.gridLines = on; }
    void SetPrintLeftToRight(bool on) { Print.leftToRight = on; }
    void SetPrintNoColor(bool on) { Print.noColor = on; }
    std::int64_t PrintDevMode() const { return Print.devMode; }
    void SetPrintDevMode(std::int64_t settings) { Print.devMode = settings; }

    // Files: type 4 Excel 5.0, 3 tab-separated text. A failure shows its message through the
    // message seam and returns false; a failed write leaves an existing file untouched.
    bool WriteFile(const std::string& path, int type) const;
    // Reads an Excel 5.0 (or 95) workbook or a tab-separated text; `type` receives the file type.
    // A file that cannot be read shows why and leaves the book as it was.
    bool ReadFile(const std::string& path, int* type = nullptr);

    // For the writers, the reader and the grid view.
    const Worksheet& SheetAt(int sheet) const { return sheets_[static_cast<std::size_t>(sheet - 1)]; }
    Worksheet& SheetAt(int sheet) { return sheets_[static_cast<std::size_t>(sheet - 1)]; }
    const StyleTable& Styles() const { return styles_; }
    StyleTable& Styles() { return styles_; }
    const CellStyle& StyleOf(const Cell& cell) const { return styles_.Get(cell.style); }
    // A text cell's text ("" for any other cell); valid until the book next changes.
    std::string_view TextOf(const Cell& cell) const
    {
        return cell.kind == CellKind::Text ? texts_.Get(cell.text) : std::string_view();
    }
    // The id a text cell holds for `text`, for the reader that places cells itself.
    std::uint32_t InternText(std::string_view text) { return texts_.Intern(text); }
    // Displayed text of a cell of any sheet.
    std::string DisplayText(int sheet, int row, int col) const;
    std::string DisplayText(const Cell& cell) const;
    // Replaces everything with an empty book of one sheet.
    void Reset();

private:
    const Worksheet& Current() const { return sheets_[static_cast<std::size_t>(sheet_ - 1)]; }
    Worksheet& Current() { return sheets_[static_cast<std::size_t>(sheet_ - 1)]; }
    // The selection with "all" (-1) bounded by the used part of the sheet; nothing when empty.
    std::optional<CellRange> Bounded(int row1, int col1, int row2, int col2) const;
    template <class Change>
    void ChangeStyles(const CellRange& range, Change change);
    // The cell after setting its value (its text's id for a text), or nullptr when it is outside
    // the book or stays absent (an empty value where no cell is).
    Cell* SetValue(int row, int col, CellKind kind, double number, std::uint32_t text = 0);
    // A typed number with `decimals` digits after the point shows them: the cell's style with a
    // fixed format of that many decimals (a General style only).
    void ShowDecimals(Cell& cell, int decimals);
    // A text that no cell may hold any more; texts are compacted once many are.
    void DropText(const Cell& cell);
    void CompactTextsIfWasteful();

    std::vector<Worksheet> sheets_;
    int sheet_ = 1;
    int maxRow_ = kExcelMaxRows;
    int maxCol_ = kExcelMaxCols;
    std::string tableName_;
    std::string appName_;
    StyleTable styles_;
    TextPool texts_;
    std::size_t droppedTexts_ = 0;  // texts replaced, cleared or deleted since the last compaction
    // Style of a typed number by (the cell's style, the decimals typed): saves an interning per
    // cell; the last one asked for is kept apart, as a column of numbers asks for it again and again.
    std::unordered_map<std::uint64_t, std::uint32_t> decimalStyles_;
    std::uint64_t lastDecimalKey_ = ~std::uint64_t(0);
    std::uint32_t lastDecimalStyle_ = 0;
};

inline bool InBook(int row, int col) { return row >= 1 && row <= kBookMaxRows && col >= 1 && col <= kBookMaxCols; }
