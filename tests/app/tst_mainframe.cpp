#include "app/ChildFrame.h"
#include "tests/support/LedgerBuilder.h"
#include "app/CofferApp.h"
#include "command/CommandIds.h"
#include "command/CommandTable.h"
#include "app/DatePickerPopup.h"
#include "app/LedgerSession.h"
#include "app/MainFrame.h"
#include "app/NaviPane.h"
#include "grid/InplaceEdit.h"
#include "model/Action.h"
#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "platform/RecordingMessageSink.h"
#include "command/AppStatus.h"
#include "register/RecEditDlg.h"
#include "platform/SettingsStore.h"
#include "platform/StringTable.h"
#include "register/CofferView.h"
#include "register/RegClipboard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>

#include <QTest>
#include <QToolBar>

class TestMainFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstRunOpensNewLedger();
    void startChoosesWhatToOpen_data();
    void startChoosesWhatToOpen();
    void toolbarInOrder();
    void statusPanes();
    void windowsOfOneLedgerAreNumbered();
    void noDocumentState();
    void periodButtonsNeedAView();
    void missingViewsAreDisabledAndSaySo_data();
    void missingViewsAreDisabledAndSaySo();
    void pendingCommandsSayWhy_data();
    void pendingCommandsSayWhy();
    void externalPrograms_data();
    void externalPrograms();
    void openingAnOpenLedgerActivatesIt();
    void exitWritesSettingsAndLayout();
    void editorIsDismissed_data();
    void editorIsDismissed();
    void dropActivatesItsWindow();
    void datePickerOpensAtTheToolbarButton();
    void modifiedLedgerAsksBeforeClosing_data();
    void modifiedLedgerAsksBeforeClosing();
    void cancelKeepsEveryWindow_data();
    void cancelKeepsEveryWindow();
    void appColors_data();
    void appColors();
    void dialogPositionsOffScreenAreIgnored();

private:
    QString Store() const { return m_pDir->filePath(QStringLiteral("store.ini")); }
    QString MakeFile(const QString& strName) const;
    void Seed(const QString& strKey, const QVariant& value) const
    {
        QSettings(Store(), QSettings::IniFormat).setValue(strKey, value);
    }
    // Starts an application on the test store; the caller owns it.
    std::unique_ptr<CCofferApp> Start(const QStringList& arguments = {}, bool* pOk = nullptr);

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CScopedSettingsFile> m_pStore;
};

void TestMainFrame::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pStore = std::make_unique<CScopedSettingsFile>(Store());
}

void TestMainFrame::cleanup()
{
    m_pStore.reset();
    m_pDir.reset();
}

QString TestMainFrame::MakeFile(const QString& strName) const
{
    // A real ledger in the form its name asks for: the default set.
    const QString strPath = m_pDir->filePath(strName);
    CCofferDoc doc;
    doc.OnNewDocument();
    if (!CDocumentFile::Save(doc, strPath))
        qWarning("could not write %s", qPrintable(strPath));
    return strPath;
}

std::unique_ptr<CCofferApp> TestMainFrame::Start(const QStringList& arguments, bool* pOk)
{
    auto pApp = std::make_unique<CCofferApp>();
    const bool bOk = pApp->InitInstance(arguments, false);
    if (pOk)
        *pOk = bOk;
    if (bOk) {
        pApp->MainFrame()->show();
        pApp->MainFrame()->OnIdle();
    }
    return pApp;
}

void TestMainFrame::firstRunOpensNewLedger()
{
    auto pApp = Start();
    QCOMPARE(pApp->Sessions().size(), 1);
    QCOMPARE(pApp->Sessions().first()->Title(), QStringLiteral("Pennyfold1"));
    CChildFrame* pFrame = pApp->MainFrame()->ActiveChildFrame();
    QVERIFY(pFrame);
    QCOMPARE(pFrame->windowTitle(), QStringLiteral("Pennyfold1"));
    // A ledger opens in its register.
    QVERIFY(qobject_cast<CCofferView*>(pFrame->View()));
    QSettings store(Store(), QSettings::IniFormat);
    QCOMPARE(store.value(QStringLiteral("Settings/AppVersion")).toString(), QStringLiteral("3.00.471"));
    QCOMPARE(pApp->AppStatus(), std::uint32_t(AS_OPEN_LAST_FILE));
    // A second new ledger takes the next number.
    QVERIFY(pApp->MainFrame()->Execute(ID_FILE_NEW));
    QCOMPARE(pApp->Sessions().last()->Title(), QStringLiteral("Pennyfold2"));
}

