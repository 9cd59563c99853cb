// The limits editor: one limits record on five tabs (voltage, frequency, unbalance, harmonics,
// flicker), every value checked as the user leaves its field, and .lim files opened and saved
// through the file-dialog seam. Shared by the analysis and summary wizards' "Set Limits...".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/limits_record.h"
#include "dialogs/fixed_dialog.h"

class QLineEdit;
class QPushButton;
class QTabWidget;
class TSpinButton;

class TLimitsDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit TLimitsDlg(QWidget* parent = nullptr);

    // The wizards' calls: the active file's name ("default" until a file is opened or saved),
    // the record to show (not modified afterwards), and on OK the edited record and name.
    void SetLimitsFileName(const std::string& Name);
    void SetLimits(const TLimitsRecord& Limits);
    void GetLimits(TLimitsRecord& Limits);
    std::string GetLimitsFileName() const { return fileName; }
    bool Modified() const { return modified; }
    // The harmonic index (0 THD, 2..50) whose limit and percentile the tab shows.
    int HarmonicIndex() const { return harmonicIndex; }

    QTabWidget* Tabs;
    QLineEdit *EditVLow, *EditVHigh, *EditVPerc, *EditVRapid, *EditVOver, *EditVUnder, *EditVDepth;
    QLineEdit *EditHzLow1, *EditHzHigh1, *EditHzPerc1, *EditHzLow2, *EditHzHigh2, *EditHzPerc2;
    QLineEdit *EditHzOver, *EditHzUnder;
    QLineEdit *EditUnbHigh, *EditUnbPerc, *EditUnbOver;
    QLineEdit *EditOrderLim, *EditHHigh, *EditHPerc, *EditHOver;
    TSpinButton* SpinOrderLim;
    QLineEdit *EditFlkHigh, *EditFlkPerc, *EditFlkOver;
    QPushButton *BtnOk, *BtnCancel, *BtnOpen, *BtnSave;

    void BtnOkClick();
    void BtnOpenClick();
    // Saves the fields to a file the user names; false when they are refused or not saved.
    bool BtnSaveClick();
    void SpinOrderLimUpClick();
    void SpinOrderLimDownClick();
    // The check on leaving a field: false, after the message and with the focus back on the
    // field, when its text is no number or out of the field's range.
    bool CheckField(QLineEdit* edit);

    // Cancel: the changes are dropped and nothing is asked.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Field {
        QLineEdit* edit;
        LimitsField field;
    };
    QLineEdit* AddEdit(LimitsField field, const QString& hint);
    void LimitsToControls();
    void ShowHarmonic();
    // Reads every edit into the record; a text that does not convert shows the conversion's
    // message and leaves 0.
    void ControlsToLimits();
    // Every field checked as on leaving it, the first refused one shown on its tab.
    bool CheckAllFields();
    bool ReadField(const Field& f, float& value, bool check);
    // The check on leaving a field, with the value read.
    std::optional<float> CheckedValue(QLineEdit* edit);
    void StepHarmonic(int step);
    // With changes, asks whether to save them: true when the dialog may close.
    bool CloseQuery();
    const Field* FieldOf(QLineEdit* edit) const;

    std::vector<Field> fields;
    TLimitsRecord limits;
    std::string fileName = "default";
    bool modified = false;
    int harmonicIndex = 0;
    bool showing = false;   // the record is being shown: the edits' changes are not the user's
    bool checking = false;  // a check's message is up: leaving the field again is not checked twice
};

// The wizards' "Set Limits...": the editor on `limits` and the active file's name `fileName`;
// on OK both take the edited record and name. True on OK.
bool EditLimits(QWidget* parent, std::string& fileName, TLimitsRecord& limits);

// The texts of the limits dialogs' messages.
inline constexpr const char* kSaveLimitsQuestion = "Save changes to active Limits file ?";
