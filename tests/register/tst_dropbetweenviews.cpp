#include "RegFixture.h"

#include "model/ColumnKind.h"
#include "platform/RecordingMessageSink.h"
#include "register/CofferView.h"
#include "register/RegColumns.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace regfix;

namespace {

// A drag from one view of a ledger onto another view of the same ledger, as the platform's
// drag loop delivers it: enter and drop at the target, then the result back to the source.
Qt::DropAction MoveBetween(CCofferView& source, int nSourceCol, int nSourceRow, CCofferView& target, int nTargetCol,
                           int nTargetRow)
{
    source.SetCurCell(nSourceCol, nSourceRow, 0, 0);
    CLineRange lines;
    std::unique_ptr<QMimeData> pData(source.BeginDrag(source.CellToRect(nSourceCol, nSourceRow, false).center(), lines));
    if (!pData)
        return Qt::IgnoreAction;
    const QPoint pt = target.CellToRect(nTargetCol, nTargetRow, false).center();
    QDragEnterEvent enter(pt, Qt::CopyAction | Qt::MoveAction, pData.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target.viewport(), &enter);
    Qt::DropAction action = Qt::IgnoreAction;
    if (enter.isAccepted()) {
        QDropEvent drop(QPointF(pt), Qt::CopyAction | Qt::MoveAction, pData.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target.viewport(), &drop);
        if (drop.isAccepted())
            action = drop.dropAction();
    }
    source.EndDrag(action, lines);
    return action;
}

bool Show(CCofferView& view)
{
    view.resize(700, 300);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

} // namespace

class TestDropBetweenViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moveLandsInTheTargetViewsKinds_data();
    void moveLandsInTheTargetViewsKinds();
};

void TestDropBetweenViews::moveLandsInTheTargetViewsKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("texts");

    // The second view lists the description and out first; the first view has
    // the default order (date, in, out, balance, account, category, description).
    QTest::newRow("description") << int(COL_DESCRIPTION) << QStringList{ QString(), "b", "a" };
    QTest::newRow("out amount") << int(COL_OUT) << QStringList{ "0", "200", "100" };
}

void TestDropBetweenViews::moveLandsInTheTargetViewsKinds()
{
    QFETCH(int, kind);
    QFETCH(QStringList, texts);

    CCofferDoc doc;
    Fill(doc, { Line(MakeDate(2024, 3, 1), YEN, CAT_FOOD, U(-100), QStringLiteral("a")),
                Line(MakeDate(2024, 3, 2), YEN, CAT_FOOD, U(-200), QStringLiteral("b")),
                Line(MakeDate(2024, 3, 3), YEN, CAT_FOOD, U(-300), QStringLiteral("c")) });
    CCofferView first(doc);
    CCofferView second(doc);
    const std::vector<int> otherKinds{ COL_DESCRIPTION, COL_OUT, COL_DATE, COL_IN, COL_BALANCE, COL_ACCOUNT, COL_CATEGORY };
    SColumnLayout layout;
    for (const int nKind : otherKinds)
        layout.entries.push_back(CRegColumns::MakeEntry(nKind, 80));
    second.OnUpdate(nullptr, layout);
    QCOMPARE(second.LayoutKinds(), otherKinds);
    QVERIFY(Show(first));
    QVERIFY(Show(second));

    const std::vector<int> firstKinds = first.LayoutKinds();
    const int nSourceCol = int(std::find(firstKinds.begin(), firstKinds.end(), kind) - firstKinds.begin());
    const int nTargetCol = int(std::find(otherKinds.begin(), otherKinds.end(), kind) - otherKinds.begin());
    QVERIFY(nSourceCol != nTargetCol);

    CRecordingMessageSink messages;
    // The first line's cell onto the third line's cell of the same kind in the other view.
    QCOMPARE(MoveBetween(first, nSourceCol, 0, second, nTargetCol, 2), Qt::MoveAction);
    QVERIFY(messages.m_boxes.isEmpty());
    QStringList actual;
    for (int nRow = 0; nRow < 3; ++nRow)
        actual.append(doc.GetCellText(nRow, kind, false, false));
    QCOMPARE(actual, texts);
    // Every other cell kept its value: the third line is still a dated food expense.
    QCOMPARE(doc.GetLine(2)->m_date, MakeDate(2024, 3, 3));
    QCOMPARE(int(doc.GetLine(2)->m_nCat), int(CAT_FOOD));
    doc.Undo();
    QCOMPARE(doc.GetCellText(0, kind, false, false), kind == COL_OUT ? QStringLiteral("100") : QStringLiteral("a"));
}

QTEST_MAIN(TestDropBetweenViews)
#include "tst_dropbetweenviews.moc"
