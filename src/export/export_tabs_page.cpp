// The export wizard's measure tabs.
#include "export/export_tabs_page.h"

#include "dialogs/fixed_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kBoxesPerColumn = 9;

std::size_t TabIndex(int measure)
{
    for (std::size_t i = 0; i < kExportTabs.size(); ++i)
        if (kExportTabs[i].Measure == measure) return i;
    return 0;
}

QCheckBox* NamedBox(const QString& caption, const std::string& name, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromStdString(name));
    return box;
}

// Boxes in columns of up to nine, top to bottom.
QGroupBox* BoxGroup(const QString& title, const std::vector<QCheckBox*>& boxes, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(group);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setParent(group);
        grid->addWidget(boxes[i], static_cast<int>(i % kBoxesPerColumn), static_cast<int>(i / kBoxesPerColumn));
    }
    grid->setRowStretch(kBoxesPerColumn, 1);
    return group;
}
}  // namespace

TExportTabsPage::TExportTabsPage(QWidget* parent) : QWidget(parent)
{
    Tabs = new QTabWidget(this);
    for (std::size_t i = 0; i < kExportTabs.size(); ++i)
        Tabs->addTab(BuildTab(kExportTabs[i], tabs_[i]), kExportTabs[i].Caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Tabs);
}

QWidget* TExportTabsPage::BuildTab(const TExportTabLayout& layout, TMeasureTab& tab)
{
    auto* page = new QWidget(Tabs);
    tab.Page = page;
    for (std::size_t i = 0; i < layout.ItemCaptions.size(); ++i)
        tab.Items.push_back(NamedBox(QString::fromStdString(layout.ItemCaptions[i]), layout.ItemNames[i], page));
    auto* row = new QHBoxLayout(page);
    if (layout.Measure == MeasureEvents) {
        std::vector<QCheckBox*> measures, types;
        for (int i : kAlarmMeasureItems) measures.push_back(tab.Items[static_cast<std::size_t>(i)]);
        for (int i : kAlarmTypeItems) types.push_back(tab.Items[static_cast<std::size_t>(i)]);
        row->addWidget(BoxGroup("Event Measures", measures, page), 1);
        row->addWidget(BoxGroup("Event Type", types, page), 1);
    } else {
        auto* items = new QVBoxLayout;
        auto* grid = new QGridLayout;
        for (std::size_t i = 0; i < tab.Items.size(); ++i)
            grid->addWidget(tab.Items[i], static_cast<int>(i % kBoxesPerColumn), static_cast<int>(i / kBoxesPerColumn));
        items->addLayout(grid);
        items->addStretch(1);
        row->addLayout(items, 2);
    }
    auto* side = new QVBoxLayout;
    if (layout.PhaseGroup) {
        std::vector<QCheckBox*> phases;
        for (std::size_t p = 0; p < 3; ++p) {
            tab.Phases[p] = NamedBox(QString("L%1").arg(p + 1), layout.PhaseNames[p], page);
            phases.push_back(tab.Phases[p]);
        }
        side->addWidget(BoxGroup(layout.PhaseGroup, phases, page));
    }
    if (layout.Measure == MeasureVoltageHarmonics || layout.Measure == MeasureCurrentHarmonics) {
        tab.BtnHarmonics = new QPushButton("Harmonics", page);
        tab.BtnHarmonics->setObjectName(layout.Measure == MeasureVoltageHarmonics ? "BtnSelHarm" : "BtnSelHarmCurr");
        side->addWidget(tab.BtnHarmonics);
        connect(tab.BtnHarmonics, &QPushButton::clicked, this, [this, m = layout.Measure] { emit HarmonicsClicked(m); });
    }
    side->addStretch(1);
    tab.BtnSetAll = new QPushButton("Set All", page);
    tab.BtnSetAll->setObjectName(layout.SetAllName);
    tab.BtnClearAll = new QPushButton("Clear All", page);
    tab.BtnClearAll->setObjectName(layout.ClearAllName);
    side->addWidget(tab.BtnSetAll);
    side->addWidget(tab.BtnClearAll);
    row->addLayout(side, 1);

    const int measure = layout.Measure;
    for (QCheckBox* box : tab.Items) connect(box, &QCheckBox::clicked, this, [this, measure] { BoxClicked(measure); });
    for (QCheckBox* box : tab.Phases)
        if (box) connect(box, &QCheckBox::clicked, this, [this, measure] { BoxClicked(measure); });
    connect(tab.BtnSetAll, &QPushButton::clicked, this, [this, measure] {
        TTabState state = State(measure);
        SetAllBoxes(state);
        ShowState(measure, state);
        BoxClicked(measure);
    });
    connect(tab.BtnClearAll, &QPushButton::clicked, this, [this, measure] {
        TTabState state = State(measure);
        ClearAllBoxes(state);
        ShowState(measure, state);
        BoxClicked(measure);
    });
    return page;
}

const TExportTabsPage::TMeasureTab& TExportTabsPage::Tab(int measure) const { return tabs_[TabIndex(measure)]; }

void TExportTabsPage::ShowMeasureTabs(unsigned measures)
{
    const int active = Tabs->currentIndex();
    for (std::size_t i = 0; i < kExportTabs.size(); ++i)
        Tabs->setTabVisible(static_cast<int>(i), (measures & (1u << (kExportTabs[i].Measure - 1))) != 0);
    if (active >= 0 && Tabs->isTabVisible(active)) return;
    const int count = Tabs->count();
    for (int step = 1; step <= count; ++step) {
        const int next = (std::max(active, 0) + step) % count;
        if (Tabs->isTabVisible(next)) {
            Tabs->setCurrentIndex(next);
            return;
        }
    }
}

TTabState TExportTabsPage::State(int measure) const
{
    const TMeasureTab& tab = Tab(measure);
    TTabState state;
    for (const QCheckBox* box : tab.Items) state.Items.push_back({box->isEnabled(), box->isChecked()});
    for (std::size_t p = 0; p < 3; ++p)
        if (tab.Phases[p]) state.Phases[p] = {tab.Phases[p]->isEnabled(), tab.Phases[p]->isChecked()};
    return state;
}

void TExportTabsPage::ShowState(int measure, const TTabState& state)
{
    const TMeasureTab& tab = Tab(measure);
    for (std::size_t i = 0; i < tab.Items.size() && i < state.Items.size(); ++i) {
        tab.Items[i]->setEnabled(state.Items[i].Enabled);
        tab.Items[i]->setChecked(state.Items[i].Checked);
    }
    for (std::size_t p = 0; p < 3; ++p) {
        if (!tab.Phases[p]) continue;
        tab.Phases[p]->setEnabled(state.Phases[p].Enabled);
        tab.Phases[p]->setChecked(state.Phases[p].Checked);
    }
    if (tab.BtnHarmonics) tab.BtnHarmonics->setEnabled(HarmonicsButtonEnabled(state));
}

bool TExportTabsPage::AllValid(unsigned measures) const
{
    for (const TExportTabLayout& layout : kExportTabs)
        if ((measures & (1u << (layout.Measure - 1))) && !TabIsValid(layout.Measure, State(layout.Measure))) return false;
    return true;
}

void TExportTabsPage::BoxClicked(int measure)
{
    const TMeasureTab& tab = Tab(measure);
    if (tab.BtnHarmonics) tab.BtnHarmonics->setEnabled(HarmonicsButtonEnabled(State(measure)));
    emit BoxesChanged(measure);
}
