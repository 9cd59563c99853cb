// The setup print's document.
#include "setup/setup_print_document.h"

#include "platform/qt_print.h"
#include "platform/text_encoding.h"

#include <QFont>
#include <QPageLayout>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// The document lays out in pixels of 96 per inch; printing scales them to the printer.
constexpr double kMillimetre = 96.0 / 25.4;
constexpr double kValueColumn = 70;  // mm from the left margin
constexpr double kIndentPerBlank = 1.5;

enum class LineKind { Title, Heading, TableHeading, TableRow, Value };

LineKind KindOf(const std::string& line, std::string& text)
{
    const std::pair<const char*, LineKind> markers[] = {
        {"= ", LineKind::Title}, {"# ", LineKind::Heading}, {"+ ", LineKind::TableHeading}, {"| ", LineKind::TableRow}};
    for (auto [marker, kind] : markers)
        if (line.rfind(marker, 0) == 0) {
            text = line.substr(2);
            return kind;
        }
    text = line;
    return LineKind::Value;
}

QList<QTextOption::Tab> Tabs(double first, double step, int count)
{
    QList<QTextOption::Tab> tabs;
    for (int i = 0; i < count; ++i) tabs.append(QTextOption::Tab((first + i * step) * kMillimetre, QTextOption::LeftTab));
    return tabs;
}
}  // namespace

void BuildSetupDocument(QTextDocument& document, const std::vector<std::string>& lines)
{
    document.clear();
    document.setDefaultFont(QFont("Arial", 9));
    QTextCursor cursor(&document);
    bool first = true;
    for (const std::string& line : lines) {
        std::string text;
        const LineKind kind = KindOf(line, text);
        QTextBlockFormat block;
        QTextCharFormat chars;
        chars.setFont(QFont("Arial", 9));
        switch (kind) {
        case LineKind::Title:
            block.setAlignment(Qt::AlignHCenter);
            block.setBottomMargin(6);
            chars.setFontPointSize(16);
            chars.setFontWeight(QFont::Bold);
            break;
        case LineKind::Heading:
            block.setTopMargin(4);
            block.setBottomMargin(2);
            chars.setFontPointSize(11);
            chars.setFontWeight(QFont::Bold);
            break;
        case LineKind::TableHeading:
            chars.setFontWeight(QFont::Bold);
            [[fallthrough]];
        case LineKind::TableRow: block.setTabPositions(Tabs(18, 22, 8)); break;
        case LineKind::Value: {
            std::size_t blanks = text.find_first_not_of(' ');
            if (blanks == std::string::npos) blanks = text.size();
            // Tabs count from the block's own margin, so an indented label's value stays in the column.
            const double indent = static_cast<double>(blanks) * kIndentPerBlank;
            block.setLeftMargin(indent * kMillimetre);
            text.erase(0, blanks);
            block.setTabPositions(Tabs(kValueColumn - indent, 20, 2));
            break;
        }
        }
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(chars);
            first = false;
        } else {
            cursor.insertBlock(block, chars);
        }
        cursor.insertText(QString::fromStdString(DisplayText(text)), chars);
    }
}

bool PrintSetupDocument(QTextDocument& document, const PrintChoice& choice, const std::string& documentName)
{
    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, choice);
    printer.setDocName(QString::fromStdString(documentName));
    printer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
    if (!printer.isValid()) return false;
    // Laid out on the printed area in the document's own units, so margins and tabs keep the
    // millimetres they were given whatever the printer's resolution.
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    document.setDocumentMargin(0);
    document.setPageSize(QSizeF(area.width() * kMillimetre, area.height() * kMillimetre));
    document.print(&printer);
    return true;
}
