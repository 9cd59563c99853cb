// Base of every MDI child window. It carries its view kind and its context (app/child_context.h:
// its copy of the selection, the main window's services) from creation; the main window routes
// its commands on the kind. It publishes the state of the main window's commands it drives
// (TCommandState) while it is active; what the commands call it offers as capabilities
// (app/child_capabilities.h), which the main window asks for.
#pragma once

#include "app/child_capabilities.h"
#include "app/child_context.h"
#include "app/command_routing.h"
#include "app/command_state.h"

#include <QWidget>

class TChildForm : public QWidget {
    Q_OBJECT
public:
    TChildForm(TViewKind viewKind, const TChildContext& context, QWidget* parent = nullptr)
        : QWidget(parent), viewKind_(viewKind), context_(context)
    {
    }
    TViewKind ViewKind() const { return viewKind_; }
    const TChildContext& Context() const { return context_; }
    // What this child asks of the main window's commands while it is the active child.
    const TCommandState& CommandState() const { return commandState_; }

signals:
    void CommandStateChanged();

protected:
    // Sizes the window's client area; inside an MDI sub-window the frame goes around it.
    void SetClientSize(QSize size);
    // Replaces the published state; the signal goes out only when it differs.
    void PublishCommandState(const TCommandState& state);

private:
    const TViewKind viewKind_;
    const TChildContext context_;
    TCommandState commandState_;
};

// The capability C of a child, or null when it has none.
template <typename C>
C* Capability(TChildForm* child)
{
    return dynamic_cast<C*>(child);
}

// Calls the operation a routed command names on the child's capability; a child without that
// capability is left alone.
void RunChildOperation(TChildForm& child, ChildOperation operation);
