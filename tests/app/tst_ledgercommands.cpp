#include "../register/RegFixture.h"
#include "AppStart.h"
#include "tests/support/KeyInput.h"

#include "app/AppIcon.h"
#include "app/ChildFrame.h"
#include "app/CofferApp.h"
#include "command/CommandIds.h"
#include "command/CommandTable.h"
#include "app/LedgerSession.h"
#include "app/MainFrame.h"
#include "app/QtTranslation.h"
#include "grid/InplaceEdit.h"
#include "grid/Range.h"
#include "persist/DocumentFile.h"
#include "platform/PasswordPrompt.h"
#include "platform/RecordingMessageSink.h"
#include "platform/SettingsStore.h"
#include "platform/StringTable.h"
#include "register/CofferView.h"
#include "register/RecEditDlg.h"
#include "register/RecEditEntry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace regfix;
using support::StartApp;
using support::TypeText;

namespace {

// The register's default layout: date, in, out, balance, account, category, description.
enum : int { C_DATE = 0, C_IN = 1, C_OUT = 2, C_CATEGORY = 5, C_DESC = 6 };

// What the platform's drag loop delivers to the view under the pointer.
Qt::DropAction DragOnto(CCofferView& view, const QMimeData& data, const QPoint& pt)
{
    QDragEnterEvent enter(pt, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(QPointF(pt), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

QString MessagePaneText(CMainFrame* pFrame)
{
    auto* pPane = pFrame->findChild<QLabel*>(QStringLiteral("MessagePane"));
    return pPane ? pPane->text() : QString();
}

} // namespace

// The ledger's commands as the menus, the toolbar and the keys reach them in the running
// program: undo and redo, opening from the recent list, refusals, help, Qt's own texts.
class TestLedgerCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void undoRedoThroughCommands_data();
    void undoRedoThroughCommands();
    void redoAnswersBothKeys();
    void recordDialogFromInsertKey();
    void wrongPasswordIsOneMessageAndStaysRecent();
    void refusedEditSaysWhyInStatusBar_data();
    void refusedEditSaysWhyInStatusBar();
    void openDialogOffersEveryReadableType();
    void toolbarIconsComeFromTheTheme();
    void helpWithoutBrowserSaysSo();
    void qtTextsChooseLocale_data();
    void qtTextsChooseLocale();
    void qtTextsAreJapanese();

private:
    QString Store() const { return m_pDir->filePath(QStringLiteral("store.ini")); }
    // A native ledger with food lines named a .. e.
    QString MakeLedger(const QString& strName, const QString& strPassword = QString()) const;
    static CCofferView* ActiveRegister(CCofferApp& app);

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CScopedSettingsFile> m_pStore;
};

void TestLedgerCommands::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pStore = std::make_unique<CScopedSettingsFile>(Store());
}

void TestLedgerCommands::cleanup()
{
    CCofferView::SetRecEditAsk({});
    m_pStore.reset();
    m_pDir.reset();
}

QString TestLedgerCommands::MakeLedger(const QString& strName, const QString& strPassword) const
{
    const QString strPath = m_pDir->filePath(strName);
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d", "e" }), false);
    doc.m_strPassword = strPassword;
    if (!CDocumentFile::Save(doc, strPath))
        qWarning("could not write %s", qPrintable(strPath));
    return strPath;
}


CCofferView* TestLedgerCommands::ActiveRegister(CCofferApp& app)
{
    CChildFrame* pChild = app.MainFrame()->ActiveChildFrame();
    return pChild ? qobject_cast<CCofferView*>(pChild->View()) : nullptr;
}

void TestLedgerCommands::undoRedoThroughCommands_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("edit") << "edit" << QStringList{ "a", "zz", "c", "d", "e" };
    QTest::newRow("paste") << "paste" << QStringList{ "a", "b", "c", "a", "d", "e" };
    QTest::newRow("delete") << "delete" << QStringList{ "a", "d", "e" };
    QTest::newRow("drag") << "drag" << QStringList{ "b", "c", "a", "d", "e" };
    QTest::newRow("input") << "input" << QStringList{ "a", "zz", "b", "c", "d", "e" };
    QTest::newRow("row modify") << "row modify" << QStringList{ "a", "b", "zz", "d", "e" };
}

