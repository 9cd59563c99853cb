// TCurveForm: the modal window with the density curve (share of samples per value class) of a
// record's phase block or of a chosen harmonic order, or the CPF curve of a flicker record,
// drawn as a filled area on Qt Charts, with phase buttons, the order list, the scale buttons
// that widen or narrow the shown classes, and printing. The trend views open it.
#pragma once

#include "survey/records.h"
#include "views/density_curve.h"
#include "views/trend_layout.h"

#include <QDialog>
#include <array>

class QComboBox;
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

    // The data file of `measure` and the time of the record shown, for the foot lines.
    void SetCurveHeader(const TMeasureFileInfo& info, int measure, bool threePhase, double recordTime);
    // The harmonic blocks that carry a curve, offered in the order list (the first chosen).
    void SetHarmonics(const std::vector<TTrendBlock>& curveBlocks);
    // Offset: byte offset in the file of the L1 block's sample total.
    void ShowDensity(std::int64_t offset, std::int32_t stride, int classCount, int firstValue, float classWidth);
    // RecordPos: byte offset in the file of the record; the curve is the chosen order's.
    void ShowHarmonicDensity(std::int64_t recordPos, int classCount, int firstValue, float classWidth);
    // Offset: byte offset in the file of L1's first CPF value.
    void ShowCpf(std::int64_t offset, std::int32_t stride, int count);

    // Handlers (public so tests press them).
    void BtnPhaseClick(int phase);
    void CBoxHarmChange();
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
    QComboBox* CBoxHarm;
    QChartView* Graph;
    QLabel* Msg;

private:
    void SetupChart();
    bool Plot();
    void ShowNotAvailable(bool notAvailable);
    enum class TCurveMode { Density, HarmonicDensity, Cpf };
    void ShowCurve(TCurveMode mode, std::int64_t offset, std::int32_t stride, const TCurveRange& range);
    void ReadCurve(std::int64_t position);
    // Reads the curve of the current phase (of the chosen order for a harmonic curve) and plots it.
    void ShowPhaseCurve();
    void UpdateScaleButtons();
    void SetFootLine(int line, const QString& text);
    void ScalePressed(void (TCurveRange::*change)(), QToolButton* pressed, bool compress);

    TMeasureFileInfo FileInfo;
    int Measure = 0;
    bool ThreePhase = false;
    int Phase = 0;
    std::int64_t CurveOffset = 0;
    std::int32_t CurveStride = 0;
    bool CpfMode = false;
    bool HarmonicMode = false;
    std::vector<TTrendBlock> curveBlocks_;
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
