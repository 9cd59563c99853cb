// Harmonics page of the summary wizard.
#include "summary/harmonic_orders_page.h"

#include "dialogs/fixed_dialog.h"
#include "survey/number_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kBoxRows = 5;
// The order a box stands for: box 1 is THD (order 0), box k order k.
constexpr std::size_t OrderOfBox(int box) { return box == 1 ? 0 : static_cast<std::size_t>(box); }
}  // namespace

THarmonicOrdersPage::THarmonicOrdersPage(QWidget* parent) : QWidget(parent)
{
    auto* group = new QGroupBox("Harmonics", this);
    auto* grid = new QGridLayout(group);
    for (int box = 1; box <= kHarmonicBoxes; ++box) {
        auto* check = new QCheckBox(QString::fromStdString(HarmonicLabel(static_cast<int>(OrderOfBox(box)))), group);
        check->setObjectName(QString("CheckBox%1").arg(box));
        grid->addWidget(check, (box - 1) % kBoxRows, (box - 1) / kBoxRows);
        connect(check, &QCheckBox::clicked, this, &THarmonicOrdersPage::HarmonicsChanged);
        CheckBoxes[static_cast<std::size_t>(box)] = check;
    }
    BtnSetAll = new QPushButton("Set All", this);
    BtnClearAll = new QPushButton("Clear All", this);
    BtnEven = new QPushButton("Only Even", this);
    BtnOdd = new QPushButton("Only Odd", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BtnSetAll, BtnClearAll, BtnEven, BtnOdd}) buttons->addWidget(b);
    buttons->addStretch();
    connect(BtnSetAll, &QPushButton::clicked, this, &THarmonicOrdersPage::BtnSetAllClick);
    connect(BtnClearAll, &QPushButton::clicked, this, &THarmonicOrdersPage::BtnClearAllClick);
    connect(BtnEven, &QPushButton::clicked, this, &THarmonicOrdersPage::BtnEvenClick);
    connect(BtnOdd, &QPushButton::clicked, this, &THarmonicOrdersPage::BtnOddClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel("Select the harmonics to show:", this));
    auto* row = new QHBoxLayout;
    row->addWidget(group, 1);
    row->addLayout(buttons);
    layout->addLayout(row);
    layout->addStretch();
}

void THarmonicOrdersPage::EnableHarmonicBoxes(const TSummaryParams& params)
{
    for (int box = 1; box <= kHarmonicBoxes; ++box) {
        QCheckBox* check = CheckBoxes[static_cast<std::size_t>(box)];
        const bool present = params.HarmonicSelected[OrderOfBox(box)];
        check->setEnabled(present);
        check->setChecked(present);
    }
}

bool THarmonicOrdersPage::AnyHarmonicChecked() const
{
    for (int box = 1; box <= kHarmonicBoxes; ++box)
        if (CheckBoxes[static_cast<std::size_t>(box)]->isChecked()) return true;
    return false;
}

void THarmonicOrdersPage::StoreChoices(TSummaryParams& params) const
{
    for (int box = 1; box <= kHarmonicBoxes; ++box)
        params.HarmonicSelected[OrderOfBox(box)] = CheckBoxes[static_cast<std::size_t>(box)]->isChecked();
}

template <typename Keep>
void THarmonicOrdersPage::TickWhere(Keep keep)
{
    for (int box = 1; box <= kHarmonicBoxes; ++box) {
        QCheckBox* check = CheckBoxes[static_cast<std::size_t>(box)];
        check->setChecked(check->isEnabled() && (box == 1 || keep(box)));
    }
    emit HarmonicsChanged();
}

void THarmonicOrdersPage::BtnSetAllClick() { TickWhere([](int) { return true; }); }

void THarmonicOrdersPage::BtnClearAllClick()
{
    for (int box = 1; box <= kHarmonicBoxes; ++box) CheckBoxes[static_cast<std::size_t>(box)]->setChecked(false);
    emit HarmonicsChanged();
}

void THarmonicOrdersPage::BtnEvenClick() { TickWhere([](int order) { return order % 2 == 0; }); }
void THarmonicOrdersPage::BtnOddClick() { TickWhere([](int order) { return order % 2 != 0; }); }