void TestLedgerCommands::undoRedoThroughCommands()
{
    QFETCH(QString, change);
    QFETCH(QStringList, after);
    auto pApp = StartApp({ MakeLedger(QStringLiteral("book.ldr")) });
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    CCofferView* pView = ActiveRegister(*pApp);
    QVERIFY(pView);
    QVERIFY(QTest::qWaitForWindowExposed(pFrame));
    CLedgerSession* pSession = pApp->Sessions().first();
    CCofferDoc& doc = pSession->Document();
    const QStringList before = Descriptions(doc);
    QAction* pUndo = pFrame->Action(ID_EDIT_UNDO);
    QAction* pRedo = pFrame->Action(ID_EDIT_REDO);
    QVERIFY(pUndo && pRedo);
    QVERIFY(!pUndo->isEnabled());
    QVERIFY(!pRedo->isEnabled());

    if (change == QLatin1String("edit")) {
        pView->SetCurCell(C_DESC, 1, 0, 0);
        QVERIFY(pFrame->Execute(ID_EDIT_MODIFY));
        CInplaceEdit* pEdit = pView->Editor();
        QVERIFY(pEdit && pEdit->IsActive());
        pEdit->selectAll();
        QTest::keyClicks(pEdit, QStringLiteral("zz"));
        QTest::keyClick(pEdit, Qt::Key_Return);
    } else if (change == QLatin1String("paste")) {
        pView->Selection().SetRange(CRange::WholeRows(0, 0));
        QVERIFY(pFrame->Execute(ID_EDIT_COPY));
        pView->SetCurCell(C_DESC, 3, 0, 0);
        pFrame->OnIdle();
        QVERIFY(pFrame->Action(ID_EDIT_PASTE)->isEnabled());
        QVERIFY(pFrame->Execute(ID_EDIT_PASTE));
    } else if (change == QLatin1String("delete")) {
        pView->Selection().SetRange(CRange::WholeRows(1, 2));
        QVERIFY(pFrame->Execute(ID_EDIT_CLEAR));
    } else if (change == QLatin1String("input") || change == QLatin1String("row modify")) {
        const bool bInput = change == QLatin1String("input");
        if (bInput)
            pView->SetCurCell(C_DESC, 1, 0, 0);
        else
            pView->Selection().SetRange(CRange::WholeRows(2, 2));
        const int nID = bInput ? ID_EDIT_INPUT : ID_EDIT_MODIFY_ROW;
        pFrame->OnIdle();
        QVERIFY(pFrame->Action(nID)->isEnabled());
        CCofferView::SetRecEditAsk([](CRecEditEntry& entry) {
            entry.m_nCat = CAT_FOOD;
            entry.m_nAmount = U(-5);
            entry.m_strDesc = QStringLiteral("zz");
            return int(CRecEditEntry::RESULT_OK);
        });
        QVERIFY(pFrame->Execute(nID));
    } else {
        pView->Selection().SetRange(CRange::WholeRows(0, 0));
        CLineRange lines;
        std::unique_ptr<QMimeData> pData(pView->BeginDrag(pView->CellToRect(C_DESC, 0, false).center(), lines));
        QVERIFY(pData);
        const QRect rc = pView->CellToRect(C_DESC, 3, false);
        const Qt::DropAction action = DragOnto(*pView, *pData, QPoint(rc.center().x(), rc.top() + 2));
        QCOMPARE(action, Qt::MoveAction);
        pView->EndDrag(action, lines);
    }
    QCOMPARE(Descriptions(doc), after);

    // The toolbar's button and the menu item share the action; its state follows the history.
    pFrame->OnIdle();
    QVERIFY(pUndo->isEnabled());
    QVERIFY(!pRedo->isEnabled());
    QVERIFY(pSession->IsModified());
    QVERIFY(pFrame->ActiveChildFrame()->windowTitle().endsWith(QStringLiteral(" *")));
    pUndo->trigger();
    QCOMPARE(Descriptions(doc), before);
    pFrame->OnIdle();
    QVERIFY(!pUndo->isEnabled());
    QVERIFY(pRedo->isEnabled());
    // Back at the saved state: no modified mark, no question at close.
    QVERIFY(!pSession->IsModified());
    QVERIFY(!pFrame->ActiveChildFrame()->windowTitle().endsWith(QStringLiteral(" *")));
    pRedo->trigger();
    QCOMPARE(Descriptions(doc), after);
    pFrame->OnIdle();
    QVERIFY(pUndo->isEnabled());
    QVERIFY(!pRedo->isEnabled());
    QVERIFY(pSession->IsModified());
}

