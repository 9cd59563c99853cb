// What every traces dialog shares: six trace lists whose text colour is the trace's colour,
// the colour grid dragged onto them, the Y axis group with its spin buttons, and OK, which
// refuses a minimum or maximum that is not a number (the dialog stays open, nothing taken)
// before the dialog takes the lists and resolves the offsets. The twins add their own rows.
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
    explicit TTracesDialogBase(QWidget* parent);

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

protected:
    // The grid of the trace rows: the heading in row 0, trace k's list in row k + 1, column 0.
    // A twin adds a trace's own controls in that trace's row (column 1 on), where they line
    // up with its list.
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
    void SetListItems(int index, const std::vector<std::string>& names);
    void SetListColour(int index, std::uint32_t colour);

    // Rows greyed out for "none", phases shown and read, offsets resolved: the twins' parts.
    virtual void EnablePhases() {}
    virtual void ShowPhases() {}
    virtual void ReadPhases() {}
    virtual void ResolveOffsets() = 0;

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TTraceSettings Settings;
    std::array<bool, kTraceCount> NoTrace{};

private:
    void ShowSettings();
    void ReadSettings(float minimum, float maximum);
    void StepEdit(QLineEdit* edit, float delta);

    QGridLayout* traceRows_;
    std::array<std::uint32_t, kTraceCount> listColours_{};
};

// Format("%f", value): fixed, two decimals.
QString FixedTwoDecimals(float value);
