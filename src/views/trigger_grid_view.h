// TTriggerGridView: the waveform view's small grid of a type-12 record's triggers: the rows
// "Over", "Under" and "Transients" under their names, three cells each, a cell filled with the
// colour of the trace on its channel (hatched when no trace is chosen), its hint shown while
// the mouse rests on it.
#pragma once

#include "views/waveform_triggers.h"

#include <QWidget>

class TTriggerGridView : public QWidget {
    Q_OBJECT
public:
    explicit TTriggerGridView(QWidget* parent = nullptr);

    void SetGrid(const TTriggerGrid& grid);
    const TTriggerGrid& Grid() const { return grid_; }
    // The hint of the cell at a point of the widget; empty outside the cells.
    QString HintAt(QPoint at) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect CellRect(int row, int cell) const;

    TTriggerGrid grid_{};
};
