// Dispatch of routed commands to a child's operations.
#include "app/child_form.h"

void RunChildOperation(TChildForm& child, ChildOperation operation)
{
    using Op = ChildOperation;
    switch (operation) {
    case Op::PrintSetup: child.PrintSetup(); break;
    case Op::PrintView: child.PrintView(); break;
    case Op::PrintSheet: child.PrintSheet(); break;
    case Op::EditTraces: child.EditTraces(); break;
    case Op::EditEventsFilter: child.EditEventsFilter(); break;
    case Op::ZoomIn: child.SetZoom(true); break;
    case Op::ZoomOut: child.SetZoom(false); break;
    case Op::ToggleCursor: child.ToggleCursor(); break;
    case Op::ShowDensityCurve: child.ShowDensityCurve(); break;
    case Op::CopyToClipboard: child.CopyToClipboard(); break;
    case Op::SaveSheetAs: child.SaveSheetAs(); break;
    case Op::ToggleFailedIntervals: child.ToggleFailedIntervals(); break;
    case Op::StartValues: break;  // the main window opens the values sheet itself
    }
}
