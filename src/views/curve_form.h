// TCurveForm: the modal window with the density curve (share of samples per value class) or
// the CPF curve of one record, drawn as a filled area on Qt Charts, with phase buttons, the
// scale buttons that widen or narrow the shown classes, and printing.
#pragma once

#include "survey/records.h"
#include "views/density_curve.h"

#include <QDialog>
#include <array>

class QLabel;
class QToolButton;
class QPrinter;
class QChart;
class QChartView;
class QAreaSeries;
class QLineSeries;
class QValueAxis;
class QLogValueAxis;
class QGraphicsSimpleTextItem;

class TCurveForm : public QDialog {
    Q_OBJECT
public:
    explicit TCurveForm(QWidget* parent = nullptr);
    ~TCurveForm() override;

    void SetCurveHeader(const TMeasureFileInfo& info, bool threePhase, double pointTime);
    // Offset: byte offset in the file of the L1 block's sample total.
    void ShowDensity(std::int64_t offset, std::int32_t stride, int classCount, int firstValue, float classWidth);
    void ShowCpf(std::int64_t offset, std::int32_t stride, int count);

    // Handlers (public so tests press them).
    void BtnPhaseClick(int phase);
    void BtnMinLeftClick();
    void BtnMaxLeftClick();
    void BtnMinRightClick();
    void BtnMaxRightClick();
    void BtnPrintClick();

    // The points plotted last (empty when "Data Not Available" is shown).
    const std::vector<TCurvePoint>& Points() const { return points_; }
    const TCurveRange& Range() const { return range_; }
    bool NotAvailable() const;
    const std::array<QString, 3>& FootLines() const { return foot_; }

    QToolButton *BtnMinLeft, *BtnMaxLeft, *BtnMinRight, *BtnMaxRight, *BtnPrint;
    std::array<QToolButton*, 3> BtnPhase{};  // BtnL1, BtnL2, BtnL3
    QChartView* Graph;
    QLabel* Msg;

private:
    void SetupChart();
    bool Plot();
    void ShowNotAvailable(bool notAvailable);
    void ReadCurve(std::int64_t position);
    void UpdateScaleButtons();
    void SetFootLine(int line, const QString& text);
    void ScalePressed(void (TCurveRange::*change)(), QToolButton* pressed, bool compress);

    TMeasureFileInfo FileInfo;
    bool ThreePhase = false;
    int Phase = 0;
    std::int64_t CurveOffset = 0;
    std::int32_t CurveStride = 0;
    bool CpfMode = false;
    TDensityBlock density_;
    std::vector<float> cpf_;
    TCurveRange range_;
    std::vector<TCurvePoint> points_;
    std::array<QString, 3> foot_;
    std::array<QGraphicsSimpleTextItem*, 3> footItems_{};
    QChart* chart_;
    QLineSeries* upper_;
    QAreaSeries* area_;
    QValueAxis* axisY_;
    QValueAxis* axisX_;
    QLogValueAxis* axisLogX_;
};
