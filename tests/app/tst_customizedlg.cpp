#include "app/ChildFrame.h"
#include "app/CofferApp.h"
#include "command/CommandIds.h"
#include "app/CustomizeDlg.h"
#include "app/LedgerSession.h"
#include "app/MainFrame.h"
#include "platform/RecordingMessageSink.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

class TestCustomizeDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void userToolBarSurvivesRestart();
    void reassignedShortcutRunsTheNewCommand();
    void dialogEditsItsCopy();

private:
    QString Store() const { return m_pDir->filePath(QStringLiteral("store.ini")); }
    std::unique_ptr<CCofferApp> Start();
    static void Exit(std::unique_ptr<CCofferApp>& pApp);
    static QList<int> Ids(QToolBar* pBar);

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CScopedSettingsFile> m_pStore;
};

void TestCustomizeDlg::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pStore = std::make_unique<CScopedSettingsFile>(Store());
}

void TestCustomizeDlg::cleanup()
{
    m_pStore.reset();
    m_pDir.reset();
}

std::unique_ptr<CCofferApp> TestCustomizeDlg::Start()
{
    auto pApp = std::make_unique<CCofferApp>();
    if (!pApp->InitInstance({}, false))
        return nullptr;
    pApp->MainFrame()->show();
    pApp->MainFrame()->OnIdle();
    return pApp;
}

void TestCustomizeDlg::Exit(std::unique_ptr<CCofferApp>& pApp)
{
    pApp->MainFrame()->close();
    pApp->ExitInstance();
    pApp.reset();
}

QList<int> TestCustomizeDlg::Ids(QToolBar* pBar)
{
    QList<int> ids;
    for (QAction* pAction : pBar->actions())
        ids.append(pAction->isSeparator() ? 0 : pAction->data().toInt());
    return ids;
}

