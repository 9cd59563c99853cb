// Published command state, and the dispatch of routed commands to a child's capabilities.
#include "app/child_form.h"

#include <QMdiSubWindow>

void TChildForm::SetClientSize(QSize size)
{
    resize(size);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        const QMargins m = frame->contentsMargins();
        frame->resize(size.width() + m.left() + m.right(), size.height() + m.top() + m.bottom());
    }
}

void TChildForm::PublishCommandState(const TCommandState& state)
{
    if (state == commandState_) return;
    commandState_ = state;
    emit CommandStateChanged();
}

namespace {
template <typename C, typename Call>
void Ask(TChildForm& child, Call call)
{
    if (C* capability = Capability<C>(&child)) call(*capability);
}
}  // namespace

void RunChildOperation(TChildForm& child, ChildOperation operation)
{
    using Op = ChildOperation;
    switch (operation) {
    case Op::Print: Ask<TPrintable>(child, [](TPrintable& c) { c.Print(); }); break;
    case Op::EditTraces: Ask<TGraphView>(child, [](TGraphView& c) { c.EditTraces(); }); break;
    case Op::ZoomIn: Ask<TGraphView>(child, [](TGraphView& c) { c.SetZoom(true); }); break;
    case Op::ZoomOut: Ask<TGraphView>(child, [](TGraphView& c) { c.SetZoom(false); }); break;
    case Op::ToggleCursor: Ask<TGraphView>(child, [](TGraphView& c) { c.ToggleCursor(); }); break;
    case Op::CopyToClipboard: Ask<TGraphView>(child, [](TGraphView& c) { c.CopyToClipboard(); }); break;
    case Op::ShowDensityCurve: Ask<TCurveSource>(child, [](TCurveSource& c) { c.ShowDensityCurve(); }); break;
    case Op::EditEventsFilter: Ask<TEventsFilter>(child, [](TEventsFilter& c) { c.EditEventsFilter(); }); break;
    case Op::SaveSheetAs: Ask<TSavableSheet>(child, [](TSavableSheet& c) { c.SaveSheetAs(); }); break;
    case Op::ToggleFailedIntervals:
        Ask<TFailedIntervalsView>(child, [](TFailedIntervalsView& c) { c.ToggleFailedIntervals(); });
        break;
    case Op::StartValues: break;  // the main window opens the values sheet itself
    }
}
