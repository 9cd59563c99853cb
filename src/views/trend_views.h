// The frequency (kind 12), unbalance (13), voltage-harmonics (14), flicker (15), powers-and-
// currents (17), current-harmonics (19) and energy (20) trend views: each names its row of the
// family (trend_member.h); the trend-view frame does the rest. The voltage view is show_v_form.h.
#pragma once

#include "views/show_v_form.h"

class TShowHzForm : public TTrendViewForm {
    Q_OBJECT
public:
    TShowHzForm(CreationKey key, QWidget* parent) : TTrendViewForm(key, FrequencyMember(), parent) {}
};

class TShowUnForm : public TTrendViewForm {
    Q_OBJECT
public:
    TShowUnForm(CreationKey key, QWidget* parent) : TTrendViewForm(key, UnbalanceMember(), parent) {}
};

class TShowHForm : public TTrendViewForm {
    Q_OBJECT
public:
    TShowHForm(CreationKey key, QWidget* parent) : TTrendViewForm(key, VoltageHarmonicsMember(), parent) {}
};

class TShowFlkForm : public TTrendViewForm {
    Q_OBJECT
public:
    TShowFlkForm(CreationKey key, QWidget* parent) : TTrendViewForm(key, FlickerMember(), parent) {}
};

class TShowWForm : public TTrendViewForm {
    Q_OBJECT
public:
    TShowWForm(CreationKey key, QWidget* parent) : TTrendViewForm(key, PowersMember(), parent) {}
};

class TShowHmCurrForm : public TTrendViewForm {
    Q_OBJECT
public:
    TShowHmCurrForm(CreationKey key, QWidget* parent) : TTrendViewForm(key, CurrentHarmonicsMember(), parent) {}
};

class TShowEnForm : public TTrendViewForm {
    Q_OBJECT
public:
    TShowEnForm(CreationKey key, QWidget* parent) : TTrendViewForm(key, EnergyMember(), parent) {}
};
