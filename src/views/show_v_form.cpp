// The voltage view and the registration of the trend views.
#include "views/show_v_form.h"

#include "app/window_registry.h"

TChildForm* CreateVoltageView(QWidget* parent) { return OpenTrendView<TShowVForm>(parent); }

void RegisterTrendViews(TWindowRegistry& registry)
{
    registry.RegisterMeasureView(VoltageMember().Measure, CreateVoltageView);
}
