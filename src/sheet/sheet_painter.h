// Draws the cells of a sheet with their fills, texts, fonts and borders; shared by the grid view
// and printing. Coordinates are sheet pixels (1/96 inch); a printer painter is scaled to them.
#pragma once

#include "sheet/sheet_book.h"

#include <QColor>
#include <QPointF>
#include <vector>

class QPainter;

struct SheetPaintOptions {
    bool gridLines = true;
    bool noColor = false;  // print in black and white: no fills, black text and lines
    QColor gridColour = QColor(0xC0, 0xC0, 0xC0);
};

QColor SheetColour(std::uint32_t bgr);

// Left edges of columns range.col1..range.col2 + 1 and top edges of rows, from `origin`.
struct SheetLayout {
    std::vector<double> x, y;
    SheetLayout(const Worksheet& sheet, const CellRange& range, QPointF origin);
};

void PaintSheetCells(QPainter& painter, const TF1Book& book, int sheet, const CellRange& range, QPointF origin,
                     const SheetPaintOptions& options);
