#include "app/MainFrame.h"

#include "app/AppIcon.h"
#include "app/ChildFrame.h"
#include "app/CofferApp.h"
#include "command/CommandIds.h"
#include "command/CommandTable.h"
#include "app/DatePickerPopup.h"
#include "app/EditorDismissal.h"
#include "app/FrameTitle.h"
#include "app/LedgerSession.h"
#include "app/LockKeyState.h"
#include "app/NaviPane.h"
#include "command/NaviTarget.h"
#include "grid/InplaceEdit.h"
#include "platform/SettingsStore.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {
const QString kWorkspace = QStringLiteral("Workspace");
}

const QList<int>& CMainFrame::StandardToolBarButtons()
{
    static const QList<int> buttons = {
        ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, 0,
        ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
        ID_EDIT_UNDO, ID_EDIT_REDO, 0,
        ID_EDIT_INPUT, ID_EDIT_ADD, ID_EDIT_MODIFY_ROW, ID_EDIT_BALANCE, 0,
        ID_EDIT_FIND, ID_EDIT_FIND_NEXT, ID_EDIT_FIND_PREV, 0,
        ID_EDIT_EXTRACT, ID_EDIT_BALANCE_LIST, 0,
        ID_MOVE_FIRST, ID_MOVE_LAST, ID_MOVE_PREV_YEAR, ID_MOVE_NEXT_YEAR, ID_MOVE_PREV_MONTH,
        ID_MOVE_NEXT_MONTH, ID_MOVE_DATE, 0,
        ID_MOVE_PREV_CATEGORY, ID_MOVE_NEXT_CATEGORY, ID_MOVE_NEXT_CURRENCY, 0,
        ID_TOOL_CALENDAR, ID_TOOL_CALCULATOR, 0,
        ID_APP_ABOUT, ID_CONTEXT_HELP,
    };
    return buttons;
}

CMainFrame::CMainFrame(CCofferApp& app, QWidget* pParent) : QMainWindow(pParent), m_app(app)
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(CFrameTitle::ProgramTitle());
    setWindowIcon(CAppIcon::Create());
    setAcceptDrops(true);
    if (m_app.HasInterfaceFont())
        menuBar()->setFont(m_app.InterfaceFont());

    m_router.SetRoute([this] { return Route(); });
    m_pDismissal = new CEditorDismissal(this);
    m_pLockKeys = new CLockKeyState(this);
    // Every cell editor of the views reports here when it starts and stops editing.
    CInplaceEdit::InstallFrameHook(this, [this](CInplaceEdit* pEdit, bool bEditing) {
        if (!bEditing) {
            UnregisterInplaceEditor(pEdit);
            return;
        }
        QPointer<CInplaceEdit> pGuard(pEdit);
        RegisterInplaceEditor(pEdit, [pGuard] {
            if (pGuard)
                pGuard->End(true);
        });
    });
    m_pDatePicker = new CDatePickerPopup(this);
    m_pDatePicker->hide();

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setViewMode(QMdiArea::TabbedView);
    m_pMdiArea->setTabsClosable(true);
    m_pMdiArea->setTabsMovable(true);
    m_pMdiArea->setDocumentMode(true);
    m_pMdiArea->setTabShape(QTabWidget::Rounded);
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* pWindow) {
        auto* pFrame = qobject_cast<CChildFrame*>(pWindow);
        if (pFrame)
            m_pLastActive = pFrame;
        CGridViewEx* pGrid = pFrame ? qobject_cast<CGridViewEx*>(pFrame->widget()) : nullptr;
        // Every other view learns that it is not active, also one that never was told it
        // was (a window shown before the frame itself was active).
        for (CChildFrame* pOther : ChildFrames()) {
            auto* pOtherGrid = qobject_cast<CGridViewEx*>(pOther->widget());
            if (pOtherGrid && pOtherGrid != pGrid && pOtherGrid->IsActive())
                pOtherGrid->OnActivateView(false);
        }
        if (pGrid != m_pActiveGrid) {
            m_pActiveGrid = pGrid;
            if (pGrid)
                pGrid->OnActivateView(true);
        }
        ShowActiveTabCloseButton();
        OnIdle();
    });

    CreateActions();
    AddFrameCommands();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateNaviPane();
    InitCustomization();
    resize(1000, 700);

    // Idle processing: whenever the event loop has nothing left to do.
    if (QAbstractEventDispatcher* pDispatcher = QAbstractEventDispatcher::instance())
        connect(pDispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CMainFrame::OnIdle);
}

