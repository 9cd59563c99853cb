// A one-line label for a path or file name: a text wider than the label is shortened in the
// middle (the whole text in its tooltip) instead of widening the window. Used by the survey
// picker's folder line and the limits file name of the analysis and summary wizards.
#pragma once

#include <QLabel>

class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TElidedLabel(QWidget* parent = nullptr);

    // The whole text; text() is what fits.
    void SetFullText(const QString& text);
    const QString& FullText() const { return full_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();
    QString full_;
};