void TestCustomizeDlg::userToolBarSurvivesRestart()
{
    auto pApp = Start();
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    CCustomization custom = pFrame->Customization();
    const int nBar = custom.AddUserToolBar(QStringLiteral(" 家計 "));
    QCOMPARE(nBar, 59432);
    QVERIFY(custom.InsertButton(nBar, -1, ID_EDIT_COPY));
    QVERIFY(custom.InsertButton(nBar, -1, ID_TOOL_CALCULATOR));
    pFrame->ApplyCustomization(custom);

    QToolBar* pBar = pFrame->UserToolBar(nBar);
    QVERIFY(pBar);
    QCOMPARE(pFrame->UserToolBars(), QList<QToolBar*>{pBar});
    QCOMPARE(pBar->objectName(), QStringLiteral("UserToolBar59432"));
    QCOMPARE(pBar->windowTitle(), QStringLiteral("家計"));
    // Its buttons are the frame's commands, and the customise button closes it as it does every bar.
    QCOMPARE(Ids(pBar), (QList<int>{ID_EDIT_COPY, ID_TOOL_CALCULATOR, ID_VIEW_CUSTOMIZE}));
    QCOMPARE(pBar->actions().first(), pFrame->Action(ID_EDIT_COPY));
    // Placed by the user on the bottom edge.
    pFrame->addToolBar(Qt::BottomToolBarArea, pBar);

    // The bars' menu lists it and ends with the customise entry.
    std::unique_ptr<QMenu> pMenu(static_cast<QMainWindow*>(pFrame)->createPopupMenu());
    QStringList texts;
    for (QAction* pAction : pMenu->actions())
        texts.append(pAction->text());
    QVERIFY2(texts.contains(QStringLiteral("家計")), qPrintable(texts.join(QLatin1Char(','))));
    QCOMPARE(pMenu->actions().last(), pFrame->Action(ID_VIEW_CUSTOMIZE));
    pMenu.reset();

    Exit(pApp);
    QSettings store(Store(), QSettings::IniFormat);
    QCOMPARE(store.value(QStringLiteral("Workspace/Customization/UserToolBars/1/Name")).toString(),
             QStringLiteral("家計"));

    pApp = Start();
    QVERIFY(pApp);
    pFrame = pApp->MainFrame();
    pBar = pFrame->UserToolBar(nBar);
    QVERIFY(pBar);
    QCOMPARE(pBar->windowTitle(), QStringLiteral("家計"));
    QCOMPARE(Ids(pBar), (QList<int>{ID_EDIT_COPY, ID_TOOL_CALCULATOR, ID_VIEW_CUSTOMIZE}));
    QCOMPARE(pFrame->toolBarArea(pBar), Qt::BottomToolBarArea);
    QVERIFY(!pBar->isHidden());

    // Deleted in the dialog its own customise button opens, it is gone and stays gone.
    CRecordingMessageSink sink;
    sink.QueueAnswer(IDOK);
    bool bDialogSeen = false;
    QTimer::singleShot(0, pFrame, [&bDialogSeen] {
        auto* pDlg = qobject_cast<CCustomizeDlg*>(QApplication::activeModalWidget());
        QVERIFY(pDlg);
        bDialogSeen = true;
        auto* pBars = pDlg->findChild<QListWidget*>(QStringLiteral("bars"));
        QCOMPARE(pBars->count(), 2);
        pBars->setCurrentRow(1);
        QTest::mouseClick(pDlg->findChild<QPushButton*>(QStringLiteral("deleteBar")), Qt::LeftButton);
        pDlg->accept();
    });
    QWidget* pCustomize = pBar->widgetForAction(pFrame->Action(ID_VIEW_CUSTOMIZE));
    QVERIFY(pCustomize);
    QTest::mouseClick(pCustomize, Qt::LeftButton);
    QVERIFY(bDialogSeen);
    QCOMPARE(sink.m_boxes.size(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!pFrame->UserToolBar(nBar));
    QVERIFY(!pFrame->findChild<QToolBar*>(QStringLiteral("UserToolBar59432")));
    Exit(pApp);
    pApp = Start();
    QVERIFY(pApp->MainFrame()->UserToolBars().isEmpty());
}

void TestCustomizeDlg::reassignedShortcutRunsTheNewCommand()
{
    auto pApp = Start();
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));
    const QKeySequence key = pFrame->Action(ID_FILE_NEW)->shortcut();
    QVERIFY(!key.isEmpty());

    // The new-ledger key now opens another window of the same ledger.
    CCustomization custom = pFrame->Customization();
    QVERIFY(custom.AssignKey(ID_WINDOW_NEW, key));
    pFrame->ApplyCustomization(custom);
    QVERIFY(pFrame->Action(ID_FILE_NEW)->shortcuts().isEmpty());
    QCOMPARE(pFrame->Action(ID_WINDOW_NEW)->shortcuts(), QList<QKeySequence>{key});

    QWidget* pTarget = QApplication::focusWidget() ? QApplication::focusWidget() : pFrame;
    QTest::keySequence(pTarget, key);
    QCOMPARE(pApp->Sessions().size(), 1);
    QCOMPARE(pFrame->ChildFrames().size(), 2);

    // The keys come back with the next start.
    Exit(pApp);
    pApp = Start();
    QVERIFY(pApp);
    QCOMPARE(pApp->MainFrame()->Action(ID_WINDOW_NEW)->shortcuts(), QList<QKeySequence>{key});
    QVERIFY(pApp->MainFrame()->Action(ID_FILE_NEW)->shortcuts().isEmpty());
}