CMainFrame::~CMainFrame()
{
    // The base class tears the windows down after the members are gone:
    // nothing may call back into this frame from then on.
    m_bClosing = true;
    CInplaceEdit::RemoveFrameHook(this);
    disconnect(m_pMdiArea, nullptr, this, nullptr);
    if (QAbstractEventDispatcher* pDispatcher = QAbstractEventDispatcher::instance())
        disconnect(pDispatcher, nullptr, this, nullptr);
    delete m_pMdiArea;
    m_pMdiArea = nullptr;
}

QAction* CMainFrame::MakeAction(int nID)
{
    if (QAction* pExisting = m_actions.value(nID))
        return pExisting;
    const SCommandInfo& info = CCommandTable::Info(nID);
    auto* pAction = new QAction(info.strMenu, this);
    pAction->setData(nID);
    pAction->setStatusTip(CCommandTable::Prompt(info));
    // What the context help shows for the item.
    pAction->setWhatsThis(CCommandTable::Prompt(info));
    const QString strTip = CCommandTable::Tip(info);
    if (!strTip.isEmpty())
        pAction->setToolTip(strTip);
    if (!info.strIconName.isEmpty() && QIcon::hasThemeIcon(info.strIconName))
        pAction->setIcon(QIcon::fromTheme(info.strIconName));
    else if (!info.strGlyph.isEmpty())
        pAction->setIcon(CAppIcon::Glyph(info.strGlyph));
    pAction->setShortcuts(CCommandTable::Shortcuts(info));
    pAction->setCheckable(info.bCheckable);
    pAction->setEnabled(false);
    connect(pAction, &QAction::triggered, this, [this, nID] { Execute(nID); });
    m_actions.insert(nID, pAction);
    m_updater.Bind(pAction, nID);
    return pAction;
}

void CMainFrame::CreateActions()
{
    for (int nID : StandardToolBarButtons()) {
        if (nID)
            MakeAction(nID);
    }
    // Views that this build lacks say so where the user looks for them.
    for (int nKind = VIEW_SUMMARY; nKind <= VIEW_MEMO; ++nKind) {
        const CDocTemplate& tmpl = m_app.Template(nKind);
        QAction* pAction = MakeAction(ID_VIEW_REGISTER + nKind);
        if (!tmpl.IsAvailable())
            pAction->setStatusTip(tmpl.PendingPrompt());
    }
}

