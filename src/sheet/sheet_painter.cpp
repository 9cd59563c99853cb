// Cell drawing: fills, grid lines, texts (overflowing into empty neighbours as spreadsheets do,
// numbers too wide for their cell shortened or shown as "####"), then borders on top.
#include "sheet/sheet_painter.h"

#include "platform/text_encoding.h"
#include "sheet/number_format.h"
#include "sheet/sheet_units.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace {
const Cell* CellAt(const Worksheet& sheet, int row, int col) { return sheet.Find(row, col); }

bool IsEmpty(const Worksheet& sheet, int row, int col)
{
    const Cell* c = CellAt(sheet, row, col);
    return !c || c->kind == CellKind::Empty;
}

Qt::BrushStyle PatternBrush(int pattern)
{
    static constexpr Qt::BrushStyle kStyles[19] = {
        Qt::NoBrush,        Qt::SolidPattern,   Qt::Dense4Pattern, Qt::Dense3Pattern, Qt::Dense5Pattern,
        Qt::HorPattern,     Qt::VerPattern,     Qt::BDiagPattern,  Qt::FDiagPattern,  Qt::CrossPattern,
        Qt::DiagCrossPattern, Qt::Dense6Pattern, Qt::Dense6Pattern, Qt::HorPattern,   Qt::VerPattern,
        Qt::BDiagPattern,   Qt::FDiagPattern,   Qt::Dense6Pattern, Qt::Dense7Pattern,
    };
    return pattern >= 0 && pattern <= 18 ? kStyles[pattern] : Qt::NoBrush;
}

QPen BorderPen(const BorderLine& line, bool noColor)
{
    QPen pen(noColor ? QColor(Qt::black) : SheetColour(line.colour));
    pen.setCapStyle(Qt::FlatCap);
    switch (line.style) {
    case 2: pen.setWidthF(2); break;
    case 3: pen.setStyle(Qt::DashLine); break;
    case 4: pen.setStyle(Qt::DotLine); break;
    case 5: pen.setWidthF(3); break;
    case 6: pen.setWidthF(3); break;  // double: drawn as two lines below
    case 7: pen.setStyle(Qt::DotLine); pen.setWidthF(0.5); break;
    case 8: case 10: case 12: case 13: pen.setWidthF(2); pen.setStyle(line.style == 8 ? Qt::DashLine : Qt::DashDotLine); break;
    case 9: pen.setStyle(Qt::DashDotLine); break;
    case 11: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setWidthF(1); break;
    }
    return pen;
}

void DrawLine(QPainter& painter, const BorderLine& line, QPointF a, QPointF b, bool noColor)
{
    if (line.style <= 0) return;
    QPen pen = BorderPen(line, noColor);
    if (line.style == 6) {
        pen.setWidthF(1);
        painter.setPen(pen);
        QPointF offset = a.x() == b.x() ? QPointF(1, 0) : QPointF(0, 1);
        painter.drawLine(a - offset, b - offset);
        painter.drawLine(a + offset, b + offset);
        return;
    }
    painter.setPen(pen);
    painter.drawLine(a, b);
}

QFont CellQFont(const CellFont& f)
{
    QFont font(QString::fromStdString(f.name));
    font.setPixelSize(std::max(1, static_cast<int>(sheet_units::PointsToPixels(f.heightTwips / 20.0) + 0.5)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeout);
    return font;
}
}  // namespace

