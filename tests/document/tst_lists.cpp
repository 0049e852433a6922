#include "DocFixture.h"

#include "platform/Clock.h"

#include <QTest>

using namespace fixture;

namespace {

const PackedDate D1 = MakeDate(2020, 1, 1);

std::vector<int> Identity(int nCount)
{
    std::vector<int> prev;
    for (int i = 0; i < nCount; ++i)
        prev.push_back(i);
    return prev;
}

} // namespace

class TestLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void reorderCurrencies();
    void currencyRemap_data();
    void currencyRemap();
    void refusedLists();
    void reorderCategories();
    void deletedCategoryMergesUses();
    void stampsAlwaysChange();
    void useCountsSaturate();
};

void TestLists::cleanup()
{
    CClock::Reset();
}

void TestLists::reorderCurrencies()
{
    CCofferDoc doc;
    Fill(doc, {Line(D1, YEN, CAT_INCOME, U(100)), Line(D1, USD, CAT_INCOME, U(5)), Line(D1, EUR, CAT_INCOME, U(7)),
               Line(D1, USD, CAT_FOOD, U(-1))});
    QVERIFY(doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 3, 1)));
    CRecordingView view;
    doc.AddView(&view);
    doc.SetModifiedFlag(false);
    const std::uint32_t dwStamp = doc.GetCurrencyStamp();
    CClock::SetTickCount(dwStamp + 50);

    std::vector<CCurFmt> curs = {doc.Currencies()[0], doc.Currencies()[2], doc.Currencies()[1]};
    QVERIFY(doc.ReplaceCurrencies(curs, {0, 2, 1}));
    QCOMPARE(view.m_notices, QStringList{"CurrenciesRemapped(table=0,2,1)"});
    QVERIFY(doc.IsModified());
    QVERIFY(doc.GetCurrencyStamp() != dwStamp);
    // Every line shows the same symbol as before.
    QCOMPARE(doc.GetCellText(1, COL_IN, true, false), QStringLiteral("$5.00"));
    QCOMPARE(doc.GetCellText(2, COL_IN, true, false), QStringLiteral("€7.00"));
    QCOMPARE(int(doc.GetLine(1)->m_nCur), 2);
    // The line held by the history carries the new position too.
    doc.Undo();
    QCOMPARE(int(doc.GetLine(3)->m_nCur), 2);
    QCOMPARE(doc.GetCellText(3, COL_OUT, true, false), QStringLiteral("$1.00"));
    QVERIFY(doc.IsCurrencyInUse(2));
    doc.RemoveView(&view);
}

void TestLists::currencyRemap_data()
{
    QTest::addColumn<QList<int>>("prev");
    QTest::addColumn<QString>("notice");

    QTest::newRow("reordered") << QList<int>{0, 2, 1} << "CurrenciesRemapped(table=0,2,1)";
    QTest::newRow("deleted maps to the base") << QList<int>{0, 2} << "CurrenciesRemapped(table=0,0,1)";
    QTest::newRow("added after the former list") << QList<int>{0, 1, 2, 3} << "CurrenciesRemapped(table=0,1,2,3)";
    // A bogus previous position must not size the table.
    QTest::newRow("added with a huge position") << QList<int>{0, 1, 2, 1000000000} << "CurrenciesRemapped(table=0,1,2)";
    QTest::newRow("negative position ignored") << QList<int>{0, -4, 2} << "CurrenciesRemapped(table=0,0,2)";
}

void TestLists::currencyRemap()
{
    QFETCH(QList<int>, prev);
    QFETCH(QString, notice);

    CCofferDoc doc;
    Fill(doc, {Line(D1, USD, CAT_INCOME, U(5))});
    CRecordingView view;
    doc.AddView(&view);
    std::vector<CCurFmt> curs;
    for (int i = 0; i < int(prev.size()); ++i)
        curs.emplace_back(QStringLiteral("C%1").arg(i), 2, QString());
    QVERIFY(doc.ReplaceCurrencies(curs, std::vector<int>(prev.begin(), prev.end())));
    QCOMPARE(view.m_notices, QStringList{notice});
    QVERIFY(doc.GetLine(0)->m_nCur < doc.Currencies().size());
    doc.RemoveView(&view);
}

void TestLists::refusedLists()
{
    CCofferDoc doc;
    Fill(doc, Named({"a"}));
    const std::vector<CCurFmt> curs = doc.Currencies();
    const std::vector<CCategory> cats = doc.Categories();
    QVERIFY(!doc.ReplaceCurrencies({}, {}));
    QVERIFY(!doc.ReplaceCurrencies(curs, {0, 1}));
    QVERIFY(!doc.ReplaceCategories({}, {}));
    QVERIFY(!doc.ReplaceCategories(std::vector<CCategory>(122, CCategory(ATTR_EXPENSE)), Identity(122)));
    QVERIFY(doc.Currencies() == curs);
    QVERIFY(doc.Categories() == cats);
    QVERIFY(!doc.IsModified());
}

