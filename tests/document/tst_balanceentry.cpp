#include "DocFixture.h"

#include "model/BalanceEntry.h"
#include "platform/Clock.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

#include <QTest>

using namespace fixture;

namespace {

constexpr PackedDate D1 = MakeDate(2024, 5, 1);
constexpr PackedDate D2 = MakeDate(2024, 5, 2);
constexpr PackedDate D3 = MakeDate(2024, 5, 3);

CReceipt Carry(PackedDate date, int nCur, Amount nAmount, const QString& strDesc)
{
    return Line(date, nCur, CAT_CARRY, nAmount, strDesc);
}

// "after:n", "at:n" or "replace:n" for an action.
QString Place(const CAction& action)
{
    if (action.m_nKind == CAction::ACT_REPLACE_BALANCE)
        return QStringLiteral("replace:%1").arg(action.m_nRow);
    if (action.m_nKind != CAction::ACT_ENTER_BALANCE)
        return QStringLiteral("kind %1").arg(action.m_nKind);
    return QStringLiteral("%1:%2").arg(action.m_nCol == CAction::INSERT_AFTER ? "after" : "at").arg(action.m_nRow);
}

} // namespace

// The balance entry without its dialog: the carry-over category, the new line, where the
// line goes, the cut to the currency's decimals, and the whole command with its undo.
class TestBalanceEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { CClock::Reset(); }
    void carryOverCategoryIsTheLastOne();
    void noCarryOverCategoryIsRefused();
    void startLineCopiesTodaysBalance();
    void placeLine_data();
    void placeLine();
    void cutToDecimals_data();
    void cutToDecimals();
    void clampsDates();
    void runInsertsThenReplacesAndUndoes();
    void runKeepsValuesInRange();
    void appendCurrencyStopsAtTheLimit();
};

void TestBalanceEntry::carryOverCategoryIsTheLastOne()
{
    CCofferDoc doc;
    Fill(doc, {});
    QCOMPARE(CBalanceEntry::CarryOverCategory(doc), int(CAT_CARRY));
    QVERIFY(doc.AppendCategories({CCategory(ATTR_CARRYOVER, QStringLiteral("繰越2"))}));
    QCOMPARE(CBalanceEntry::CarryOverCategory(doc), int(doc.Categories().size()) - 1);
}

void TestBalanceEntry::noCarryOverCategoryIsRefused()
{
    CCofferDoc doc;
    Fill(doc, Named({"a"}));
    support::Amend(doc, [](CLedgerContent& content) { content.m_cats[CAT_CARRY].m_nAttr = ATTR_EXPENSE; });
    CRecordingMessageSink sink;
    bool bAsked = false;
    QVERIFY(!CBalanceEntry::Run(doc, [&](CCofferDoc&, CBalanceEntry::SValues&) { return bAsked = true; }));
    QVERIFY(!bAsked);
    QVERIFY(sink.LastWas(IDS_NO_CARRYOVER_CATEGORY));
    QCOMPARE(doc.GetLineCount(), 1);
    QVERIFY(!doc.CanUndo());
}

void TestBalanceEntry::startLineCopiesTodaysBalance()
{
    CCofferDoc doc;
    Fill(doc, {Line(D1, YEN, CAT_FOOD, U(-1)), Carry(D2, USD, U(50), QStringLiteral("x")), Line(D3, YEN, CAT_FOOD, U(-2))});
    const CReceipt copy = CBalanceEntry::StartLine(doc, D2, CAT_CARRY);
    QCOMPARE(copy.m_nCur, std::uint8_t(USD));
    QCOMPARE(copy.m_nAmount, U(50));
    QCOMPARE(copy.m_date, D2);
    // Today's last line is no carry-over line: a fresh line.
    const CReceipt fresh = CBalanceEntry::StartLine(doc, D3, CAT_CARRY);
    QCOMPARE(fresh.m_nCur, std::uint8_t(YEN));
    QCOMPARE(fresh.m_nAmount, Amount(0));
    QCOMPARE(fresh.m_date, D3);
}