void CMainFrame::CreateMenus()
{
    QMenuBar* pBar = menuBar();
    auto addItems = [this](QMenu* pMenu, const QList<int>& ids) {
        for (int nID : ids) {
            if (nID == 0)
                pMenu->addSeparator();
            else
                pMenu->addAction(MakeAction(nID));
        }
    };
    auto addMru = [this](QMenu* pMenu) {
        for (QAction* pAction : m_mruActions)
            pMenu->addAction(pAction);
    };
    for (int i = 0; i < 4; ++i) {
        QAction* pAction = MakeAction(ID_FILE_MRU_FILE1 + i);
        pAction->setVisible(false);
        m_mruActions.append(pAction);
    }

    // Without a document: the short menus.
    QMenu* pFileNoDoc = pBar->addMenu(QStringLiteral("ファイル(&F)"));
    addItems(pFileNoDoc, {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_PRINT_SETUP, 0});
    addMru(pFileNoDoc);
    pFileNoDoc->addSeparator();
    addItems(pFileNoDoc, {ID_APP_EXIT});
    m_menusNoDoc.append(pFileNoDoc);

    // With a document.
    QMenu* pFile = pBar->addMenu(QStringLiteral("ファイル(&F)"));
    addItems(pFile, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0,
                     ID_FILE_PASSWORD, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0});
    addMru(pFile);
    pFile->addSeparator();
    addItems(pFile, {ID_APP_EXIT});
    m_menusDoc.append(pFile);

    QMenu* pEdit = pBar->addMenu(QStringLiteral("編集(&E)"));
    addItems(pEdit, {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                     ID_EDIT_PASTE_SPECIAL, ID_EDIT_CLEAR, 0, ID_EDIT_INPUT, ID_EDIT_ADD, ID_EDIT_MODIFY,
                     ID_EDIT_MODIFY_ROW, ID_EDIT_BALANCE, 0, ID_EDIT_FIND, ID_EDIT_FIND_NEXT, ID_EDIT_FIND_PREV,
                     ID_EDIT_EXTRACT, ID_EDIT_BALANCE_LIST});
    m_menusDoc.append(pEdit);

    QMenu* pViewNoDoc = pBar->addMenu(QStringLiteral("表示(&V)"));
    addItems(pViewNoDoc, {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_NAVI_PANE});
    m_menusNoDoc.append(pViewNoDoc);

    QMenu* pView = pBar->addMenu(QStringLiteral("表示(&V)"));
    QList<int> viewItems = {ID_VIEW_REGISTER, ID_VIEW_SUMMARY, ID_VIEW_GRAPH, ID_VIEW_MEMO, 0,
                            ID_PERIOD_MONTH, ID_PERIOD_YEAR, ID_PERIOD_ALL};
    if (m_app.AppStatus() & AS_EXTENDED)
        viewItems.append(ID_PERIOD_SERIAL);
    viewItems += {0, ID_VIEW_YEN, ID_VIEW_FORMAT, 0, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_NAVI_PANE};
    addItems(pView, viewItems);
    m_menusDoc.append(pView);

    QMenu* pMove = pBar->addMenu(QStringLiteral("移動(&G)"));
    addItems(pMove, {ID_MOVE_FIRST, ID_MOVE_LAST, ID_MOVE_PREV_YEAR, ID_MOVE_NEXT_YEAR, ID_MOVE_PREV_MONTH,
                     ID_MOVE_NEXT_MONTH, ID_MOVE_DATE, 0, ID_MOVE_PREV_CATEGORY, ID_MOVE_NEXT_CATEGORY,
                     ID_MOVE_NEXT_CURRENCY, 0, ID_MOVE_NEXT_ERROR});
    m_menusDoc.append(pMove);

    QMenu* pToolsNoDoc = pBar->addMenu(QStringLiteral("ツール(&T)"));
    addItems(pToolsNoDoc, {ID_TOOL_CALENDAR, ID_TOOL_CALCULATOR, 0, ID_VIEW_CUSTOMIZE});
    m_menusNoDoc.append(pToolsNoDoc);

    QMenu* pTools = pBar->addMenu(QStringLiteral("ツール(&T)"));
    addItems(pTools, {ID_TOOL_CURRENCY, ID_TOOL_CATEGORY, ID_TOOL_OPTIONS, 0, ID_TOOL_CALENDAR,
                      ID_TOOL_CALCULATOR, 0, ID_VIEW_CUSTOMIZE});
    m_menusDoc.append(pTools);

    QMenu* pWindow = pBar->addMenu(QStringLiteral("ウィンドウ(&W)"));
    addItems(pWindow, {ID_WINDOW_NEW, 0, ID_WINDOW_MANAGER});
    m_menusDoc.append(pWindow);

    QMenu* pHelp = pBar->addMenu(QStringLiteral("ヘルプ(&H)"));
    addItems(pHelp, {ID_HELP_FINDER, ID_CONTEXT_HELP, 0, ID_APP_ABOUT});
    m_menusAlways.append(pHelp);

    for (QMenu* pMenu : pBar->findChildren<QMenu*>()) {
        if (m_app.HasInterfaceFont())
            pMenu->setFont(m_app.InterfaceFont());
    }
    UpdateMenus();
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = addToolBar(QStringLiteral("標準"));
    m_pToolBar->setObjectName(QStringLiteral("StandardToolBar"));
    m_pToolBar->setIconSize(QSize(16, 16));
    for (int nID : StandardToolBarButtons()) {
        if (nID == 0)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(MakeAction(nID));
    }
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* pBar = statusBar();
    m_pMessagePane = new QLabel(IdleMessage(), pBar);
    m_pMessagePane->setObjectName(QStringLiteral("MessagePane"));
    pBar->addWidget(m_pMessagePane, 1);

    auto addPane = [this, pBar](int nID, const QString& strText, const QString& strSample) {
        auto* pLabel = new QLabel(strText, pBar);
        pLabel->setObjectName(QStringLiteral("pane%1").arg(nID));
        pLabel->setAlignment(Qt::AlignCenter);
        pLabel->setMinimumWidth(pLabel->fontMetrics().horizontalAdvance(strSample) + 8);
        pLabel->setEnabled(false);
        pBar->addPermanentWidget(pLabel);
        m_panes.insert(nID, pLabel);
    };
    addPane(ID_INDICATOR_TOTAL, QString(), TotalPaneSample());
    addPane(ID_INDICATOR_ERROR, QStringLiteral("ERR"), QStringLiteral("ERR"));
    addPane(ID_INDICATOR_EXT, QStringLiteral("EXT"), QStringLiteral("EXT"));
    addPane(ID_INDICATOR_CAPS, QStringLiteral("CAP"), QStringLiteral("CAP"));
    addPane(ID_INDICATOR_NUM, QStringLiteral("NUM"), QStringLiteral("NUM"));
    addPane(ID_INDICATOR_SCRL, QStringLiteral("SCRL"), QStringLiteral("SCRL"));
}

