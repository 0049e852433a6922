#include "command/CommandUpdater.h"

#include "command/CommandRouter.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QHash>

void CCommandUpdater::Bind(QAction* pAction, int nID)
{
    m_actions.append(SActionBinding{pAction, nID});
}

void CCommandUpdater::Bind(QAbstractButton* pButton, int nID, bool bEnabledWithoutHandler)
{
    m_buttons.append(SButtonBinding{pButton, nID, bEnabledWithoutHandler});
}

void CCommandUpdater::Refresh(const CCommandRouter& router)
{
    // One query per command number, however many controls show it.
    QHash<int, CCmdUI> states;
    auto state = [&](int nID) -> const CCmdUI& {
        auto it = states.find(nID);
        if (it == states.end())
            it = states.insert(nID, router.Query(nID));
        return *it;
    };
    for (const SActionBinding& binding : m_actions) {
        if (!binding.pAction)
            continue;
        const CCmdUI& ui = state(binding.nID);
        if (binding.pAction->isEnabled() != ui.m_bEnabled)
            binding.pAction->setEnabled(ui.m_bEnabled);
        if (binding.pAction->isCheckable() && binding.pAction->isChecked() != ui.m_bChecked)
            binding.pAction->setChecked(ui.m_bChecked);
    }
    for (const SButtonBinding& binding : m_buttons) {
        if (!binding.pButton)
            continue;
        const CCmdUI& ui = state(binding.nID);
        const bool bEnabled = ui.m_bEnableChanged ? ui.m_bEnabled
                                                  : (ui.m_bEnabled || binding.bEnabledWithoutHandler);
        if (binding.pButton->isEnabled() != bEnabled)
            binding.pButton->setEnabled(bEnabled);
        if (binding.pButton->isCheckable() && binding.pButton->isChecked() != ui.m_bChecked) {
            // An exclusive group refuses to uncheck its checked button directly.
            QButtonGroup* pGroup = binding.pButton->group();
            if (!ui.m_bChecked && pGroup && pGroup->exclusive()) {
                pGroup->setExclusive(false);
                binding.pButton->setChecked(false);
                pGroup->setExclusive(true);
            } else {
                binding.pButton->setChecked(ui.m_bChecked);
            }
        }
    }
}
