#include "RegFixture.h"

#include "model/AmountText.h"
#include "model/Calendar.h"
#include "platform/Clock.h"
#include "register/DescMatcher.h"
#include "register/RecEditEntry.h"
#include "register/RecEditLoop.h"

#include <QtTest>

using namespace regfix;

namespace {

CRecItem Item(const QString& strText, std::vector<std::uint32_t> uses)
{
    CRecItem item;
    item.m_strText = strText;
    item.m_uses = std::move(uses);
    return item;
}

std::uint32_t Use(std::uint32_t nKey, std::uint32_t nCount)
{
    return nKey | (nCount << 16);
}

QStringList Texts(const std::vector<CRecItem>& items, const std::vector<int>& positions)
{
    QStringList texts;
    for (int i : positions)
        texts.append(items[std::size_t(i)].m_strText);
    return texts;
}

// The dialog's part of an entry: fields typed as a user would.
int Enter(CRecEditEntry& entry, int nCat, const QString& strAmount, const QString& strDesc, int nCat2 = 0)
{
    entry.m_nCat = nCat;
    entry.m_nCat2 = nCat2;
    entry.m_strInput = strAmount;
    entry.m_strDesc = strDesc;
    return CRecEditEntry::ParseAmounts(strAmount, nCat2 != 0, entry.m_curs[std::size_t(entry.m_nCur)].m_nDecimals,
                                       entry.m_nAmount, entry.m_nAmount2);
}

} // namespace

class TestRecEditEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void parseAmounts_data();
    void parseAmounts();
    void loadAmountText_data();
    void loadAmountText();
    void filterAtCaret_data();
    void filterAtCaret();
    void inputTakesDateAndCurrency();
    void inputWithoutLineIsToday();
    void modifyWithoutLineReturnsAtOnce();
    void emptyEntryAddsNothing();
    void modifyReplacesAsOneUndoableAction();
    void addAfterLastAndBeforeFirst();
    void appendedCategoryStaysOnCancel();
    void outOfRangeIndexesAreRefused();
    void loopNextThenCancel();
    void loopOkEndsAfterRangeRows();
    void itemAtCaret_data();
    void itemAtCaret();
    void matcherRanksByUse();
    void matcherNarrowsAndWidens();
};

void TestRecEditEntry::init()
{
    CClock::SetNow(QDateTime(QDate(2024, 3, 20), QTime(5, 30)));
}

void TestRecEditEntry::cleanup()
{
    CClock::Reset();
}

