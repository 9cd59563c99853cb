// The voltage view and the registration of the trend views.
#include "views/show_v_form.h"

#include "app/window_registry.h"
#include "survey/records.h"

TShowVForm::TShowVForm(QWidget* parent) : TTrendViewForm(VoltageMember(), parent) { FormCreate(); }

TChildForm* CreateVoltageView(QWidget* parent)
{
    auto* view = new TShowVForm(parent);
    if (!view->OpenFailed()) return view;
    delete view;
    return nullptr;
}

void RegisterTrendViews(TWindowRegistry& registry) { registry.RegisterMeasureView(MeasureVoltage, CreateVoltageView); }
