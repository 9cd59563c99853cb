// The export wizard.
#include "export/sel_export_dlg.h"

#include "dialogs/harm_list_dlg.h"
#include "export/export_output_page.h"
#include "export/export_tabs_page.h"
#include "export/measure_tabs.h"
#include "export/output_files.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "sheet/sheet_book.h"
#include "survey/measure_file_info.h"
#include "survey/selection_loader.h"
#include "survey/text_tables.h"
#include "wizards/survey_page.h"

#include <QLineEdit>

const TMeasureBox kExportMeasureBoxes[9] = {
    {1, "Voltage"}, {2, "Frequency"}, {3, "Unbalance"},          {4, "Voltage Harmonics"}, {9, "Current Harmonics "},
    {5, "Flicker"}, {6, "Alarms"},    {7, "Powers && Currents"}, {10, "Energy"},
};

namespace {
enum Page { PageSurvey = 0, PageData = 1, PageTabs = 2, PageOutput = 3 };

constexpr unsigned Bit(int measure) { return 1u << (measure - 1); }
constexpr unsigned kSamplesBit = Bit(MeasureSamples);
}  // namespace

// Wide enough for the nine tabs of page 3 side by side and a workbook's full path on page 4.
TSelExportDlg::TSelExportDlg(QWidget* parent) : TWizardFrame(parent, "Export Survey", QSize(900, 400))
{
    SurveyPage = new TSurveyPage(this, "Select a Survey:", SurveyUpgrade::Short);
    DataPage = new TIntervalPage(this, kExportMeasureBoxes);
    TabsPage = new TExportTabsPage(this);
    OutputPage = new TExportOutputPage(this);
    AddPage(SurveyPage);
    AddPage(DataPage);
    AddPage(TabsPage);
    AddPage(OutputPage);
    // Picking a file, even the same one again, prepares the tabs anew.
    connect(SurveyPage, &TSurveyPage::SurveyChanged, this, [this] {
        preparedFor_.clear();
        UpdateForward();
    });
    connect(DataPage, &TIntervalPage::MeasuresChanged, this, &TSelExportDlg::UpdateForward);
    connect(TabsPage, &TExportTabsPage::BoxesChanged, this, &TSelExportDlg::BoxesChanged);
    connect(TabsPage, &TExportTabsPage::HarmonicsClicked, this, &TSelExportDlg::ChooseHarmonics);
    connect(OutputPage, &TExportOutputPage::BaseNameChanged, this, &TSelExportDlg::UpdateForward);
    ShowFirstPage();
}

bool TSelExportDlg::CanGoForward(int page) const
{
    switch (page) {
    case PageSurvey: return SurveyPage->HasSurvey();
    case PageData: return DataPage->AnyChecked();
    case PageTabs: {
        const unsigned measures = DataPage->CheckedMask();
        if (!TabsPage->AllValid(measures)) return false;
        const TExportParams choices = ChoicesWithTabs();
        for (const TMeasureBox& box : kExportMeasureBoxes)
            if ((measures & Bit(box.Measure)) && !FitsSheet(box.Measure, choices)) return false;
        return true;
    }
    case PageOutput: return OutputPage->CanFinish();
    default: return false;
    }
}

void TSelExportDlg::PageEntered(int page)
{
    if (page == PageData) LoadExportSurvey();
    if (page == PageTabs) ShowTabs();
    if (page == PageOutput) OutputPage->ShowOutputNames(DataPage->CheckedMask());
}

void TSelExportDlg::LoadExportSurvey()
{
    FillSurveySelection(SurveyPage->SelectedFile, SurveyPage->Lines, SurveySelection());
    DataPage->OfferMeasures(SurveySelection(), AvailableMeasures(SurveyPage->Lines) & ~kSamplesBit);
}

void TSelExportDlg::ShowTabs()
{
    if (preparedFor_ != SurveyPage->SelectedFile) {
        preparedFor_ = SurveyPage->SelectedFile;
        prepared_ = 0;
    }
    const unsigned measures = DataPage->CheckedMask();
    for (const TExportTabLayout& tab : kExportTabs) {
        const int k = tab.Measure;
        if (!(measures & Bit(k)) || (prepared_ & Bit(k))) continue;
        // A file that passed the survey's check but whose first record is damaged offers nothing.
        if (!ReadMeasureAvailability(k, SurveySelection().File(k).FileName, params_))
            ShowError(SurveyCorruptedMessage(k));
        TabsPage->ShowState(k, InitialTabState(k, params_.Measure(k)));
        prepared_ |= Bit(k);
    }
    TabsPage->ShowMeasureTabs(measures);
}

TExportParams TSelExportDlg::ChoicesWithTabs() const
{
    TExportParams choices = params_;
    for (const TExportTabLayout& tab : kExportTabs)
        StoreTabState(tab.Measure, TabsPage->State(tab.Measure), choices.Measure(tab.Measure));
    return choices;
}

bool TSelExportDlg::FitsSheet(int measure, const TExportParams& choices) const
{
    return ExportSheetColumns(measure, choices) <= kExcelMaxCols;
}

void TSelExportDlg::WarnIfBeyondSheet(int measure)
{
    const TExportParams choices = ChoicesWithTabs();
    if (FitsSheet(measure, choices)) return;
    ShowMessage("The chosen " + std::string(MeasureName(measure)) + " values need " +
                    std::to_string(ExportSheetColumns(measure, choices)) + " columns; an Excel 5.0 sheet holds " +
                    std::to_string(kExcelMaxCols) + ". Choose fewer phases, statistics or harmonics.",
                MsgType::Warning, MbOk);
}

void TSelExportDlg::BoxesChanged(int measure)
{
    WarnIfBeyondSheet(measure);
    UpdateForward();
}

void TSelExportDlg::ChooseHarmonics(int measure)
{
    const bool current = measure == MeasureCurrentHarmonics;
    THarmListDlg picker(this);
    picker.SetupHarmList(current ? params_.CurrentOrders : params_.VoltageOrders,
                         current ? params_.CurrentChosen : params_.VoltageChosen,
                         current ? params_.CurrentOrderCount : params_.VoltageOrderCount,
                         current ? params_.CurrentChosenCount : params_.VoltageChosenCount,
                         TickedPhases(TabsPage->State(measure)), current ? PickCurrentHarmonics : PickVoltageHarmonics);
    if (picker.exec() != QDialog::Accepted) return;
    int count = 0;
    picker.GetHarmList(current ? params_.CurrentChosen : params_.VoltageChosen, count);
    (current ? params_.CurrentChosenCount : params_.VoltageChosenCount) = count;
    BoxesChanged(measure);
}

bool TSelExportDlg::FinishWizard()
{
    if (!DataPage->StoreChoices(SurveySelection())) return false;
    TExportParams choices = ChoicesWithTabs();
    const unsigned measures = DataPage->CheckedMask();
    for (int k = 1; k <= kMeasureSlots; ++k)
        choices.Measure(k).OutputPath = (measures & Bit(k)) && ExportTabOf(k) ? OutputPage->OutputPath(k) : "";
    choices.Format = OutputPage->Format();
    // Nothing is written or replaced before the exporter has a complete workbook; the names are
    // only asked about and tried here.
    const bool accepted = CheckExportPaths(choices) && CheckOutputFiles(choices) == OutputCheck::Accepted &&
                          WriteExportParams(choices, DataDir() + std::string(kExportParamsFileName));
    if (!accepted) {
        OutputPage->EditBase->setFocus();
        return false;
    }
    params_ = choices;
    return true;
}