void CMainFrame::CreateNaviPane()
{
    m_pNaviPane = new CNaviPane((m_app.AppStatus() & AS_EXTENDED) != 0,
                                m_app.HasInterfaceFont() ? &m_app.InterfaceFont() : nullptr, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_pNaviPane);
    for (QPushButton* pButton : m_pNaviPane->ViewButtons())
        m_updater.Bind(pButton, pButton->property("commandId").toInt(), true);
    for (QPushButton* pButton : m_pNaviPane->PeriodButtons())
        m_updater.Bind(pButton, pButton->property("commandId").toInt(), false);
    // Buttons of features this build lacks say so, like their menu items.
    for (QPushButton* pButton : m_pNaviPane->ViewButtons()) {
        const CDocTemplate& tmpl = m_app.Template(pButton->property("commandId").toInt() - ID_VIEW_REGISTER);
        if (!tmpl.IsAvailable()) {
            pButton->setStatusTip(tmpl.PendingPrompt());
            pButton->setToolTip(tmpl.PendingPrompt());
        }
    }
    for (int nID : {ID_NAVI_EXTRACT, ID_NAVI_BALANCE_LIST}) {
        QAction* pAction = m_pNaviPane->ToolBarAction(nID);
        if (pAction != nullptr && CCommandTable::Info(nID).bPending) {
            pAction->setToolTip(pAction->text() + CCommandTable::PendingSuffix());
            pAction->setStatusTip(pAction->toolTip());
        }
    }
    connect(m_pNaviPane, &CNaviPane::Command, this, [this](int nID) { Execute(nID); });
    connect(m_pNaviPane, &CNaviPane::DateChosen, this,
            [this](PackedDate date) { DeliverToView([date](INaviTarget* p) { p->OnNaviDate(date); }); });
    connect(m_pNaviPane, &CNaviPane::CurrencyChosen, this,
            [this](int n) { DeliverToView([n](INaviTarget* p) { p->OnNaviCurrency(n); }); });
    connect(m_pNaviPane, &CNaviPane::CategoryChosen, this,
            [this](int n) { DeliverToView([n](INaviTarget* p) { p->OnNaviCategory(n); }); });
}