void TestMainFrame::startChoosesWhatToOpen_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("recent");   // names in the test folder, most recent first
    QTest::addColumn<QString>("commandLine");  // a name in the test folder, or empty
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("opened");       // the one ledger open afterwards ("" none, "*" untitled)
    QTest::addColumn<int>("message");
    QTest::newRow("last native ledger") << 0x10 << QStringList{"a.csv", "b.ldr"} << QString() << true
                                        << QStringLiteral("b.ldr") << 0;
    QTest::newRow("flag clear with a list: nothing") << 0 << QStringList{"b.ldr"} << QString() << true << QString() << 0;
    QTest::newRow("flag clear, empty list: new") << 0 << QStringList() << QString() << true << QStringLiteral("*") << 0;
    QTest::newRow("command line wins") << 0x10 << QStringList{"b.ldr"} << QStringLiteral("c.ccr") << true
                                       << QStringLiteral("c.ccr") << 0;
    QTest::newRow("last ledger gone: reported, stays up")
        << 0x10 << QStringList{"gone.ldr"} << QString() << true << QString() << int(AFX_IDP_FAILED_TO_OPEN_DOC);
    QTest::newRow("command-line file gone: ends")
        << 0x10 << QStringList() << QStringLiteral("gone.ldr") << false << QString() << int(AFX_IDP_FAILED_TO_OPEN_DOC);
}

void TestMainFrame::startChoosesWhatToOpen()
{
    QFETCH(int, status);
    QFETCH(QStringList, recent);
    QFETCH(QString, commandLine);
    QFETCH(bool, started);
    QFETCH(QString, opened);
    QFETCH(int, message);
    for (const char* sz : {"a.csv", "b.ldr", "c.ccr"})
        MakeFile(QString::fromLatin1(sz));
    Seed(QStringLiteral("Settings/AppStatus"), status);
    for (int i = 0; i < recent.size(); ++i)
        Seed(QStringLiteral("Recent File List/File%1").arg(i + 1), m_pDir->filePath(recent.at(i)));

    CRecordingMessageSink sink;
    bool bOk = false;
    QStringList arguments;
    if (!commandLine.isEmpty())
        arguments.append(m_pDir->filePath(commandLine));
    auto pApp = Start(arguments, &bOk);
    QCOMPARE(bOk, started);
    if (message)
        QVERIFY(sink.LastWas(message));
    else
        QVERIFY(sink.m_boxes.isEmpty());
    if (!started)
        return;
    const QList<CLedgerSession*> sessions = pApp->Sessions();
    if (opened.isEmpty()) {
        QVERIFY(sessions.isEmpty());
    } else {
        QCOMPARE(sessions.size(), 1);
        if (opened == QLatin1String("*"))
            QVERIFY(sessions.first()->Path().isEmpty());
        else
            QCOMPARE(sessions.first()->Path(), m_pDir->filePath(opened));
    }
}

void TestMainFrame::toolbarInOrder()
{
    auto pApp = Start();
    QToolBar* pBar = pApp->MainFrame()->StandardToolBar();
    QCOMPARE(pBar->windowTitle(), QStringLiteral("標準"));
    QList<int> ids;
    for (QAction* pAction : pBar->actions())
        ids.append(pAction->isSeparator() ? 0 : pAction->data().toInt());
    // The customise button closes the bar.
    QVERIFY(!ids.isEmpty());
    QCOMPARE(ids.takeLast(), int(ID_VIEW_CUSTOMIZE));
    const QList<int> expected = {57600, 57601, 57603, 57607, 0, 57635, 57634, 57637, 0, 57643, 57644, 0,
                                 32827, 32828, 32830, 32772, 0, 57636, 32773, 32774, 0, 32794, 32795, 0,
                                 32775, 32776, 32777, 32778, 32779, 32780, 32781, 0, 32791, 32792, 32793, 0,
                                 32796, 32797, 0, 57664, 57669};
    QCOMPARE(ids, expected);
    // Every button has a tip and an icon.
    for (QAction* pAction : pBar->actions()) {
        if (!pAction->isSeparator()) {
            QVERIFY2(!pAction->icon().isNull(), qPrintable(pAction->text()));
            QVERIFY2(!pAction->toolTip().isEmpty(), qPrintable(pAction->text()));
        }
    }
}

