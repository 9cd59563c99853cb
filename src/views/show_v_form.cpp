// The voltage view.
#include "views/show_v_form.h"

TChildForm* CreateVoltageView(const TChildContext& context, QWidget* parent)
{
    return OpenTrendView<TShowVForm>(context, parent);
}