void CMainFrame::DeliverToView(const std::function<void(INaviTarget*)>& fn)
{
    CChildFrame* pFrame = ActiveChildFrame();
    if (!pFrame)
        return;
    // Posted: the view gets it after the pane's own event has finished.
    QPointer<QWidget> pView = pFrame->View();
    QTimer::singleShot(0, this, [pView, fn] {
        if (pView) {
            if (auto* pTarget = dynamic_cast<INaviTarget*>(pView.data()))
                fn(pTarget);
        }
    });
}

void CMainFrame::AddFrameCommands()
{
    // Defaults of the status panes when nothing nearer the view answers.
    AddCommand(ID_INDICATOR_TOTAL, {}, [](CCmdUI& ui) { ui.SetText(QString()); });
    AddCommand(ID_INDICATOR_ERROR, {}, [](CCmdUI&) {});
    AddCommand(ID_INDICATOR_EXT, {}, [](CCmdUI&) {});

    AddCommand(ID_VIEW_TOOLBAR, [this](int) { m_pToolBar->setVisible(!m_pToolBar->isVisible()); },
               [this](CCmdUI& ui) {
                   ui.Enable(true);
                   ui.SetCheck(m_pToolBar->isVisible());
               });
    AddCommand(ID_VIEW_STATUS_BAR, [this](int) { statusBar()->setVisible(!statusBar()->isVisible()); },
               [this](CCmdUI& ui) {
                   ui.Enable(true);
                   ui.SetCheck(statusBar()->isVisible());
               });
    AddCommand(ID_VIEW_NAVI_PANE, [this](int) { m_pNaviPane->setVisible(!m_pNaviPane->isVisible()); },
               [this](CCmdUI& ui) {
                   ui.Enable(true);
                   ui.SetCheck(m_pNaviPane->isVisible());
               });
    AddCommand(ID_VIEW_CUSTOMIZE, [this](int) { ShowCustomize(); });
    AddCommand(ID_WINDOW_MANAGER, [this](int) { ShowWindowManager(); },
               [this](CCmdUI& ui) { ui.Enable(ActiveChildFrame() != nullptr); });
    AddCommand(ID_WINDOW_NEW, [this](int) { NewWindow(); }, [this](CCmdUI& ui) {
        CChildFrame* pFrame = ActiveChildFrame();
        ui.Enable(pFrame && m_app.Template(pFrame->Kind()).IsAvailable());
    });
    AddCommand(ID_FILE_CLOSE, [this](int) { CloseActiveLedger(); },
               [this](CCmdUI& ui) { ui.Enable(ActiveChildFrame() != nullptr); });
    // Lit while the lock is on; without a report of the state they stay dark.
    AddCommand(ID_INDICATOR_CAPS, {}, [this](CCmdUI& ui) { ui.Enable(m_pLockKeys->IsCapsOn()); });
    AddCommand(ID_INDICATOR_NUM, {}, [this](CCmdUI& ui) { ui.Enable(m_pLockKeys->IsNumOn()); });
    AddCommand(ID_CONTEXT_HELP, [](int) { QWhatsThis::enterWhatsThisMode(); });
}

QList<CCommandTarget*> CMainFrame::Route() const
{
    QList<CCommandTarget*> route;
    if (CChildFrame* pFrame = ActiveChildFrame()) {
        if (CCommandTarget* pView = pFrame->ViewTarget())
            route.append(pView);
        if (pFrame->Session())
            route.append(pFrame->Session());
    }
    route.append(const_cast<CMainFrame*>(this));
    route.append(&m_app);
    return route;
}

bool CMainFrame::Execute(int nID)
{
    return m_router.Execute(nID);
}

void CMainFrame::PostCommand(int nID)
{
    QTimer::singleShot(0, this, [this, nID] { Execute(nID); });
}

