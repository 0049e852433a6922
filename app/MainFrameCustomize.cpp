// The frame's side of the customisation: bars, buttons, keys and menu options
// built from CCustomization, and the customise dialog.
#include "app/MainFrame.h"

#include "command/CommandIds.h"
#include "command/CommandTable.h"
#include "app/CofferApp.h"
#include "app/CustomizeDlg.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

#include <algorithm>

namespace {
const QString kCustomization = QStringLiteral("Customization");
const char* const kBarId = "toolBarId";

QString UserToolBarName(int nBar)
{
    return QStringLiteral("UserToolBar%1").arg(nBar);
}

bool IsRecentFile(int nID)
{
    return nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE4;
}
} // namespace

QList<SCommandCategory> CMainFrame::MenuCommands() const
{
    // The ledger menus and the short ones share titles: one category each.
    QList<SCommandCategory> categories;
    for (QAction* pMenuAction : menuBar()->actions()) {
        QMenu* pMenu = pMenuAction->menu();
        if (!pMenu)
            continue;
        auto it = std::find_if(categories.begin(), categories.end(), [pMenu](const SCommandCategory& c) {
            return c.strTitle == pMenu->title();
        });
        if (it == categories.end()) {
            categories.append(SCommandCategory{pMenu->title(), {}});
            it = categories.end() - 1;
        }
        for (QAction* pAction : pMenu->actions()) {
            const int nID = pAction->isSeparator() ? 0 : pAction->data().toInt();
            if (nID != 0 && !IsRecentFile(nID) && m_actions.value(nID) == pAction && !it->commands.contains(nID))
                it->commands.append(nID);
        }
    }
    return categories;
}

void CMainFrame::InitCustomization()
{
    QList<int> commands;
    for (const SCommandCategory& category : MenuCommands())
        commands += category.commands;
    // Toolbar buttons that no menu lists still count.
    QList<int> others = m_actions.keys();
    std::sort(others.begin(), others.end());
    for (int nID : others) {
        if (!IsRecentFile(nID) && !commands.contains(nID))
            commands.append(nID);
    }
    QHash<int, QList<QKeySequence>> keys;
    for (int nID : commands) {
        const QList<QKeySequence> assigned = CCommandTable::Shortcuts(CCommandTable::Info(nID));
        if (!assigned.isEmpty())
            keys.insert(nID, assigned);
    }
    ApplyCustomization(CCustomization(StandardToolBarButtons(), commands, keys));
}

QToolBar* CMainFrame::UserToolBar(int nBar) const
{
    for (QToolBar* pBar : m_userBars) {
        if (pBar->property(kBarId).toInt() == nBar)
            return pBar;
    }
    return nullptr;
}

CCustomization CMainFrame::Customization() const
{
    // The bars may have been shown or hidden from the bars' own menu since.
    CCustomization custom = m_custom;
    custom.SetVisible(CCustomization::STANDARD_TOOLBAR, !m_pToolBar->isHidden());
    for (int nBar : custom.ToolBars()) {
        if (QToolBar* pBar = UserToolBar(nBar))
            custom.SetVisible(nBar, !pBar->isHidden());
    }
    return custom;
}

void CMainFrame::ApplyCustomization(const CCustomization& custom)
{
    m_custom = custom;
    ApplyToolBarButtons(m_pToolBar, m_custom.Buttons(CCustomization::STANDARD_TOOLBAR));

    for (QToolBar* pBar : QList<QToolBar*>(m_userBars)) {
        if (!m_custom.HasToolBar(pBar->property(kBarId).toInt())) {
            m_userBars.removeOne(pBar);
            removeToolBar(pBar);
            pBar->hide();
            pBar->setObjectName(QString());
            pBar->setProperty(kBarId, 0);
            // Its own customise button may be the one still handling the click that led here.
            pBar->deleteLater();
        }
    }
    for (int nBar : m_custom.ToolBars()) {
        if (!CCustomization::IsUserToolBarId(nBar))
            continue;
        QToolBar* pBar = UserToolBar(nBar);
        if (!pBar) {
            pBar = new QToolBar(this);
            // The name lets the stored window state find the bar again.
            pBar->setObjectName(UserToolBarName(nBar));
            pBar->setProperty(kBarId, nBar);
            pBar->setIconSize(m_pToolBar->iconSize());
            addToolBar(Qt::TopToolBarArea, pBar);
            m_userBars.append(pBar);
        }
        pBar->setWindowTitle(m_custom.ToolBarName(nBar));
        ApplyToolBarButtons(pBar, m_custom.Buttons(nBar));
    }

    const Qt::ToolButtonStyle style = m_custom.TextLabels() ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    m_pToolBar->setToolButtonStyle(style);
    for (QToolBar* pBar : std::as_const(m_userBars))
        pBar->setToolButtonStyle(style);
    ApplyToolBarVisibility();
    ApplyShortcuts();

    for (QMenu* pMenu : menuBar()->findChildren<QMenu*>())
        ApplyMenuShadow(pMenu);
    // Menus only animate where the general interface effects are on as well.
    if (m_custom.MenuAnimation())
        QApplication::setEffectEnabled(Qt::UI_General, true);
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, m_custom.MenuAnimation());
}

