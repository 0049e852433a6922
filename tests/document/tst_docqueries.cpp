#include "DocFixture.h"

#include "platform/Clock.h"

#include <QTest>

#include <algorithm>

using namespace fixture;

namespace {

const PackedDate D1 = MakeDate(2020, 1, 1);

} // namespace

class TestDocQueries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void newDocument();
    void newFromExtraction();
    void finishOpen_data();
    void finishOpen();
    void deleteContentsClearsTables();
    void linesAndCells();
    void lowerBound_data();
    void lowerBound();
    void sumSelection_data();
    void sumSelection();
    void frameTitle();
    void viewsAreTold();
    void indexUses_data();
    void indexUses();
    void indexSkips();
    void indexOrder();
};

void TestDocQueries::cleanup()
{
    CClock::Reset();
}

void TestDocQueries::newDocument()
{
    CClock::SetNow(QDateTime(QDate(2021, 3, 1), QTime(5, 59)));
    CCofferDoc doc;
    QVERIFY(doc.OnNewDocument());
    QCOMPARE(doc.Categories().size(), std::size_t(17));
    QCOMPARE(doc.Currencies().size(), std::size_t(1));
    QCOMPARE(doc.GetLineCount(), 1);
    const CReceipt& line = *doc.GetLine(0);
    QCOMPARE(line.m_date, MakeDate(2021, 2, 28)); // the day runs to 06:00
    QCOMPARE(int(line.m_nCat), int(CAT_CARRY));
    QCOMPARE(line.m_strDesc, QStringLiteral("繰り越し"));
    QVERIFY(!doc.IsModified());
    QVERIFY(!doc.CanUndo());
    QVERIFY(doc.FindRecItem(u"繰り越し") >= 0);
    QCOMPARE(doc.GetFirstMonth(), MakeDate(2021, 2, 28));
}

void TestDocQueries::newFromExtraction()
{
    CCofferDoc source;
    Fill(source, Named({"a", "b", "c"}));
    source.m_picked = {source.Lines()[0], source.Lines()[2]};
    CCofferDoc doc;
    doc.SetPendingSource(&source);
    QVERIFY(doc.OnNewDocument());
    QCOMPARE(Descriptions(doc), (QStringList{"a", "c"}));
    QVERIFY(doc.Currencies() == source.Currencies());
    QVERIFY(doc.Categories() == source.Categories());
    QVERIFY(source.m_picked.empty());
    // The source is used once.
    QVERIFY(doc.OnNewDocument());
    QCOMPARE(doc.GetLineCount(), 1);
    QCOMPARE(doc.Currencies().size(), std::size_t(1));
}

void TestDocQueries::finishOpen_data()
{
    QTest::addColumn<bool>("lists");
    QTest::addColumn<bool>("lines");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("categories");
    QTest::addColumn<int>("carryCategory");
    QTest::addColumn<bool>("balanceEntry");

    QTest::newRow("nothing read") << false << false << 0 << 17 << int(CAT_CARRY) << false;
    QTest::newRow("lists without lines") << true << false << 0 << 3 << 2 << false;
    QTest::newRow("lines read") << true << true << 0 << 3 << -1 << false;
    QTest::newRow("balance entry asked for") << true << true << int(CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN) << 3 << -1
                                             << true;
}

void TestDocQueries::finishOpen()
{
    QFETCH(bool, lists);
    QFETCH(bool, lines);
    QFETCH(int, flags);
    QFETCH(int, categories);
    QFETCH(int, carryCategory);
    QFETCH(bool, balanceEntry);

    CCofferDoc doc;
    CLedgerContent content;
    if (lists) {
        content.m_curs = Currencies();
        content.m_cats = {CCategory(ATTR_REMARK), CCategory(ATTR_EXPENSE, QStringLiteral("食費")), CCategory(ATTR_CARRYOVER)};
    }
    if (lines)
        content.m_lines = {Line(D1, YEN, 1, U(-5), QStringLiteral("パン"))};
    content.m_nDocFlags = flags;
    doc.Load(std::move(content));
    QCOMPARE(doc.FinishOpen(), balanceEntry);
    QCOMPARE(int(doc.Categories().size()), categories);
    QCOMPARE(doc.GetLineCount(), 1);
    if (carryCategory >= 0)
        QCOMPARE(int(doc.GetLine(0)->m_nCat), carryCategory);
    else
        QCOMPARE(doc.GetLine(0)->m_strDesc, QStringLiteral("パン"));
    QVERIFY(!doc.IsModified());
    QVERIFY(doc.GetRecItems().size() == 1);
}

