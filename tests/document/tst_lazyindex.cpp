// An opened ledger builds its description index when it is first needed; what it then
// holds is what it would have held if built at the open, whatever changed in between.
#include "DocFixture.h"

#include "model/Action.h"
#include "persist/DocumentFile.h"

#include <QTest>

#include <algorithm>

using namespace fixture;

namespace {

// The index as text and use counts, in its order.
QStringList Items(const CCofferDoc& doc)
{
    QStringList items;
    for (const CRecItem& item : doc.GetRecItems()) {
        QString strUses;
        for (const std::uint32_t nUse : item.m_uses)
            strUses += QStringLiteral(" %1").arg(nUse, 0, 16);
        items.append(item.m_strText + strUses);
    }
    return items;
}

} // namespace

class TestLazyIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameAsBuiltAtTheOpen_data();
    void sameAsBuiltAtTheOpen();
};

void TestLazyIndex::sameAsBuiltAtTheOpen_data()
{
    QTest::addColumn<int>("change");
    QTest::newRow("looked at first") << 0;
    QTest::newRow("a line removed first") << 1;
    QTest::newRow("a line removed and the removal undone") << 2;
    QTest::newRow("a line added first") << 3;
}

void TestLazyIndex::sameAsBuiltAtTheOpen()
{
    QFETCH(int, change);
    CCofferDoc source;
    Fill(source, Named({ "パン（牛乳）", "本", "パン", "電車" }));
    const QByteArray bytes = CDocumentFile::NativeBytes(source);

    // One whose index is looked at right after the open, so built then.
    CCofferDoc eager;
    QVERIFY(CDocumentFile::Load(eager, bytes, QString()));
    const QStringList atOpen = Items(eager);
    QVERIFY(!atOpen.isEmpty());
    CCofferDoc lazy;
    QVERIFY(CDocumentFile::Load(lazy, bytes, QString()));
    for (CCofferDoc* pDoc : { &eager, &lazy }) {
        if (change == 1 || change == 2)
            QVERIFY(pDoc->PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 1, 1)));
        if (change == 2)
            pDoc->Undo();
        if (change == 3) {
            QVERIFY(pDoc->PushAction(CAction::InsertRows(CAction::ACT_ENTER_ROW, 0, Named({ "花" }))));
            pDoc->AddToIndex(0, 1);
        }
    }
    // A removed line's texts stay in the index, as they do in one built at the open.
    QVERIFY(std::any_of(lazy.GetRecItems().begin(), lazy.GetRecItems().end(),
                        [](const CRecItem& item) { return item.m_strText == QStringLiteral("本"); }));
    QCOMPARE(Items(lazy), Items(eager));
    if (change != 3)
        QCOMPARE(Items(lazy), atOpen);
}

QTEST_GUILESS_MAIN(TestLazyIndex)
#include "tst_lazyindex.moc"
