// TShowVForm: the voltage trend view (view kind 11), with the kilovolt rule.
#pragma once

#include "views/trend_view_form.h"

class TShowVForm : public TTrendViewForm {
    Q_OBJECT
public:
    explicit TShowVForm(QWidget* parent = nullptr);
};

// The voltage view of SurveySelection(), or null (after its message) when it cannot open.
TChildForm* CreateVoltageView(QWidget* parent);