void TestRecEditEntry::parseAmounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("counter");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("message");
    QTest::addColumn<qint64>("amount1");
    QTest::addColumn<qint64>("amount2");

    QTest::newRow("two amounts with counter") << "1000 ; 250" << true << 0 << 0 << qint64(10000000) << qint64(2500000);
    QTest::newRow("one amount with counter") << "500" << true << 0 << 0 << qint64(5000000) << qint64(-5000000);
    QTest::newRow("one amount without counter") << "500" << false << 0 << 0 << qint64(5000000) << qint64(0);
    QTest::newRow("cut to two decimals") << "12.345" << false << 2 << 0 << qint64(123400) << qint64(0);
    QTest::newRow("negative cut towards zero") << "-12.345" << false << 2 << 0 << qint64(-123400) << qint64(0);
    QTest::newRow("no decimals") << "12.9" << false << 0 << 0 << qint64(120000) << qint64(0);
    QTest::newRow("empty") << "" << true << 0 << 0 << qint64(0) << qint64(0);
    QTest::newRow("blanks only") << QString::fromUtf16(u" \u3000 ") << false << 0 << 0 << qint64(0) << qint64(0);
    QTest::newRow("full-width separator") << QString::fromUtf16(u"1000；250") << true << 0 << 0 << qint64(10000000)
                                          << qint64(2500000);
    QTest::newRow("expression") << QString::fromUtf16(u"（１００＋２００）×３") << false << 0 << 0
                                << qint64(9000000) << qint64(0);
    QTest::newRow("decorated number") << QString::fromUtf16(u"1,000円") << false << 0 << 0 << qint64(10000000)
                                      << qint64(0);
    QTest::newRow("trailing blanks") << "300  " << false << 0 << 0 << qint64(3000000) << qint64(0);
    QTest::newRow("letters") << "abc" << false << 0 << 4127 << qint64(0) << qint64(0);
    QTest::newRow("lone sign") << "-" << false << 0 << 4127 << qint64(0) << qint64(0);
    QTest::newRow("spaced operator left over") << "100 + 200" << false << 0 << 4127 << qint64(0) << qint64(0);
    QTest::newRow("extra parenthesis") << "(1+2))" << false << 0 << 4127 << qint64(0) << qint64(0);
    QTest::newRow("third amount") << "1;2;3" << true << 0 << 4127 << qint64(0) << qint64(0);
    QTest::newRow("division by zero") << "5/0" << false << 0 << 4127 << qint64(0) << qint64(0);
    QTest::newRow("30 digits") << QString(30, u'9') << false << 0 << 4127 << qint64(0) << qint64(0);
    QTest::newRow("just beyond 64 bits") << "922337203685478" << false << 0 << 4127 << qint64(0) << qint64(0);
    Amount nLarge = 0;
    QVERIFY(CAmountText::ParseExpression(QStringLiteral("922337203685476"), nLarge));
    QTest::newRow("large whole units") << "922337203685476" << false << 0 << 0 << qint64(CRecEditEntry::CutToDecimals(nLarge, 0)) << qint64(0);
    QTest::newRow("not finite") << QString(30, u'9') + QStringLiteral("*") + QString(30, u'9') << false << 0 << 4127
                                << qint64(0) << qint64(0);
    QTest::newRow("second amount out of range") << QStringLiteral("1;") + QString(20, u'9') << true << 0 << 4127
                                                << qint64(0) << qint64(0);
}

void TestRecEditEntry::parseAmounts()
{
    QFETCH(QString, text);
    QFETCH(bool, counter);
    QFETCH(int, decimals);
    QFETCH(int, message);
    Amount nAmount1 = 77;
    Amount nAmount2 = 77;
    QCOMPARE(CRecEditEntry::ParseAmounts(text, counter, decimals, nAmount1, nAmount2), message);
    if (message == 0) {
        QTEST(qint64(nAmount1), "amount1");
        QTEST(qint64(nAmount2), "amount2");
    } else {
        // A refusal stores nothing.
        QCOMPARE(nAmount1, Amount(77));
        QCOMPARE(nAmount2, Amount(77));
    }
}

void TestRecEditEntry::loadAmountText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("cat2");
    QTest::addColumn<qint64>("amount1");
    QTest::addColumn<qint64>("amount2");
    QTest::addColumn<QString>("text");

    QTest::newRow("typed text kept") << "100+20" << 0 << qint64(1200000) << qint64(0) << "100+20";
    QTest::newRow("no amount") << "" << 0 << qint64(0) << qint64(0) << "";
    QTest::newRow("amount 1") << "" << 0 << qint64(-12345) << qint64(0) << "-1.2345";
    QTest::newRow("negated amount 2") << "" << int(CAT_SAVINGS) << qint64(5000000) << qint64(-5000000) << "500";
    QTest::newRow("own amount 2") << "" << int(CAT_SAVINGS) << qint64(10000000) << qint64(2500000) << "1000; 250";
    QTest::newRow("amount 2 without counter") << "" << 0 << qint64(10000000) << qint64(2500000) << "1000";
}

void TestRecEditEntry::loadAmountText()
{
    QFETCH(QString, input);
    QFETCH(int, cat2);
    QFETCH(qint64, amount1);
    QFETCH(qint64, amount2);
    CReceipt line = Line(MakeDate(2024, 3, 1), YEN, CAT_FOOD, amount1, QString(), cat2, amount2);
    line.m_strInput = input;
    QTEST(CRecEditEntry::LoadAmountText(line), "text");
}

