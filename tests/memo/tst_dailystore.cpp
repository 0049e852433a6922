#include "memo/DailyStore.h"

#include <QTest>

namespace {
constexpr std::int32_t Date(int y, int m, int d)
{
    return (y << 16) | (m << 8) | d;
}

CDailyRec Memo(std::int32_t date, const QString& strComment)
{
    CDailyRec rec(date);
    rec.SetFieldText(MF_COMMENT0, strComment);
    return rec;
}

// An edit of one day's comment, as the memo view builds it.
CDailyAction EditAction(const CDailyStore& store, std::int32_t date, const QString& strComment, int nKind = MA_EDIT)
{
    CDailyAction action(nKind, {1, 2, 3, 4}, {5, 6, 7, 8});
    CDailyRec rec = store.CopyMemo(date);
    rec.SetFieldText(MF_COMMENT0, strComment);
    action.m_records.push_back(rec);
    return action;
}

QString CommentOf(const CDailyStore& store, std::int32_t date)
{
    const CDailyRec* pRec = store.FindMemo(date);
    return pRec ? pRec->GetFieldText(MF_COMMENT0) : QStringLiteral("<none>");
}
}

class TestDailyStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findMemoIndex_data();
    void findMemoIndex();
    void undoKeepsEmptyRecord();
    void redoAfterUndo();
    void newActionDropsRedoPart();
    void modifiedFollowsSavedPosition();
    void moveUndoSelectsSource();
    void kindNames();
    void loadSortsStable();
};

void TestDailyStore::findMemoIndex_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("probeDay");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("position");
    // The store holds days 2, 4, 6, ... of January 2024.
    QTest::newRow("empty store") << 0 << 5 << false << 0;
    QTest::newRow("before all") << 5 << 1 << false << 0;
    QTest::newRow("first") << 5 << 2 << true << 0;
    QTest::newRow("between") << 5 << 5 << false << 2;
    QTest::newRow("last") << 15 << 30 << true << 14;
    QTest::newRow("after all") << 15 << 31 << false << 15;
    QTest::newRow("middle of many") << 15 << 16 << true << 7;
}

void TestDailyStore::findMemoIndex()
{
    QFETCH(int, count);
    QFETCH(int, probeDay);
    QFETCH(bool, found);
    QFETCH(int, position);
    CDailyStore store;
    for (int i = 0; i < count; ++i)
        store.m_daily.emplace_back(Date(2024, 1, 2 + 2 * i));
    const auto [bFound, nPos] = store.FindMemoIndex(Date(2024, 1, probeDay));
    QCOMPARE(bFound, found);
    QCOMPARE(nPos, qsizetype(position));
}

void TestDailyStore::undoKeepsEmptyRecord()
{
    CDailyStore store;
    store.m_daily.push_back(Memo(Date(2024, 1, 1), u"元日"_qs));
    int nNotices = 0;
    CDailyAction::Range last;
    store.m_notify = [&](const CDailyAction::Range& range) {
        last = range;
        ++nNotices;
    };

    CDailyAction action = EditAction(store, Date(2024, 1, 3), u"初仕事"_qs);
    QVERIFY(store.DoMemoAction(action));
    QVERIFY(action.m_records.empty());
    QCOMPARE(store.m_daily.size(), size_t(2));
    QCOMPARE(CommentOf(store, Date(2024, 1, 3)), u"初仕事"_qs);
    QCOMPARE(nNotices, 1);
    QCOMPARE(last, (CDailyAction::Range{1, 2, 3, 4}));

    QVERIFY(store.UndoMemoAction());
    QCOMPARE(store.m_daily.size(), size_t(2));
    const CDailyRec* pRec = store.FindMemo(Date(2024, 1, 3));
    QVERIFY(pRec && pRec->IsEmpty());
    QVERIFY(!store.UndoMemoAction());
    QCOMPARE(nNotices, 2);
}

void TestDailyStore::redoAfterUndo()
{
    CDailyStore store;
    CDailyAction first = EditAction(store, Date(2024, 2, 1), u"一"_qs);
    store.DoMemoAction(first);
    CDailyAction second = EditAction(store, Date(2024, 2, 1), u"二"_qs);
    store.DoMemoAction(second);
    QVERIFY(!store.RedoMemoAction());

    QVERIFY(store.UndoMemoAction());
    QCOMPARE(CommentOf(store, Date(2024, 2, 1)), u"一"_qs);
    QVERIFY(store.UndoMemoAction());
    QCOMPARE(CommentOf(store, Date(2024, 2, 1)), QString());
    QVERIFY(store.RedoMemoAction());
    QVERIFY(store.RedoMemoAction());
    QCOMPARE(CommentOf(store, Date(2024, 2, 1)), u"二"_qs);
    QVERIFY(!store.RedoMemoAction());
}

