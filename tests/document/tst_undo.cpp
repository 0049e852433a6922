#include "DocFixture.h"

#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

#include <QTest>

using namespace fixture;

Q_DECLARE_METATYPE(CAction)

namespace {

const QStringList kBase = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                           QStringLiteral("e")};

CReceipt Named1(const QString& strName, PackedDate date)
{
    return Line(date, YEN, CAT_FOOD, U(-1), strName);
}

std::vector<CReceipt> One(const QString& strName, PackedDate date)
{
    return {Named1(strName, date)};
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void everyKind_data();
    void everyKind();
    void groupIsOneStep();
    void groupNoticeSpan_data();
    void groupNoticeSpan();
    void groupNoticeSeesRecomputedLines();
    void dateReversalMarksHint();
    void modifiedState_data();
    void modifiedState();
    void newEditDropsRedo();
    void actionNames();
    void refusedGroup_data();
    void refusedGroup();
    void moveWholeRows_data();
    void moveWholeRows();
    void moveCells_data();
    void moveCells();
    void moveCellsOfWrongKind();

private:
    CCofferDoc* m_pDoc = nullptr;
    CRecordingView m_view;
};

void TestUndo::init()
{
    m_pDoc = new CCofferDoc;
    Fill(*m_pDoc, Named(kBase));
    m_pDoc->AddView(&m_view);
    m_view.Clear();
}

void TestUndo::cleanup()
{
    m_pDoc->RemoveView(&m_view);
    delete m_pDoc;
    m_pDoc = nullptr;
}

void TestUndo::everyKind_data()
{
    QTest::addColumn<CAction>("action");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("redoNotice");
    QTest::addColumn<QString>("undoNotice");

    const PackedDate jan2 = MakeDate(2020, 1, 2);
    const PackedDate jan4 = MakeDate(2020, 1, 4);
    QTest::newRow("delete rows") << CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 1, 2)
                                 << QStringList{"a", "d", "e"}
        << "LinesRemoved(first=1,count=2)"
        << "LinesInserted(first=1,count=2)";
    QTest::newRow("cut rows") << CAction::RemoveRows(CAction::ACT_CUT_ROWS, 0, 1)
                              << QStringList{"b", "c", "d", "e"}
        << "LinesRemoved(first=0,count=1)"
        << "LinesInserted(first=0,count=1)";
    QTest::newRow("move rows down") << CAction::MoveRows(0, 2, CAction::INSERT_AT, 4)
                                    << QStringList{"c", "d", "a", "b", "e"}
        << "LinesMoved(source=0,count=2,target=4,dateReversed)"
        << "LinesMoved(source=2,count=2,target=0)";
    QTest::newRow("move rows up, after the target") << CAction::MoveRows(3, 2, CAction::INSERT_AFTER, 0)
                                                    << QStringList{"a", "d", "e", "b", "c"}
        << "LinesMoved(source=3,count=2,target=1,dateReversed)"
        << "LinesMoved(source=1,count=2,target=5)";
    QTest::newRow("paste rows")
        << CAction::InsertRows(CAction::ACT_PASTE_ROWS, 2, {Named1("x", jan2), Named1("y", jan2)})
        << QStringList{"a", "b", "x", "y", "c", "d", "e"}
        << "LinesInserted(first=2,count=2)"
        << "LinesRemoved(first=2,count=2)";
    QTest::newRow("enter row after") << CAction::InsertRows(CAction::ACT_ENTER_ROW, 1, One("x", jan2), true)
                                     << QStringList{"a", "b", "x", "c", "d", "e"}
        << "LinesInserted(first=2,count=1)"
        << "LinesRemoved(first=2,count=1)";
    QTest::newRow("add row at the end")
        << CAction::InsertRows(CAction::ACT_ADD_ROW, 5, One("x", MakeDate(2020, 1, 9)))
        << QStringList{"a", "b", "c", "d", "e", "x"}
        << "LinesInserted(first=5,count=1)"
        << "LinesRemoved(first=5,count=1)";
    QTest::newRow("balance entry, new line")
        << CAction::InsertRows(CAction::ACT_ENTER_BALANCE, 0, One("x", MakeDate(2019, 12, 31)))
        << QStringList{"x", "a", "b", "c", "d", "e"}
        << "LinesInserted(first=0,count=1)"
        << "LinesRemoved(first=0,count=1)";
    QTest::newRow("balance entry, replacing line")
        << CAction::ReplaceRows(CAction::ACT_REPLACE_BALANCE, 1, One("B", jan2))
        << QStringList{"a", "B", "c", "d", "e"}
        << "LinesReplaced(first=1,count=1,firstColumn=-1,columnCount=-1)"
        << "LinesReplaced(first=1,count=1,firstColumn=-1,columnCount=-1)";
    QTest::newRow("edit row") << CAction::ReplaceRows(CAction::ACT_EDIT_ROW, 1, One("B", jan2))
                              << QStringList{"a", "B", "c", "d", "e"}
        << "LinesReplaced(first=1,count=1,firstColumn=-1,columnCount=-1)"
        << "LinesReplaced(first=1,count=1,firstColumn=-1,columnCount=-1)";
    QTest::newRow("delete cells") << CAction::ReplaceRows(CAction::ACT_DELETE_CELLS, 1, One("", jan2), 2, 2)
                                  << QStringList{"a", "", "c", "d", "e"}
        << "LinesReplaced(first=1,count=1,firstColumn=2,columnCount=2)"
        << "LinesReplaced(first=1,count=1,firstColumn=2,columnCount=2)";
    QTest::newRow("cut cells") << CAction::ReplaceRows(CAction::ACT_CUT_CELLS, 4, One("", MakeDate(2020, 1, 5)), 4, 1)
                               << QStringList{"a", "b", "c", "d", ""}
        << "LinesReplaced(first=4,count=1,firstColumn=4,columnCount=1)"
        << "LinesReplaced(first=4,count=1,firstColumn=4,columnCount=1)";
    QTest::newRow("paste cells")
        << CAction::ReplaceRows(CAction::ACT_PASTE_CELLS, 2, {Named1("C", MakeDate(2020, 1, 3)), Named1("D", jan4)}, 0, 3)
        << QStringList{"a", "b", "C", "D", "e"}
        << "LinesReplaced(first=2,count=2,firstColumn=0,columnCount=3)"
        << "LinesReplaced(first=2,count=2,firstColumn=0,columnCount=3)";
    QTest::newRow("edit cell") << CAction::ReplaceRows(CAction::ACT_EDIT_CELL, 3, One("D", jan4), 4, 1)
                               << QStringList{"a", "b", "c", "D", "e"}
        << "LinesReplaced(first=3,count=1,firstColumn=4,columnCount=1)"
        << "LinesReplaced(first=3,count=1,firstColumn=4,columnCount=1)";
}

