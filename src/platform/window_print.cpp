// A window printed on one page, and drawn for the page.
#include "platform/window_print.h"

#include "platform/messages.h"
#include "platform/qt_print.h"

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

void PrintWindow(QWidget& window, const std::function<void(bool printed)>& asPrinted,
                 const std::function<void(QPainter&)>& paint)
{
    const std::optional<PrintChoice> choice = AskPrint();
    if (!choice) return;
    asPrinted(true);
    // Laid out and painted at the printing size before the page is taken.
    if (window.layout()) window.layout()->activate();
    QApplication::processEvents();
    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, *choice);
    printer.setDocName(window.windowTitle());
    PrintScaledToPage(printer, window.size(), paint);
    asPrinted(false);
}

void PrintScaledToPage(QPrinter& printer, QSize windowSize, const std::function<void(QPainter&)>& paint)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowError("Unable to print.");
        return;
    }
    const int dpiX = printer.logicalDpiX(), dpiY = printer.logicalDpiY();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int w = windowSize.width(), h = windowSize.height();
    // Fit the window's picture to the page, keeping its aspect.
    int printedWidth = static_cast<int>(static_cast<long long>(w) * page.height() / h);
    int printedHeight = page.height();
    if (page.width() <= printedWidth) {
        printedWidth = page.width();
        printedHeight = static_cast<int>(static_cast<long long>(h) * page.width() / w);
    }
    const int mx = dpiX / 2, my = dpiY / 2;
    const QRect target(mx, my, printedWidth - 2 * mx, printedHeight - 2 * my);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(static_cast<double>(target.width()) / w, static_cast<double>(target.height()) / h);
    paint(painter);
    painter.restore();
    painter.setPen(QPen(Qt::black, std::max(1, dpiX / 60)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(mx, my), QPoint(printedWidth - mx, printedHeight - my)));
    painter.end();
}

namespace {
bool InPicture(const QWidget* widget, const std::vector<TPagePicture>& pictures)
{
    return std::any_of(pictures.begin(), pictures.end(), [widget](const TPagePicture& p) {
        return p.Widget == widget || p.Widget->isAncestorOf(widget);
    });
}

// The label's font in its screen pixels: a font in points would grow by the printer's resolution
// on top of the page's scale.
QFont ScreenPixelFont(const QLabel& label)
{
    QFont font = label.font();
    if (font.pixelSize() <= 0) font.setPixelSize(QFontInfo(font).pixelSize());
    return font;
}

// A label's indent: its own, or half an "x" for a framed label without one.
int TextIndent(const QLabel& label)
{
    if (label.indent() >= 0) return label.indent();
    return label.frameWidth() > 0 ? label.fontMetrics().horizontalAdvance('x') / 2 : 0;
}

QRect PlaceIn(const QWidget& window, const QWidget& widget)
{
    return {widget.mapTo(&window, QPoint(0, 0)), widget.size()};
}
}  // namespace

void PaintWindowForPage(QPainter& painter, const QWidget& window, const std::vector<TPagePicture>& pictures)
{
    painter.fillRect(window.rect(), Qt::white);
    for (const TPagePicture& p : pictures) painter.drawImage(PlaceIn(window, *p.Widget).topLeft(), p.Picture());
    painter.setPen(QPen(Qt::gray, 1));
    painter.setBrush(Qt::NoBrush);
    std::vector<const QFrame*> separators;
    for (const QFrame* frame : window.findChildren<QFrame*>()) {
        if (!frame->isVisible() || InPicture(frame, pictures)) continue;
        switch (frame->frameShape()) {
        case QFrame::Box:
        case QFrame::Panel:
        case QFrame::WinPanel:
        case QFrame::StyledPanel: painter.drawRect(PlaceIn(window, *frame).adjusted(0, 0, -1, -1)); break;
        case QFrame::HLine:
        case QFrame::VLine: separators.push_back(frame); break;
        case QFrame::NoFrame: break;
        }
    }
    for (const QFrame* separator : separators) {
        const QRect line = PlaceIn(window, *separator);
        if (separator->frameShape() == QFrame::HLine) painter.drawLine(line.left(), line.center().y(), line.right(), line.center().y());
        else painter.drawLine(line.center().x(), line.top(), line.center().x(), line.bottom());
    }
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || InPicture(label, pictures)) continue;
        if (!label->pixmap().isNull()) {
            painter.drawPixmap(PlaceIn(window, *label).topLeft(), label->pixmap());
            continue;
        }
        if (label->text().isEmpty()) continue;
        // Inside the frame, kept from the aligned side as the label keeps it.
        const QRect box = label->contentsRect().translated(label->mapTo(&window, QPoint(0, 0)));
        painter.setFont(ScreenPixelFont(*label));
        painter.setPen(label->palette().color(QPalette::WindowText));
        int flags = static_cast<int>(label->alignment());
        if (label->wordWrap()) flags |= Qt::TextWordWrap;
        const int indent = TextIndent(*label);
        const int left = label->margin() + (flags & Qt::AlignLeft ? indent : 0);
        const int right = label->margin() + (flags & Qt::AlignRight ? indent : 0);
        painter.drawText(box.adjusted(left, 0, -right, 0), flags, label->text());
    }
}