void TestLedgerCommands::redoAnswersBothKeys()
{
    auto pApp = StartApp({ MakeLedger(QStringLiteral("keys.ldr")) });
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));
    CCofferView* pView = ActiveRegister(*pApp);
    CCofferDoc& doc = pApp->Sessions().first()->Document();
    pView->setFocus();
    pView->Selection().SetRange(CRange::WholeRows(4, 4));
    QVERIFY(pFrame->Execute(ID_EDIT_CLEAR));
    const QStringList deleted{ "a", "b", "c", "d" };
    const QStringList whole{ "a", "b", "c", "d", "e" };
    QCOMPARE(Descriptions(doc), deleted);

    struct SKey
    {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QStringList expected;
    };
    const SKey keys[] = {
        { Qt::Key_Z, Qt::ControlModifier, whole },
        { Qt::Key_Y, Qt::ControlModifier, deleted },
        { Qt::Key_Z, Qt::ControlModifier, whole },
        { Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, deleted },
    };
    for (const SKey& k : keys) {
        pFrame->OnIdle();
        QTest::keyClick(pView, k.key, k.mods);
        QCOMPARE(Descriptions(doc), k.expected);
    }
}

void TestLedgerCommands::recordDialogFromInsertKey()
{
    auto pApp = StartApp({ MakeLedger(QStringLiteral("insert.ldr")) });
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));
    CCofferView* pView = ActiveRegister(*pApp);
    CCofferDoc& doc = pApp->Sessions().first()->Document();
    pView->setFocus();
    pView->SetCurCell(C_DESC, 2, 0, 0);
    pFrame->OnIdle();
    QVERIFY(pFrame->Action(ID_EDIT_INPUT)->isEnabled());
    QString strTitle;
    QTimer::singleShot(0, [&strTitle] {
        auto* pDlg = qobject_cast<CRecEditDlg*>(QApplication::activeModalWidget());
        if (pDlg == nullptr)
            return;
        strTitle = pDlg->windowTitle();
        pDlg->CategoryList()->setCurrentIndex(CAT_FOOD);
        pDlg->AmountEdit()->setText(QStringLiteral("-320"));
        pDlg->DescEdit()->setText(QStringLiteral("パン"));
        pDlg->Button(CRecEditEntry::RESULT_OK)->click();
    });
    QTest::keyClick(pView, Qt::Key_Insert);
    QCOMPARE(strTitle, QStringLiteral("データの入力"));
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "パン", "c", "d", "e" }));
    QCOMPARE(doc.Lines()[2].m_nAmount, U(-320));
    pFrame->OnIdle();
    // The keys reach the register right after the dialog closed.
    QVERIFY(QTest::qWaitForWindowActive(pFrame));
    QCOMPARE(QApplication::focusWidget(), pView);
    QTest::keyClick(pView, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c", "d", "e" }));
}

