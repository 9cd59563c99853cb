// The 16-colour grid of the traces dialogs: a click picks the foreground colour, a drag carries
// it onto a trace's list. The drag starts on the first move after the button went down.
#pragma once

#include <QWidget>

// Mime type of a dragged Palette16 index.
inline constexpr const char* kColourMimeType = "application/x-orv-palette-index";

class TColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit TColorGrid(QWidget* parent = nullptr);

    int ForegroundIndex() const { return foregroundIndex_; }
    void SetForegroundIndex(int index);

    QSize sizeHint() const override;

signals:
    // The user dragged the foreground colour and dropped it somewhere.
    void DragEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int CellAt(QPoint point) const;

    int foregroundIndex_ = 0;
    bool ColourDragArmed = false;
};