void TestCustomizeDlg::dialogEditsItsCopy()
{
    auto pApp = Start();
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    const QList<SCommandCategory> categories = pFrame->MenuCommands();
    QHash<int, QAction*> actions;
    for (const SCommandCategory& category : categories) {
        for (int nID : category.commands)
            actions.insert(nID, pFrame->Action(nID));
    }
    // One category per menu title, the recent files left out.
    QStringList titles;
    for (const SCommandCategory& category : categories)
        titles.append(CCustomizeDlg::PlainText(category.strTitle));
    QCOMPARE(titles, (QStringList{QStringLiteral("ファイル"), QStringLiteral("編集"), QStringLiteral("表示"),
                                  QStringLiteral("移動"), QStringLiteral("ツール"), QStringLiteral("ウィンドウ"),
                                  QStringLiteral("ヘルプ")}));
    QVERIFY(!categories.first().commands.contains(ID_FILE_MRU_FILE1));
    QVERIFY(categories.first().commands.contains(ID_FILE_SAVE_AS));

    const CCustomization before = pFrame->Customization();
    CCustomizeDlg dlg(before, categories, actions, pFrame);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(!dlg.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    auto* pTabs = dlg.findChild<QTabWidget*>(QStringLiteral("tabs"));
    QStringList tabs;
    for (int i = 0; i < pTabs->count(); ++i)
        tabs.append(pTabs->tabText(i));
    QCOMPARE(tabs, (QStringList{QStringLiteral("ツール バー"), QStringLiteral("コマンド"), QStringLiteral("キーボード"),
                                QStringLiteral("オプション")}));

    // A new bar, named on the second try: the first name is the standard bar's.
    CRecordingMessageSink sink;
    QStringList answers{QStringLiteral("標準"), QStringLiteral("月次")};
    dlg.SetNamePrompt([&answers](const QString&, QString& strName) {
        if (answers.isEmpty())
            return false;
        strName = answers.takeFirst();
        return true;
    });
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("newBar")), Qt::LeftButton);
    QCOMPARE(sink.m_boxes.size(), 1);
    QCOMPARE(dlg.Result().ToolBars(), (QList<int>{CCustomization::STANDARD_TOOLBAR, 59432}));
    QCOMPARE(dlg.Result().ToolBarName(59432), QStringLiteral("月次"));
    QCOMPARE(dlg.findChild<QListWidget*>(QStringLiteral("bars"))->count(), 2);

    // Copy from the edit menu onto it; the commands page has the new bar chosen.
    auto* pCategories = dlg.findChild<QListWidget*>(QStringLiteral("categories"));
    pCategories->setCurrentRow(int(titles.indexOf(QStringLiteral("編集"))));
    auto* pCommands = dlg.findChild<QListWidget*>(QStringLiteral("commands"));
    for (int i = 0; i < pCommands->count(); ++i) {
        if (pCommands->item(i)->data(Qt::UserRole).toInt() == ID_EDIT_COPY)
            pCommands->setCurrentRow(i);
    }
    QCOMPARE(dlg.findChild<QComboBox*>(QStringLiteral("buttonBar"))->currentData().toInt(), 59432);
    auto* pAdd = dlg.findChild<QPushButton*>(QStringLiteral("addButton"));
    QVERIFY(pAdd->isEnabled());
    QTest::mouseClick(pAdd, Qt::LeftButton);
    QCOMPARE(dlg.Result().Buttons(59432), QList<int>{ID_EDIT_COPY});
    // Once is enough on one bar.
    QVERIFY(!pAdd->isEnabled());

    // The keyboard page names who has a key before it moves.
    const QKeySequence key = pFrame->Action(ID_FILE_NEW)->shortcut();
    auto* pKeyCategory = dlg.findChild<QComboBox*>(QStringLiteral("keyCategory"));
    pKeyCategory->setCurrentIndex(int(titles.indexOf(QStringLiteral("ウィンドウ"))));
    auto* pKeyCommands = dlg.findChild<QListWidget*>(QStringLiteral("keyCommands"));
    QCOMPARE(pKeyCommands->currentItem()->data(Qt::UserRole).toInt(), int(ID_WINDOW_NEW));
    dlg.findChild<QKeySequenceEdit*>(QStringLiteral("newKey"))->setKeySequence(key);
    QVERIFY(dlg.findChild<QLabel*>(QStringLiteral("keyOwner"))->text().contains(QStringLiteral("新規作成")));
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("assignKey")), Qt::LeftButton);
    QCOMPARE(dlg.Result().CommandForKey(key), int(ID_WINDOW_NEW));
    QCOMPARE(dlg.findChild<QListWidget*>(QStringLiteral("currentKeys"))->count(), 1);

    dlg.findChild<QCheckBox*>(QStringLiteral("textLabels"))->setChecked(true);
    QVERIFY(dlg.Result().TextLabels());
    // Nothing reaches the frame before OK.
    QVERIFY(pFrame->Customization() == before);
    pFrame->ApplyCustomization(dlg.Result());
    QCOMPARE(pFrame->StandardToolBar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QCOMPARE(pFrame->UserToolBar(59432)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

    // Without shadows the menus ask the window system for none.
    CCustomization plain = pFrame->Customization();
    plain.SetMenuShadows(false);
    pFrame->ApplyCustomization(plain);
    for (QMenu* pMenu : pFrame->VisibleMenus())
        QVERIFY(pMenu->windowFlags().testFlag(Qt::NoDropShadowWindowHint));
    std::unique_ptr<QMenu> pBars(static_cast<QMainWindow*>(pFrame)->createPopupMenu());
    QVERIFY(pBars->windowFlags().testFlag(Qt::NoDropShadowWindowHint));
}

QTEST_MAIN(TestCustomizeDlg)
#include "tst_customizedlg.moc"