void TestLedgerCommands::wrongPasswordIsOneMessageAndStaysRecent()
{
    const QString strPath = MakeLedger(QStringLiteral("locked.ldr"), QStringLiteral("secret"));
    auto pApp = StartApp();
    QVERIFY(pApp);
    pApp->AddToRecentFiles(strPath);
    pApp->MainFrame()->OnIdle();
    QCOMPARE(pApp->Settings().m_recentFiles.Size(), 1);
    const int nSessions = int(pApp->Sessions().size());

    CFixedPasswordPrompt wrong(QStringLiteral("guess"));
    CScopedPasswordPrompt scoped(&wrong);
    CRecordingMessageSink sink;
    QVERIFY(pApp->MainFrame()->Action(ID_FILE_MRU_FILE1)->isEnabled());
    pApp->MainFrame()->Action(ID_FILE_MRU_FILE1)->trigger();
    QCOMPARE(wrong.m_nAsked, 1);
    QCOMPARE(sink.m_boxes.size(), 1);
    QVERIFY(sink.LastWas(IDS_PASSWORD_MISMATCH));
    QCOMPARE(int(pApp->Sessions().size()), nSessions);
    QCOMPARE(pApp->Settings().m_recentFiles.Size(), 1);

    // The right password opens it from the same entry.
    wrong.m_strAnswer = QStringLiteral("secret");
    pApp->MainFrame()->Action(ID_FILE_MRU_FILE1)->trigger();
    QCOMPARE(int(pApp->Sessions().size()), nSessions + 1);
    QVERIFY(pApp->MainFrame()->Execute(ID_FILE_CLOSE));

    // Only a file that is gone leaves the list.
    QVERIFY(QFile::remove(strPath));
    sink.Clear();
    pApp->MainFrame()->OnIdle();
    pApp->MainFrame()->Action(ID_FILE_MRU_FILE1)->trigger();
    QCOMPARE(pApp->Settings().m_recentFiles.Size(), 0);
}

void TestLedgerCommands::refusedEditSaysWhyInStatusBar_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("unknown category") << int(C_CATEGORY) << 1 << QStringLiteral("給与") << QStringLiteral("給与");
    QTest::newRow("unknown counter category")
        << int(C_CATEGORY) << 1 << QStringLiteral("食料；給与") << QStringLiteral("給与");
    QTest::newRow("impossible date") << int(C_DATE) << 1 << QStringLiteral("2024/2/31") << QStringLiteral("日付");
    QTest::newRow("not an amount") << int(C_OUT) << 1 << QStringLiteral("abc") << QStringLiteral("金額");
}

void TestLedgerCommands::refusedEditSaysWhyInStatusBar()
{
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, reasonPart);
    auto pApp = StartApp({ MakeLedger(QStringLiteral("refuse.ldr")) });
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    CCofferView* pView = ActiveRegister(*pApp);
    QVERIFY(QTest::qWaitForWindowExposed(pFrame));
    CCofferDoc& doc = pApp->Sessions().first()->Document();
    const auto lines = doc.Lines();

    CRecordingMessageSink sink;
    pView->SetCurCell(col, row, 0, 0);
    QVERIFY(pFrame->Execute(ID_EDIT_MODIFY));
    CInplaceEdit* pEdit = pView->Editor();
    QVERIFY(pEdit && pEdit->IsActive());
    pEdit->selectAll();
    TypeText(pEdit, text);
    QTest::keyClick(pEdit, Qt::Key_Return);

    QCOMPARE(doc.Lines(), lines);
    QVERIFY(!doc.CanUndo());
    // No box: the message pane says why.
    QVERIFY(sink.m_boxes.isEmpty());
    QVERIFY(pView->LastStatusMessage().contains(reasonPart));
    QCOMPARE(MessagePaneText(pFrame), pView->LastStatusMessage());
}

