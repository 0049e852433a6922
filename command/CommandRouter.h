#pragma once

#include "command/CmdUI.h"

#include <QList>
#include <functional>

class CCommandTarget;

// Routes numbered commands along the targets the route function lists, in
// order (active view, its document, the frame, the application). The first
// target that knows a number answers its state; a disabled command is never
// executed, so a keyboard shortcut cannot reach what the menu refuses.
class CCommandRouter
{
public:
    using RouteFn = std::function<QList<CCommandTarget*>()>;

    explicit CCommandRouter(RouteFn fnRoute = {}) : m_fnRoute(std::move(fnRoute)) {}
    void SetRoute(RouteFn fnRoute) { m_fnRoute = std::move(fnRoute); }

    CCmdUI Query(int nID) const;
    static CCmdUI Query(int nID, const QList<CCommandTarget*>& route);
    // Returns true when an enabled command was executed.
    bool Execute(int nID) const;

private:
    QList<CCommandTarget*> Route() const;

    RouteFn m_fnRoute;
};
