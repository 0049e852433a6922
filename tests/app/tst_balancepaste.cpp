#include "../register/RegFixture.h"
#include "AppStart.h"

#include "app/ChildFrame.h"
#include "app/CofferApp.h"
#include "command/CommandIds.h"
#include "app/LedgerSession.h"
#include "app/MainFrame.h"
#include "dialogs/BalEntDlg.h"
#include "dialogs/PasteSelDlg.h"
#include "grid/Range.h"
#include "persist/DocumentFile.h"
#include "platform/Clock.h"
#include "platform/RecordingMessageSink.h"
#include "platform/SettingsStore.h"
#include "platform/StringTable.h"
#include "register/CofferView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace regfix;
using support::StartApp;

namespace {

enum : int { C_DESC = 6 };

// Answers the next balance dialog with an amount (or cancels it with an empty text).
void AnswerBalance(QObject* pContext, const QString& strAmount, bool* pSeen = nullptr)
{
    QTimer::singleShot(0, pContext, [strAmount, pSeen] {
        auto* pDlg = qobject_cast<CBalEntDlg*>(QApplication::activeModalWidget());
        if (!pDlg)
            return;
        if (pSeen)
            *pSeen = true;
        if (strAmount.isEmpty()) {
            pDlg->reject();
            return;
        }
        pDlg->findChild<QLineEdit*>(QStringLiteral("amount"))->setText(strAmount);
        pDlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
}

} // namespace

// The balance entry and the paste with a chosen method as the menus reach them, each
// followed by undo and redo through the commands.
class TestBalancePaste : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void balanceInsertsThenReplaces();
    void balanceWithoutCarryOverCategory();
    void openingAskingLedgerEntersBalance();
    void pasteSpecialMethods_data();
    void pasteSpecialMethods();
    void pasteSpecialRefusesCells();
    void pasteSpecialThroughTheDialog();

private:
    QString MakeLedger(const QString& strName, std::int32_t nDocFlags = 0, bool bCarry = true) const;
    static CCofferView* ActiveRegister(CCofferApp& app);
    void CheckUndoRedo(CMainFrame* pFrame, const CCofferDoc& doc, const QStringList& before, const QStringList& after);

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CScopedSettingsFile> m_pStore;
};

void TestBalancePaste::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pStore = std::make_unique<CScopedSettingsFile>(m_pDir->filePath(QStringLiteral("store.ini")));
    // Inside the ledger's third day.
    CClock::SetNow(QDateTime(QDate(2024, 3, 3), QTime(12, 0)));
}

void TestBalancePaste::cleanup()
{
    CCofferView::SetPasteMethodAsk({});
    m_pStore.reset();
    m_pDir.reset();
    CClock::Reset();
}

QString TestBalancePaste::MakeLedger(const QString& strName, std::int32_t nDocFlags, bool bCarry) const
{
    const QString strPath = m_pDir->filePath(strName);
    CCofferDoc doc;
    Fill(doc, Named({"a", "b", "c", "d", "e"}), false);
    if (!bCarry)
        support::Amend(doc, [](CLedgerContent& content) { content.m_cats[CAT_CARRY].m_nAttr = ATTR_EXPENSE; });
    doc.m_nDocFlags = nDocFlags;
    if (!CDocumentFile::Save(doc, strPath))
        qWarning("could not write %s", qPrintable(strPath));
    return strPath;
}

CCofferView* TestBalancePaste::ActiveRegister(CCofferApp& app)
{
    CChildFrame* pChild = app.MainFrame()->ActiveChildFrame();
    return pChild ? qobject_cast<CCofferView*>(pChild->View()) : nullptr;
}

void TestBalancePaste::CheckUndoRedo(CMainFrame* pFrame, const CCofferDoc& doc, const QStringList& before,
                                     const QStringList& after)
{
    pFrame->OnIdle();
    QVERIFY(pFrame->Action(ID_EDIT_UNDO)->isEnabled());
    QVERIFY(pFrame->Execute(ID_EDIT_UNDO));
    QCOMPARE(Descriptions(doc), before);
    pFrame->OnIdle();
    QVERIFY(pFrame->Action(ID_EDIT_REDO)->isEnabled());
    QVERIFY(pFrame->Execute(ID_EDIT_REDO));
    QCOMPARE(Descriptions(doc), after);
}

