// The harmonics picker: a source and a destination list of harmonic labels. Created by its caller
// for one use: SetupHarmList(...), exec(), on Accepted GetHarmList(...), then freed.
#pragma once

#include "dialogs/fixed_dialog.h"
#include "dialogs/harmonic_picker.h"

class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

class THarmListDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit THarmListDlg(QWidget* parent = nullptr);

    // Avail and Chosen hold harmonic numbers (orders, or current-harmonic indexes in modes 12,
    // 20 and 21; see HarmonicPickerMode). Phases (1 to 3) sets the limit of modes 0 and 12.
    void SetupHarmList(const HarmonicNumbers& Avail, const HarmonicNumbers& Chosen, int AvailCount,
                       int ChosenCount, int Phases, int Mode);
    void GetHarmList(HarmonicNumbers& Numbers, int& Count) const;

    QListWidget* SrcList;
    QListWidget* DstList;
    QToolButton* IncludeBtn;
    QToolButton* IncAllBtn;
    QToolButton* ExcludeBtn;
    QToolButton* ExAllBtn;
    QLabel* Label1;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

private:
    void IncludeBtnClick();
    void ExcludeBtnClick();
    void IncAllBtnClick();
    void ExcAllBtnClick();
    // The lists' selections go into the picker before a move; the picker's state is shown after.
    void ReadSelection();
    void ShowPicker();

    HarmonicPicker picker;
};
