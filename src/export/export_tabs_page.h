// Page 3 of the export wizard: one tab per measure ticked on page 2, each with the boxes of the
// measure's quantities and phases (enabled as its data file offers them), "Set All" and "Clear
// All", and on the two harmonics tabs a "Harmonics" button. The rules are measure_tabs.h; the
// wizard keeps the choices and answers the buttons.
#pragma once

#include "export/measure_tabs.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QPushButton;
class QTabWidget;

class TExportTabsPage : public QWidget {
    Q_OBJECT
public:
    explicit TExportTabsPage(QWidget* parent);

    // The widgets of one measure's tab.
    struct TMeasureTab {
        QWidget* Page = nullptr;
        std::vector<QCheckBox*> Items;
        std::array<QCheckBox*, 3> Phases{};  // nullptr without phase boxes
        QPushButton* BtnSetAll = nullptr;
        QPushButton* BtnClearAll = nullptr;
        QPushButton* BtnHarmonics = nullptr;  // BtnSelHarm, BtnSelHarmCurr; nullptr elsewhere
    };
    const TMeasureTab& Tab(int measure) const;

    QTabWidget* Tabs;

    // Each tab visible exactly when its measure's bit is set; an active tab that became hidden
    // hands over to the next visible one after it.
    void ShowMeasureTabs(unsigned measures);
    // The boxes of a tab as they stand, and shown anew.
    TTabState State(int measure) const;
    void ShowState(int measure, const TTabState& state);
    // Every visible tab passes its check.
    bool AllValid(unsigned measures) const;

signals:
    // A box of the tab was clicked, or Set All / Clear All pressed.
    void BoxesChanged(int measure);
    void HarmonicsClicked(int measure);

private:
    QWidget* BuildTab(const TExportTabLayout& layout, TMeasureTab& tab);
    void BoxClicked(int measure);
    std::array<TMeasureTab, kExportTabs.size()> tabs_;
};
