// Interval page of the wizards.
#include "wizards/interval_page.h"

#include "dialogs/fixed_dialog.h"
#include "wizards/interval_fields.h"
#include "wizards/interval_rules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

const TMeasureBox kAllMeasureBoxes[kMeasureCount] = {
    {1, "Voltage"},           {2, "Frequency"}, {3, "Unbalance"},       {4, "Voltage Harmonics"},
    {5, "Flicker"},           {6, "Alarms"},    {7, "Powers && Currents"}, {8, "Voltage Samples"},
    {9, "Current Harmonics"}, {10, "Energy"},
};

namespace {
constexpr int kBoxesInOneColumn = 6;
}  // namespace

TIntervalPage::TIntervalPage(QWidget* parent, std::span<const TMeasureBox> boxes)
    : QWidget(parent), boxes_(boxes.begin(), boxes.end())
{
    auto* types = new QGroupBox("Data Types", this);
    auto* typesGrid = new QGridLayout(types);
    const int count = static_cast<int>(boxes_.size());
    const int rows = count > kBoxesInOneColumn ? (count + 1) / 2 : count;
    for (int i = 0; i < count; ++i) {
        auto* box = new QCheckBox(boxes_[static_cast<std::size_t>(i)].Caption, types);
        typesGrid->addWidget(box, i % rows, i / rows);
        connect(box, &QCheckBox::clicked, this, &TIntervalPage::CBoxClick);
        checks_.push_back(box);
    }
    Interval = new TIntervalFields(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel("Select the data type and the interval:", this));
    auto* row = new QHBoxLayout;
    row->addWidget(types, 3);
    row->addWidget(Interval, 2, Qt::AlignTop);
    layout->addLayout(row);
    layout->addStretch();
}

QCheckBox* TIntervalPage::Box(int measure) const
{
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        if (boxes_[i].Measure == measure) return checks_[i];
    return nullptr;
}

unsigned TIntervalPage::CheckedMask() const
{
    unsigned mask = 0;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        if (checks_[i]->isChecked()) mask |= 1u << (boxes_[i].Measure - 1);
    return mask;
}

void TIntervalPage::OfferMeasures(const TSurveySelection& selection, unsigned available)
{
    selection_ = &selection;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const bool offered = (available & (1u << (boxes_[i].Measure - 1))) != 0;
        checks_[i]->setEnabled(offered);
        checks_[i]->setChecked(offered);
    }
    DefaultInterval();
}

void TIntervalPage::DefaultInterval()
{
    Interval->ShowInterval(selection_ ? ::DefaultInterval(*selection_, CheckedMask()) : std::nullopt);
}

void TIntervalPage::CBoxClick()
{
    DefaultInterval();
    emit MeasuresChanged();
}

bool TIntervalPage::StoreChoices(TSurveySelection& selection) const
{
    auto interval = Interval->CheckedInterval();
    if (!interval) return false;
    const unsigned checked = CheckedMask();
    for (const TMeasureBox& box : boxes_) selection.File(box.Measure).Selected = (checked & (1u << (box.Measure - 1))) != 0;
    selection.Start = interval->first;
    selection.Stop = interval->last;
    return true;
}
