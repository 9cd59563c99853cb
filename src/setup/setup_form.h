// TSetupForm: the editor of one instrument setup file (.cfg), an MDI child of view kind 1 with
// one page per measure. It serves the main window's Save Setup, Save Setup As (TSetupDocument)
// and Print (the filled print template), and drives the Save Setup and Print buttons while it
// is active. Registered as the setup document window; the file and the rules it applies are
// setup_file.h and setup_rules.h.
#pragma once

#include "app/child_form.h"
#include "setup/setup_record.h"
#include "setup/setup_rules.h"

#include <array>
#include <functional>
#include <span>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextDocument;
class QToolButton;
class TRadioGroup;
class TSpinButton;
class TWindowRegistry;

class TSetupForm : public TChildForm, public TPrintable, public TSetupDocument {
    Q_OBJECT
public:
    explicit TSetupForm(const TChildContext& context, QWidget* parent = nullptr);
    ~TSetupForm() override;

    // A new setup with the defaults, captioned "Setup file <Counter>".
    void NewSetup(int Counter);
    // The setup of a file; false, after the message, when it cannot be read or is no setup
    // file (the window is then not shown).
    bool LoadSetupFile(const std::string& Path);
    void SaveSetup() override;
    void SaveSetupAs() override;
    void PrintSetup();
    void Print() override { PrintSetup(); }

    // How far the controls went into the record.
    enum class TControlsResult {
        Accepted,
        FieldRefused,     // a text did not convert or is out of its range: its field has the focus
        IntervalRefused,  // the fields went in, but the recorder's stop is not after its start
    };
    void SetupToControls();
    TControlsResult ControlsToSetup();

    const TSetupRecord& Setup() const { return setup_; }
    const std::string& Path() const { return path_; }
    bool Untitled() const { return untitled_; }
    bool Modified() const { return modified_; }
    int LimitOrder() const { return limitOrder_; }
    int FlagOrder() const { return flagOrder_; }
    int CurrLimitOrder() const { return currLimitOrder_; }
    int CurrFlagOrder() const { return currFlagOrder_; }
    // The filled print template of the last print, one paragraph a line.
    QTextDocument* PrnMemo;

    QTabWidget* PageControl;
    // General.
    QLineEdit* EditVNom;
    TRadioGroup *GroupWiring, *GroupPrinter, *GroupPhase, *GroupFrequency;
    // Voltage: CBoxV[0..7] are CBoxV1..CBoxV8, bits 0 to 7; the transients box is kept by nothing.
    TRadioGroup *GroupVPeriod, *GroupVSamples;
    QLineEdit *EditVLow, *EditVHigh, *EditVDelta;
    std::array<QCheckBox*, 8> CBoxV{};
    QCheckBox* CBoxVTransients;
    // Frequency and unbalance.
    TRadioGroup *GroupHzPeriod, *GroupUnbPeriod;
    QLineEdit *EditHzLow, *EditHzHigh, *EditUnbHigh;
    std::array<QCheckBox*, 7> CBoxHz{}, CBoxUnb{};
    // Voltage harmonics: the limit and the switches of one index at a time.
    TRadioGroup *GroupHPeriod, *GroupHMode;
    QLineEdit *EditOrderLim, *EditHHigh, *EditOrderFlag;
    TSpinButton *SpinOrderLim, *SpinOrderFlag;
    std::array<QCheckBox*, 7> CBoxH{};
    QCheckBox* CBoxHGlobal;
    QToolButton *BtnLinkArm, *BtnCancelArm;
    // Current harmonics.
    TRadioGroup* GroupHiPeriod;
    QLineEdit *EditHiSoglia, *EditOrderLimCurr, *EditHiHigh, *EditOrderFlagCurr;
    TSpinButton *SpinOrderLimCurr, *SpinOrderFlagCurr;
    std::array<QCheckBox*, 3> CBoxHi{};
    QCheckBox* CBoxHiGlobal;
    QToolButton *BtnLinkArmCurr, *BtnCancelArmCurr;
    // Flicker: the boxes of bits 0 to 4 are CBoxFlk1, CBoxFlk2, CBoxFlk3, CBoxFlk5, CBoxFlk4.
    TRadioGroup* GroupFlkPeriod;
    QLineEdit *EditFlkHigh, *EditFlkPlt;
    QCheckBox *CBoxFlk1, *CBoxFlk2, *CBoxFlk3, *CBoxFlk4, *CBoxFlk5;
    // Power and current.
    TRadioGroup *GroupWPeriod, *GroupWCurrent;
    QLineEdit *EditWHighP, *EditWHighQ, *EditWHighA, *EditWHighC;
    std::array<QCheckBox*, 9> CBoxW{};
    // Recorder: editable dates, read-only "hh:mm" times stepped by the spin buttons.
    QLineEdit *EditStartDate, *EditStopDate, *rcEdit1TimeStart, *rcEdit1TimeStop;
    QToolButton *BtnIni, *BtnEnd;
    TSpinButton *BtnOreStart, *BtnMinStart, *BtnOreStop, *BtnMinStop;
    // System events: kept by nothing.
    std::array<QCheckBox*, 7> CBoxSys{};
    QPushButton *BtnOk, *BtnCancel;

