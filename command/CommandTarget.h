#pragma once

#include "command/CmdUI.h"

#include <QHash>
#include <functional>

// Something on a command route: the active view, its document, the frame or
// the application. Handlers are registered per command number; a target that
// registers a command answers both its execution and its state, so the first
// target on the route that knows a number decides for it.
class CCommandTarget
{
public:
    using ExecFn = std::function<void(int nID)>;
    using UpdateFn = std::function<void(CCmdUI& ui)>;

    virtual ~CCommandTarget() = default;

    // Registers nFirst..nLast. Without an update function the commands are
    // simply enabled; without an execute function they only show a state.
    void AddCommand(int nFirst, int nLast, ExecFn fnExec, UpdateFn fnUpdate = {});
    void AddCommand(int nID, ExecFn fnExec, UpdateFn fnUpdate = {})
    {
        AddCommand(nID, nID, std::move(fnExec), std::move(fnUpdate));
    }
    void RemoveCommand(int nID) { m_handlers.remove(nID); }

    // True when this target answers nID (and fills ui).
    virtual bool UpdateCommand(CCmdUI& ui);
    // True when this target executed nID.
    virtual bool ExecuteCommand(int nID);
    virtual bool HandlesCommand(int nID) const { return m_handlers.contains(nID); }
    // True when this target can execute nID (not only show its state).
    virtual bool CanExecute(int nID) const;

private:
    struct SHandler
    {
        ExecFn fnExec;
        UpdateFn fnUpdate;
    };
    QHash<int, SHandler> m_handlers;
};
