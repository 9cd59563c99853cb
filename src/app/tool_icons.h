// Toolbar and window images, drawn at run time so the program needs no image files.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// A small square image with a short glyph (one to three characters) on a coloured plate.
QIcon GlyphIcon(const QString& glyph, const QColor& plate);
// The program's picture: a three-phase waveform over a grid.
QPixmap WaveformPicture(int width, int height);
QIcon ProgramIcon();