void TestBalancePaste::balanceInsertsThenReplaces()
{
    auto pApp = StartApp({MakeLedger(QStringLiteral("book.ldr"))});
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    CCofferDoc& doc = pApp->Sessions().first()->Document();
    const QStringList before = Descriptions(doc);
    QVERIFY(pFrame->Action(ID_EDIT_BALANCE)->isEnabled());

    AnswerBalance(this, QStringLiteral("5000"));
    QVERIFY(pFrame->Execute(ID_EDIT_BALANCE));
    const QStringList inserted{"a", "b", "c", "残金", "d", "e"};
    QCOMPARE(Descriptions(doc), inserted);
    QCOMPARE(doc.Lines()[3].m_nCat, std::uint8_t(CAT_CARRY));
    QCOMPARE(doc.Lines()[3].m_nAmount, U(5000));
    QCOMPARE(doc.Lines()[3].m_date, MakeDate(2024, 3, 3));
    QVERIFY(pApp->Sessions().first()->IsModified());
    CheckUndoRedo(pFrame, doc, before, inserted);

    // The same day and currency again: the line is replaced.
    AnswerBalance(this, QStringLiteral("4500.5"));
    QVERIFY(pFrame->Execute(ID_EDIT_BALANCE));
    QCOMPARE(Descriptions(doc), inserted);
    QCOMPARE(doc.Lines()[3].m_nAmount, U(4500)); // yen has no decimals
    QVERIFY(pFrame->Execute(ID_EDIT_UNDO));
    QCOMPARE(doc.Lines()[3].m_nAmount, U(5000));
    QVERIFY(pFrame->Execute(ID_EDIT_REDO));
    QCOMPARE(doc.Lines()[3].m_nAmount, U(4500));

    // Cancel changes nothing.
    AnswerBalance(this, QString());
    QVERIFY(pFrame->Execute(ID_EDIT_BALANCE));
    QCOMPARE(doc.GetActionPos(), 2);
    CRecordingMessageSink sink;
    sink.QueueAnswer(IDNO);
    pFrame->close();
    pApp->ExitInstance();
}

void TestBalancePaste::balanceWithoutCarryOverCategory()
{
    auto pApp = StartApp({MakeLedger(QStringLiteral("nocarry.ldr"), 0, false)});
    QVERIFY(pApp);
    CRecordingMessageSink sink;
    bool bSeen = false;
    AnswerBalance(this, QStringLiteral("1"), &bSeen);
    QVERIFY(pApp->MainFrame()->Execute(ID_EDIT_BALANCE));
    QVERIFY(sink.LastWas(IDS_NO_CARRYOVER_CATEGORY));
    QVERIFY(!bSeen);
    QCOMPARE(pApp->Sessions().first()->Document().GetLineCount(), 5);
    QTest::qWait(20); // let the unused answer run out
}

void TestBalancePaste::openingAskingLedgerEntersBalance()
{
    const QString strPath = MakeLedger(QStringLiteral("ask.ldr"), CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN);
    bool bSeen = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&bSeen] {
        if (auto* pDlg = qobject_cast<CBalEntDlg*>(QApplication::activeModalWidget())) {
            bSeen = true;
            pDlg->findChild<QLineEdit*>(QStringLiteral("amount"))->setText(QStringLiteral("777"));
            pDlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
        }
    });
    poll.start(20);
    auto pApp = StartApp({strPath});
    QVERIFY(pApp);
    QTRY_VERIFY(bSeen);
    poll.stop();
    const CCofferDoc& doc = pApp->Sessions().first()->Document();
    QCOMPARE(Descriptions(doc), (QStringList{"a", "b", "c", "残金", "d", "e"}));
    QCOMPARE(doc.Lines()[3].m_nAmount, U(777));
    CRecordingMessageSink sink;
    sink.QueueAnswer(IDNO);
    pApp->MainFrame()->close();
    pApp->ExitInstance();
}

void TestBalancePaste::pasteSpecialMethods_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("at the cursor") << 0 << QStringList{"a", "b", "c", "a", "b", "d", "e"};
    QTest::newRow("after the cursor") << 1 << QStringList{"a", "b", "c", "d", "a", "b", "e"};
    QTest::newRow("overwrite") << 2 << QStringList{"a", "b", "c", "a", "b"};
    QTest::newRow("by date") << 3 << QStringList{"a", "a", "b", "b", "c", "d", "e"};
}

