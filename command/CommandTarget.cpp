#include "command/CommandTarget.h"

void CCommandTarget::AddCommand(int nFirst, int nLast, ExecFn fnExec, UpdateFn fnUpdate)
{
    for (int nID = nFirst; nID <= nLast; ++nID)
        m_handlers.insert(nID, SHandler{fnExec, fnUpdate});
}

bool CCommandTarget::UpdateCommand(CCmdUI& ui)
{
    const auto it = m_handlers.constFind(ui.m_nID);
    if (it == m_handlers.constEnd())
        return false;
    if (it->fnUpdate)
        it->fnUpdate(ui);
    else
        ui.Enable(true);
    ui.m_bHandled = true;
    return true;
}

bool CCommandTarget::ExecuteCommand(int nID)
{
    const auto it = m_handlers.constFind(nID);
    if (it == m_handlers.constEnd() || !it->fnExec)
        return false;
    // Copied: the handler may remove itself or close the window it lives in.
    const ExecFn fn = it->fnExec;
    fn(nID);
    return true;
}

bool CCommandTarget::CanExecute(int nID) const
{
    const auto it = m_handlers.constFind(nID);
    return it != m_handlers.constEnd() && bool(it->fnExec);
}