void TestBalanceEntry::placeLine_data()
{
    QTest::addColumn<std::vector<CReceipt>>("lines");
    QTest::addColumn<PackedDate>("date");
    QTest::addColumn<int>("cur");
    QTest::addColumn<QString>("place");

    const CReceipt food1 = Line(D1, YEN, CAT_FOOD, U(-1));
    const CReceipt food3 = Line(D3, YEN, CAT_FOOD, U(-1));
    QTest::newRow("empty ledger") << std::vector<CReceipt>{} << D2 << int(YEN) << "at:0";
    QTest::newRow("after the last earlier line") << std::vector<CReceipt>{food1} << D2 << int(YEN) << "after:0";
    QTest::newRow("later lines are passed") << std::vector<CReceipt>{food1, food3} << D2 << int(YEN) << "after:0";
    QTest::newRow("before every line") << std::vector<CReceipt>{food3} << D2 << int(YEN) << "at:0";
    QTest::newRow("same currency replaced")
        << std::vector<CReceipt>{food1, Carry(D2, YEN, U(5), "y")} << D2 << int(YEN) << "replace:1";
    QTest::newRow("other currency goes after it")
        << std::vector<CReceipt>{food1, Carry(D2, YEN, U(5), "y")} << D2 << int(USD) << "after:1";
    QTest::newRow("after the latest of two")
        << std::vector<CReceipt>{food1, Carry(D2, YEN, U(5), "y"), Carry(D2, USD, U(5), "u")} << D2 << int(EUR)
        << "after:2";
    QTest::newRow("replace found behind another currency")
        << std::vector<CReceipt>{food1, Carry(D2, USD, U(5), "u"), Carry(D2, YEN, U(5), "y")} << D2 << int(USD)
        << "replace:1";
    QTest::newRow("other currency first in the ledger")
        << std::vector<CReceipt>{Carry(D2, USD, U(5), "u")} << D2 << int(YEN) << "after:0";
    QTest::newRow("a carry-over line of an earlier day is no match")
        << std::vector<CReceipt>{Carry(D1, YEN, U(5), "y")} << D2 << int(YEN) << "after:0";
    QTest::newRow("another line of the day ends the search")
        << std::vector<CReceipt>{Carry(D2, YEN, U(5), "y"), Line(D2, YEN, CAT_FOOD, U(-1))} << D2 << int(YEN)
        << "after:1";
}

void TestBalanceEntry::placeLine()
{
    QFETCH(std::vector<CReceipt>, lines);
    QFETCH(PackedDate, date);
    QFETCH(int, cur);
    QFETCH(QString, place);
    CCofferDoc doc;
    Fill(doc, lines);
    CReceipt line = Carry(date, cur, U(1), QStringLiteral("残金"));
    QCOMPARE(Place(CBalanceEntry::PlaceLine(doc, line, CAT_CARRY)), place);
}

void TestBalanceEntry::cutToDecimals_data()
{
    QTest::addColumn<Amount>("amount");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<Amount>("result");
    QTest::newRow("2 decimals") << Amount(12345670) << 2 << Amount(12345600);
    QTest::newRow("0 decimals negative") << Amount(-109000) << 0 << Amount(-100000);
    QTest::newRow("4 decimals unchanged") << Amount(12345) << 4 << Amount(12345);
    QTest::newRow("decimals out of range") << Amount(12345) << 9 << Amount(12345);
    QTest::newRow("most negative") << std::numeric_limits<Amount>::min() << 0
                                   << Amount(std::numeric_limits<Amount>::min() + 5808);
}

void TestBalanceEntry::cutToDecimals()
{
    QFETCH(Amount, amount);
    QFETCH(int, decimals);
    QFETCH(Amount, result);
    QCOMPARE(CBalanceEntry::CutToDecimals(amount, decimals), result);
}

void TestBalanceEntry::clampsDates()
{
    QCOMPARE(CBalanceEntry::ClampDate(MakeDate(1900, 1, 1)), MakeDate(1959, 1, 1));
    QCOMPARE(CBalanceEntry::ClampDate(MakeDate(2100, 1, 1)), MakeDate(2060, 12, 31));
    QCOMPARE(CBalanceEntry::ClampDate(D2), D2);
}