    // Handlers.
    void FormActivate();
    void BtnOkClick();
    void BtnCancelClick();
    void SetupChanged();
    void SpinOrderLimClick(bool up);
    void SpinOrderLimCurrClick(bool up);
    void SpinOrderFlagClick(bool up);
    void SpinOrderFlagCurrClick(bool up);
    void CBoxHGlobalClick();
    void CBoxHiGlobalClick();
    // Copy (Tag 10) or cancel (Tag 11) of the shown switches over harmonics chosen in the picker.
    void BtnLinkArmClick(int Tag);
    void BtnCancelArmCurrClick(int Tag);
    // The check on leaving a limit field: false, after the message and with the focus back,
    // when its text is no number or out of its range.
    bool CheckNumberField(QLineEdit* edit);
    bool EditDateExit(QLineEdit* edit);
    void BtnIniClick();
    void BtnEndClick();
    // Hour or minute of a time field one step up or down; an empty field is left alone.
    void StepTime(QLineEdit* field, bool hour, bool up);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // A limit field: its range, how it shows, and where its value lives in the record.
    struct NumberField {
        QLineEdit* edit;
        SetupField field;
        const char* pattern;
        std::function<float(const TSetupRecord&)> get;
        std::function<void(TSetupRecord&, float)> set;
    };
    // Check boxes by bit over one switch word; bits no box holds stay as they are.
    struct SwitchField {
        std::vector<QCheckBox*> boxes;
        std::function<std::uint16_t&(TSetupRecord&)> word;
    };
    struct ChoiceField {
        TRadioGroup* group;
        std::function<std::int16_t&(TSetupRecord&)> value;
    };

    // Pages, each built by its own routine (setup_form_pages.cpp).
    void BuildGeneralPage();
    void BuildVoltagePage();
    void BuildFrequencyPage();
    void BuildUnbalancePage();
    void BuildVoltageHarmonicsPage();
    void BuildCurrentHarmonicsPage();
    void BuildFlickerPage();
    void BuildPowerPage();
    void BuildRecorderPage();
    void BuildSystemEventsPage();
    QLineEdit* AddNumber(SetupField field, const char* pattern, std::function<float(const TSetupRecord&)> get,
                         std::function<void(TSetupRecord&, float)> set);
    TRadioGroup* AddChoice(TRadioGroup* group, std::function<std::int16_t&(TSetupRecord&)> value);
    template <std::size_t N>
    void AddSwitches(std::array<QCheckBox*, N>& boxes, std::function<std::uint16_t&(TSetupRecord&)> word);
    void WatchChanges(QWidget* control);

    // The value of a limit field, checked as on leaving it; false, after the message, with the
    // field in front and focused.
    bool ReadNumber(const NumberField& f, float& value);
    const NumberField* NumberOf(QLineEdit* edit) const;
    void FocusField(QWidget* field);
    void ShowText(QLineEdit* edit, const std::string& text);
    // One harmonic's limit or switches at a time: the shown one stored, the index stepped, the
    // new one shown.
    void StepLimit(QLineEdit* orderEdit, QLineEdit* limitEdit, std::span<float> limits, int& index, bool up,
                   int fundamental, bool current);
    template <std::size_t N>
    void StepFlags(std::array<QCheckBox*, N>& boxes, QLineEdit* orderEdit, std::span<std::uint16_t> words, int& index,
                   bool up, int fundamental, bool current);
    void ShowOrderFields();
    void ShowDateTime(QLineEdit* date, QLineEdit* time, const TPackedDate& d, const TPackedTimeEx& t);
    // The date of a date field (none for an empty one); false, after "Invalid Date", for no date.
    bool ReadDate(QLineEdit* edit, TPackedDate& date);
    void PickDate(QLineEdit* date, QLineEdit* time);
    bool GlobalEnableAllowed(QCheckBox* global, std::span<const std::uint16_t> words, QCheckBox* shownEnable);
    void ChangeHarmonics(bool current, int Tag);
    void SetModified(bool modified);
    void PublishSetupState();
    void ShowCaption();
    void CloseWindow();
    bool CloseQuery();
    void WatchActivation();

    TSetupRecord setup_;
    std::string path_ = "untitled";
    bool untitled_ = true;
    bool modified_ = false;
    int limitOrder_ = 0, flagOrder_ = 0, currLimitOrder_ = 0, currFlagOrder_ = 0;
    int harmonicCount_ = 1;  // the count the picker last returned
    std::vector<NumberField> numbers_;
    std::vector<SwitchField> switches_;
    std::vector<ChoiceField> choices_;
    bool showing_ = false;   // the record is being shown: the controls' changes are not the user's
    bool checking_ = false;  // a check's message is up: leaving the field again is not checked twice
    bool watchingActivation_ = false;
};

// The setup document window: a path opens that file (null when it cannot be read), an empty
// path starts a new setup numbered by `untitledNumber`.
void RegisterSetupEditor(TWindowRegistry& registry, std::function<int()> untitledNumber);