QColor SheetColour(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

SheetLayout::SheetLayout(const Worksheet& sheet, const CellRange& range, QPointF origin)
{
    double at = origin.x();
    for (int c = range.col1; c <= range.col2 + 1; ++c) {
        x.push_back(at);
        at += sheet_units::ColumnPixels(sheet.ColumnWidth(c));
    }
    at = origin.y();
    for (int r = range.row1; r <= range.row2 + 1; ++r) {
        y.push_back(at);
        at += sheet_units::RowPixels(sheet.RowHeight(r));
    }
}

void PaintSheetCells(QPainter& painter, const TF1Book& book, int sheet, const CellRange& range, QPointF origin,
                     const SheetPaintOptions& options)
{
    const Worksheet& s = book.SheetAt(sheet);
    SheetLayout layout(s, range, origin);
    auto cellRect = [&](int r, int c) {
        std::size_t i = static_cast<std::size_t>(c - range.col1), j = static_cast<std::size_t>(r - range.row1);
        return QRectF(QPointF(layout.x[i], layout.y[j]), QPointF(layout.x[i + 1], layout.y[j + 1]));
    };
    painter.save();
    // Fills.
    if (!options.noColor)
        for (int r = range.row1; r <= range.row2; ++r)
            for (int c = range.col1; c <= range.col2; ++c) {
                const Cell* cell = CellAt(s, r, c);
                if (!cell) continue;
                const CellStyle& st = book.StyleOf(*cell);
                if (st.pattern == 0) continue;
                QRectF rect = cellRect(r, c);
                if (st.patternBack != kAutoColour && st.pattern != 1) painter.fillRect(rect, SheetColour(st.patternBack));
                QColor fore = st.patternFore == kAutoColour ? QColor(Qt::black) : SheetColour(st.patternFore);
                painter.fillRect(rect, QBrush(fore, PatternBrush(st.pattern)));
            }
    // Grid lines.
    if (options.gridLines) {
        QPen grid(options.noColor ? QColor(Qt::black) : options.gridColour);
        grid.setWidthF(0);
        painter.setPen(grid);
        for (double x : layout.x) painter.drawLine(QPointF(x, layout.y.front()), QPointF(x, layout.y.back()));
        for (double y : layout.y) painter.drawLine(QPointF(layout.x.front(), y), QPointF(layout.x.back(), y));
    }
    // Texts.
    constexpr double kPadding = 2;
    for (int r = range.row1; r <= range.row2; ++r)
        for (int c = range.col1; c <= range.col2; ++c) {
            const Cell* cell = CellAt(s, r, c);
            if (!cell || cell->kind == CellKind::Empty) continue;
            const CellStyle& st = book.StyleOf(*cell);
            QRectF rect = cellRect(r, c);
            int h = st.horizontal;
            if (h == 1) h = cell->kind == CellKind::Number ? 4 : 2;
            // A text reaches over empty neighbours on the side it runs to.
            int first = c, last = c;
            if (cell->kind == CellKind::Text && !st.wrap) {
                if (h == 7) {
                    while (last < range.col2 && IsEmpty(s, r, last + 1) && CellAt(s, r, last + 1) &&
                           book.StyleOf(*CellAt(s, r, last + 1)).horizontal == 7)
                        ++last;
                } else {
                    if (h != 4)
                        while (last < range.col2 && IsEmpty(s, r, last + 1)) ++last;
                    if (h == 4 || h == 3)
                        while (first > range.col1 && IsEmpty(s, r, first - 1)) --first;
                }
            }
            QRectF span = cellRect(r, first).united(cellRect(r, last));
            QRectF textRect = rect;
            int flags = 0;
            switch (h) {
            case 3:
                textRect = QRectF(rect.center().x() - span.width(), rect.top(), 2 * span.width(), rect.height());
                flags = Qt::AlignHCenter;
                break;
            case 4: textRect = QRectF(span.left(), rect.top(), rect.right() - span.left(), rect.height()); flags = Qt::AlignRight; break;
            case 7: textRect = span; flags = Qt::AlignHCenter; break;
            default: textRect = QRectF(rect.left(), rect.top(), span.right() - rect.left(), rect.height()); flags = Qt::AlignLeft; break;
            }
            flags |= st.vertical == 1 ? Qt::AlignTop : st.vertical == 2 ? Qt::AlignVCenter : Qt::AlignBottom;
            if (st.wrap) flags |= Qt::TextWordWrap;
            painter.save();
            painter.setClipRect(span);
            const QFont font = CellQFont(st.font);
            painter.setFont(font);
            painter.setPen(options.noColor || st.font.colour == kAutoColour ? QColor(Qt::black) : SheetColour(st.font.colour));
            QString text;
            if (cell->kind == CellKind::Number) {
                // Measured on the painter's own device: a printer's font metrics differ from the screen's.
                const QFontMetricsF metrics(font, painter.device());
                text = QString::fromStdString(FitCellNumber(cell->number, st.numberFormat, rect.width() - 2 * kPadding,
                                                            [&](const std::string& shown) {
                                                                return metrics.horizontalAdvance(QString::fromStdString(shown));
                                                            }));
            } else {
                text = QString::fromStdString(::DisplayText(book.DisplayText(*cell)));
            }
            painter.drawText(textRect.adjusted(kPadding, 0, -kPadding, 0), flags, text);
            painter.restore();
        }
    // Borders on top of everything.
    for (int r = range.row1; r <= range.row2; ++r)
        for (int c = range.col1; c <= range.col2; ++c) {
            const Cell* cell = CellAt(s, r, c);
            if (!cell || cell->style == 0) continue;
            const CellStyle& st = book.StyleOf(*cell);
            QRectF rect = cellRect(r, c);
            DrawLine(painter, st.left, rect.topLeft(), rect.bottomLeft(), options.noColor);
            DrawLine(painter, st.right, rect.topRight(), rect.bottomRight(), options.noColor);
            DrawLine(painter, st.top, rect.topLeft(), rect.topRight(), options.noColor);
            DrawLine(painter, st.bottom, rect.bottomLeft(), rect.bottomRight(), options.noColor);
        }
    painter.restore();
}