void TestLedgerCommands::openDialogOffersEveryReadableType()
{
    const QString strFilter = CCofferApp::OpenFilter();
    for (const char* szPattern : { "*.ldr", "*.ccr", "*.ofx", "*.qfx", "*.csv", "*.csd", "*.txt", "*.OFX", "*.CSV" })
        QVERIFY2(strFilter.contains(QLatin1String(szPattern)), szPattern);
    // The first entry shows every readable type at once.
    const QString strFirst = strFilter.section(QStringLiteral(";;"), 0, 0);
    QVERIFY(strFirst.contains(QLatin1String("*.ldr")) && strFirst.contains(QLatin1String("*.ofx"))
            && strFirst.contains(QLatin1String("*.csv")));
}

void TestLedgerCommands::toolbarIconsComeFromTheTheme()
{
    CAppIcon::UseDesktopTheme();
    QVERIFY2(QIcon::hasThemeIcon(QStringLiteral("edit-undo")), "the setup script installs an icon theme");
    auto pApp = StartApp();
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    for (int nID : { int(ID_FILE_NEW), int(ID_FILE_SAVE), int(ID_EDIT_UNDO), int(ID_EDIT_REDO), int(ID_EDIT_PASTE) })
        QCOMPARE(pFrame->Action(nID)->icon().name(), CCommandTable::Info(nID).strIconName);
    // Where the theme has nothing that fits, the drawn glyph stays.
    QVERIFY(CCommandTable::Info(ID_EDIT_BALANCE).strIconName.isEmpty());
    QVERIFY(!pFrame->Action(ID_EDIT_BALANCE)->icon().isNull());
}

void TestLedgerCommands::helpWithoutBrowserSaysSo()
{
    QTemporaryDir dir;
    const QString strPage = dir.filePath(QStringLiteral("index.html"));
    {
        QFile page(strPage);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html></html>");
    }
    auto previous = CCofferApp::UrlOpener();
    QList<QUrl> opened;
    CRecordingMessageSink sink;

    CCofferApp::UrlOpener() = [&opened](const QUrl& url) {
        opened.append(url);
        return true;
    };
    QVERIFY(CCofferApp::ShowHelp(strPage));
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().toLocalFile(), QFileInfo(strPage).absoluteFilePath());
    QVERIFY(sink.m_boxes.isEmpty());

    // No browser: the user is told that, not that a file is missing.
    CCofferApp::UrlOpener() = [](const QUrl&) { return false; };
    QVERIFY(!CCofferApp::ShowHelp(strPage));
    QCOMPARE(sink.m_boxes.size(), 1);
    QCOMPARE(sink.m_boxes.last().strText, CCofferApp::NoBrowserMessage());

    // A missing page is a missing file.
    QVERIFY(!CCofferApp::ShowHelp(dir.filePath(QStringLiteral("none.html"))));
    QVERIFY(sink.LastWas(IDS_FILE_NOT_FOUND));
    CCofferApp::UrlOpener() = previous;
}

void TestLedgerCommands::qtTextsChooseLocale_data()
{
    QTest::addColumn<QLocale>("user");
    QTest::addColumn<QLocale::Language>("language");
    QTest::newRow("unset") << QLocale::c() << QLocale::Japanese;
    QTest::newRow("japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << QLocale::Japanese;
    QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany) << QLocale::German;
    QTest::newRow("english") << QLocale(QLocale::English, QLocale::UnitedStates) << QLocale::English;
}

void TestLedgerCommands::qtTextsChooseLocale()
{
    QFETCH(QLocale, user);
    QFETCH(QLocale::Language, language);
    QCOMPARE(CQtTranslation::ChooseLocale(user).language(), language);
}

void TestLedgerCommands::qtTextsAreJapanese()
{
    // The setup script installs the translations; without them the buttons would be English.
    QVERIFY2(CQtTranslation::Install(*QCoreApplication::instance(), QLocale::c()),
             qPrintable(CQtTranslation::TranslationsPath()));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")));
    QVERIFY(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
    QVERIFY(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("キャンセル")));
}

QTEST_MAIN(TestLedgerCommands)
#include "tst_ledgercommands.moc"