void TestMainFrame::statusPanes()
{
    auto pApp = Start();
    CMainFrame* pFrame = pApp->MainFrame();
    QCOMPARE(pFrame->MessagePane()->text(), QStringLiteral("ヘルプを表示するには F1 キーを押してください。"));
    const QList<int> order = {ID_INDICATOR_TOTAL, ID_INDICATOR_ERROR, ID_INDICATOR_EXT, ID_INDICATOR_CAPS,
                              ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    const QStringList texts = {QString(), "ERR", "EXT", "CAP", "NUM", "SCRL"};
    QTRY_VERIFY(pFrame->statusBar()->isVisible());
    int nLeft = pFrame->MessagePane()->geometry().right();
    for (int i = 0; i < order.size(); ++i) {
        QLabel* pPane = pFrame->StatusPane(order[i]);
        QVERIFY(pPane);
        QCOMPARE(pPane->text(), texts[i]);
        QVERIFY(pPane->geometry().left() > nLeft);
        nLeft = pPane->geometry().left();
    }
    QLabel* pTotal = pFrame->StatusPane(ID_INDICATOR_TOTAL);
    QVERIFY(pTotal->width() >= pTotal->fontMetrics().horizontalAdvance(CMainFrame::TotalPaneSample()));
    // The frame's defaults: total, error and extended-selection panes disabled.
    QVERIFY(!pTotal->isEnabled());
    QVERIFY(!pFrame->StatusPane(ID_INDICATOR_ERROR)->isEnabled());
    QVERIFY(!pFrame->StatusPane(ID_INDICATOR_EXT)->isEnabled());
    // The lock panes follow the modifier mask of key events (Lock 0x02, Mod2 0x10).
    QVERIFY(!pFrame->StatusPane(ID_INDICATOR_CAPS)->isEnabled());
    const struct {
        quint32 nMask;
        bool bCaps;
        bool bNum;
    } masks[] = { { 0x02, true, false }, { 0x12, true, true }, { 0x10, false, true }, { 0x00, false, false } };
    for (const auto& m : masks) {
        QKeyEvent key(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, 0, 0, m.nMask);
        QApplication::sendEvent(pFrame, &key);
        pFrame->OnIdle();
        QCOMPARE(pFrame->StatusPane(ID_INDICATOR_CAPS)->isEnabled(), m.bCaps);
        QCOMPARE(pFrame->StatusPane(ID_INDICATOR_NUM)->isEnabled(), m.bNum);
    }
    QVERIFY(!pFrame->StatusPane(ID_INDICATOR_SCRL)->isEnabled());
}

void TestMainFrame::windowsOfOneLedgerAreNumbered()
{
    auto pApp = Start();
    CMainFrame* pFrame = pApp->MainFrame();
    CChildFrame* pFirst = pFrame->ActiveChildFrame();
    QVERIFY(pFrame->Execute(ID_WINDOW_NEW));
    CChildFrame* pSecond = pFrame->ActiveChildFrame();
    QVERIFY(pSecond != pFirst);
    QCOMPARE(pFirst->windowTitle(), QStringLiteral("Pennyfold1:1"));
    QCOMPARE(pSecond->windowTitle(), QStringLiteral("Pennyfold1:2"));
    // Only the active tab can be closed from the tab bar.
    QTabBar* pTabs = pFrame->MdiArea()->findChild<QTabBar*>();
    QVERIFY(pTabs != nullptr);
    auto closeButtons = [pTabs] {
        QList<int> shown;
        for (int i = 0; i < pTabs->count(); ++i) {
            QWidget* pButton = pTabs->tabButton(i, QTabBar::RightSide);
            if (pButton == nullptr)
                pButton = pTabs->tabButton(i, QTabBar::LeftSide);
            if (pButton != nullptr && !pButton->isHidden())
                shown.append(i);
        }
        return shown;
    };
    QCOMPARE(closeButtons(), QList<int>{ pTabs->currentIndex() });
    pFrame->ActivateChildFrame(pFirst);
    QCOMPARE(closeButtons(), QList<int>{ pTabs->currentIndex() });
    pSecond->close();
    QCOMPARE(pFirst->windowTitle(), QStringLiteral("Pennyfold1"));
    QCOMPARE(pApp->Sessions().size(), 1);
    pApp->Sessions().first()->SetModified(true);
    QCOMPARE(pFirst->windowTitle(), QStringLiteral("Pennyfold1 *"));
    // Tabbed windows are maximised: the main title is the program's alone.
    QVERIFY(pFirst->isMaximized());
    QCOMPARE(pFrame->windowTitle(), QStringLiteral("ペニーフォールド"));
}

void TestMainFrame::noDocumentState()
{
    auto pApp = Start();
    CMainFrame* pFrame = pApp->MainFrame();
    pFrame->MdiArea()->closeAllSubWindows();
    QTRY_VERIFY(pApp->Sessions().isEmpty());
    pFrame->OnIdle();
    for (QPushButton* pButton : pFrame->NaviPane()->ViewButtons()) {
        QVERIFY2(pButton->isEnabled(), qPrintable(pButton->text()));
        QVERIFY(!pButton->isChecked());
    }
    for (QPushButton* pButton : pFrame->NaviPane()->PeriodButtons())
        QVERIFY(!pButton->isEnabled());
    QVERIFY(!pFrame->NaviPane()->ToolBarAction(ID_NAVI_SYNC_DATE)->isEnabled());
    // A click on a view button without a document does nothing.
    pFrame->NaviPane()->ViewButtons().first()->click();
    QVERIFY(pApp->Sessions().isEmpty());
    QStringList menus;
    for (QMenu* pMenu : pFrame->VisibleMenus())
        menus.append(pMenu->title());
    QCOMPARE(menus, (QStringList{"ファイル(&F)", "表示(&V)", "ツール(&T)", "ヘルプ(&H)"}));
    QVERIFY(!pFrame->Action(ID_FILE_SAVE)->isEnabled());
    QVERIFY(pFrame->Action(ID_FILE_NEW)->isEnabled());
    QCOMPARE(pFrame->windowTitle(), QStringLiteral("ペニーフォールド"));

    // With a document the full menus return and the register button is checked.
    QVERIFY(pFrame->Execute(ID_FILE_NEW));
    pFrame->OnIdle();
    QCOMPARE(pFrame->VisibleMenus().size(), 7);
    QVERIFY(pFrame->NaviPane()->ViewButtons().first()->isChecked());
}

void TestMainFrame::periodButtonsNeedAView()
{
    // The register answers the period commands, so the pane's buttons reach it.
    auto pApp = Start();
    QVERIFY(pApp->MainFrame()->Execute(ID_PERIOD_MONTH));
    pApp->MainFrame()->OnIdle();
    QVERIFY(pApp->MainFrame()->NaviPane()->PeriodButtons().first()->isEnabled());
    pApp->MainFrame()->ActiveChildFrame()->close();
    pApp->MainFrame()->OnIdle();
    for (QPushButton* pButton : pApp->MainFrame()->NaviPane()->PeriodButtons())
        QVERIFY(!pButton->isEnabled());
}

void TestMainFrame::missingViewsAreDisabledAndSaySo_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("tip");
    QTest::newRow("memo") << int(ID_VIEW_MEMO) << QStringLiteral("メモのビューはまだ作られていないため、使えません");
}

