// Label shortened in the middle.
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

void TElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Elide();
}

void TElidedLabel::Elide() { setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, width())); }
