// What every traces dialog shares: six trace lists whose text colour is the trace's colour,
// the colour grid dragged onto them, one or two Y axis groups with their spin buttons, rows of
// phase radios under heading words (L1 L2 L3, or 3Ph. L1 L2 L3; L2 and L3 for a three-phase
// recording only, a row without trace greyed), and OK, which refuses a minimum or maximum that
// is not a number (the dialog stays open, nothing taken) before the dialog takes the lists and
// resolves the offsets. The twins (TTracesDlg, TTracesHrmDlg, TTracesWDlg, TTracesHrmCurrDlg,
// TTracesEnDlg) add their own rows and rules.
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
class QVBoxLayout;
class TColorGrid;
struct TTrendLayout;
struct TTrendMember;

// The controls of one Y axis group: "Auto Scale", Max and Min with their spin buttons.
struct TAxisGroup {
    QGroupBox* Group = nullptr;
    QCheckBox* CBoxAuto = nullptr;
    QLineEdit* EditMax = nullptr;
    QLineEdit* EditMin = nullptr;
    QToolButton *SpinMaxUp = nullptr, *SpinMaxDown = nullptr, *SpinMinUp = nullptr, *SpinMinDown = nullptr;
};

// The phase a radio column stands for: 0 to 2 for L1 to L3, 3 for the three-phase value.
constexpr int kThreePhase = 3;
constexpr int kPhaseKinds = 4;

class TTracesDialogBase : public QDialog {
    Q_OBJECT
public:
    // The trace lists stand in grid column `listColumn` (a twin may put its own list before them).
    // The first Y axis group ("Y Axis") is made here; a twin adds the second one.
    explicit TTracesDialogBase(QWidget* parent, int listColumn = 0);

    void GetTraceSettings(TTraceSettings& settings) const { settings = Settings; }
    // Shown modally; on OK the edited settings replace `settings` (true).
    bool RunModal(TTraceSettings& settings);

    // Handlers, public so tests drive the dialog without a modal loop.
    void FormActivate();
    // The rows' rule after a list changed; `sender` is the row (0 to 5) whose list the user
    // changed, -1 when the rule runs for all rows (at activation).
    void ComboChange(int sender = -1);
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
    // The Y axis groups: AxisGroups[0] edits axis 1, AxisGroups[1] (when made) axis 2. The
    // first group's controls are also named on their own.
    std::vector<TAxisGroup> AxisGroups;
    QGroupBox* GroupScale;
    QCheckBox* CBoxAuto;
    QLineEdit* EditMax;
    QLineEdit* EditMin;
    QToolButton *SpinMaxUp, *SpinMaxDown, *SpinMinUp, *SpinMinDown;
    TColorGrid* ColorGrid;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
    // The phase radios, once AddPhaseRows made them: Radios[row][phase], rows 0 to 5, phases 0 to
    // 2 (L1 to L3) and kThreePhase; null for a phase the dialog does not offer.
    QGroupBox* GroupFase = nullptr;
    std::array<std::array<QRadioButton*, kPhaseKinds>, kTraceCount> Radios{};

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
    // The phase radios of every trace row in grid `column` (GroupFase, Radios): one column per
    // word of `heading`, standing for the phase of `phases` at the same place.
    void AddPhaseRows(int column, const QString& heading = "  L1    L2    L3  ", std::vector<int> phases = {0, 1, 2});
    // The second Y axis group, below the first; its settings are the second axis's.
    TAxisGroup& AddAxisGroup(const QString& caption);
    void SetListItems(int index, const std::vector<std::string>& names);
    // The settings to edit, every trace list offering `names` (item 0 "none"), shown.
    void ShowTraces(const std::vector<std::string>& names, const TTraceSettings& settings);
    // The trace's colour on its list; a twin colours its own controls of the row too.
    virtual void SetListColour(int index, std::uint32_t colour);
    // Paints a list's text in a colour.
    static void PaintListText(QComboBox* combo, std::uint32_t colour);

    // A twin's own controls of each row shown from the settings, before the lists select their
    // items (the harmonics dialog fills a row's statistics by its order here).
    virtual void ShowTraceRows() {}
    // The user chose another item in row `row`'s list (after the rows' rule has run): a twin
    // may check the radio the new item needs.
    virtual void TraceChosen(int /*row*/) {}
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

    // A row's radio of a phase, when the dialog offers it.
    void CheckPhase(std::size_t row, int phase);
    void EnablePhase(std::size_t row, int phase, bool enabled);
    bool PhaseChecked(std::size_t row, int phase) const;

private:
    struct TAxisValues {
        float Min = 0, Max = 0;
    };
    void ShowSettings();
    void ReadSettings(const std::vector<TAxisValues>& axes);
    void StepEdit(QLineEdit* edit, float delta);

    QGridLayout* traceRows_;
    QVBoxLayout* axisColumn_;
    std::array<std::uint32_t, kTraceCount> listColours_{};
    std::array<QButtonGroup*, kTraceCount> phaseGroups_{};
};

// The traces dialog `Dialog` over `parent`, given a view's layout and settings
// (Dialog::SetTraces), shown modally; true with the new settings in `traces` on OK. The rows of
// the members whose dialog needs nothing but the layout name it as their dialog.
template <typename Dialog>
bool EditTracesOnLayout(QWidget* parent, const TTrendMember&, const TTrendLayout& layout, TTraceSettings& traces)
{
    Dialog dialog(parent);
    dialog.SetTraces(layout, traces);
    return dialog.RunModal(traces);
}

// Format("%f", value): fixed, two decimals.
QString FixedTwoDecimals(float value);