void TestUndo::everyKind()
{
    QFETCH(CAction, action);
    QFETCH(QStringList, after);
    QFETCH(QString, redoNotice);
    QFETCH(QString, undoNotice);

    const std::vector<CReceipt> initial = m_pDoc->Lines();
    const QString strName = action.GetName();
    QVERIFY(m_pDoc->PushAction(std::move(action)));
    QCOMPARE(Descriptions(*m_pDoc), after);
    QCOMPARE(m_view.m_notices, QStringList{redoNotice});
    QCOMPARE(m_pDoc->GetActionNames(true), QStringList{strName});
    QVERIFY(m_pDoc->IsModified());

    m_view.Clear();
    m_pDoc->Undo();
    QVERIFY(SameLines(m_pDoc->Lines(), initial));
    QCOMPARE(m_view.m_notices, QStringList{undoNotice});
    QCOMPARE(m_pDoc->GetActionNames(false), QStringList{strName});
    QVERIFY(!m_pDoc->IsModified());

    m_view.Clear();
    m_pDoc->Redo();
    QCOMPARE(Descriptions(*m_pDoc), after);
    QCOMPARE(m_view.m_notices, QStringList{redoNotice});
    QVERIFY(m_view.m_nTitleUpdates > 0);
}

void TestUndo::groupIsOneStep()
{
    // A date-ordered paste: three insertions, each at its place.
    std::vector<CAction> group;
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 1, One("x", MakeDate(2020, 1, 1))));
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 3, One("y", MakeDate(2020, 1, 2))));
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 5, One("z", MakeDate(2020, 1, 3))));
    QVERIFY(m_pDoc->PushGroup(std::move(group)));
    QCOMPARE(Descriptions(*m_pDoc), (QStringList{"a", "x", "b", "y", "c", "z", "d", "e"}));
    // One notice for the group, spanning from the first insertion to the last.
    QCOMPARE(m_view.m_notices, QStringList{"LinesChanged(first=1,oldCount=2,newCount=5)"});
    QCOMPARE(m_pDoc->GetActionNames(true), QStringList{QStringLiteral("行の貼り付け")});
    // Recomputed once the group is done.
    QCOMPARE(m_pDoc->GetLine(7)->m_nBalance, U(-503));

    m_view.Clear();
    m_pDoc->Undo();
    QCOMPARE(Descriptions(*m_pDoc), kBase);
    QCOMPARE(m_view.m_notices, QStringList{"LinesChanged(first=1,oldCount=5,newCount=2)"});
    QVERIFY(!m_pDoc->CanUndo());
    QCOMPARE(m_pDoc->GetLine(4)->m_nBalance, U(-500));
}