void TestBalancePaste::pasteSpecialMethods()
{
    QFETCH(int, method);
    QFETCH(QStringList, after);
    auto pApp = StartApp({MakeLedger(QStringLiteral("paste.ldr"))});
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    CCofferView* pView = ActiveRegister(*pApp);
    QVERIFY(pView);
    CCofferDoc& doc = pApp->Sessions().first()->Document();
    const QStringList before = Descriptions(doc);

    pView->Selection().SetRange(CRange::WholeRows(0, 1));
    QVERIFY(pFrame->Execute(ID_EDIT_COPY));
    pView->SetCurCell(C_DESC, 3, 0, 0);
    pFrame->OnIdle();
    QVERIFY(pFrame->Action(ID_EDIT_PASTE_SPECIAL)->isEnabled());
    PackedDate asked = 0;
    CCofferView::SetPasteMethodAsk([&asked, method](PackedDate date, CRegEdit::SPasteMethod& m) {
        asked = date;
        m.nMethod = method;
        return true;
    });
    QVERIFY(pFrame->Execute(ID_EDIT_PASTE_SPECIAL));
    QCOMPARE(asked, MakeDate(2024, 3, 4));
    QCOMPARE(Descriptions(doc), after);
    QCOMPARE(doc.GetActionNames(true).size(), 1);
    CheckUndoRedo(pFrame, doc, before, after);
    CRecordingMessageSink sink;
    sink.QueueAnswer(IDNO);
    pFrame->close();
    pApp->ExitInstance();
}

void TestBalancePaste::pasteSpecialRefusesCells()
{
    auto pApp = StartApp({MakeLedger(QStringLiteral("cells.ldr"))});
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    CCofferView* pView = ActiveRegister(*pApp);
    bool bAsked = false;
    CCofferView::SetPasteMethodAsk([&bAsked](PackedDate, CRegEdit::SPasteMethod&) { return bAsked = true; });
    pView->SetCurCell(C_DESC, 0, 0, 0);
    QVERIFY(pFrame->Execute(ID_EDIT_COPY));
    pView->SetCurCell(C_DESC, 2, 0, 0);
    pFrame->OnIdle();
    QVERIFY(pFrame->Action(ID_EDIT_PASTE_SPECIAL)->isEnabled());
    CRecordingMessageSink sink;
    QVERIFY(pFrame->Execute(ID_EDIT_PASTE_SPECIAL));
    QVERIFY(sink.LastWas(IDS_PASTE_SHAPE_MISMATCH));
    QVERIFY(!bAsked);
    QVERIFY(!pApp->Sessions().first()->Document().CanUndo());
    // Text from another program cannot be pasted with a method at all.
    QApplication::clipboard()->setText(QStringLiteral("x\ty"));
    pFrame->OnIdle();
    QVERIFY(!pFrame->Action(ID_EDIT_PASTE_SPECIAL)->isEnabled());
}

void TestBalancePaste::pasteSpecialThroughTheDialog()
{
    auto pApp = StartApp({MakeLedger(QStringLiteral("dialog.ldr"))});
    QVERIFY(pApp);
    CMainFrame* pFrame = pApp->MainFrame();
    CCofferView* pView = ActiveRegister(*pApp);
    CCofferDoc& doc = pApp->Sessions().first()->Document();
    pView->Selection().SetRange(CRange::WholeRows(4, 4));
    QVERIFY(pFrame->Execute(ID_EDIT_COPY));
    pView->Selection().SetRange(CRange::WholeRows(1, 1));
    QTimer::singleShot(0, this, [] {
        auto* pDlg = qobject_cast<CPasteSelDlg*>(QApplication::activeModalWidget());
        if (!pDlg)
            return;
        pDlg->findChild<QRadioButton*>(QStringLiteral("method1"))->click();
        pDlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    QVERIFY(pFrame->Execute(ID_EDIT_PASTE_SPECIAL));
    QCOMPARE(Descriptions(doc), (QStringList{"a", "b", "e", "c", "d", "e"}));
    QCOMPARE(doc.Lines()[2].m_date, MakeDate(2024, 3, 5)); // its own date: no date was ticked
    // Cancelling the dialog abandons the paste.
    QTimer::singleShot(0, this, [] {
        if (auto* pDlg = qobject_cast<CPasteSelDlg*>(QApplication::activeModalWidget()))
            pDlg->reject();
    });
    QVERIFY(pFrame->Execute(ID_EDIT_PASTE_SPECIAL));
    QCOMPARE(doc.GetLineCount(), 6);
    CRecordingMessageSink sink;
    sink.QueueAnswer(IDNO);
    pFrame->close();
    pApp->ExitInstance();
}

QTEST_MAIN(TestBalancePaste)
#include "tst_balancepaste.moc"
