// Labels whose text may be wider than they are. TElidedLabel, for a path, file or trace name: a
// text wider than the label is shortened, in the middle or at its end, with the whole text in its
// tooltip, instead of widening the window; or, while wrapped, shown whole on as many lines as it
// needs. Used by the survey picker's folder line, the limits file name of the analysis and summary
// wizards and the trend views' legend names. TFittedLabel, for a view panel's line.
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

// A line of a view's panel, set and read whole (text() is the whole line, as the printed page
// takes it): in a label narrower than the line it is drawn cut with an ellipsis, at its end (at
// its start when right-aligned), and the whole line is its tooltip. The measurement views'
// header and legend lines.
class TFittedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TFittedLabel(const QString& text, QWidget* parent = nullptr);

    // The line as drawn: the whole text, or its start and an ellipsis.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