void CMainFrame::AddChildFrame(CChildFrame* pFrame)
{
    m_pMdiArea->addSubWindow(pFrame);
    // Tabbed windows fill the tab area.
    if (m_pMdiArea->viewMode() == QMdiArea::TabbedView)
        pFrame->showMaximized();
    else
        pFrame->show();
    m_pMdiArea->setActiveSubWindow(pFrame);
    m_pLastActive = pFrame;
    OnIdle();
}

void CMainFrame::ShowActiveTabCloseButton()
{
    // Only the active tab offers its close button, so that a click meant to switch
    // tabs cannot close a window.
    QTabBar* pTabs = m_pMdiArea->findChild<QTabBar*>();
    if (pTabs == nullptr)
        return;
    for (int i = 0; i < pTabs->count(); ++i) {
        for (auto side : {QTabBar::LeftSide, QTabBar::RightSide}) {
            if (QWidget* pButton = pTabs->tabButton(i, side))
                pButton->setVisible(i == pTabs->currentIndex());
        }
    }
}

void CMainFrame::ActivateChildFrame(CChildFrame* pFrame)
{
    if (pFrame)
        m_pMdiArea->setActiveSubWindow(pFrame);
}

CChildFrame* CMainFrame::ActiveChildFrame() const
{
    if (!m_pMdiArea)
        return nullptr;
    QMdiSubWindow* pWindow = m_pMdiArea->activeSubWindow();
    if (!pWindow) {
        // Without focus (another program in front) the current tab still counts.
        pWindow = m_pMdiArea->currentSubWindow();
    }
    if (!pWindow && m_pLastActive && m_pMdiArea->subWindowList().contains(m_pLastActive.data()))
        pWindow = m_pLastActive.data();
    return qobject_cast<CChildFrame*>(pWindow);
}

QList<CChildFrame*> CMainFrame::ChildFrames() const
{
    QList<CChildFrame*> frames;
    if (!m_pMdiArea)
        return frames;
    for (QMdiSubWindow* pWindow : m_pMdiArea->subWindowList()) {
        if (auto* pFrame = qobject_cast<CChildFrame*>(pWindow))
            frames.append(pFrame);
    }
    return frames;
}

void CMainFrame::OnIdle()
{
    if (m_bInIdle || m_bClosing)
        return;
    m_bInIdle = true;
    m_updater.Refresh(m_router);
    UpdateStatusPanes();
    UpdateMenus();
    UpdateTitles();
    CChildFrame* pFrame = ActiveChildFrame();
    m_pNaviPane->Refresh(pFrame ? pFrame->NaviTarget() : nullptr);
    m_bInIdle = false;
}

void CMainFrame::UpdateStatusPanes()
{
    for (auto it = m_panes.constBegin(); it != m_panes.constEnd(); ++it) {
        const CCmdUI ui = m_router.Query(it.key());
        if (it.value()->isEnabled() != ui.m_bEnabled)
            it.value()->setEnabled(ui.m_bEnabled);
        if (ui.m_bTextSet && it.value()->text() != ui.m_strText)
            it.value()->setText(ui.m_strText);
    }
}

void CMainFrame::UpdateMenus()
{
    const bool bDoc = !ChildFrames().isEmpty();
    for (QMenu* pMenu : m_menusNoDoc) {
        if (pMenu->menuAction()->isVisible() == bDoc)
            pMenu->menuAction()->setVisible(!bDoc);
    }
    for (QMenu* pMenu : m_menusDoc) {
        if (pMenu->menuAction()->isVisible() != bDoc)
            pMenu->menuAction()->setVisible(bDoc);
    }
    const CRecentFileList& recent = m_app.Settings().m_recentFiles;
    for (int i = 0; i < m_mruActions.size(); ++i) {
        QAction* pAction = m_mruActions[i];
        const bool bVisible = i < recent.Size();
        if (pAction->isVisible() != bVisible)
            pAction->setVisible(bVisible);
        if (bVisible) {
            const QString strText = QStringLiteral("&%1 %2").arg(i + 1).arg(recent.MenuName(i));
            if (pAction->text() != strText) {
                pAction->setText(strText);
                pAction->setStatusTip(recent.At(i));
            }
        }
    }
}

