// The voltage view.
#include "views/show_v_form.h"

TChildForm* CreateVoltageView(QWidget* parent) { return OpenTrendView<TShowVForm>(parent); }