void TestDocQueries::deleteContentsClearsTables()
{
    CCofferDoc doc;
    Fill(doc, {Line(D1, YEN, CAT_EXCHANGE, U(-100)), Line(D1, USD, CAT_EXCHANGE, U(1)),
               Line(MakeDate(2020, 2, 0), YEN, CAT_BUDGET, U(-5), QStringLiteral("食料")),
               Line(MakeDate(2019, 1, 1), YEN, CAT_FOOD, U(-1), QStringLiteral("x"))});
    doc.AddToIndex();
    QVERIFY(doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 0, 1)));
    QVERIFY(!doc.GetExchangeTable().empty() && doc.GetErrors() != 0);

    doc.DeleteContents();
    QVERIFY(doc.GetExchangeTable().empty());
    QCOMPARE(doc.GetErrors(), 0u);
    QCOMPARE(doc.GetFirstMonth(), 0);
    QCOMPARE(doc.GetLastMonth(), 0);
    QCOMPARE(doc.GetBudgetTable().GetBudget(CBudgetTable::ATTR_KEYS + CAT_FOOD, YEN, 0), 0);
    QVERIFY(doc.GetRecItems().empty());
    QVERIFY(doc.GetActions().empty());
    QCOMPARE(doc.GetActionPos(), 0);
    QCOMPARE(doc.GetSavedPos(), 0);
    QCOMPARE(doc.GetLineCount(), 0);
}

void TestDocQueries::linesAndCells()
{
    CCofferDoc doc;
    Fill(doc, Named({"a", "b"}));
    QVERIFY(doc.GetLine(-1) == nullptr);
    QVERIFY(doc.GetLine(2) == nullptr);
    QCOMPARE(doc.GetLine(1)->m_strDesc, QStringLiteral("b"));
    QCOMPARE(doc.GetCellText(2, COL_DESCRIPTION, true, false), QString());
    QCOMPARE(doc.GetCellText(-1, COL_OUT, true, false), QString());
    QCOMPARE(doc.GetCellText(1, COL_OUT, true, false), QStringLiteral("\\100"));
    QCOMPARE(doc.GetCellText(1, COL_OUT, false, false), QStringLiteral("100"));
    QCOMPARE(doc.GetCellText(1, COL_BALANCE, true, true), QStringLiteral("-\\200"));
}

void TestDocQueries::lowerBound_data()
{
    QTest::addColumn<QList<int>>("days");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("pos");

    QTest::newRow("empty ledger") << QList<int>{} << 5 << 0;
    QTest::newRow("later than every line") << QList<int>{1, 2, 3} << 9 << 3;
    QTest::newRow("earlier than every line") << QList<int>{4, 5} << 1 << 0;
    QTest::newRow("first of equal dates") << QList<int>{1, 2, 2, 2, 3} << 2 << 1;
    QTest::newRow("between dates") << QList<int>{1, 3, 5} << 4 << 2;
    // Out of order, the answer is still a boundary: the line before it is earlier than the
    // date, the line at it is not.
    QTest::newRow("out of order lines") << QList<int>{1, 4, 3, 4, 5} << 4 << 3;
}

void TestDocQueries::lowerBound()
{
    QFETCH(QList<int>, days);
    QFETCH(int, day);
    QFETCH(int, pos);

    std::vector<CReceipt> lines;
    for (int d : days)
        lines.push_back(Line(MakeDate(2020, 1, d), YEN, CAT_FOOD, U(-1)));
    CCofferDoc doc;
    Fill(doc, lines);
    QCOMPARE(doc.LowerBound(MakeDate(2020, 1, day)), pos);
}

void TestDocQueries::sumSelection_data()
{
    QTest::addColumn<std::vector<CLineRange>>("ranges");
    QTest::addColumn<QList<Amount>>("totals");

    // Columns: date, in, out, account, description.
    QTest::newRow("cell block") << std::vector<CLineRange>{CLineRange::Cells(1, 0, 2, 1)}
                                << QList<Amount>{U(400), 0, 0};
    QTest::newRow("overlapping cells count once")
        << std::vector<CLineRange>{CLineRange::Cells(1, 0, 2, 1), CLineRange::Cells(2, 0, 2, 3)}
        << QList<Amount>{U(450), U(5), 0};
    QTest::newRow("whole rows add both amounts") << std::vector<CLineRange>{CLineRange::WholeRows(0, 3)}
                                                 << QList<Amount>{U(200), U(-5), 0};
    QTest::newRow("overlapping rows count once")
        << std::vector<CLineRange>{CLineRange::WholeRows(0, 1), CLineRange::WholeRows(1, 2)}
        << QList<Amount>{U(200), U(-5), 0};
    QTest::newRow("cell covered by an earlier row range")
        << std::vector<CLineRange>{CLineRange::WholeRows(0, 0), CLineRange::Cells(2, 0, 2, 0)}
        << QList<Amount>{U(-100), 0, 0};
    QTest::newRow("account column") << std::vector<CLineRange>{CLineRange::Cells(3, 0, 3, 3)}
                                    << QList<Amount>{U(50), 0, 0};
    QTest::newRow("rows beyond the ledger ignored") << std::vector<CLineRange>{CLineRange::WholeRows(2, 100)}
                                                    << QList<Amount>{0, U(-5), 0};
    QTest::newRow("empty range") << std::vector<CLineRange>{CLineRange()} << QList<Amount>{0, 0, 0};
}

