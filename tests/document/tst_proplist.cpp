#include "DocFixture.h"

#include "model/PropList.h"

#include <QTest>

using namespace fixture;

namespace {

QStringList Names(const CPropList<CCategory>& list)
{
    QStringList names;
    for (int n = 0; n < list.Count(); ++n)
        names.append(list.At(n).m_strName);
    return names;
}

CPropList<CCategory> ThreeRows()
{
    CPropList<CCategory> list;
    list.Fill({CCategory(ATTR_REMARK), CCategory(ATTR_CARRYOVER), CCategory(ATTR_EXPENSE, QStringLiteral("食料"))});
    return list;
}

} // namespace

// The working list of a settings page: origins, positions of new rows, the moves that row 0
// forbids, and what the document makes of the list when it is applied.
class TestPropList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillGivesOrigins();
    void buttons_data();
    void buttons();
    void insertPositions_data();
    void insertPositions();
    void movesKeepRowZero();
    void addTwoDeleteFirstThenApply();
    void applyRemapsLinesAndHistory();
};

void TestPropList::fillGivesOrigins()
{
    const CPropList<CCategory> list = ThreeRows();
    QCOMPARE(list.Origins(), (std::vector<int>{0, 1, 2}));
    QVERIFY(!list.IsModified());
    QVERIFY(list.IsFromDocument(2));
    QVERIFY(!list.IsFromDocument(3));
}

void TestPropList::buttons_data()
{
    QTest::addColumn<int>("sel");
    QTest::addColumn<QString>("enabled"); // delete, change, up, down
    QTest::newRow("none") << -1 << "----";
    QTest::newRow("row 0") << 0 << "-C--";
    QTest::newRow("row 1") << 1 << "DC-W";
    QTest::newRow("row 2") << 2 << "DCUW";
}

void TestPropList::buttons()
{
    QFETCH(int, sel);
    QFETCH(QString, enabled);
    const auto b = CPropList<CCategory>::Buttons(sel);
    const QString got = QString(b.bDelete ? u'D' : u'-') + (b.bChange ? u'C' : u'-') + (b.bUp ? u'U' : u'-')
        + (b.bDown ? u'W' : u'-');
    QCOMPARE(got, enabled);
}

void TestPropList::insertPositions_data()
{
    QTest::addColumn<int>("sel");
    QTest::addColumn<int>("pos");
    QTest::newRow("no selection: the end") << -1 << 3;
    QTest::newRow("row 0: after it") << 0 << 1;
    QTest::newRow("row 2: at it") << 2 << 2;
}

void TestPropList::insertPositions()
{
    QFETCH(int, sel);
    QFETCH(int, pos);
    CPropList<CCategory> list = ThreeRows();
    QCOMPARE(list.Insert(sel, CCategory(ATTR_INCOME, QStringLiteral("給与"))), pos);
    QCOMPARE(list.At(pos).m_strName, QStringLiteral("給与"));
    QCOMPARE(list.Origin(pos), 3);
    QVERIFY(list.IsModified());
    QVERIFY(!list.IsFromDocument(pos));
}

void TestPropList::movesKeepRowZero()
{
    CPropList<CCategory> list = ThreeRows();
    QCOMPARE(list.MoveUp(1), -1);
    QCOMPARE(list.MoveDown(2), -1);
    QCOMPARE(list.MoveDown(0), -1);
    QVERIFY(!list.Remove(0));
    QVERIFY(!list.IsModified());
    QCOMPARE(list.MoveDown(1), 2);
    QCOMPARE(Names(list), (QStringList{"備考", "食料", "繰越"}));
    QCOMPARE(list.Origins(), (std::vector<int>{0, 2, 1}));
    QCOMPARE(list.MoveUp(2), 1);
    QCOMPARE(list.Origins(), (std::vector<int>{0, 1, 2}));
}

void TestPropList::addTwoDeleteFirstThenApply()
{
    CCofferDoc doc;
    Fill(doc, {Line(MakeDate(2024, 1, 1), YEN, CAT_FOOD, U(-1), "x")});
    CPropList<CCategory> list;
    list.Fill(doc.Categories());
    const int nCount = list.Count();
    list.Insert(-1, CCategory(ATTR_INCOME, QStringLiteral("給与")));
    list.Insert(-1, CCategory(ATTR_EXPENSE, QStringLiteral("趣味")));
    QVERIFY(list.Remove(nCount));
    QVERIFY(!list.IsFromDocument(nCount));
    QVERIFY(doc.ReplaceCategories(list.Values(), list.Origins()));
    list.Renumber();
    QCOMPARE(int(doc.Categories().size()), nCount + 1);
    QCOMPARE(doc.Categories().back().m_strName, QStringLiteral("趣味"));
    QCOMPARE(doc.Lines()[0].m_nCat, std::uint8_t(CAT_FOOD));
    QVERIFY(!list.IsModified());
    QCOMPARE(list.Origin(nCount), nCount);
    QVERIFY(list.IsFromDocument(nCount));
}

void TestPropList::applyRemapsLinesAndHistory()
{
    CCofferDoc doc;
    Fill(doc, Named({"a", "b"}));
    doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 1, 1));
    CPropList<CCategory> list;
    list.Fill(doc.Categories());
    // Food moves up to position 2, above 収入.
    QCOMPARE(list.MoveUp(CAT_FOOD), int(CAT_FOOD) - 1);
    QVERIFY(doc.ReplaceCategories(list.Values(), list.Origins()));
    QCOMPARE(doc.Categories()[CAT_FOOD - 1].m_strName, QStringLiteral("食料"));
    QCOMPARE(doc.Lines()[0].m_nCat, std::uint8_t(CAT_FOOD - 1));
    doc.Undo();
    QCOMPARE(doc.Lines()[1].m_nCat, std::uint8_t(CAT_FOOD - 1));
    QVERIFY(doc.IsCategoryInUse(CAT_FOOD - 1));
    QVERIFY(!doc.IsCategoryInUse(CAT_FOOD));
}

QTEST_GUILESS_MAIN(TestPropList)
#include "tst_proplist.moc"