void TestUndo::groupNoticeSpan_data()
{
    QTest::addColumn<QList<CAction>>("group");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("redoNotice");
    QTest::addColumn<QString>("undoNotice");

    const PackedDate jan2 = MakeDate(2020, 1, 2);
    QTest::newRow("replace, then insert after it")
        << QList<CAction>{CAction::ReplaceRows(CAction::ACT_EDIT_ROW, 1, One("B", jan2)),
                          CAction::InsertRows(CAction::ACT_PASTE_ROWS, 2, {Named1("x", jan2), Named1("y", jan2)})}
        << QStringList{"a", "B", "x", "y", "c", "d", "e"} << "LinesChanged(first=1,oldCount=1,newCount=3)"
        << "LinesChanged(first=1,oldCount=3,newCount=1)";
    QTest::newRow("insert, then remove above it")
        << QList<CAction>{CAction::InsertRows(CAction::ACT_PASTE_ROWS, 4, One("x", MakeDate(2020, 1, 4))),
                          CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 0, 1)}
        << QStringList{"b", "c", "d", "x", "e"} << "LinesChanged(first=0,oldCount=4,newCount=4)"
        << "LinesChanged(first=0,oldCount=4,newCount=4)";
    QTest::newRow("two removals, the lower first")
        << QList<CAction>{CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 3, 1),
                          CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 1, 1)}
        << QStringList{"a", "c", "e"} << "LinesChanged(first=1,oldCount=3,newCount=1)"
        << "LinesChanged(first=1,oldCount=1,newCount=3)";
    // Line a (1 January) now follows line b (2 January): the group's notice says so.
    QTest::newRow("move, then edit a line outside it")
        << QList<CAction>{CAction::MoveRows(0, 1, CAction::INSERT_AT, 2),
                          CAction::ReplaceRows(CAction::ACT_EDIT_CELL, 4, One("E", MakeDate(2020, 1, 5)), 4, 1)}
        << QStringList{"b", "a", "c", "d", "E"} << "LinesChanged(first=0,oldCount=5,newCount=5,dateReversed)"
        << "LinesChanged(first=0,oldCount=5,newCount=5)";
}

void TestUndo::groupNoticeSpan()
{
    QFETCH(QList<CAction>, group);
    QFETCH(QStringList, after);
    QFETCH(QString, redoNotice);
    QFETCH(QString, undoNotice);

    std::vector<CAction> actions(group.begin(), group.end());
    QVERIFY(m_pDoc->PushGroup(std::move(actions)));
    QCOMPARE(Descriptions(*m_pDoc), after);
    QCOMPARE(m_view.m_notices, QStringList{redoNotice});
    m_view.Clear();
    m_pDoc->Undo();
    QCOMPARE(Descriptions(*m_pDoc), kBase);
    QCOMPARE(m_view.m_notices, QStringList{undoNotice});
}

void TestUndo::groupNoticeSeesRecomputedLines()
{
    // A view reading the balances while it is told must read the final ones.
    class CBalanceView : public CRecordingView
    {
    public:
        void OnUpdate(IDocView* pSender, const UpdateHint& hint) override
        {
            CRecordingView::OnUpdate(pSender, hint);
            m_balances.push_back(m_pDoc->GetLine(m_pDoc->GetLineCount() - 1)->m_nBalance);
        }
        const CCofferDoc* m_pDoc = nullptr;
        std::vector<Amount> m_balances;
    };
    CBalanceView view;
    view.m_pDoc = m_pDoc;
    m_pDoc->AddView(&view);
    std::vector<CAction> group;
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 1, One("x", MakeDate(2020, 1, 1))));
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 3, One("y", MakeDate(2020, 1, 2))));
    QVERIFY(m_pDoc->PushGroup(std::move(group)));
    m_pDoc->Undo();
    m_pDoc->RemoveView(&view);
    QCOMPARE(view.m_balances, (std::vector<Amount>{U(-502), U(-500)}));
}

