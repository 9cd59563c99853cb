// Registry of the measure views.
#include "app/view_registry.h"

#include "survey/records.h"

#include <array>

namespace {
std::array<MeasureViewFactory, kMeasureCount + 1>& MeasureViews()
{
    static std::array<MeasureViewFactory, kMeasureCount + 1> views;
    return views;
}
}  // namespace

void RegisterMeasureView(int measure, MeasureViewFactory factory)
{
    if (measure >= 1 && measure <= kMeasureCount) MeasureViews()[static_cast<std::size_t>(measure)] = std::move(factory);
}

bool HasMeasureView(int measure)
{
    return measure >= 1 && measure <= kMeasureCount && MeasureViews()[static_cast<std::size_t>(measure)];
}

TChildForm* CreateMeasureView(int measure, QWidget* parent)
{
    return HasMeasureView(measure) ? MeasureViews()[static_cast<std::size_t>(measure)](parent) : nullptr;
}

namespace {
std::array<DocumentWindowFactory, 3>& DocumentWindows()
{
    static std::array<DocumentWindowFactory, 3> windows;
    return windows;
}
// Kinds 26 to 28.
int DocumentSlot(int viewKind) { return viewKind >= 26 && viewKind <= 28 ? viewKind - 26 : -1; }
}  // namespace

void RegisterDocumentWindow(int viewKind, DocumentWindowFactory factory)
{
    if (int slot = DocumentSlot(viewKind); slot >= 0) DocumentWindows()[static_cast<std::size_t>(slot)] = std::move(factory);
}

TChildForm* CreateDocumentWindow(int viewKind, QWidget* parent, const std::string& path)
{
    int slot = DocumentSlot(viewKind);
    if (slot < 0 || !DocumentWindows()[static_cast<std::size_t>(slot)]) return nullptr;
    return DocumentWindows()[static_cast<std::size_t>(slot)](parent, path);
}

namespace {
SamplesSurveyLookup& SamplesLookup()
{
    static SamplesSurveyLookup lookup;
    return lookup;
}
}  // namespace

void RegisterSamplesSurveyLookup(SamplesSurveyLookup lookup) { SamplesLookup() = std::move(lookup); }

bool LookUpSurveyForSamples(const std::string& samplesPath, double start, double stop)
{
    return SamplesLookup() && SamplesLookup()(samplesPath, start, stop);
}

TRoadWindows& RoadWindows()
{
    static TRoadWindows windows;
    return windows;
}