void CMainFrame::ApplyToolBarButtons(QToolBar* pBar, const QList<int>& buttons)
{
    QList<int> wanted = buttons;
    wanted.append(ID_VIEW_CUSTOMIZE);
    QList<int> current;
    for (QAction* pAction : pBar->actions())
        current.append(pAction->isSeparator() ? 0 : pAction->data().toInt());
    // An unchanged bar keeps its widgets; a bar built before only lacks its last button.
    if (current == wanted)
        return;
    if (current == buttons) {
        pBar->addAction(MakeAction(ID_VIEW_CUSTOMIZE));
        return;
    }
    const QList<QAction*> old = pBar->actions();
    pBar->clear();
    // The separators belong to the bar; the commands to the frame.
    for (QAction* pAction : old) {
        if (pAction->parent() == pBar)
            delete pAction;
    }
    for (int nID : buttons) {
        if (nID == 0)
            pBar->addSeparator();
        else
            pBar->addAction(MakeAction(nID));
    }
    pBar->addAction(MakeAction(ID_VIEW_CUSTOMIZE));
}

void CMainFrame::ApplyToolBarVisibility()
{
    m_pToolBar->setVisible(m_custom.IsVisible(CCustomization::STANDARD_TOOLBAR));
    for (int nBar : m_custom.ToolBars()) {
        if (QToolBar* pBar = UserToolBar(nBar))
            pBar->setVisible(m_custom.IsVisible(nBar));
    }
}

void CMainFrame::ApplyShortcuts()
{
    // While a cell editor holds the keys, the new ones wait for it to give them back.
    const bool bSuspended = InplaceEditor() != nullptr;
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        if (!m_custom.IsKnownCommand(it.key()))
            continue;
        const QList<QKeySequence> keys = m_custom.Keys(it.key());
        if (bSuspended) {
            if (keys.isEmpty())
                m_suspendedShortcuts.remove(it.value());
            else
                m_suspendedShortcuts.insert(it.value(), keys);
        } else if (it.value()->shortcuts() != keys) {
            it.value()->setShortcuts(keys);
        }
    }
}

void CMainFrame::ApplyMenuShadow(QMenu* pMenu) const
{
    // A hint: platforms that draw no shadows of their own ignore it.
    const bool bNoShadow = !m_custom.MenuShadows();
    // New window flags would close an open menu.
    if (pMenu->isVisible())
        return;
    if (pMenu->windowFlags().testFlag(Qt::NoDropShadowWindowHint) != bNoShadow)
        pMenu->setWindowFlag(Qt::NoDropShadowWindowHint, bNoShadow);
}

void CMainFrame::LoadCustomization(QSettings& settings)
{
    CCustomization custom = m_custom;
    settings.beginGroup(kCustomization);
    custom.Load(settings);
    settings.endGroup();
    ApplyCustomization(custom);
}

void CMainFrame::SaveCustomization(QSettings& settings) const
{
    settings.beginGroup(kCustomization);
    Customization().Save(settings);
    settings.endGroup();
}

void CMainFrame::ShowCustomize()
{
    CCustomizeDlg dlg(Customization(), MenuCommands(), m_actions, this);
    if (dlg.exec() == QDialog::Accepted)
        ApplyCustomization(dlg.Result());
}