void TestLists::reorderCategories()
{
    CCofferDoc doc;
    Fill(doc, {Line(D1, YEN, CAT_FOOD, U(-3), QStringLiteral("パン"), CAT_HOUSING, U(3)),
               Line(D1, YEN, CAT_HOUSING, U(-9), QStringLiteral("家賃"))});
    doc.AddToIndex();
    const int nBread = doc.FindRecItem(u"パン");
    QVERIFY(nBread >= 0);
    QCOMPARE(doc.GetRecItems()[std::size_t(nBread)].CountOf(CAT_FOOD), 1u);
    CRecordingView view;
    doc.AddView(&view);

    std::vector<CCategory> cats = doc.Categories();
    std::swap(cats[CAT_FOOD], cats[CAT_HOUSING]);
    std::vector<int> prev = Identity(int(cats.size()));
    std::swap(prev[CAT_FOOD], prev[CAT_HOUSING]);
    QVERIFY(doc.ReplaceCategories(cats, prev));

    QCOMPARE(view.m_notices.size(), 1);
    QVERIFY(view.m_notices[0].startsWith(QStringLiteral("CategoriesRemapped(table=0,1,2,4,3,5,")));
    QCOMPARE(int(doc.GetLine(0)->m_nCat), int(CAT_HOUSING));
    QCOMPARE(int(doc.GetLine(0)->m_nCat2), int(CAT_FOOD));
    QCOMPARE(doc.GetCellText(0, COL_CATEGORY, false, false), QStringLiteral("食料；住居"));
    // The index follows the new positions, and all lines were added to it once more.
    const CRecItem& item = doc.GetRecItems()[std::size_t(doc.FindRecItem(u"パン"))];
    QCOMPARE(item.CountOf(CAT_FOOD), 0u);
    QCOMPARE(item.CountOf(CAT_HOUSING), 2u);
    QCOMPARE(item.m_nLastFlags & 0xFF, int(CAT_HOUSING));
    QVERIFY(doc.IsModified());
    doc.RemoveView(&view);
}

void TestLists::deletedCategoryMergesUses()
{
    CCofferDoc doc;
    Fill(doc, Named({"a"}));
    // Uses of lines no longer in the ledger stay in the index.
    const std::vector<CReceipt> gone = {Line(D1, YEN, CAT_REMARK, 0, QStringLiteral("x")),
                                        Line(D1, YEN, 5, U(-1), QStringLiteral("x")),
                                        Line(D1, YEN, 5, U(-1), QStringLiteral("x")),
                                        Line(D1, YEN, 6, U(-1), QStringLiteral("y")),
                                        Line(D1, YEN, CAT_HOUSING, U(-1), QStringLiteral("y"))};
    doc.AddToIndex(std::span<const CReceipt>(gone));

    std::vector<CCategory> cats = doc.Categories();
    cats.erase(cats.begin() + 5);
    std::vector<int> prev = Identity(int(doc.Categories().size()));
    prev.erase(prev.begin() + 5);
    QVERIFY(doc.ReplaceCategories(cats, prev));

    const CRecItem& x = doc.GetRecItems()[std::size_t(doc.FindRecItem(u"x"))];
    QCOMPARE(x.m_uses.size(), std::size_t(1));
    QCOMPARE(CRecItem::UseKey(x.m_uses[0]), 0u);
    QCOMPARE(CRecItem::UseCount(x.m_uses[0]), 3u);
    const CRecItem& y = doc.GetRecItems()[std::size_t(doc.FindRecItem(u"y"))];
    QCOMPARE(y.m_uses.size(), std::size_t(2));
    QVERIFY(CRecItem::UseKey(y.m_uses[0]) < CRecItem::UseKey(y.m_uses[1]));
    QCOMPARE(y.CountOf(5), 1u);
}

void TestLists::stampsAlwaysChange()
{
    CClock::SetTickCount(1000);
    CCofferDoc doc;
    Fill(doc, Named({"a"}));
    QCOMPARE(doc.GetCurrencyStamp(), 1000u);
    QVERIFY(doc.ReplaceCurrencies(doc.Currencies(), Identity(int(doc.Currencies().size()))));
    const std::uint32_t dwFirst = doc.GetCurrencyStamp();
    QVERIFY(doc.ReplaceCurrencies(doc.Currencies(), Identity(int(doc.Currencies().size()))));
    QVERIFY(doc.GetCurrencyStamp() != dwFirst);
    QCOMPARE(doc.GetCategoryStamp(), 1000u);
    QVERIFY(doc.ReplaceCategories(doc.Categories(), Identity(int(doc.Categories().size()))));
    QVERIFY(doc.GetCategoryStamp() != 1000u);
}

void TestLists::useCountsSaturate()
{
    CRecItem item;
    item.m_uses = {(0xFFFEu << 16) | CAT_FOOD};
    item.AddUse(std::uint32_t(CAT_FOOD) | CDescToken::TF_MAIN);
    item.AddUse(std::uint32_t(CAT_FOOD) | CDescToken::TF_MAIN);
    QCOMPARE(item.CountOf(CAT_FOOD), 0xFFFFu);
    item.m_uses.push_back((0xFFF0u << 16) | CAT_FOOD);
    item.SortUses();
    QCOMPARE(item.m_uses.size(), std::size_t(1));
    QCOMPARE(item.CountOf(CAT_FOOD), 0xFFFFu);
}

QTEST_GUILESS_MAIN(TestLists)
#include "tst_lists.moc"