void TestBalanceEntry::runInsertsThenReplacesAndUndoes()
{
    // 05:00 still belongs to the day before.
    CClock::SetNow(QDateTime(QDate(2024, 5, 3), QTime(5, 0)));
    CCofferDoc doc;
    Fill(doc, {Line(D1, YEN, CAT_FOOD, U(-100), "a"), Line(D2, YEN, CAT_FOOD, U(-200), "b"),
               Line(D3, YEN, CAT_FOOD, U(-300), "c")});
    CBalanceEntry::SValues seen;
    const auto answer = [&seen](Amount nAmount, bool bOnOpen) {
        return [&seen, nAmount, bOnOpen](CCofferDoc&, CBalanceEntry::SValues& values) {
            seen = values;
            values.nAmount = nAmount;
            values.bAskOnOpen = bOnOpen;
            return true;
        };
    };
    QVERIFY(CBalanceEntry::Run(doc, answer(U(1000), true)));
    QCOMPARE(seen.date, D2);
    QCOMPARE(seen.nCur, int(YEN));
    QCOMPARE(Descriptions(doc), (QStringList{"a", "b", "残金", "c"}));
    QCOMPARE(doc.Lines()[2].m_nCat, std::uint8_t(CAT_CARRY));
    QCOMPARE(doc.Lines()[2].m_nAmount, U(1000));
    QCOMPARE(doc.Lines()[2].m_date, D2);
    QVERIFY(doc.m_nDocFlags & CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN);

    // The second entry starts from the first and replaces it.
    QVERIFY(CBalanceEntry::Run(doc, answer(U(900), false)));
    QCOMPARE(seen.nAmount, U(1000));
    QVERIFY(seen.bAskOnOpen);
    QCOMPARE(doc.GetLineCount(), 4);
    QCOMPARE(doc.Lines()[2].m_nAmount, U(900));
    QVERIFY(!(doc.m_nDocFlags & CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN));
    QCOMPARE(doc.GetActions().back().m_nKind, int(CAction::ACT_REPLACE_BALANCE));

    doc.Undo();
    QCOMPARE(doc.Lines()[2].m_nAmount, U(1000));
    doc.Undo();
    QCOMPARE(Descriptions(doc), (QStringList{"a", "b", "c"}));
    doc.Redo();
    doc.Redo();
    QCOMPARE(doc.Lines()[2].m_nAmount, U(900));

    // Cancel changes nothing.
    QVERIFY(!CBalanceEntry::Run(doc, [](CCofferDoc&, CBalanceEntry::SValues&) { return false; }));
    QCOMPARE(doc.GetActionPos(), 2);
}

void TestBalanceEntry::runKeepsValuesInRange()
{
    CClock::SetNow(QDateTime(QDate(2024, 5, 2), QTime(12, 0)));
    CCofferDoc doc;
    Fill(doc, {});
    QVERIFY(CBalanceEntry::Run(doc, [](CCofferDoc&, CBalanceEntry::SValues& values) {
        values.nCur = 99;
        values.date = MakeDate(1800, 1, 1);
        return true;
    }));
    QCOMPARE(doc.GetLineCount(), 1);
    QCOMPARE(doc.Lines()[0].m_nCur, std::uint8_t(0));
    QCOMPARE(doc.Lines()[0].m_date, CBalanceEntry::MIN_DATE);
}

void TestBalanceEntry::appendCurrencyStopsAtTheLimit()
{
    CCofferDoc doc;
    Fill(doc, Named({"a"}));
    std::vector<CCurFmt> more;
    for (std::size_t n = doc.Currencies().size(); n < 120; ++n)
        more.emplace_back(QStringLiteral("C%1").arg(n), 2, QString());
    QVERIFY(doc.AppendCurrencies(more));
    QVERIFY(CBalanceEntry::AppendCurrency(doc, CCurFmt(QStringLiteral("Z"), 2, QString())));
    QCOMPARE(doc.Currencies().size(), std::size_t(121));
    QCOMPARE(doc.Currencies().back().m_strSymbol, QStringLiteral("Z"));
    QVERIFY(!CBalanceEntry::AppendCurrency(doc, CCurFmt(QStringLiteral("Y"), 2, QString())));
    QCOMPARE(doc.Currencies().size(), std::size_t(121));
}

QTEST_GUILESS_MAIN(TestBalanceEntry)
#include "tst_balanceentry.moc"