void TestMainFrame::missingViewsAreDisabledAndSaySo()
{
    QFETCH(int, id);
    QFETCH(QString, tip);
    auto pApp = Start();
    CMainFrame* pFrame = pApp->MainFrame();
    QAction* pAction = pFrame->Action(id);
    QVERIFY(!pAction->isEnabled());
    QCOMPARE(pAction->statusTip(), tip);
    QVERIFY(!pFrame->NaviPane()->ViewButtons().at(id - ID_VIEW_REGISTER)->isEnabled());
    QCOMPARE(pFrame->NaviPane()->ViewButtons().at(id - ID_VIEW_REGISTER)->statusTip(), tip);
    QVERIFY(!pFrame->Execute(id));
    QCOMPARE(pFrame->ChildFrames().size(), 1);
    // The register's own command just activates its window.
    QVERIFY(pFrame->Execute(ID_VIEW_REGISTER));
    QCOMPARE(pFrame->ChildFrames().size(), 1);
}

void TestMainFrame::pendingCommandsSayWhy_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("tip");
    QTest::newRow("find") << int(ID_EDIT_FIND) << QStringLiteral("検索");
    QTest::newRow("extraction") << int(ID_EDIT_EXTRACT) << QStringLiteral("データ抽出");
    QTest::newRow("find-next") << int(ID_EDIT_FIND_NEXT) << QStringLiteral("次検索");
    QTest::newRow("options") << int(ID_TOOL_OPTIONS) << QString();
}

void TestMainFrame::pendingCommandsSayWhy()
{
    QFETCH(int, id);
    QFETCH(QString, tip);
    auto pApp = Start();
    QAction* pAction = pApp->MainFrame()->Action(id);
    QVERIFY(pAction != nullptr);
    QVERIFY(!pAction->isEnabled());
    QVERIFY(pAction->statusTip().endsWith(CCommandTable::PendingSuffix()));
    if (!tip.isEmpty())
        QCOMPARE(pAction->toolTip(), tip + CCommandTable::PendingSuffix());
    // A command that works keeps its plain prompt.
    QVERIFY(!pApp->MainFrame()->Action(ID_EDIT_COPY)->statusTip().endsWith(CCommandTable::PendingSuffix()));
}

void TestMainFrame::externalPrograms_data()
{
    QTest::addColumn<QString>("calc");     // "file", "dir", "" or "missing"
    QTest::addColumn<bool>("calcEnabled");
    QTest::newRow("existing file") << QStringLiteral("file") << true;
    QTest::newRow("directory") << QStringLiteral("dir") << false;
    QTest::newRow("empty path") << QString() << false;
    QTest::newRow("missing file") << QStringLiteral("missing") << false;
}