void TestDocQueries::sumSelection()
{
    QFETCH(std::vector<CLineRange>, ranges);
    QFETCH(QList<Amount>, totals);

    CCofferDoc doc;
    Fill(doc, {Line(D1, YEN, CAT_FOOD, U(-100)), Line(D1, YEN, CAT_INCOME, U(300)), Line(D1, USD, CAT_FOOD, U(-5)),
               Line(D1, YEN, CAT_FOOD, U(-50), QString(), CAT_SAVINGS, U(50))});
    std::vector<Amount> result;
    doc.SumSelection(ranges, {COL_DATE, COL_IN, COL_OUT, COL_ACCOUNT, COL_DESCRIPTION}, result);
    QCOMPARE(QList<Amount>(result.begin(), result.end()), totals);
}

void TestDocQueries::frameTitle()
{
    CCofferDoc doc;
    Fill(doc, Named({"a"}));
    doc.SetPathName(QStringLiteral("/tmp/家計簿.ldr"));
    CRecordingView v1, v2, v3;
    doc.AddView(&v1);
    QCOMPARE(doc.GetFrameTitle(&v1), QStringLiteral("家計簿.ldr"));
    doc.AddView(&v2);
    doc.AddView(&v3);
    QCOMPARE(doc.GetFrameTitle(&v2), QStringLiteral("家計簿.ldr:2"));
    doc.SetModifiedFlag(true);
    QVERIFY(v3.m_nTitleUpdates > 0);
    QCOMPARE(doc.GetFrameTitle(&v2), QStringLiteral("家計簿.ldr *:2"));
    QCOMPARE(doc.GetFrameTitle(nullptr), QStringLiteral("家計簿.ldr *"));
    doc.RemoveView(&v1);
    QCOMPARE(doc.GetFrameTitle(&v3), QStringLiteral("家計簿.ldr *:2"));
    doc.RemoveView(&v2);
    doc.RemoveView(&v3);
}

void TestDocQueries::viewsAreTold()
{
    // A view that closes while it is told must not stop the others from hearing.
    class CClosingView : public CRecordingView
    {
    public:
        void OnUpdate(IDocView* pSender, const UpdateHint& hint) override
        {
            CRecordingView::OnUpdate(pSender, hint);
            m_pDoc->RemoveView(this);
        }
        CDocument* m_pDoc = nullptr;
    };
    CCofferDoc doc;
    Fill(doc, Named({"a"}));
    CRecordingView sender, other;
    CClosingView closing;
    closing.m_pDoc = &doc;
    doc.AddView(&sender);
    doc.AddView(&closing);
    doc.AddView(&other);
    doc.AddView(&other); // once only
    QCOMPARE(doc.GetViewCount(), 3);
    doc.UpdateAllViews(&sender, SViewFont{});
    QVERIFY(sender.m_notices.isEmpty());
    QCOMPARE(closing.m_notices, QStringList{"ViewFont()"});
    QCOMPARE(other.m_notices, QStringList{"ViewFont()"});
    QCOMPARE(doc.GetViewCount(), 2);
    QCOMPARE(doc.FindView(&closing), -1);
    doc.RemoveView(&sender);
    doc.RemoveView(&other);
}

