// Book printing: page layout inside the margins with room for the header and footer lines.
#include "sheet/sheet_print.h"

#include "platform/date_format.h"
#include "platform/messages.h"
#include "platform/qt_print.h"
#include "platform/text_encoding.h"
#include "sheet/sheet_pages.h"
#include "sheet/sheet_painter.h"

#include <QDateTime>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <map>

namespace {
constexpr double kInch = 96;
constexpr double kHeaderMargin = 0.5 * kInch;  // header and footer distance from the paper edge
constexpr double kLineHeight = 16;
constexpr double kGap = 6;

// Printer settings kept between prints, by the opaque value handed to the book.
std::map<std::int64_t, PrintChoice>& KeptSettings()
{
    static std::map<std::int64_t, PrintChoice> kept;
    return kept;
}

PageContext Context(const TF1Book& book, int sheet, int page, int pages)
{
    PageContext c;
    c.page = page;
    c.pages = pages;
    c.date = QDate::currentDate().toString(QString::fromStdString(RunDateFormats().shortDate)).toStdString();
    c.time = QTime::currentTime().toString(QString::fromStdString(RunDateFormats().longTime)).toStdString();
    c.tableName = book.TableName();
    c.sheetName = book.SheetName(sheet);
    return c;
}

// The printable part of the page: inside the margins and clear of the header and footer lines.
QRectF ContentRect(const TF1Book& book, QSizeF paper)
{
    PageContext sample = Context(book, 1, 1, 1);
    double header = static_cast<double>(ExpandHeaderCodes(book.Print.header, sample).Lines()) * kLineHeight;
    double footer = static_cast<double>(ExpandHeaderCodes(book.Print.footer, sample).Lines()) * kLineHeight;
    const PrintSettings& p = book.Print;
    double top = std::max(p.topMargin * kInch, header > 0 ? kHeaderMargin + header + kGap : 0);
    double bottom = std::max(p.bottomMargin * kInch, footer > 0 ? kHeaderMargin + footer + kGap : 0);
    QRectF r(QPointF(p.leftMargin * kInch, top), QPointF(paper.width() - p.rightMargin * kInch, paper.height() - bottom));
    if (r.width() < kInch || r.height() < kInch) r = QRectF(QPointF(0, 0), paper);  // margins leave no room
    return r;
}

void PaintHeaderParts(QPainter& painter, const HeaderParts& parts, QRectF band, bool fromBottom)
{
    auto paint = [&](const std::vector<std::string>& lines, int align) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            double y = fromBottom ? band.bottom() - static_cast<double>(lines.size() - i) * kLineHeight
                                  : band.top() + static_cast<double>(i) * kLineHeight;
            painter.drawText(QRectF(band.left(), y, band.width(), kLineHeight), align | Qt::AlignVCenter,
                             QString::fromStdString(DisplayText(lines[i])));
        }
    };
    paint(parts.left, Qt::AlignLeft);
    paint(parts.centre, Qt::AlignHCenter);
    paint(parts.right, Qt::AlignRight);
}
}  // namespace

std::vector<PrintedPage> BookPages(const TF1Book& book, QSizeF paper)
{
    QRectF content = ContentRect(book, paper);
    std::vector<PrintedPage> pages;
    // A print area on the current sheet prints just that area; else every sheet's used part.
    bool areaOnly = book.SheetAt(book.Sheet()).printArea.has_value();
    for (int s = 1; s <= book.NumSheets(); ++s) {
        if (areaOnly && s != book.Sheet()) continue;
        auto range = PrintRange(book, s);
        if (!range) continue;
        for (const CellRange& cells : SheetPages(book, s, *range, content.width(), content.height(), book.Print.leftToRight))
            pages.push_back({s, cells});
    }
    return pages;
}

void PaintBookPage(QPainter& painter, const TF1Book& book, QSizeF paper, const std::vector<PrintedPage>& pages,
                   std::size_t index)
{
    const PrintedPage& page = pages[index];
    QRectF content = ContentRect(book, paper);
    SheetPaintOptions options;
    options.gridLines = book.Print.gridLines;
    options.noColor = book.Print.noColor;
    options.gridColour = Qt::black;
    PaintSheetCells(painter, book, page.sheet, page.cells, content.topLeft(), options);
    PageContext context = Context(book, page.sheet, static_cast<int>(index) + 1, static_cast<int>(pages.size()));
    QFont font("Arial");
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(Qt::black);
    QRectF band(content.left(), kHeaderMargin, content.width(), paper.height() - 2 * kHeaderMargin);
    PaintHeaderParts(painter, ExpandHeaderCodes(book.Print.header, context), band, false);
    PaintHeaderParts(painter, ExpandHeaderCodes(book.Print.footer, context), band, true);
}

bool PrintBook(TF1Book& book, bool showDialog)
{
    std::optional<PrintChoice> choice;
    auto kept = KeptSettings().find(book.Print.devMode);
    if (showDialog) choice = AskPrint();
    else choice = kept != KeptSettings().end() ? kept->second : PrintChoice{};
    if (!choice) return false;

    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, *choice);
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(book.TableName().empty() ? book.AppName() : book.TableName()));
    double scale = printer.resolution() / kInch;
    QRectF paperPixels = printer.paperRect(QPrinter::DevicePixel);
    QSizeF paper(paperPixels.width() / scale, paperPixels.height() / scale);
    std::vector<PrintedPage> pages = BookPages(book, paper);
    if (pages.empty()) {
        ShowMessage("The sheet is empty: there is nothing to print.", MsgType::Information);
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowError("Unable to print: the printer cannot be opened.");
        return false;
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        PaintBookPage(painter, book, paper, pages, i);
        painter.restore();
    }
    painter.end();
    std::int64_t token = static_cast<std::int64_t>(KeptSettings().size()) + 1;
    KeptSettings()[token] = *choice;
    book.SetPrintDevMode(token);
    return true;
}
