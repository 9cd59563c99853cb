// The interval page of every wizard: a bold title, the group "Data Types" with one check box per
// measure the wizard offers, and the interval fields. Offering the measures enables and ticks the
// box of each available one; every tick recomputes the default interval (earliest first record to
// latest last record of the ticked measures), replacing what the user had set. Finish takes the
// ticks and the interval into the survey record. Used by the survey selection wizard and the
// analysis, summary and export wizards.
#pragma once

#include "survey/records.h"

#include <QWidget>
#include <span>
#include <vector>

class QCheckBox;
class TIntervalFields;

// A box of the page: the measure it stands for and its caption ("&&" shows one ampersand).
struct TMeasureBox {
    int Measure;
    const char* Caption;
};

// The ten measures in measure order, as the survey selection wizard offers them.
extern const TMeasureBox kAllMeasureBoxes[kMeasureCount];

class TIntervalPage : public QWidget {
    Q_OBJECT
public:
    // Boxes top to bottom in the order given (two columns beyond six boxes).
    TIntervalPage(QWidget* parent, std::span<const TMeasureBox> boxes);

    // Each box enabled and ticked exactly when bit k-1 of `available` is set for its measure k;
    // then the default interval over `selection`'s slots, which the page keeps using for later
    // ticks.
    void OfferMeasures(const TSurveySelection& selection, unsigned available);
    // The box of measure k; nullptr when the page has none for it.
    QCheckBox* Box(int measure) const;
    // Bit k-1 for each ticked measure k.
    unsigned CheckedMask() const;
    bool AnyChecked() const { return CheckedMask() != 0; }
    // Finish: the Selected flag of each offered measure, Start and Stop into `selection`; false,
    // after the message, when the interval fields do not hold a valid interval.
    bool StoreChoices(TSurveySelection& selection) const;

    // Any box clicked: the default interval again, then MeasuresChanged.
    void CBoxClick();
    void DefaultInterval();

    TIntervalFields* Interval;

signals:
    void MeasuresChanged();

private:
    std::vector<TMeasureBox> boxes_;
    std::vector<QCheckBox*> checks_;
    const TSurveySelection* selection_ = nullptr;
};
