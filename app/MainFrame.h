#pragma once

#include "grid/GridViewEx.h"

#include "command/CommandRouter.h"
#include "command/CommandTarget.h"
#include "command/CommandUpdater.h"
#include "app/Customization.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include "app/ChildFrame.h"
#include <functional>

class CCofferApp;
class CDatePickerPopup;
class CEditorDismissal;
class CLockKeyState;
class CNaviPane;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSettings;
class QToolBar;
struct SCommandCategory;

// The top-level window: menus, the "標準" toolbar, the status panes, the
// tabbed document windows and the navigation pane. Commands from all of
// them go along the route active view → its ledger → this frame → the
// application; their states are refreshed on every idle cycle.
class CMainFrame : public QMainWindow, public CCommandTarget
{
    Q_OBJECT

public:
    explicit CMainFrame(CCofferApp& app, QWidget* pParent = nullptr);
    ~CMainFrame() override;

    // The buttons of the standard toolbar in order; 0 is a separator.
    static const QList<int>& StandardToolBarButtons();
    static QString IdleMessage() { return QStringLiteral("ヘルプを表示するには F1 キーを押してください。"); }
    static QString TotalPaneSample() { return QStringLiteral("合計=-A$999,999,999."); }

    // Restores the stored window layout (Workspace), or sets up the built-in one.
    void LoadLayout(QSettings& settings);
    void SaveLayout(QSettings& settings) const;

    void AddChildFrame(CChildFrame* pFrame);
    void ActivateChildFrame(CChildFrame* pFrame);
    void ShowActiveTabCloseButton();
    CChildFrame* ActiveChildFrame() const;
    QList<CChildFrame*> ChildFrames() const;

    const CCommandRouter& Router() const { return m_router; }
    // Runs a command along the route; false when it is disabled or unhandled.
    bool Execute(int nID);
    // Runs it after the current event, as a posted command does.
    void PostCommand(int nID);
    QAction* Action(int nID) const { return m_actions.value(nID); }

    // Refreshes command states, panes, titles and the navigation pane.
    void OnIdle();

    QMdiArea* MdiArea() const { return m_pMdiArea; }
    QToolBar* StandardToolBar() const { return m_pToolBar; }
    // The user's toolbars in the order they were made; objectName "UserToolBar" + number.
    QList<QToolBar*> UserToolBars() const { return m_userBars; }
    QToolBar* UserToolBar(int nBar) const;
    // The bars and keys as the user made them, with the bars' present visibility.
    CCustomization Customization() const;
    // Rebuilds the bars, keys and menu options from custom, as the customise dialog's OK does.
    void ApplyCustomization(const CCustomization& custom);
    // The commands of the menus, menu by menu, as the customise dialog offers them.
    QList<SCommandCategory> MenuCommands() const;
    CNaviPane* NaviPane() const { return m_pNaviPane; }
    // A status pane by its number (59143, 59144, 59136..59139); nullptr if none.
    QLabel* StatusPane(int nID) const { return m_panes.value(nID); }
    QLabel* MessagePane() const { return m_pMessagePane; }
    // The top-level menus; the ledger menus show while a document is open.
    QList<QMenu*> VisibleMenus() const;

    // The in-place cell editor of a view: while it is registered the
    // frame's shortcuts are set aside, and a press elsewhere or a wheel turn
    // hides it through fnHide.
    void RegisterInplaceEditor(QWidget* pEditor, std::function<void()> fnHide);
    void UnregisterInplaceEditor(QWidget* pEditor);
    QWidget* InplaceEditor() const;

    void BringToFront();

    // The date picker lent to the views. For 32781 it opens at the lower left
    // of the toolbar's go-to-date button, and does nothing (false) when that
    // button is not on the toolbar; for 32782 it opens at ptGlobal.
    bool DropDownDatePicker(int nID, const QDate& date, const QPoint& ptGlobal = QPoint());
    CDatePickerPopup* DatePicker() const { return m_pDatePicker; }

protected:
    bool event(QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    QMenu* createPopupMenu() override;

private:
    void CreateActions();
    QAction* MakeAction(int nID);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateNaviPane();
    void AddFrameCommands();
    QList<CCommandTarget*> Route() const;
    void UpdateStatusPanes();
    void UpdateMenus();
    void UpdateTitles();
    void DeliverToView(const std::function<void(class INaviTarget*)>& fn);
    void NewWindow();
    void CloseActiveLedger();
    void ShowWindowManager();
    void ShowCustomize();
    void InitCustomization();
    void LoadCustomization(QSettings& settings);
    void SaveCustomization(QSettings& settings) const;
    void ApplyToolBarButtons(QToolBar* pBar, const QList<int>& buttons);
    void ApplyToolBarVisibility();
    void ApplyShortcuts();
    void ApplyMenuShadow(QMenu* pMenu) const;

    CCofferApp& m_app;
    CCommandRouter m_router;
    CCommandUpdater m_updater;
    QHash<int, QAction*> m_actions;
    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_pToolBar = nullptr;
    CNaviPane* m_pNaviPane = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QHash<int, QLabel*> m_panes;
    QList<QMenu*> m_menusAlways;
    QList<QMenu*> m_menusNoDoc;
    QList<QMenu*> m_menusDoc;
    QList<QAction*> m_mruActions;
    CEditorDismissal* m_pDismissal = nullptr;
    CLockKeyState* m_pLockKeys = nullptr;
    QPointer<CChildFrame> m_pLastActive;
    // The grid view told it is active, so that only it shows its frame and editor.
    QPointer<CGridViewEx> m_pActiveGrid;
    CDatePickerPopup* m_pDatePicker = nullptr;
    CCustomization m_custom;
    QList<QToolBar*> m_userBars;
    QHash<QAction*, QList<QKeySequence>> m_suspendedShortcuts;
    bool m_bInIdle = false;
    bool m_bClosing = false;
};