void TestDocQueries::indexUses_data()
{
    QTest::addColumn<QString>("desc");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("uses");
    QTest::addColumn<int>("lastFlags");
    QTest::addColumn<Amount>("lastAmount");

    const int MAIN = CDescToken::TF_MAIN;
    const int PAREN = CDescToken::TF_PAREN;
    const int HEAD = CDescToken::TF_HEADING;
    // uses: key, count, key, count, ...
    QTest::newRow("main item and the same in parentheses")
        << QStringLiteral("パン（パン）") << 0 << QStringLiteral("パン")
        << QList<int>{CAT_FOOD, 1, CAT_FOOD | PAREN, 1} << (MAIN | HEAD | CAT_FOOD) << U(-100);
    QTest::newRow("first use inside parentheses") << QStringLiteral("朝食（牛乳）") << 0 << QStringLiteral("牛乳")
                                                  << QList<int>{CAT_FOOD | PAREN, 1} << (MAIN | PAREN | CAT_FOOD)
                                                  << U(-100);
    QTest::newRow("counter part") << QStringLiteral("パン；ATM") << int(CAT_SAVINGS) << QStringLiteral("ATM")
                                  << QList<int>{CAT_SAVINGS, 1} << int(CDescToken::TF_COUNTER | std::uint32_t(CAT_SAVINGS))
                                  << U(100);
    QTest::newRow("no part after a second separator") << QStringLiteral("パン；ATM；メモ") << int(CAT_SAVINGS)
                                                       << QStringLiteral("メモ") << QList<int>{0, 1} << 0 << Amount(0);
}

void TestDocQueries::indexUses()
{
    QFETCH(QString, desc);
    QFETCH(int, counter);
    QFETCH(QString, item);
    QFETCH(QList<int>, uses);
    QFETCH(int, lastFlags);
    QFETCH(Amount, lastAmount);

    CCofferDoc doc;
    Fill(doc, {Line(D1, YEN, CAT_FOOD, U(-100), desc, counter, counter ? U(100) : 0)});
    doc.AddToIndex();
    const int nItem = doc.FindRecItem(item);
    QVERIFY(nItem >= 0);
    const CRecItem& rec = doc.GetRecItems()[std::size_t(nItem)];
    QList<int> actual;
    for (std::uint32_t nUse : rec.m_uses)
        actual << int(CRecItem::UseKey(nUse)) << int(CRecItem::UseCount(nUse));
    QCOMPARE(actual, uses);
    QCOMPARE(rec.m_nLastFlags, lastFlags);
    QCOMPARE(rec.m_nLastAmount, lastAmount);
}

void TestDocQueries::indexSkips()
{
    CReceipt raw = Line(D1, YEN, 0, 0, QStringLiteral("生の行"));
    raw.m_nFlags = CReceipt::RF_RAW_TEXT;
    CCofferDoc doc;
    Fill(doc, {raw, Line(D1, YEN, CAT_FOOD, U(-3), QStringLiteral("りんご×3"))});
    doc.AddToIndex();
    QCOMPARE(doc.GetRecItems().size(), std::size_t(1));
    QCOMPARE(doc.GetRecItems()[0].m_strText, QStringLiteral("りんご"));
    QCOMPARE(doc.FindRecItem(u"3"), -1);
    QCOMPARE(doc.FindRecItem(u"生の行"), -1);
}

void TestDocQueries::indexOrder()
{
    CCofferDoc doc;
    std::vector<CReceipt> lines;
    for (const char16_t* text : {u"さ", u"ｶ", u"か", u"あ", u"カ"})
        lines.push_back(Line(D1, YEN, CAT_FOOD, U(-1), QString::fromUtf16(text)));
    Fill(doc, lines);
    doc.AddToIndex();
    // Texts the collation ranks equal are still different items.
    const std::vector<CRecItem>& items = doc.GetRecItems();
    QCOMPARE(items.size(), std::size_t(5));
    QCOMPARE(items.front().m_strText, QStringLiteral("あ"));
    QCOMPARE(items.back().m_strText, QStringLiteral("さ"));
    QVERIFY(std::is_sorted(items.begin(), items.end(), [&doc](const CRecItem& a, const CRecItem& b) {
        return doc.RecItemLess(a.m_strText, b.m_strText);
    }));

    // A new item later goes to its place; items of deleted lines stay.
    QVERIFY(doc.PushAction(CAction::InsertRows(CAction::ACT_ENTER_ROW, 5, {Line(D1, YEN, CAT_FOOD, U(-1), QStringLiteral("い"))})));
    doc.AddToIndex(5, 1);
    QVERIFY(doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 0, 6)));
    QCOMPARE(doc.GetRecItems().size(), std::size_t(6));
    QCOMPARE(doc.GetRecItems()[1].m_strText, QStringLiteral("い"));
    for (std::size_t i = 0; i < doc.GetRecItems().size(); ++i)
        QCOMPARE(doc.FindRecItem(doc.GetRecItems()[i].m_strText), int(i));
}

QTEST_GUILESS_MAIN(TestDocQueries)
#include "tst_docqueries.moc"