void TestRecEditEntry::filterAtCaret_data()
{
    QTest::addColumn<int>("cat");
    QTest::addColumn<int>("cat2");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("filter");

    QTest::newRow("no category") << 0 << 0 << "パン" << 0;
    QTest::newRow("main part") << int(CAT_FOOD) << 0 << "パン，" << CAT_FOOD + 1;
    QTest::newRow("empty description") << int(CAT_FOOD) << 0 << "" << CAT_FOOD + 1;
    QTest::newRow("inside parentheses") << int(CAT_FOOD) << 0 << QString::fromUtf16(u"パン（牛") << (CAT_FOOD | 0x100) + 1;
    QTest::newRow("counter part") << int(CAT_FOOD) << int(CAT_SAVINGS) << QString::fromUtf16(u"パン；") << CAT_SAVINGS + 1;
    QTest::newRow("after a second separator") << int(CAT_FOOD) << int(CAT_SAVINGS) << "a;b;" << 1;
}

void TestRecEditEntry::filterAtCaret()
{
    QFETCH(int, cat);
    QFETCH(int, cat2);
    QFETCH(QString, before);
    QTEST(CRecEditEntry::FilterAtCaret(cat, cat2, before), "filter");
}

void TestRecEditEntry::inputTakesDateAndCurrency()
{
    CCofferDoc doc;
    Fill(doc, { Line(MakeDate(2024, 3, 5), USD, CAT_FOOD, U(-3), QStringLiteral("a")),
                Line(MakeDate(2024, 3, 9), YEN, CAT_INCOME, U(100), QStringLiteral("b")) });
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_INPUT, 1, true));
    QCOMPARE(entry.m_nCaption, int(CRecEditEntry::CAPTION_INPUT));
    QCOMPARE(entry.m_date, MakeDate(2024, 3, 9));
    QCOMPARE(entry.m_nCur, int(YEN));
    QCOMPARE(entry.m_nCat, 0);
    QCOMPARE(entry.m_strDesc, QString());
    // Later calls take the line before: the one entered last.
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_INPUT, 1, false));
    QCOMPARE(entry.m_date, MakeDate(2024, 3, 5));
    QCOMPARE(entry.m_nCur, int(USD));
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, 0, false));
    QCOMPARE(entry.m_nCaption, int(CRecEditEntry::CAPTION_ADD));
    QCOMPARE(entry.m_nCur, int(USD));
}

void TestRecEditEntry::inputWithoutLineIsToday()
{
    CCofferDoc doc;
    Fill(doc, {});
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_INPUT, 0, true));
    // 05:30 still belongs to the day before.
    QCOMPARE(entry.m_date, MakeDate(2024, 3, 19));
    QCOMPARE(Enter(entry, CAT_FOOD, QStringLiteral("-250"), QStringLiteral("パン")), 0);
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_OK), int(CRecEditEntry::RESULT_OK));
    QCOMPARE(doc.GetLineCount(), 1);
    QCOMPARE(doc.Lines()[0].m_nAmount, U(-250));
    QCOMPARE(doc.Lines()[0].m_strInput, QStringLiteral("-250"));
    QVERIFY(doc.FindRecItem(u"パン") >= 0);
    QCOMPARE(doc.GetActionNames(true), QStringList{ CAction::KindName(CAction::ACT_ENTER_ROW) });
}

void TestRecEditEntry::modifyWithoutLineReturnsAtOnce()
{
    CCofferDoc doc;
    Fill(doc, Named({ QStringLiteral("a") }));
    CRecEditEntry entry;
    QVERIFY(!entry.Begin(doc, CRecEditEntry::CMD_MODIFY, 1, true));
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_OK), int(CRecEditEntry::RESULT_NONE));
    QVERIFY(!entry.Begin(doc, CRecEditEntry::CMD_MODIFY_ROW, -1, true));
    QVERIFY(!doc.CanUndo());
}

