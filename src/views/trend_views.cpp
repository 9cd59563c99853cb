// The registration of the trend views the main window opens for the measures ticked in Open
// Survey.
#include "views/trend_views.h"

#include "app/window_registry.h"

void RegisterTrendViews(TWindowRegistry& registry)
{
    registry.RegisterMeasureView(MeasureVoltage, CreateVoltageView);
    registry.RegisterMeasureView(MeasureFrequency, OpenTrendView<TShowHzForm>);
    registry.RegisterMeasureView(MeasureUnbalance, OpenTrendView<TShowUnForm>);
    registry.RegisterMeasureView(MeasureVoltageHarmonics, OpenTrendView<TShowHForm>);
    registry.RegisterMeasureView(MeasureFlicker, OpenTrendView<TShowFlkForm>);
    registry.RegisterMeasureView(MeasurePowers, OpenTrendView<TShowWForm>);
    registry.RegisterMeasureView(MeasureCurrentHarmonics, OpenTrendView<TShowHmCurrForm>);
    registry.RegisterMeasureView(MeasureEnergy, OpenTrendView<TShowEnForm>);
}
