#include "DocFixture.h"

#include "model/LedgerContent.h"

#include <QTest>

#include <stdexcept>

using namespace fixture;

namespace {

// A ledger with history, an index and a memo, so that whatever Load or a loan leaves behind
// shows.
void UsedLedger(CCofferDoc& doc)
{
    Fill(doc, {Line(MakeDate(2020, 1, 1), YEN, CAT_EXCHANGE, U(-10000)), Line(MakeDate(2020, 1, 1), USD, CAT_EXCHANGE, U(100)),
               Line(MakeDate(2020, 1, 2), USD, CAT_FOOD, U(-3), QStringLiteral("coffee"))});
    doc.AddToIndex();
    doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 2, 1));
    doc.m_memo.Load({CDailyRec((2020 << 16) | (1 << 8) | 2)}, QStringList{QStringLiteral("体重")});
    doc.m_nDocFlags = CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN;
}

} // namespace

// The one way a reader fills a document, and the loan through which a writer sees it.
class TestLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadReplacesEverything();
    void lentContentComesBack_data();
    void lentContentComesBack();
};

void TestLoader::loadReplacesEverything()
{
    CCofferDoc doc;
    UsedLedger(doc);
    QVERIFY(doc.CanUndo());
    QVERIFY(!doc.GetExchangeTable().empty());

    CLedgerContent content;
    content.m_curs = Currencies();
    content.m_cats = CNewLedger::Categories();
    content.m_lines = {Line(MakeDate(2021, 5, 1), YEN, CAT_FOOD, U(-1), QStringLiteral("bread"))};
    const std::vector<CReceipt> lines = content.m_lines;
    doc.Load(std::move(content));

    QVERIFY(SameLines(doc.Lines(), lines));
    QCOMPARE(doc.Currencies().size(), std::size_t(3));
    QCOMPARE(doc.Categories().size(), CNewLedger::Categories().size());
    QCOMPARE(doc.m_nDocFlags, 0);
    QVERIFY(doc.m_memo.m_daily.empty());
    QVERIFY(doc.m_memo.m_memoTitles.isEmpty());
    // Nothing derived from the old ledger may refer to the new lines.
    QVERIFY(!doc.CanUndo());
    QVERIFY(!doc.CanRedo());
    QVERIFY(doc.GetExchangeTable().empty());
    QVERIFY(doc.GetRecItems().empty());
    QVERIFY(!doc.FinishOpen());
    QCOMPARE(doc.GetRecItems().size(), std::size_t(1));
}

void TestLoader::lentContentComesBack_data()
{
    QTest::addColumn<bool>("throws");
    QTest::newRow("writer returns") << false;
    QTest::newRow("writer throws") << true;
}

void TestLoader::lentContentComesBack()
{
    QFETCH(bool, throws);
    CCofferDoc doc;
    UsedLedger(doc);
    const std::vector<CReceipt> lines = doc.Lines();
    const std::vector<CCurFmt> curs = doc.Currencies();
    const std::vector<CCategory> cats = doc.Categories();

    bool bSeen = false;
    try {
        doc.LendContent([&](const CLedgerContent& content) {
            bSeen = SameLines(content.m_lines, lines) && content.m_curs == curs && content.m_cats == cats
                 && content.m_nDocFlags == CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN && content.m_daily.size() == 1
                 && content.m_memoTitles == QStringList{QStringLiteral("体重")};
            if (throws)
                throw std::runtime_error("disk full");
        });
        QVERIFY(!throws);
    } catch (const std::runtime_error&) {
        QVERIFY(throws);
    }
    QVERIFY(bSeen);
    QVERIFY(SameLines(doc.Lines(), lines));
    QVERIFY(doc.Currencies() == curs);
    QVERIFY(doc.Categories() == cats);
    QCOMPARE(doc.m_nDocFlags, int(CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN));
    QCOMPARE(doc.m_memo.m_daily.size(), std::size_t(1));
    QCOMPARE(doc.m_memo.m_memoTitles, QStringList{QStringLiteral("体重")});
    QVERIFY(doc.CanUndo());
}

QTEST_GUILESS_MAIN(TestLoader)
#include "tst_loader.moc"