void TestUndo::dateReversalMarksHint()
{
    QVERIFY(m_pDoc->PushAction(CAction::InsertRows(CAction::ACT_ADD_ROW, 5, One("x", MakeDate(2019, 1, 1)))));
    QCOMPARE(m_view.m_notices, QStringList{"LinesInserted(first=5,count=1,dateReversed)"});
    QVERIFY(m_pDoc->GetLine(5)->m_nFlags & CReceipt::RF_DATE_REVERSED);
    m_view.Clear();
    m_pDoc->Undo();
    QCOMPARE(m_view.m_notices, QStringList{"LinesRemoved(first=5,count=1)"});
    QVERIFY(!(m_pDoc->GetErrors() & CReceipt::RF_DATE_REVERSED));
    m_view.Clear();
    m_pDoc->Redo();
    QCOMPARE(m_view.m_notices, QStringList{"LinesInserted(first=5,count=1,dateReversed)"});

    // With a reversal already there, a second one is nothing new.
    m_view.Clear();
    QVERIFY(m_pDoc->PushAction(CAction::InsertRows(CAction::ACT_ADD_ROW, 2, One("y", MakeDate(2018, 1, 1)))));
    QCOMPARE(m_view.m_notices, QStringList{"LinesInserted(first=2,count=1)"});
}

void TestUndo::modifiedState_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("modified");

    // e: edit, u: undo, r: redo, s: save, m: set the modified flag directly
    QTest::newRow("new document") << "" << false;
    QTest::newRow("one edit") << "e" << true;
    QTest::newRow("save, edit, undo") << "seu" << false;
    QTest::newRow("edit, save, undo") << "esu" << true;
    QTest::newRow("edit, save, undo, redo") << "esur" << false;
    QTest::newRow("save, undo, new edit") << "esue" << true;
    QTest::newRow("saved state lost with the redo part") << "esueu" << true;
    QTest::newRow("flag set directly") << "m" << true;
    QTest::newRow("flag cleared by saving") << "mes" << false;
}

void TestUndo::modifiedState()
{
    QFETCH(QString, script);
    QFETCH(bool, modified);

    int nEdit = 0;
    for (QChar ch : script) {
        switch (ch.toLatin1()) {
        case 'e':
            QVERIFY(m_pDoc->PushAction(
                CAction::ReplaceRows(CAction::ACT_EDIT_CELL, 0, One(QString::number(++nEdit), MakeDate(2020, 1, 1)), 4, 1)));
            break;
        case 'u': m_pDoc->Undo(); break;
        case 'r': m_pDoc->Redo(); break;
        case 's': m_pDoc->SetModifiedFlag(false); break;
        case 'm': m_pDoc->SetModifiedFlag(true); break;
        }
    }
    QCOMPARE(m_pDoc->IsModified(), modified);
    QCOMPARE(m_pDoc->GetFrameTitle(nullptr).endsWith(QStringLiteral(" *")), modified);
}

void TestUndo::newEditDropsRedo()
{
    for (const char* name : {"1", "2"})
        QVERIFY(m_pDoc->PushAction(CAction::ReplaceRows(CAction::ACT_EDIT_CELL, 0, One(name, MakeDate(2020, 1, 1)), 4, 1)));
    m_pDoc->Undo();
    m_pDoc->Undo();
    QVERIFY(m_pDoc->CanRedo());
    QVERIFY(m_pDoc->PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 4, 1)));
    QVERIFY(!m_pDoc->CanRedo());
    QCOMPARE(m_pDoc->GetActions().size(), std::size_t(1));
    QCOMPARE(m_pDoc->GetActionPos(), 1);
}