void TestRecEditEntry::emptyEntryAddsNothing()
{
    CCofferDoc doc;
    Fill(doc, Named({ QStringLiteral("a") }));
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, 0, true));
    QCOMPARE(Enter(entry, 0, QString(), QString()), 0);
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_NEXT), int(CRecEditEntry::RESULT_CANCEL));
    QCOMPARE(doc.GetLineCount(), 1);
    QVERIFY(!doc.CanUndo());
    QVERIFY(!doc.IsModified());
}

void TestRecEditEntry::modifyReplacesAsOneUndoableAction()
{
    CCofferDoc doc;
    std::vector<CReceipt> lines = Named({ QStringLiteral("a"), QStringLiteral("b") });
    lines[1].m_nFlags |= CReceipt::RF_RAW_TEXT;
    Fill(doc, lines);
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_MODIFY, 1, true));
    QCOMPARE(entry.m_nCaption, int(CRecEditEntry::CAPTION_MODIFY));
    QCOMPARE(entry.m_strInput, QStringLiteral("-100"));
    QCOMPARE(entry.m_strDesc, QStringLiteral("b"));
    QCOMPARE(Enter(entry, CAT_FOOD, QStringLiteral("-500"), QStringLiteral("夕食；ATM"), CAT_SAVINGS), 0);
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_OK), int(CRecEditEntry::RESULT_OK));
    QCOMPARE(doc.GetLineCount(), 2);
    const CReceipt& line = doc.Lines()[1];
    QCOMPARE(line.m_nCat2, std::uint8_t(CAT_SAVINGS));
    QCOMPARE(line.m_nAmount, U(-500));
    QCOMPARE(line.m_nAmount2, U(500));
    QCOMPARE(line.m_nFlags & CReceipt::RF_RAW_TEXT, 0);
    QCOMPARE(doc.GetActionNames(true), QStringList{ CAction::KindName(CAction::ACT_EDIT_ROW) });
    doc.Undo();
    QCOMPARE(doc.Lines()[1].m_strDesc, QStringLiteral("b"));
    QVERIFY(!doc.IsModified());
    doc.Redo();
    QCOMPARE(doc.Lines()[1].m_strDesc, QStringLiteral("夕食；ATM"));
}

void TestRecEditEntry::addAfterLastAndBeforeFirst()
{
    CCofferDoc doc;
    Fill(doc, Named({ QStringLiteral("a") }));
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, 0, true));
    Enter(entry, CAT_FOOD, QStringLiteral("-1"), QStringLiteral("after"));
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_OK), int(CRecEditEntry::RESULT_OK));
    // An empty register adds at the line before its first shown line.
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, -1, true));
    Enter(entry, CAT_FOOD, QStringLiteral("-1"), QStringLiteral("first"));
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_OK), int(CRecEditEntry::RESULT_OK));
    QCOMPARE(Descriptions(doc), (QStringList{ "first", "a", "after" }));
    QCOMPARE(doc.GetActionNames(true).size(), 2);
}

void TestRecEditEntry::appendedCategoryStaysOnCancel()
{
    CCofferDoc doc;
    Fill(doc, Named({ QStringLiteral("a") }));
    const std::size_t nCats = doc.Categories().size();
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_INPUT, 0, true));
    entry.m_cats.emplace_back(ATTR_INCOME, QStringLiteral("給与"));
    entry.m_curs.emplace_back(QStringLiteral("€"), 2, QStringLiteral("EUR"));
    Enter(entry, int(nCats), QStringLiteral("300"), QString());
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_CANCEL), int(CRecEditEntry::RESULT_CANCEL));
    QCOMPARE(doc.Categories().size(), nCats + 1);
    QCOMPARE(doc.Categories().back().m_strName, QStringLiteral("給与"));
    QCOMPARE(doc.Currencies().back().m_strSymbol, QStringLiteral("€"));
    QCOMPARE(doc.GetLineCount(), 1);
    QVERIFY(doc.IsModified());
}

