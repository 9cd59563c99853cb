// Label shortened, or wrapped whole.
#include "dialogs/elided_label.h"

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
