// What every traces dialog shares: six trace lists whose text colour is the trace's colour,
// the colour grid dragged onto them, the Y axis group with its spin buttons, the L1 L2 L3 phase
// radios of each trace row (L2 and L3 for a three-phase recording only, a row without trace
// greyed), and OK, which refuses a minimum or maximum that is not a number (the dialog stays
// open, nothing taken) before the dialog takes the lists and resolves the offsets. The twins
// (TTracesDlg, TTracesHrmDlg) add their own rows.
#pragma once

#include "survey/trace_records.h"
#include "views/trend_columns.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TColorGrid;

class TTracesDialogBase : public QDialog {
    Q_OBJECT
public:
    // The trace lists stand in grid column `listColumn` (a twin may put its own list before them).
    explicit TTracesDialogBase(QWidget* parent, int listColumn = 0);

    void GetTraceSettings(TTraceSettings& settings) const { settings = Settings; }

    // Handlers, public so tests drive the dialog without a modal loop.
    void FormActivate();
    void ComboChange();
    void CBoxAutoClick();
    void BtnOkClick();
    void SpinMaxUpClick() { StepEdit(EditMax, 1.0f); }
    void SpinMaxDownClick() { StepEdit(EditMax, -1.0f); }
    void SpinMinUpClick() { StepEdit(EditMin, 1.0f); }
    void SpinMinDownClick() { StepEdit(EditMin, -1.0f); }
    // A colour dropped from the grid on list `index` (0 to 5).
    void ComboDragDrop(int index);
    std::uint32_t ListColour(int index) const { return listColours_[static_cast<std::size_t>(index)]; }

    QLabel* LabelTit;
    std::array<QComboBox*, kTraceCount> Combos{};
    QGroupBox* GroupScale;
    QCheckBox* CBoxAuto;
    QLineEdit* EditMax;
    QLineEdit* EditMin;
    QToolButton *SpinMaxUp, *SpinMaxDown, *SpinMinUp, *SpinMinDown;
    TColorGrid* ColorGrid;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
    // The phase radios, once AddPhaseRows made them: Radios[row][phase], rows 0 to 5.
    QGroupBox* GroupFase = nullptr;
    std::array<std::array<QRadioButton*, 3>, kTraceCount> Radios{};

protected:
    // The grid of the trace rows: the heading in row 0, trace k's list in row k + 1 of the
    // list column. A twin adds a trace's own controls in that trace's row, where they line up
    // with its list.
    QGridLayout* TraceRows() const { return traceRows_; }
    // Radio rows in a framed group in grid `column`: the group's title stands in the heading row
    // and its words are the column heads ("  L1    L2    L3  "); each trace's row of radios, one
    // centred under each head, lies in the row of the trace's list, the first one checked.
    // Radios[row][column]; a row's button group gives the column as the checked id.
    struct TRadioRows {
        std::array<std::vector<QRadioButton*>, kTraceCount> Radios;
        std::array<QButtonGroup*, kTraceCount> Groups{};
    };
    TRadioRows AddRadioRows(QGroupBox* group, int column = 1);
    // The L1 L2 L3 radios of every trace row in grid `column` (GroupFase, Radios).
    void AddPhaseRows(int column);
    void SetListItems(int index, const std::vector<std::string>& names);
    // The trace's colour on its list; a twin colours its own controls of the row too.
    virtual void SetListColour(int index, std::uint32_t colour);
    // Paints a list's text in a colour.
    static void PaintListText(QComboBox* combo, std::uint32_t colour);

    // A twin's own controls of each row shown from the settings, before the lists select their
    // items (the harmonics dialog fills a row's statistics by its order here).
    virtual void ShowTraceRows() {}
    // Rows greyed out for "none", phases shown and read (the phase radios, when the dialog has
    // them), offsets resolved: the twins' parts.
    virtual void EnablePhases();
    virtual void ShowPhases();
    virtual void ReadPhases();
    virtual void ResolveOffsets() = 0;

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TTraceSettings Settings;
    std::array<bool, kTraceCount> NoTrace{};
    bool ThreePhase = false;  // L2 and L3 may be chosen

private:
    void ShowSettings();
    void ReadSettings(float minimum, float maximum);
    void StepEdit(QLineEdit* edit, float delta);

    QGridLayout* traceRows_;
    std::array<std::uint32_t, kTraceCount> listColours_{};
    std::array<QButtonGroup*, kTraceCount> phaseGroups_{};
};

// Format("%f", value): fixed, two decimals.
QString FixedTwoDecimals(float value);
