// Labels shortened, or wrapped whole.
#include "dialogs/elided_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

TElidedLabel::TElidedLabel(QWidget* parent) : QLabel(parent)
{
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void TElidedLabel::SetFullText(const QString& text)
{
    full_ = text;
    setToolTip(text);
    Elide();
}

void TElidedLabel::SetWrapped(bool wrapped)
{
    if (wrapped == wrapped_) return;
    wrapped_ = wrapped;
    setWordWrap(wrapped);
    setSizePolicy(wrapped ? QSizePolicy::Preferred : QSizePolicy::Ignored, QSizePolicy::Preferred);
    Elide();
}

void TElidedLabel::SetElideMode(Qt::TextElideMode mode)
{
    mode_ = mode;
    Elide();
}

void TElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Elide();
}

void TElidedLabel::Elide() { setText(wrapped_ ? full_ : fontMetrics().elidedText(full_, mode_, width())); }

TFittedLabel::TFittedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QString TFittedLabel::ShownText() const
{
    if (!pixmap().isNull() || wordWrap()) return text();
    // A right-aligned line (a readout) keeps its end, as a label cut at its edge shows it.
    const Qt::TextElideMode mode = alignment() & Qt::AlignRight ? Qt::ElideLeft : Qt::ElideRight;
    const QString shown = fontMetrics().elidedText(text(), mode, contentsRect().width() - 2 * margin());
    // Too narrow for even the ellipsis: the line is cut at the edge as by any label.
    return shown.isEmpty() ? text() : shown;
}

void TFittedLabel::paintEvent(QPaintEvent* event)
{
    const QString shown = ShownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect().adjusted(margin(), margin(), -margin(), -margin()),
                          static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shown, foregroundRole());
}

bool TFittedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && ShownText() != text()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}