void TestMainFrame::externalPrograms()
{
    QFETCH(QString, calc);
    QFETCH(bool, calcEnabled);
    QString strPath;
    if (calc == QLatin1String("file"))
        strPath = MakeFile(QStringLiteral("calc"));
    else if (calc == QLatin1String("dir"))
        strPath = m_pDir->path();
    else if (calc == QLatin1String("missing"))
        strPath = m_pDir->filePath(QStringLiteral("nothing"));
    Seed(QStringLiteral("Settings/CalcAppPath"), strPath);
    Seed(QStringLiteral("Settings/CalenderAppPath"), QString());
    auto pApp = Start();
    CMainFrame* pFrame = pApp->MainFrame();
    QCOMPARE(pFrame->Action(ID_TOOL_CALCULATOR)->isEnabled(), calcEnabled);
    // With a ledger and no calendar program the memo view would stand in;
    // while that view is missing the command is off.
    QVERIFY(!pFrame->Action(ID_TOOL_CALENDAR)->isEnabled());

    if (calc == QLatin1String("file")) {
        // Not a program: the desktop cannot start it; beep and 4131 with the stop icon.
        QFile::setPermissions(strPath, QFile::ReadOwner | QFile::WriteOwner);
        CRecordingMessageSink sink;
        QVERIFY(!CCofferApp::LaunchProgram(m_pDir->filePath(QStringLiteral("nothing"))));
        QVERIFY(sink.LastWas(IDS_FILE_NOT_FOUND));
        QCOMPARE(sink.m_boxes.last().nType, unsigned(MB_OK | MB_ICONSTOP));
    }
}

void TestMainFrame::openingAnOpenLedgerActivatesIt()
{
    const QString strPath = MakeFile(QStringLiteral("家計.ldr"));
    auto pApp = Start({strPath});
    CMainFrame* pFrame = pApp->MainFrame();
    QVERIFY(pFrame->Execute(ID_FILE_NEW));
    QCOMPARE(pApp->Sessions().size(), 2);
    QVERIFY(pApp->OpenDocument(strPath));
    QCOMPARE(pApp->Sessions().size(), 2);
    QCOMPARE(pFrame->ActiveChildFrame()->Session()->Path(), strPath);
    QCOMPARE(pFrame->ActiveChildFrame()->windowTitle(), QStringLiteral("家計.ldr"));
    QCOMPARE(pApp->Settings().m_recentFiles.At(0), strPath);
    // A folder is no ledger.
    CRecordingMessageSink sink;
    QVERIFY(!pApp->OpenDocument(m_pDir->path()));
    QVERIFY(sink.LastWas(AFX_IDP_FAILED_TO_OPEN_DOC));
}

void TestMainFrame::exitWritesSettingsAndLayout()
{
    const QString strPath = MakeFile(QStringLiteral("b.ldr"));
    {
        auto pApp = Start({strPath});
        // Where the record dialog was left in this run.
        CRecEditDlg::SetLastPosition(QPoint(12, 34));
        pApp->Settings().m_ptInputDlg = QPoint(56, 78);
        pApp->Settings().m_pickList = {QStringLiteral("円\t\t")};
        pApp->Settings().m_nPreviewPages = 2;
        pApp->MainFrame()->close();
        QVERIFY(pApp->Sessions().isEmpty() || !pApp->MainFrame()->isVisible());
        pApp->ExitInstance();
    }
    QSettings store(Store(), QSettings::IniFormat);
    QCOMPARE(store.value(QStringLiteral("Settings/dlgPosX")).toInt(), 12);
    QCOMPARE(store.value(QStringLiteral("Settings/dlgPosY")).toInt(), 34);
    QCOMPARE(store.value(QStringLiteral("Settings/dlgInputPosX")).toInt(), 56);
    QCOMPARE(store.value(QStringLiteral("PickList/Count")).toInt(), 1);
    QCOMPARE(store.value(QStringLiteral("PickList/Fmt0")).toString(), QStringLiteral("円\t\t"));
    QCOMPARE(store.value(QStringLiteral("Settings/PreviewPages")).toInt(), 2);
    QCOMPARE(store.value(QStringLiteral("Recent File List/File1")).toString(), strPath);
    QVERIFY(!store.value(QStringLiteral("Workspace/State")).toByteArray().isEmpty());

    // The next start reads them back and finds the layout of this release.
    CRecEditDlg::SetLastPosition(QPoint(NO_POSITION, NO_POSITION));
    auto pApp = Start();
    QCOMPARE(pApp->Settings().m_ptRecEditDlg, QPoint(12, 34));
    QCOMPARE(CRecEditDlg::LastPosition(), QPoint(12, 34));
    QCOMPARE(pApp->Settings().m_pickList, QStringList{QStringLiteral("円\t\t")});
    QCOMPARE(pApp->Sessions().size(), 1);
    QCOMPARE(pApp->Sessions().first()->Path(), strPath);
    QVERIFY(!QSettings(Store(), QSettings::IniFormat).value(QStringLiteral("Workspace/State")).isNull());
}

