#pragma once

#include <QList>
#include <QPointer>

class CCommandRouter;
class QAbstractButton;
class QAction;

// Keeps the menu items, toolbar buttons and pane buttons of each command in
// the state the route gives it; the frame calls Refresh on every idle cycle.
// Only changes are applied, so an idle cycle that changes nothing posts no
// repaint.
class CCommandUpdater
{
public:
    void Bind(QAction* pAction, int nID);
    // An automatic radio button is never disabled for want of a handler:
    // only a target that answers may disable it.
    void Bind(QAbstractButton* pButton, int nID, bool bEnabledWithoutHandler = false);

    void Refresh(const CCommandRouter& router);

private:
    struct SActionBinding
    {
        QPointer<QAction> pAction;
        int nID;
    };
    struct SButtonBinding
    {
        QPointer<QAbstractButton> pButton;
        int nID;
        bool bEnabledWithoutHandler;
    };
    QList<SActionBinding> m_actions;
    QList<SButtonBinding> m_buttons;
};
