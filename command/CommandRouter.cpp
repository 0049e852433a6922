#include "command/CommandRouter.h"

#include "command/CommandTarget.h"

QList<CCommandTarget*> CCommandRouter::Route() const
{
    return m_fnRoute ? m_fnRoute() : QList<CCommandTarget*>();
}

CCmdUI CCommandRouter::Query(int nID) const
{
    return Query(nID, Route());
}

CCmdUI CCommandRouter::Query(int nID, const QList<CCommandTarget*>& route)
{
    CCmdUI ui(nID);
    for (CCommandTarget* pTarget : route) {
        if (pTarget && pTarget->UpdateCommand(ui))
            break;
    }
    if (!ui.m_bEnableChanged) {
        bool bCanExecute = false;
        for (CCommandTarget* pTarget : route)
            bCanExecute = bCanExecute || (pTarget && pTarget->CanExecute(nID));
        ui.m_bEnabled = bCanExecute;
    }
    return ui;
}

bool CCommandRouter::Execute(int nID) const
{
    const QList<CCommandTarget*> route = Route();
    const CCmdUI ui = Query(nID, route);
    if (!ui.m_bEnabled)
        return false;
    for (CCommandTarget* pTarget : route) {
        if (pTarget && pTarget->ExecuteCommand(nID))
            return true;
    }
    return false;
}
