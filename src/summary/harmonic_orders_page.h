// The summary wizard's harmonics page: the group "Harmonics" with one box per order the report
// can show ("Thd" and the orders 2 to 25, order k on CheckBox<k>) and the buttons "Set All",
// "Clear All", "Only Even" and "Only Odd". A box is enabled when the survey's harmonics file
// holds its order; the choices go back into the summary parameters at Finish.
#pragma once

#include "summary/summary_params.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QPushButton;

// Orders on the page: 0 (THD) and 2 to 25.
constexpr int kHarmonicBoxes = 25;

class THarmonicOrdersPage : public QWidget {
    Q_OBJECT
public:
    explicit THarmonicOrdersPage(QWidget* parent = nullptr);

    // CheckBox1 "Thd" and CheckBox2..CheckBox25 (order k on box k).
    std::array<QCheckBox*, kHarmonicBoxes + 1> CheckBoxes{};  // index = box number, 0 unused
    QPushButton *BtnSetAll, *BtnClearAll, *BtnEven, *BtnOdd;

    // Every box enabled, and ticked, exactly when its order is in the harmonics file.
    void EnableHarmonicBoxes(const TSummaryParams& params);
    bool AnyHarmonicChecked() const;
    // Finish: the orders 0 and 2 to 25 chosen; the others keep what the file reading set.
    void StoreChoices(TSummaryParams& params) const;

    void BtnSetAllClick();
    void BtnClearAllClick();
    void BtnEvenClick();
    void BtnOddClick();

signals:
    // A box or button changed the ticks.
    void HarmonicsChanged();

private:
    // Ticks the enabled boxes of "Thd" and the orders `keep` asks for, unticks the others.
    template <typename Keep>
    void TickWhere(Keep keep);
};
