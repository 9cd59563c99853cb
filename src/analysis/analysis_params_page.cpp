// The analysis wizard's parameters page.
#include "analysis/analysis_params_page.h"

#include "analysis/limits_dlg.h"
#include "dialogs/elided_label.h"
#include "dialogs/fixed_dialog.h"
#include "dialogs/spin_button.h"
#include "platform/text_encoding.h"
#include "survey/number_text.h"
#include "survey/text_tables.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kWindowDigits = 3;
constexpr int kPeriodRows = 3;  // two columns, filled top to bottom
}  // namespace

TAnalysisParamsPage::TAnalysisParamsPage(QWidget* parent, TAnalysisParams& params) : QWidget(parent), params_(params)
{
    EditWindow = new QLineEdit(this);
    EditWindow->setMaxLength(kWindowDigits);
    EditWindow->setFixedWidth(50);
    SpinWindow = new TSpinButton(this);
    auto* windowRow = new QHBoxLayout;
    windowRow->addWidget(new QLabel("Window duration (days)", this));
    windowRow->addWidget(EditWindow);
    windowRow->addWidget(SpinWindow);
    windowRow->addStretch(1);

    auto* period = new QGroupBox("Observation Period", this);
    auto* periodGrid = new QGridLayout(period);
    RadioPeriod = new QButtonGroup(this);
    for (int i = 0; i < kObservationPeriodChoices; ++i) {
        const std::string_view caption = ObservationPeriodNames[static_cast<std::size_t>(i)];
        auto* radio = new QRadioButton(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())), period);
        RadioPeriod->addButton(radio, i);
        periodGrid->addWidget(radio, i % kPeriodRows, i / kPeriodRows);
    }

    auto* limits = new QGroupBox(this);
    auto* limitsRow = new QHBoxLayout(limits);
    LabelLimFile = new TElidedLabel(limits);
    BtnLimits = new QPushButton("Set Limits...", limits);
    limitsRow->addWidget(new QLabel("Limit Values File:", limits));
    limitsRow->addWidget(LabelLimFile, 1);
    limitsRow->addWidget(BtnLimits);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel("Select the analysis parameters:", this));
    layout->addLayout(windowRow);
    layout->addWidget(period);
    layout->addWidget(limits);
    layout->addStretch(1);

    connect(EditWindow, &QLineEdit::editingFinished, this, &TAnalysisParamsPage::WindowFieldLeft);
    connect(SpinWindow, &TSpinButton::Up, this, [this] { SpinWindowClick(true); });
    connect(SpinWindow, &TSpinButton::Down, this, [this] { SpinWindowClick(false); });
    connect(BtnLimits, &QPushButton::clicked, this, &TAnalysisParamsPage::BtnLimitsClick);
    ShowAnalysisParams();
}

void TAnalysisParamsPage::ShowAnalysisParams()
{
    EditWindow->setText(QString::number(params_.WindowDays));
    if (QAbstractButton* radio = RadioPeriod->button(params_.PeriodIndex)) radio->setChecked(true);
    ShowLimitsFileName();
}

void TAnalysisParamsPage::ShowLimitsFileName()
{
    LabelLimFile->SetFullText(QString::fromStdString(DisplayText(limitsFileName_)));
}

std::optional<std::int16_t> TAnalysisParamsPage::CheckedWindowDays()
{
    auto days = ReadWindowDays(EditWindow->text().toStdString());
    if (!days) {
        EditWindow->setFocus();
        EditWindow->selectAll();
    }
    return days;
}

bool TAnalysisParamsPage::EditWindowExit() { return CheckedWindowDays().has_value(); }

void TAnalysisParamsPage::WindowFieldLeft()
{
    QWidget* next = QApplication::focusWidget();
    const bool frameButton = next && !isAncestorOf(next) && qobject_cast<QPushButton*>(next);
    if (next == EditWindow || frameButton || !isVisible()) return;
    EditWindowExit();
}

void TAnalysisParamsPage::SpinWindowClick(bool up)
{
    std::uint16_t days = 0;
    if (!TryStrToWord(EditWindow->text().toStdString(), days)) return;
    EditWindow->setText(QString::number(StepWindowDays(days, up)));
}

void TAnalysisParamsPage::BtnLimitsClick()
{
    EditLimits(this, limitsFileName_, params_.Limits);
    ShowLimitsFileName();
}

bool TAnalysisParamsPage::StoreParams()
{
    const auto days = CheckedWindowDays();
    if (!days) return false;
    params_.WindowDays = *days;
    params_.PeriodIndex = static_cast<std::int16_t>(RadioPeriod->checkedId());
    return true;
}