void TestUndo::actionNames()
{
    QVERIFY(m_pDoc->PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 4, 1)));
    std::vector<CAction> group;
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 0, One("x", MakeDate(2019, 1, 1))));
    group.push_back(CAction::ReplaceRows(CAction::ACT_EDIT_CELL, 0, One("y", MakeDate(2019, 1, 1)), 4, 1));
    QVERIFY(m_pDoc->PushGroup(std::move(group)));
    QVERIFY(m_pDoc->PushAction(CAction::MoveRows(0, 1, CAction::INSERT_AT, 3)));
    // Undo: the last action of each group, nearest first; redo: the first of each group.
    QCOMPARE(m_pDoc->GetActionNames(true), (QStringList{"行の移動", "編集", "行の削除"}));
    m_pDoc->Undo();
    m_pDoc->Undo();
    QCOMPARE(m_pDoc->GetActionNames(true), QStringList{"行の削除"});
    QCOMPARE(m_pDoc->GetActionNames(false), (QStringList{"行の貼り付け", "行の移動"}));
    QCOMPARE(CAction::KindName(0), QStringLiteral("－未定義－"));
    QCOMPARE(CAction::KindName(CAction::ACT_MOVE_CELLS_UP), QStringLiteral("移動"));
}

void TestUndo::refusedGroup_data()
{
    QTest::addColumn<CAction>("action");

    QTest::newRow("delete beyond the end") << CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 4, 2);
    QTest::newRow("delete nothing") << CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 1, 0);
    QTest::newRow("insert without lines") << CAction::InsertRows(CAction::ACT_PASTE_ROWS, 0, {});
    QTest::newRow("insert beyond the end") << CAction::InsertRows(CAction::ACT_PASTE_ROWS, 5, One("x", 0), true);
    QTest::newRow("move into itself") << CAction::MoveRows(0, 3, CAction::INSERT_AT, 1);
    QTest::newRow("move beyond the end") << CAction::MoveRows(0, 1, CAction::INSERT_AFTER, 5);
    QTest::newRow("replace beyond the end") << CAction::ReplaceRows(CAction::ACT_EDIT_ROW, 4, {Named1("x", 0), Named1("y", 0)});
    QTest::newRow("negative row") << CAction::ReplaceRows(CAction::ACT_EDIT_ROW, -1, One("x", 0));
    QTest::newRow("unknown kind") << CAction(99, -1, 0, -1, 1);
}

void TestUndo::refusedGroup()
{
    QFETCH(CAction, action);
    const std::vector<CReceipt> initial = m_pDoc->Lines();
    QVERIFY(!m_pDoc->PushAction(std::move(action)));
    QVERIFY(!m_pDoc->PushGroup({}));
    QVERIFY(SameLines(m_pDoc->Lines(), initial));
    QVERIFY(m_view.m_notices.isEmpty());
    QVERIFY(m_pDoc->GetActions().empty());
    QVERIFY(!m_pDoc->IsModified());
}

void TestUndo::moveWholeRows_data()
{
    QTest::addColumn<int>("targetCol");
    QTest::addColumn<int>("targetRow");
    QTest::addColumn<QStringList>("after");

    // The block is rows 1 and 2 (b, c).
    QTest::newRow("inside the block") << int(CAction::INSERT_AT) << 2 << kBase;
    QTest::newRow("after the row above") << int(CAction::INSERT_AFTER) << 0 << kBase;
    QTest::newRow("before the row below") << int(CAction::INSERT_AT) << 3 << kBase;
    QTest::newRow("before the first row") << int(CAction::INSERT_AT) << 0 << QStringList{"b", "c", "a", "d", "e"};
    QTest::newRow("after the row below") << int(CAction::INSERT_AFTER) << 3 << QStringList{"a", "d", "b", "c", "e"};
    QTest::newRow("after the last row") << int(CAction::INSERT_AFTER) << 4 << QStringList{"a", "d", "e", "b", "c"};
}

void TestUndo::moveWholeRows()
{
    QFETCH(int, targetCol);
    QFETCH(int, targetRow);
    QFETCH(QStringList, after);

    const bool bMoves = after != kBase;
    QCOMPARE(m_pDoc->MoveRange(CLineRange::WholeRows(1, 2), {}, targetCol, targetRow), bMoves);
    QCOMPARE(Descriptions(*m_pDoc), after);
    QCOMPARE(m_pDoc->CanUndo(), bMoves);
    m_pDoc->Undo();
    QCOMPARE(Descriptions(*m_pDoc), kBase);
}

