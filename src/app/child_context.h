// What a child window gets at its creation: its own copy of the survey selection it was opened
// on, and the main window's services it may call. A child keeps its context for its life
// (TChildForm::Context), so a later change of the program-wide selection leaves it alone, and it
// reaches the main window only through these services, never by including it. The main window
// implements the services; tests hand a recording stand-in.
#pragma once

#include "app/child_capabilities.h"
#include "platform/date_time.h"
#include "survey/records.h"

#include <cstdint>
#include <string>

class TChildServices {
public:
    virtual ~TChildServices() = default;
    // The waveform of an event chosen in an events list: an open waveform view of the samples
    // file `path` whose period holds the event, else a new view on the survey that owns the file
    // over [start, stop]. offset > 0 names the waveform record by its file offset, else the event
    // time does; a truncated events file always opens a new view.
    virtual void ShowSamplesAt(const std::string& path, bool truncated, TDateTime eventTime, TDateTime start,
                               TDateTime stop, std::int32_t offset) = 0;
    // A values sheet window on a view's values block, over the period of `selection`; the
    // measure kind is the view's measure (1 to 10).
    virtual void OpenValuesSheet(const TSurveySelection& selection, const TValuesBlock& block, int measureKind) = 0;
};

class TChildContext {
public:
    TChildContext(const TSurveySelection& selection, TChildServices& services)
        : selection_(selection), services_(&services)
    {
    }

    // The survey and period the child was opened on.
    const TSurveySelection& Selection() const { return selection_; }
    TChildServices& Services() const { return *services_; }

    void ShowSamplesAt(const std::string& path, bool truncated, TDateTime eventTime, TDateTime start, TDateTime stop,
                       std::int32_t offset) const
    {
        services_->ShowSamplesAt(path, truncated, eventTime, start, stop, offset);
    }
    // The values sheet of a block of this child runs over this child's period.
    void OpenValuesSheet(const TValuesBlock& block, int measureKind) const
    {
        services_->OpenValuesSheet(selection_, block, measureKind);
    }

private:
    TSurveySelection selection_;
    TChildServices* services_;
};
