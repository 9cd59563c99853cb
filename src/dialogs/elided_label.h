// A label for a path, file or trace name: a text wider than the label is shortened, in the
// middle or at its end, with the whole text in its tooltip, instead of widening the window; or,
// while wrapped, shown whole on as many lines as it needs. Used by the survey picker's folder
// line, the limits file name of the analysis and summary wizards and the trend views' legend names.
#pragma once

#include <QLabel>

class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TElidedLabel(QWidget* parent = nullptr);

    // The whole text; text() is what fits.
    void SetFullText(const QString& text);
    const QString& FullText() const { return full_; }
    // Wrapped, the label asks for the width its words need, as a label with room for them does.
    void SetWrapped(bool wrapped);
    // Where a shortened text loses its characters: in the middle (paths) unless told otherwise.
    void SetElideMode(Qt::TextElideMode mode);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();
    QString full_;
    bool wrapped_ = false;
    Qt::TextElideMode mode_ = Qt::ElideMiddle;
};
