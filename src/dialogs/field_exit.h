// The check a field makes when the user leaves it, one rule for the wizards' pages, the limits
// editor and the events filter, so that a refused value is told once.
#pragma once

#include <functional>

class QLineEdit;
class QWidget;

// Runs `check` when the focus leaves `field` for another control of `scope`. Enter in the field
// (the default button that Enter presses checks the fields itself), a push button outside
// `scope` (a wizard frame's Finish, Back or Cancel, a message box) and `scope` going out of
// sight run no check.
void CheckOnLeavingField(QLineEdit* field, QWidget* scope, std::function<void()> check);