void TestMainFrame::editorIsDismissed_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("click on the copy button") << QStringLiteral("toolbar") << true;
    QTest::newRow("wheel over the editor") << QStringLiteral("wheel") << true;
    QTest::newRow("wheel over the grid") << QStringLiteral("grid wheel") << true;
    QTest::newRow("right click on the pane") << QStringLiteral("pane") << true;
    QTest::newRow("click inside the editor") << QStringLiteral("inside") << false;
    QTest::newRow("click in the editor's own menu") << QStringLiteral("menu") << false;
}

void TestMainFrame::editorIsDismissed()
{
    QFETCH(QString, gesture);
    QFETCH(bool, hidden);
    auto pApp = Start();
    CMainFrame* pFrame = pApp->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(pFrame));
    auto* pView = qobject_cast<CCofferView*>(pFrame->ActiveChildFrame()->View());
    QVERIFY(pView);
    // More lines than the window shows, so that a wheel turn has something to scroll.
    std::vector<CReceipt> lines(60);
    for (int i = 0; i < int(lines.size()); ++i) {
        lines[std::size_t(i)].m_date = MakeDate(2024, 1 + i / 28, 1 + i % 28);
        lines[std::size_t(i)].m_strDesc = QStringLiteral("line %1").arg(i);
    }
    CCofferDoc& doc = pView->Document();
    QVERIFY(doc.PushAction(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 0, std::move(lines))));
    const int nDescCol = int(pView->Layout().size()) - 1;
    pView->SetCurCell(nDescCol, 1, 0, 0);
    pFrame->OnIdle();

    // The register's own edit, started as the command does it.
    QVERIFY(pFrame->Execute(ID_EDIT_MODIFY));
    CInplaceEdit* pEdit = pView->Editor();
    QVERIFY(pEdit->IsActive());
    QCOMPARE(pFrame->InplaceEditor(), pEdit);
    // The frame's keys are set aside while the editor is up.
    QVERIFY(pFrame->Action(ID_EDIT_COPY)->shortcuts().isEmpty());
    pEdit->selectAll();
    QTest::keyClicks(pEdit, QStringLiteral("edited"));
    QApplication::clipboard()->clear();
    pFrame->OnIdle();

    if (gesture == QLatin1String("toolbar")) {
        QWidget* pButton = pFrame->StandardToolBar()->widgetForAction(pFrame->Action(ID_EDIT_COPY));
        QVERIFY(pButton && pButton->isEnabled());
        QTest::mouseClick(pButton, Qt::LeftButton);
    } else if (gesture == QLatin1String("pane")) {
        QTest::mouseClick(pFrame->NaviPane()->PeriodButtons().first(), Qt::RightButton);
    } else if (gesture == QLatin1String("inside")) {
        QTest::mouseClick(pEdit, Qt::LeftButton);
    } else if (gesture == QLatin1String("menu")) {
        std::unique_ptr<QMenu> pMenu(pEdit->createStandardContextMenu());
        pMenu->popup(pEdit->mapToGlobal(QPoint(5, 5)));
        QVERIFY(QTest::qWaitForWindowExposed(pMenu.get()));
        // Select all ends the editor's menu.
        QAction* pSelectAll = pMenu->actions().last();
        QTest::mouseClick(pMenu.get(), Qt::LeftButton, {}, pMenu->actionGeometry(pSelectAll).center());
        // The menu's command worked on the text being edited.
        QCOMPARE(pEdit->selectedText(), QStringLiteral("edited"));
    } else {
        QWidget* pTarget = gesture == QLatin1String("wheel") ? static_cast<QWidget*>(pEdit) : pView->viewport();
        QWheelEvent wheel(QPointF(5, 5), pTarget->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pTarget, &wheel);
    }
    QCOMPARE(pEdit->IsActive(), !hidden);
    QCOMPARE(pEdit->isVisible(), !hidden);
    // Hiding commits the edit.
    QCOMPARE(doc.Lines()[1].m_strDesc, hidden ? QStringLiteral("edited") : QStringLiteral("line 1"));
    QCOMPARE(pFrame->InplaceEditor() == nullptr, hidden);
    QCOMPARE(pFrame->Action(ID_EDIT_COPY)->shortcuts().isEmpty(), !hidden);
    // The button's command ran only after the edit was in the ledger.
    if (gesture == QLatin1String("toolbar"))
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("edited"));
    pEdit->End(false);
    QVERIFY(pFrame->InplaceEditor() == nullptr);
    QCOMPARE(pFrame->Action(ID_EDIT_COPY)->shortcut(), QKeySequence(QKeySequence::Copy));
}

