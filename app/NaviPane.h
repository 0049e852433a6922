#pragma once

#include "app/NaviLayout.h"
#include "model/PackedDate.h"

#include <QDockWidget>
#include <QList>

class CNaviCalendar;
class CNaviSpin;
class CPeriodDisplay;
class INaviTarget;
class QAction;
class QPushButton;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// The navigation pane "ナビゲーション": view and period buttons, the period
// display with its spin, and the calendar, category and currency pages. It
// reads the active view on every idle cycle (Refresh) and drives it through
// signals the frame delivers to the view after the current event.
class CNaviPane : public QDockWidget
{
    Q_OBJECT

public:
    enum : int { TAB_DATE = 0, TAB_CATEGORY = 1, TAB_CURRENCY = 2 };
    // The tree stamp of the fixed one- and two-item contents.
    static constexpr int FIXED_STAMP = 1;

    CNaviPane(bool bExtended, const QFont* pFont, QWidget* pParent = nullptr);

    // Mirrors the active view; nullptr when no document window is active.
    void Refresh(INaviTarget* pTarget);

    // The width the pane starts with: the calendar's minimal width or three
    // first-tab widths, whichever is larger.
    int InitialWidth() const;

    // The view buttons (32783..32786) and the period buttons (32787..), for
    // the frame's command states.
    const QList<QPushButton*>& ViewButtons() const { return m_viewButtons; }
    const QList<QPushButton*>& PeriodButtons() const { return m_periodButtons; }
    QAction* ToolBarAction(int nID) const;

    int DisplayedMode() const { return m_nMode; }
    PackedDate DisplayedDate() const { return m_date; }
    CPeriodDisplay* PeriodDisplay() const { return m_pDisplay; }
    CNaviSpin* Spin() const { return m_pSpin; }
    CNaviCalendar* Calendar() const { return m_pCalendar; }
    QTreeWidget* CategoryTree() const { return m_pCategoryTree; }
    QTreeWidget* CurrencyTree() const { return m_pCurrencyTree; }
    QTabWidget* Tabs() const { return m_pTabs; }
    const CNaviLayout& Layout() const { return m_layout; }

    // A spin step of nDelta as the spin reports it.
    void StepPeriod(int nDelta);

Q_SIGNALS:
    // A view or period button, or a pane-toolbar command re-sent for the frame.
    void Command(int nID);
    // 0x8003, 0x8004, 0x8005 for the active view.
    void DateChosen(PackedDate date);
    void CurrencyChosen(int nValue);
    void CategoryChosen(int nValue);

private:
    void BuildControls(bool bExtended);
    void DoLayout();
    void LayoutCalendar();
    void SyncDate();
    void RefreshCurrencyTree(INaviTarget* pTarget, int nKind, int nCurrency);
    void RefreshCategoryTree(INaviTarget* pTarget, int nKind, int nCategory);
    void SelectValue(QTreeWidget* pTree, int nValue, bool bChildrenOnly);
    void OnTreeSelection(QTreeWidget* pTree);

    QWidget* m_pBody = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QList<QPushButton*> m_viewButtons;
    QList<QPushButton*> m_periodButtons;
    CPeriodDisplay* m_pDisplay = nullptr;
    CNaviSpin* m_pSpin = nullptr;
    QTabWidget* m_pTabs = nullptr;
    QWidget* m_pCalendarPage = nullptr;
    CNaviCalendar* m_pCalendar = nullptr;
    QTreeWidget* m_pCategoryTree = nullptr;
    QTreeWidget* m_pCurrencyTree = nullptr;
    CNaviLayout m_layout;

    // What the last refresh read; kind -1 while no document window is active.
    int m_nKind = -1;
    PackedDate m_syncDate = 0;
    int m_nMode = -1;
    PackedDate m_date = 0;
    bool m_bShown = false;
    int m_nCurrencyStamp = 0;
    int m_nCategoryStamp = 0;
    bool m_bUpdating = false;
};