void TestRecEditEntry::outOfRangeIndexesAreRefused()
{
    CCofferDoc doc;
    Fill(doc, Named({ QStringLiteral("a") }));
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_INPUT, 0, true));
    Enter(entry, 200, QStringLiteral("1"), QStringLiteral("x"));
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_OK), int(CRecEditEntry::RESULT_CANCEL));
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_INPUT, 0, true));
    Enter(entry, CAT_FOOD, QStringLiteral("1"), QStringLiteral("x"));
    entry.m_nCur = 5;
    QCOMPARE(entry.Finish(doc, CRecEditEntry::RESULT_OK), int(CRecEditEntry::RESULT_CANCEL));
    QCOMPARE(doc.GetLineCount(), 1);
}

void TestRecEditEntry::loopNextThenCancel()
{
    CCofferDoc doc;
    Fill(doc, { Line(MakeDate(2024, 3, 1), USD, CAT_FOOD, U(-1), QStringLiteral("first")),
                Line(MakeDate(2024, 3, 30), YEN, CAT_FOOD, U(-1), QStringLiteral("last")) });
    QList<PackedDate> dates;
    QList<int> currencies;
    QList<int> moves;
    int nTyped = 0;
    const auto edit = [&](int nCmd, int nLine, bool bFirst) {
        CRecEditEntry entry;
        entry.Begin(doc, nCmd, nLine, bFirst);
        dates.append(entry.m_date);
        currencies.append(entry.m_nCur);
        if (nTyped == 3)
            return entry.Finish(doc, CRecEditEntry::RESULT_CANCEL);
        ++nTyped;
        Enter(entry, CAT_FOOD, QStringLiteral("-1"), QStringLiteral("n%1").arg(nTyped));
        entry.m_date = CCalendar::AddDays(entry.m_date, 1);
        return entry.Finish(doc, CRecEditEntry::RESULT_NEXT);
    };
    const int nAccepted = CRecEditLoop::Run(CRecEditEntry::CMD_INPUT, 1, 1, edit,
                                            [&](int nLine) { moves.append(nLine); },
                                            [&] { return doc.GetLineCount(); });
    QCOMPARE(nAccepted, 3);
    QCOMPARE(Descriptions(doc), (QStringList{ "first", "n1", "n2", "n3", "last" }));
    // Each dialog after the first starts with the date and currency of the line entered before.
    QCOMPARE(dates, (QList<PackedDate>{ MakeDate(2024, 3, 30), MakeDate(2024, 3, 31), MakeDate(2024, 4, 1),
                                        MakeDate(2024, 4, 2) }));
    QCOMPARE(currencies, (QList<int>{ YEN, YEN, YEN, YEN }));
    QCOMPARE(moves, (QList<int>{ 2, 3, 4 }));
    QCOMPARE(doc.GetActionNames(true).size(), 3);
}

void TestRecEditEntry::loopOkEndsAfterRangeRows()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d" }));
    QList<int> edited;
    const auto edit = [&](int nCmd, int nLine, bool) {
        CRecEditEntry entry;
        if (!entry.Begin(doc, nCmd, nLine, false))
            return entry.Finish(doc, CRecEditEntry::RESULT_OK);
        edited.append(nLine);
        entry.m_strDesc += QStringLiteral("!");
        return entry.Finish(doc, CRecEditEntry::RESULT_OK);
    };
    const auto count = [&] { return doc.GetLineCount(); };
    QCOMPARE(CRecEditLoop::Run(CRecEditEntry::CMD_MODIFY_ROW, 1, 2, edit, [](int) {}, count), 2);
    QCOMPARE(edited, (QList<int>{ 1, 2 }));
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b!", "c!", "d" }));
    // "次へ" past the last line ends there.
    edited.clear();
    const auto next = [&](int nCmd, int nLine, bool) {
        CRecEditEntry entry;
        if (!entry.Begin(doc, nCmd, nLine, false))
            return entry.Finish(doc, CRecEditEntry::RESULT_NEXT);
        edited.append(nLine);
        return entry.Finish(doc, CRecEditEntry::RESULT_NEXT);
    };
    QCOMPARE(CRecEditLoop::Run(CRecEditEntry::CMD_MODIFY, 2, 1, next, [](int) {}, count), 2);
    QCOMPARE(edited, (QList<int>{ 2, 3 }));
}