void TestMainFrame::dropActivatesItsWindow()
{
    auto pApp = Start();
    CMainFrame* pFrame = pApp->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(pFrame));
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));
    // The drop goes to the first window, opened before the frame was active, after another
    // window took over.
    CChildFrame* pTarget = pFrame->ActiveChildFrame();
    QVERIFY(pFrame->Execute(ID_FILE_NEW));
    QVERIFY(pFrame->ActiveChildFrame() != pTarget);
    auto* pView = qobject_cast<CCofferView*>(pTarget->View());
    QVERIFY(pView);
    QVERIFY(!pView->IsActive());

    // Two whole lines from another ledger dragged onto its empty register.
    CCofferDoc source;
    source.OnNewDocument();
    std::vector<CReceipt> dropped;
    for (int i = 0; i < 2; ++i) {
        CReceipt line;
        line.m_date = MakeDate(2024, 3, 1 + i);
        line.m_strDesc = QStringLiteral("dropped");
        dropped.push_back(line);
    }
    support::Fill(source, std::move(dropped), source.Currencies(), source.Categories());
    QMimeData data;
    data.setData(CRegClipboard::PrivateMime(),
                 CRegClipboard::BuildPrivate(source, pView->Layout(), CLineRange::WholeRows(0, 1), 0, 0));
    const QPoint pt = pView->viewport()->rect().center();
    QDragEnterEvent enter(pt, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(pView->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(pFrame->ActiveChildFrame(), pTarget);
    QVERIFY(pView->IsActive());
    QDropEvent drop(QPointF(pt), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ControlModifier);
    const int nBefore = pView->Document().GetLineCount();
    QApplication::sendEvent(pView->viewport(), &drop);
    QCOMPARE(pView->Document().GetLineCount(), nBefore + 2);
    // The active target selects what the drop inserted.
    int nFirst = 0;
    while (nFirst < nBefore && pView->Document().Lines()[std::size_t(nFirst)].m_strDesc != QLatin1String("dropped"))
        ++nFirst;
    QVERIFY(pView->Selection().GetPrimaryRange() == CRange::WholeRows(nFirst, nFirst + 1));
}

void TestMainFrame::datePickerOpensAtTheToolbarButton()
{
    auto pApp = Start();
    CMainFrame* pFrame = pApp->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(pFrame));
    CDatePickerPopup* pPicker = pFrame->DatePicker();
    QSignalSpy down(pPicker, &CDatePickerPopup::DroppedDown);
    QSignalSpy up(pPicker, &CDatePickerPopup::ClosedUp);
    QVERIFY(pFrame->DropDownDatePicker(ID_MOVE_DATE, QDate(2020, 2, 29)));
    QWidget* pButton = pFrame->StandardToolBar()->widgetForAction(pFrame->Action(ID_MOVE_DATE));
    // Within the popup's own frame of the requested corner.
    QVERIFY((pPicker->pos() - pButton->mapToGlobal(QPoint(0, pButton->height()))).manhattanLength() <= 8);
    QCOMPARE(pPicker->selectedDate(), QDate(2020, 2, 29));
    QCOMPARE(down.size(), 1);
    Q_EMIT pPicker->clicked(QDate(2020, 3, 3));
    QCOMPARE(up.size(), 1);
    QCOMPARE(up.at(0).at(0).toDate(), QDate(2020, 3, 3));
    QVERIFY(!pPicker->isVisible());

    // From a view's own place; Escape closes it with no day.
    QVERIFY(pFrame->DropDownDatePicker(ID_MOVE_DATE_AT, QDate(2021, 1, 1), QPoint(40, 50)));
    QVERIFY((pPicker->pos() - QPoint(40, 50)).manhattanLength() <= 8);
    QTest::keyClick(pPicker, Qt::Key_Escape);
    QCOMPARE(up.size(), 2);
    QVERIFY(!up.at(1).at(0).toDate().isValid());

    // The button taken off the toolbar: the command does nothing.
    pFrame->Action(ID_MOVE_DATE)->setVisible(false);
    QVERIFY(!pFrame->DropDownDatePicker(ID_MOVE_DATE, QDate(2020, 2, 29)));
    QCOMPARE(down.size(), 2);
}

void TestMainFrame::modifiedLedgerAsksBeforeClosing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("save") << int(IDYES) << true << true;
    QTest::newRow("discard") << int(IDNO) << true << false;
    QTest::newRow("cancel") << int(IDCANCEL) << false << false;
}