QList<QMenu*> CMainFrame::VisibleMenus() const
{
    QList<QMenu*> menus;
    for (QAction* pAction : menuBar()->actions()) {
        if (pAction->isVisible() && pAction->menu())
            menus.append(pAction->menu());
    }
    return menus;
}

void CMainFrame::UpdateTitles()
{
    for (CChildFrame* pFrame : ChildFrames())
        pFrame->UpdateTitle();
    CChildFrame* pActive = ActiveChildFrame();
    const CLedgerSession* pSession = pActive ? pActive->Session() : nullptr;
    const QString strTitle = CFrameTitle::MainTitle(pSession != nullptr, pActive && pActive->isMaximized(),
                                                    pSession ? pSession->Title() : QString(),
                                                    pSession && pSession->IsModified());
    if (windowTitle() != strTitle)
        setWindowTitle(strTitle);
}

void CMainFrame::NewWindow()
{
    CChildFrame* pActive = ActiveChildFrame();
    if (!pActive || !pActive->Session())
        return;
    m_app.CreateFrame(*pActive->Session(), pActive->Kind());
    // The old window's title gains its number.
    pActive->UpdateTitle();
}

void CMainFrame::CloseActiveLedger()
{
    CChildFrame* pActive = ActiveChildFrame();
    if (!pActive || !pActive->Session())
        return;
    CLedgerSession* pSession = pActive->Session();
    // Asked before any window goes, so that a cancel leaves every window open.
    if (!pSession->ConfirmClose())
        return;
    QPointer<CLedgerSession> guard(pSession);
    for (CChildFrame* pFrame : pSession->Frames())
        pFrame->close();
    if (guard)
        guard->CancelClose();
}

void CMainFrame::ShowWindowManager()
{
    const QList<CChildFrame*> frames = ChildFrames();
    QStringList titles;
    for (CChildFrame* pFrame : frames)
        titles.append(pFrame->windowTitle());
    bool bOk = false;
    const QString strChoice = QInputDialog::getItem(this, QStringLiteral("ウィンドウ"),
                                                    QStringLiteral("ウィンドウの選択(&W):"), titles,
                                                    titles.indexOf(ActiveChildFrame() ? ActiveChildFrame()->windowTitle()
                                                                                      : QString()),
                                                    false, &bOk);
    if (!bOk)
        return;
    const qsizetype nIndex = titles.indexOf(strChoice);
    if (nIndex >= 0)
        ActivateChildFrame(frames.at(nIndex));
}

QMenu* CMainFrame::createPopupMenu()
{
    QMenu* pMenu = QMainWindow::createPopupMenu();
    if (!pMenu)
        pMenu = new QMenu(this);
    pMenu->addSeparator();
    pMenu->addAction(MakeAction(ID_VIEW_CUSTOMIZE));
    ApplyMenuShadow(pMenu);
    return pMenu;
}

void CMainFrame::RegisterInplaceEditor(QWidget* pEditor, std::function<void()> fnHide)
{
    m_pDismissal->Register(pEditor, std::move(fnHide));
    // The editor keeps its own keys: the frame's shortcuts are set aside.
    if (m_suspendedShortcuts.isEmpty()) {
        for (QAction* pAction : std::as_const(m_actions)) {
            if (!pAction->shortcuts().isEmpty()) {
                m_suspendedShortcuts.insert(pAction, pAction->shortcuts());
                pAction->setShortcuts(QList<QKeySequence>());
            }
        }
    }
}

void CMainFrame::UnregisterInplaceEditor(QWidget* pEditor)
{
    if (m_pDismissal->Editor() != pEditor && m_pDismissal->Editor())
        return;
    m_pDismissal->Unregister(pEditor);
    for (auto it = m_suspendedShortcuts.constBegin(); it != m_suspendedShortcuts.constEnd(); ++it)
        it.key()->setShortcuts(it.value());
    m_suspendedShortcuts.clear();
}