void TestDailyStore::newActionDropsRedoPart()
{
    CDailyStore store;
    for (const char16_t* psz : {u"a", u"b", u"c"}) {
        CDailyAction action = EditAction(store, Date(2024, 2, 1), QString::fromUtf16(psz));
        store.DoMemoAction(action);
    }
    store.UndoMemoAction();
    store.UndoMemoAction();
    CDailyAction action = EditAction(store, Date(2024, 2, 2), u"d"_qs);
    store.DoMemoAction(action);
    QCOMPARE(store.m_dailyActions.size(), size_t(2));
    QCOMPARE(store.m_nDailyPos, qsizetype(2));
    QVERIFY(!store.RedoMemoAction());
    QCOMPARE(CommentOf(store, Date(2024, 2, 1)), u"a"_qs);
}

void TestDailyStore::modifiedFollowsSavedPosition()
{
    CDailyStore store;
    QVERIFY(!store.IsModified());
    CDailyAction a = EditAction(store, Date(2024, 2, 1), u"a"_qs);
    store.DoMemoAction(a);
    QVERIFY(store.IsModified());
    store.SetSaved();
    QVERIFY(!store.IsModified());
    store.UndoMemoAction();
    QVERIFY(store.IsModified());
    store.RedoMemoAction();
    QVERIFY(!store.IsModified());

    // Undo past the save, then a new action: the saved state is gone for good.
    store.UndoMemoAction();
    CDailyAction b = EditAction(store, Date(2024, 2, 1), u"b"_qs);
    store.DoMemoAction(b);
    QVERIFY(store.IsModified());
    store.UndoMemoAction();
    QVERIFY(store.IsModified());
    store.RedoMemoAction();
    QVERIFY(store.IsModified());

    store.Replace({Memo(Date(2024, 5, 1), u"x"_qs)});
    QCOMPARE(store.m_nDailyPos, qsizetype(0));
    QVERIFY(store.m_dailyActions.empty());
    QVERIFY(store.IsModified());
}

void TestDailyStore::moveUndoSelectsSource()
{
    CDailyStore store;
    CDailyAction::Range last;
    store.m_notify = [&](const CDailyAction::Range& range) { last = range; };
    CDailyAction move = EditAction(store, Date(2024, 2, 1), u"a"_qs, MA_MOVE);
    store.DoMemoAction(move);
    QCOMPARE(last, (CDailyAction::Range{1, 2, 3, 4}));
    store.UndoMemoAction();
    QCOMPARE(last, (CDailyAction::Range{5, 6, 7, 8}));
    store.RedoMemoAction();
    QCOMPARE(last, (CDailyAction::Range{1, 2, 3, 4}));
}

void TestDailyStore::kindNames()
{
    QCOMPARE(CDailyAction::KindName(MA_DELETE), u"削除"_qs);
    QCOMPARE(CDailyAction::KindName(MA_CUT), u"切り取り"_qs);
    QCOMPARE(CDailyAction::KindName(MA_MOVE), u"移動"_qs);
    QCOMPARE(CDailyAction::KindName(MA_PASTE), u"貼り付け"_qs);
    QCOMPARE(CDailyAction::KindName(MA_EDIT), u"編集"_qs);
    QCOMPARE(CDailyAction::KindName(13), u"－未定義－"_qs);
}

void TestDailyStore::loadSortsStable()
{
    CDailyStore store;
    store.Load({Memo(Date(2024, 3, 2), u"b1"_qs), Memo(Date(2024, 3, 1), u"a"_qs), Memo(Date(2024, 3, 2), u"b2"_qs)},
               {u"列1"_qs});
    QCOMPARE(store.m_daily.size(), size_t(3));
    QCOMPARE(store.m_daily[0].GetFieldText(MF_COMMENT0), u"a"_qs);
    QCOMPARE(store.m_daily[1].GetFieldText(MF_COMMENT0), u"b1"_qs);
    QCOMPARE(store.m_daily[2].GetFieldText(MF_COMMENT0), u"b2"_qs);
    QCOMPARE(CommentOf(store, Date(2024, 3, 2)), u"b1"_qs);
    QVERIFY(!store.IsModified());
}

QTEST_GUILESS_MAIN(TestDailyStore)
#include "tst_dailystore.moc"
