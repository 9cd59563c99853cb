// TShowVForm: the voltage trend view (view kind 11); its row is VoltageMember().
#pragma once

#include "views/trend_view_form.h"

class TShowVForm : public TTrendViewForm {
    Q_OBJECT
public:
    TShowVForm(CreationKey key, QWidget* parent) : TTrendViewForm(key, VoltageMember(), parent) {}
};

// The voltage view of its context's selection, or null (after its message) when it cannot open.
TChildForm* CreateVoltageView(const TChildContext& context, QWidget* parent);
