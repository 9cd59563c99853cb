// Printing a window on one page, scaled to the page: the trend views, the waveform view and the
// bar report print so. PrintWindow runs the whole command; PaintWindowForPage draws a window of
// labels, panels and pictures so that its texts stay text on the page.
#pragma once

#include <QImage>
#include <QSize>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

// A widget the page shows as its picture (a graph), taken when the page is painted.
struct TPagePicture {
    const QWidget* Widget;
    std::function<QImage()> Picture;
};

// The print dialog (nothing more on Cancel); then asPrinted(true) dresses the window as printed,
// the window is laid out and painted at that size, `paint` draws it in its own pixels onto the
// page (PrintScaledToPage) of a document named by the window's title, and asPrinted(false)
// puts the window back.
void PrintWindow(QWidget& window, const std::function<void(bool printed)>& asPrinted,
                 const std::function<void(QPainter&)>& paint);

// One page: `paint` draws a window of windowSize pixels, scaled to the page keeping its aspect,
// inside margins of half an inch, framed by a black line of a sixtieth of an inch. "Unable to
// print." when the printer cannot be started.
void PrintScaledToPage(QPrinter& printer, QSize windowSize, const std::function<void(QPainter&)>& paint);

// The window on white: each picture at its widget's place, a grey outline round every shown
// boxed or panelled frame and a line along every shown separator, then every shown label as
// its text (or its pixmap) in its font and colour. Widgets inside a picture are left to it.
void PaintWindowForPage(QPainter& painter, const QWidget& window, const std::vector<TPagePicture>& pictures = {});
