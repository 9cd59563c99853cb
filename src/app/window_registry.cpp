// The registry of the windows the main window opens.
#include "app/window_registry.h"

void TWindowRegistry::RegisterMeasureView(int measure, MeasureViewFactory factory)
{
    if (measure >= 1 && measure <= kMeasureCount) measureViews_[static_cast<std::size_t>(measure)] = std::move(factory);
}

TChildForm* TWindowRegistry::CreateMeasureView(int measure, const TChildContext& context, QWidget* parent) const
{
    if (measure < 1 || measure > kMeasureCount) return nullptr;
    const MeasureViewFactory& factory = measureViews_[static_cast<std::size_t>(measure)];
    return factory ? factory(context, parent) : nullptr;
}

void TWindowRegistry::RegisterDocumentWindow(TViewKind kind, DocumentWindowFactory factory)
{
    documentWindows_[kind] = std::move(factory);
}

TChildForm* TWindowRegistry::CreateDocumentWindow(TViewKind kind, const TChildContext& context, QWidget* parent,
                                                  const std::string& path) const
{
    auto found = documentWindows_.find(kind);
    return found != documentWindows_.end() && found->second ? found->second(context, parent, path) : nullptr;
}

void TWindowRegistry::RegisterSamplesSurveyLookup(SamplesSurveyLookup lookup) { samplesLookup_ = std::move(lookup); }

bool TWindowRegistry::LookUpSurveyForSamples(const std::string& samplesPath, TDateTime start, TDateTime stop,
                                             TSurveySelection& selection) const
{
    return samplesLookup_ && samplesLookup_(samplesPath, start, stop, selection);
}