void TestMainFrame::modifiedLedgerAsksBeforeClosing()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    auto pApp = Start();
    const QString strTarget = m_pDir->filePath(QStringLiteral("saved.ldr"));
    pApp->SetSavePathPrompt([&](const QString& strProposed) {
        // A new ledger proposes its untitled name as a native file.
        return strProposed == QLatin1String("Pennyfold1.ldr") ? strTarget : QString();
    });
    CLedgerSession* pSession = pApp->Sessions().first();
    pSession->SetModified(true);
    CRecordingMessageSink sink;
    sink.QueueAnswer(answer);
    pApp->MainFrame()->ActiveChildFrame()->close();
    QCOMPARE(sink.m_boxes.size(), 1);
    QCOMPARE(sink.m_boxes.first().strText, QStringLiteral("Pennyfold1 への変更を保存しますか?"));
    QTRY_COMPARE(pApp->Sessions().isEmpty(), closed);
    QCOMPARE(QFile::exists(strTarget), saved);
    if (saved) {
        QCOMPARE(pApp->Settings().m_recentFiles.At(0), strTarget);
        // The saved ledger opens again.
        QVERIFY(pApp->OpenDocument(strTarget));
        QCOMPARE(pApp->Sessions().first()->Title(), QStringLiteral("saved.ldr"));
        QVERIFY(!pApp->Sessions().first()->IsModified());
    }
}

void TestMainFrame::cancelKeepsEveryWindow_data()
{
    QTest::addColumn<bool>("bExit");
    QTest::newRow("close-ledger-with-two-windows") << false;
    QTest::newRow("exit-with-two-ledgers") << true;
}

void TestMainFrame::cancelKeepsEveryWindow()
{
    QFETCH(bool, bExit);
    auto pApp = Start();
    CLedgerSession* pFirst = pApp->Sessions().first();
    pFirst->SetModified(true);
    // A second window on the modified ledger, and a second, unmodified ledger.
    pApp->MainFrame()->ExecuteCommand(ID_WINDOW_NEW);
    QVERIFY(pApp->NewDocument());
    pApp->MainFrame()->ActivateChildFrame(pFirst->Frames().first());
    QCOMPARE(pApp->MainFrame()->ChildFrames().size(), 3);

    CRecordingMessageSink sink;
    sink.QueueAnswer(IDCANCEL);
    if (bExit)
        QVERIFY(!pApp->MainFrame()->close());
    else
        pApp->MainFrame()->ExecuteCommand(ID_FILE_CLOSE);
    QCOMPARE(sink.m_boxes.size(), 1);
    QCOMPARE(pApp->MainFrame()->ChildFrames().size(), 3);
    QCOMPARE(pApp->Sessions().size(), 2);
    QCOMPARE(pFirst->Frames().size(), 2);

    // Discarding closes the ledger with both its windows, asking once.
    sink.QueueAnswer(IDNO);
    pApp->MainFrame()->ActivateChildFrame(pFirst->Frames().first());
    if (bExit)
        QVERIFY(pApp->MainFrame()->close());
    else
        pApp->MainFrame()->ExecuteCommand(ID_FILE_CLOSE);
    QCOMPARE(sink.m_boxes.size(), 2);
    QTRY_COMPARE(pApp->Sessions().size(), bExit ? 0 : 1);
}

void TestMainFrame::appColors_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QColor>("colour");
    const QPalette palette = QApplication::palette();
    QTest::newRow("window background by default") << 0 << QVariant() << palette.color(QPalette::Active, QPalette::Base);
    QTest::newRow("grey text by default") << 4 << QVariant() << palette.color(QPalette::Disabled, QPalette::Text);
    QTest::newRow("stored black") << 0 << QVariant(0) << QColor(0, 0, 0);
    QTest::newRow("red low byte") << 5 << QVariant() << QColor(255, 0, 0);
    QTest::newRow("dark blue") << 11 << QVariant() << QColor(0, 0, 0x7F);
    QTest::newRow("light cyan") << 9 << QVariant() << QColor(0x80, 0xFF, 0xFF);
    QTest::newRow("stored unsigned default") << 14 << QVariant(QStringLiteral("4294967295")) << QColor(0xC0, 0xC0, 0xC0);
    QTest::newRow("stored colour") << 13 << QVariant(0x00336699) << QColor(0x99, 0x66, 0x33);
}

void TestMainFrame::appColors()
{
    QFETCH(int, slot);
    QFETCH(QVariant, stored);
    QFETCH(QColor, colour);
    if (stored.isValid())
        Seed(QStringLiteral("Style/AppColor%1").arg(slot), stored);
    CCofferApp app;
    QSettings store(Store(), QSettings::IniFormat);
    app.LoadSettings(store);
    QCOMPARE(app.GetAppColor(slot), colour);
}

void TestMainFrame::dialogPositionsOffScreenAreIgnored()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint none(NO_POSITION, NO_POSITION);
    QCOMPARE(CCofferApp::UsablePosition(screen.topLeft() + QPoint(5, 5)), screen.topLeft() + QPoint(5, 5));
    QCOMPARE(CCofferApp::UsablePosition(screen.bottomRight() + QPoint(5000, 5000)), none);
    QCOMPARE(CCofferApp::UsablePosition(QPoint(-30000, 10)), none);
    QCOMPARE(CCofferApp::UsablePosition(none), none);
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