void TestUndo::moveCells_data()
{
    QTest::addColumn<CLineRange>("source");
    QTest::addColumn<int>("targetCol");
    QTest::addColumn<int>("targetRow");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("redoNotice");
    QTest::addColumn<QString>("undoNotice");

    // Columns: date, category, in, out, description.
    QTest::newRow("down") << CLineRange::Cells(4, 0, 4, 0) << 4 << 2 << QStringList{"", "b", "a", "d", "e"}
                          << "CellsMoved(first=2,count=1,firstColumn=4,columnCount=1,sourceFirst=0,sourceColumn=4)"
                          << "CellsMoved(first=0,count=1,firstColumn=4,columnCount=1,sourceFirst=2,sourceColumn=4)";
    QTest::newRow("up") << CLineRange::Cells(4, 3, 4, 3) << 4 << 1 << QStringList{"a", "d", "c", "", "e"}
                        << "CellsMoved(first=1,count=1,firstColumn=4,columnCount=1,sourceFirst=3,sourceColumn=4)"
                        << "CellsMoved(first=3,count=1,firstColumn=4,columnCount=1,sourceFirst=1,sourceColumn=4)";
    QTest::newRow("overlapping blocks") << CLineRange::Cells(4, 1, 4, 2) << 4 << 2
                                        << QStringList{"a", "", "b", "c", "e"} 
        << "CellsMoved(first=2,count=2,firstColumn=4,columnCount=1,sourceFirst=1,sourceColumn=4)"
        << "CellsMoved(first=1,count=2,firstColumn=4,columnCount=1,sourceFirst=2,sourceColumn=4)";
    QTest::newRow("adjacent blocks") << CLineRange::Cells(4, 0, 4, 1) << 4 << 2 << QStringList{"", "", "a", "b", "e"}
                                     
        << "CellsMoved(first=2,count=2,firstColumn=4,columnCount=1,sourceFirst=0,sourceColumn=4)"
        << "CellsMoved(first=0,count=2,firstColumn=4,columnCount=1,sourceFirst=2,sourceColumn=4)";
}

void TestUndo::moveCells()
{
    QFETCH(CLineRange, source);
    QFETCH(int, targetCol);
    QFETCH(int, targetRow);
    QFETCH(QStringList, after);
    QFETCH(QString, redoNotice);
    QFETCH(QString, undoNotice);

    const std::vector<int> kinds = {COL_DATE, COL_CATEGORY, COL_IN, COL_OUT, COL_DESCRIPTION};
    const std::vector<CReceipt> initial = m_pDoc->Lines();
    QVERIFY(m_pDoc->MoveRange(source, kinds, targetCol, targetRow));
    QCOMPARE(Descriptions(*m_pDoc), after);
    QCOMPARE(m_view.m_notices, QStringList{redoNotice});
    QCOMPARE(m_pDoc->GetActionNames(true), QStringList{QStringLiteral("移動")});
    m_view.Clear();
    m_pDoc->Undo();
    QVERIFY(SameLines(m_pDoc->Lines(), initial));
    QCOMPARE(m_view.m_notices, QStringList{undoNotice});
    m_pDoc->Redo();
    QCOMPARE(Descriptions(*m_pDoc), after);
}

void TestUndo::moveCellsOfWrongKind()
{
    CRecordingMessageSink sink;
    const std::vector<int> kinds = {COL_DATE, COL_CATEGORY, COL_IN, COL_OUT, COL_DESCRIPTION};
    // A description cannot become a date.
    QVERIFY(!m_pDoc->MoveRange(CLineRange::Cells(4, 0, 4, 0), kinds, 0, 1));
    QVERIFY(sink.LastWas(IDS_PASTE_KIND_MISMATCH));
    QVERIFY(m_pDoc->GetActions().empty());
    QCOMPARE(Descriptions(*m_pDoc), kBase);
    // Outside the columns or lines: nothing, and no message.
    sink.Clear();
    QVERIFY(!m_pDoc->MoveRange(CLineRange::Cells(4, 0, 4, 0), kinds, 5, 1));
    QVERIFY(!m_pDoc->MoveRange(CLineRange::Cells(4, 0, 4, 0), kinds, 4, 5));
    // Back onto its own place: no action, and the ledger stays unmodified.
    QVERIFY(!m_pDoc->MoveRange(CLineRange::Cells(1, 1, 4, 2), kinds, 1, 1));
    QVERIFY(sink.m_boxes.isEmpty());
    QVERIFY(m_pDoc->GetActions().empty());
    QVERIFY(!m_pDoc->IsModified());
    QVERIFY(m_view.m_notices.isEmpty());
}

QTEST_GUILESS_MAIN(TestUndo)
#include "tst_undo.moc"