void TestRecEditEntry::itemAtCaret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");

    QTest::newRow("whole text") << "パン" << 2 << 0 << 2;
    QTest::newRow("after separator") << QString::fromUtf16(u"パン，牛") << 4 << 3 << 1;
    QTest::newRow("leading spaces skipped") << "a;  bc" << 6 << 4 << 2;
    QTest::newRow("right after separator") << "a(" << 2 << 2 << 0;
    QTest::newRow("caret inside") << "abc,def" << 5 << 4 << 1;
    QTest::newRow("caret beyond") << "ab" << 9 << 0 << 2;
}

void TestRecEditEntry::itemAtCaret()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    int nStart = -1;
    int nLength = -1;
    CDescMatcher::ItemAtCaret(text, caret, nStart, nLength);
    QTEST(nStart, "start");
    QTEST(nLength, "length");
}

void TestRecEditEntry::matcherRanksByUse()
{
    const std::vector<CRecItem> items = {
        Item(QStringLiteral("スーパー"), { Use(CAT_FOOD, 2) }),
        Item(QStringLiteral("スープ"), { Use(CAT_FOOD, 1), Use(CAT_HOUSING, 9) }),
        Item(QStringLiteral("スキー"), { Use(CAT_FOOD | 0x100, 3) }),
        Item(QStringLiteral("ス"), { Use(CAT_FOOD, 50) }),
        Item(QStringLiteral("Sugar"), { Use(CAT_FOOD, 1) }),
    };
    CDescMatcher matcher;
    matcher.SetItems(&items);
    // Without a category: all uses; the item that is typed out already is not offered.
    QCOMPARE(Texts(items, matcher.Match(u"ス", 0)), (QStringList{ "スープ", "スキー", "スーパー" }));
    // Under 食料 its own uses first, in parentheses or not.
    QCOMPARE(Texts(items, matcher.Match(u"ス", CAT_FOOD + 1)), (QStringList{ "スキー", "スーパー", "スープ" }));
    QCOMPARE(Texts(items, matcher.Match(u"ス", CAT_FOOD + 1, 2)), (QStringList{ "スキー", "スーパー" }));
    QCOMPARE(Texts(items, matcher.Match(u"su", 0)), QStringList{ "Sugar" });
    QVERIFY(matcher.Match(u"", 0).empty());
}

void TestRecEditEntry::matcherNarrowsAndWidens()
{
    std::vector<CRecItem> items;
    for (int i = 0; i < 300; ++i)
        items.push_back(Item(QStringLiteral("item%1").arg(i), { Use(CAT_FOOD, std::uint32_t(i % 7 + 1)) }));
    CDescMatcher matcher;
    matcher.SetItems(&items);
    const QStringList prefixes = { "i", "it", "item1", "item12", "item1", "item2", "x", "item29" };
    for (const QString& prefix : prefixes) {
        // The cached narrowing gives what a fresh search gives.
        CDescMatcher fresh;
        fresh.SetItems(&items);
        QCOMPARE(matcher.Match(prefix, 0, 1000), fresh.Match(prefix, 0, 1000));
    }
    // A grown index is searched again.
    items.push_back(Item(QStringLiteral("item299x"), { Use(CAT_FOOD, 100) }));
    QCOMPARE(Texts(items, matcher.Match(u"item299", 0, 1)), QStringList{ "item299x" });
}

QTEST_GUILESS_MAIN(TestRecEditEntry)
#include "tst_receditentry.moc"