QWidget* CMainFrame::InplaceEditor() const
{
    return m_pDismissal->Editor();
}

bool CMainFrame::DropDownDatePicker(int nID, const QDate& date, const QPoint& ptGlobal)
{
    QPoint pt = ptGlobal;
    if (nID == ID_MOVE_DATE) {
        QAction* pAction = m_actions.value(ID_MOVE_DATE);
        QWidget* pButton = pAction && pAction->isVisible() && m_pToolBar->isVisible()
                               ? m_pToolBar->widgetForAction(pAction)
                               : nullptr;
        if (!pButton)
            return false;
        pt = pButton->mapToGlobal(QPoint(0, pButton->height()));
    }
    m_pDatePicker->DropDown(pt, date);
    return true;
}

void CMainFrame::BringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

bool CMainFrame::event(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::StatusTip) {
        const QString strTip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        m_pMessagePane->setText(strTip.isEmpty() ? IdleMessage() : strTip);
        return true;
    }
    return QMainWindow::event(pEvent);
}

void CMainFrame::LoadLayout(QSettings& settings)
{
    settings.beginGroup(kWorkspace);
    const QByteArray geometry = settings.value(QStringLiteral("Geometry")).toByteArray();
    const QByteArray state = settings.value(QStringLiteral("State")).toByteArray();
    // The user's bars exist before the state places them.
    LoadCustomization(settings);
    settings.endGroup();

    bool bRestored = false;
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    if (!state.isEmpty())
        bRestored = restoreState(state);
    ApplyToolBarVisibility();
    if (!bRestored) {
        addDockWidget(Qt::LeftDockWidgetArea, m_pNaviPane);
        resizeDocks({m_pNaviPane}, {m_pNaviPane->InitialWidth()}, Qt::Horizontal);
    }
}

void CMainFrame::SaveLayout(QSettings& settings) const
{
    settings.beginGroup(kWorkspace);
    settings.setValue(QStringLiteral("Geometry"), saveGeometry());
    settings.setValue(QStringLiteral("State"), saveState());
    SaveCustomization(settings);
    settings.endGroup();
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    // Every modified ledger is asked about before anything closes: a cancel keeps them all.
    QList<QPointer<CLedgerSession>> sessions;
    for (CChildFrame* pFrame : ChildFrames()) {
        CLedgerSession* pSession = pFrame->Session();
        if (pSession && !sessions.contains(pSession))
            sessions.append(pSession);
    }
    auto cancel = [&sessions, pEvent]() {
        for (const QPointer<CLedgerSession>& pSession : sessions) {
            if (pSession)
                pSession->CancelClose();
        }
        pEvent->ignore();
    };
    for (const QPointer<CLedgerSession>& pSession : sessions) {
        if (pSession && !pSession->ConfirmClose()) {
            cancel();
            return;
        }
    }
    m_pMdiArea->closeAllSubWindows();
    if (!m_pMdiArea->subWindowList().isEmpty()) {
        cancel();
        return;
    }
    {
        const std::unique_ptr<QSettings> pStore = CSettingsStore::Open();
        SaveLayout(*pStore);
    }
    m_bClosing = true;
    pEvent->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* pEvent)
{
    if (pEvent->mimeData()->hasUrls()) {
        for (const QUrl& url : pEvent->mimeData()->urls()) {
            if (url.isLocalFile()) {
                pEvent->acceptProposedAction();
                return;
            }
        }
    }
    pEvent->ignore();
}

void CMainFrame::dropEvent(QDropEvent* pEvent)
{
    QStringList paths;
    for (const QUrl& url : pEvent->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    pEvent->acceptProposedAction();
    // Opened after the drop has finished, so a message box cannot stall the source.
    QTimer::singleShot(0, this, [this, paths] {
        for (const QString& strPath : paths)
            m_app.OpenDocument(strPath);
    });
}
