#include "RegFixture.h"
#include "tests/support/KeyInput.h"

#include "command/CmdUI.h"
#include "command/CommandIds.h"
#include "grid/GridFlags.h"
#include "grid/GridSettings.h"
#include "grid/InplaceEdit.h"
#include "grid/ScrollHeader.h"
#include "persist/DocumentFile.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"
#include "register/CofferView.h"
#include "register/RegClipboard.h"
#include "register/RegColumns.h"
#include "register/RegEdit.h"
#include "register/RegPasteBuffer.h"
#include "summary/PeriodMode.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <memory>

using namespace regfix;

Q_DECLARE_METATYPE(CRange)

namespace {

// Layout columns of a new view.
enum : int { C_DATE = 0, C_IN = 1, C_OUT = 2, C_BALANCE = 3, C_ACCOUNT = 4, C_CATEGORY = 5, C_DESC = 6 };

using support::TypeText;

bool Enabled(CCofferView& view, int nID, bool* pChecked = nullptr)
{
    CCmdUI ui(nID);
    view.UpdateCommand(ui);
    if (pChecked != nullptr)
        *pChecked = ui.m_bChecked;
    return ui.m_bEnabled;
}

void Paint(CCofferView& view)
{
    // Painting makes the first column's title.
    view.viewport()->grab();
}

// Shows the view at the size the drag and tip tests measure against.
bool ShowAt700x300(CCofferView& view)
{
    view.resize(700, 300);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

// What the platform's drag loop delivers to a target: enter, then (when entered) the drop.
// Returns the drop's action, or IgnoreAction when the view refused the enter or the drop.
Qt::DropAction DragOnto(CCofferView& view, const QMimeData& data, const QPoint& pt,
                        Qt::KeyboardModifiers mods = Qt::NoModifier, bool* pEntered = nullptr)
{
    QDragEnterEvent enter(pt, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(view.viewport(), &enter);
    if (pEntered != nullptr)
        *pEntered = enter.isAccepted();
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(QPointF(pt), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(view.viewport(), &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

void SelectCells(CCofferView& view, int nLeft, int nTop, int nRight, int nBottom)
{
    view.SetCurCell(nLeft, nTop, 0, 0);
    view.SetCurCell(nRight, nBottom, SELF_EXTEND, 0);
}

std::vector<CReceipt> MarchApril()
{
    // Two lines in February, three in March, two in April 2024.
    return { Line(MakeDate(2024, 2, 10), YEN, CAT_INCOME, U(5000), QStringLiteral("給料")),
             Line(MakeDate(2024, 2, 28), YEN, CAT_FOOD, U(-100), QStringLiteral("a")),
             Line(MakeDate(2024, 3, 5), YEN, CAT_FOOD, U(-200), QStringLiteral("b")),
             Line(MakeDate(2024, 3, 6), YEN, CAT_FOOD, U(-300), QStringLiteral("c")),
             Line(MakeDate(2024, 3, 7), YEN, CAT_FOOD, U(-400), QStringLiteral("d")),
             Line(MakeDate(2024, 4, 1), YEN, CAT_FOOD, U(-500), QStringLiteral("e")),
             Line(MakeDate(2024, 4, 2), YEN, CAT_FOOD, U(-600), QStringLiteral("f")) };
}

} // namespace

class TestCofferView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void newLedger();
    void titleFollowsFirstVisibleLine();
    void periodModes_data();
    void periodModes();
    void frameStaysOnCursor_data();
    void frameStaysOnCursor();
    void selectionTotal();
    void copyPutsBothForms();
    void pasteIntoAnotherLedgerMergesLists();
    void deleteCutUndoRedo();
    void multipleRangesRefused();
    void inplaceEdit_data();
    void inplaceEdit();
    void inplaceEditOfJapaneseText();
    void insertBeforeShownMonthSwitchesToAll();
    void inactiveMonthKeepsItsLines_data();
    void inactiveMonthKeepsItsLines();
    void deletionClipsSelection();
    void yenDisplayRefused();
    void balanceMismatchTip();
    void refusedDropHasNoEffect();
    void dragSource_data();
    void dragSource();
    void dragGrabOffsets_data();
    void dragGrabOffsets();
    void contextMenu();
    void dropCopiesRows();
    void cloneCopiesState();
    void editSaveReopen();
    void automaticWidths();
    void fitWidthIsTheWidestText_data();
    void fitWidthIsTheWidestText();
    void movedAndChangedRowsAreSelected();
    void groupedPasteSelectsItsSpan();
};

void TestCofferView::init()
{
    QApplication::clipboard()->clear();
}

void TestCofferView::newLedger()
{
    CCofferDoc doc;
    Fill(doc, {});
    CCofferView view(doc);
    view.resize(600, 300);
    Paint(view);
    QCOMPARE(view.PeriodMode(), int(PERIOD_ALL));
    QCOMPARE(view.LineCount(), 0);
    QCOMPARE(view.ColumnHeader()->Title(1), QStringLiteral("日付"));
    QCOMPARE(view.ColumnHeader()->Title(7), QStringLiteral("摘要"));
    QVERIFY(!Enabled(view, ID_INDICATOR_TOTAL));
    bool bChecked = false;
    QVERIFY(Enabled(view, ID_PERIOD_ALL, &bChecked));
    QVERIFY(bChecked);
    QVERIFY(Enabled(view, ID_EDIT_INPUT));
    QVERIFY(!Enabled(view, ID_EDIT_PASTE_SPECIAL));
    QVERIFY(!Enabled(view, ID_EDIT_PASTE)); // the clipboard is empty
}

void TestCofferView::titleFollowsFirstVisibleLine()
{
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.resize(600, 400);
    view.ScrollTo(1, 0, 0, true);
    Paint(view);
    QCOMPARE(view.ColumnHeader()->Title(1), QStringLiteral("2024/ 2"));
    QCOMPARE(view.ColumnHeader()->Format(1), 1u);
    // A month without lines has no year to show.
    QVERIFY(view.SetPeriodMode(PERIOD_MONTH));
    Paint(view);
    QCOMPARE(view.ColumnHeader()->Title(1), QStringLiteral("2024/ 4"));
    view.OnNaviDate(MakeDate(2024, 6, 1));
    Paint(view);
    QCOMPARE(view.LineCount(), 0);
    QCOMPARE(view.ColumnHeader()->Title(1), QStringLiteral("日付"));
    QCOMPARE(view.ColumnHeader()->Format(1), 3u);
}

void TestCofferView::periodModes_data()
{
    QTest::addColumn<int>("cursorRow");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");

    QTest::newRow("the cursor line's month") << 3 << int(PERIOD_MONTH) << 2 << 3;
    QTest::newRow("the cursor line's year") << 0 << int(PERIOD_YEAR) << 0 << 7;
    QTest::newRow("all is ignored when current") << 4 << int(PERIOD_ALL) << 0 << 7;
}

void TestCofferView::periodModes()
{
    QFETCH(int, cursorRow);
    QFETCH(int, mode);
    QFETCH(int, first);
    QFETCH(int, count);
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.resize(600, 400);
    view.SetCurCell(C_DESC, cursorRow, 0, 0);
    view.ExecuteCommand(ID_PERIOD_MONTH + mode);
    QCOMPARE(view.PeriodMode(), mode);
    QCOMPARE(view.FirstLine(), first);
    QCOMPARE(view.LineCount(), count);
    QCOMPARE(view.CellRowCount(), count);
    bool bChecked = false;
    Enabled(view, ID_PERIOD_MONTH + mode, &bChecked);
    QVERIFY(bChecked);
}

void TestCofferView::frameStaysOnCursor_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("frameLine");

    // The inverted frame must be drawn where the cursor is after the rows were renumbered.
    QTest::newRow("month command") << QStringLiteral("month") << QStringLiteral("c");
    QTest::newRow("all command from a month") << QStringLiteral("all") << QStringLiteral("d");
    QTest::newRow("refresh drops the anchor") << QStringLiteral("refresh") << QStringLiteral("c");
    QTest::newRow("period notice keeps the anchor") << QStringLiteral("period") << QStringLiteral("a");
}

void TestCofferView::frameStaysOnCursor()
{
    QFETCH(QString, step);
    QFETCH(QString, frameLine);
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.resize(600, 400);
    if (step == QLatin1String("month")) {
        view.SetCurCell(C_DESC, 3, 0, 0);
        view.ExecuteCommand(ID_PERIOD_MONTH);
    } else if (step == QLatin1String("all")) {
        view.SetCurCell(C_DESC, 3, 0, 0);
        view.ExecuteCommand(ID_PERIOD_MONTH);
        view.SetCurCell(C_DESC, 2, 0, 0);
        view.ExecuteCommand(ID_PERIOD_ALL);
    } else {
        // The frame is on the anchor (row 1) until the selection is cleared.
        SelectCells(view, C_DESC, 1, C_DESC, 3);
        QCOMPARE(view.FramePos(), QPoint(C_DESC, 1));
        if (step == QLatin1String("refresh"))
            view.OnUpdate(nullptr, SRefresh{});
        else
            view.OnUpdate(nullptr, SPeriodShown{});
    }
    QCOMPARE(view.FramePos(), view.Selection().FrameCell());
    QCOMPARE(doc.Lines()[std::size_t(view.FirstLine() + view.FramePos().y())].m_strDesc, frameLine);
}

void TestCofferView::selectionTotal()
{
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    SelectCells(view, C_OUT, 2, C_OUT, 4);
    bool bEnabled = false;
    QCOMPARE(view.SelectionTotal(bEnabled), QStringLiteral("合計= ") + QChar(0xA5) + QStringLiteral("900"));
    QVERIFY(bEnabled);
    // Whole rows with a cell: no total.
    view.Selection().SetRange(CRange::WholeRows(0, 1));
    view.SetCurCell(C_OUT, 5, SELF_ADD, 0);
    QCOMPARE(view.SelectionTotal(bEnabled), QString());
    QVERIFY(!bEnabled);
}

void TestCofferView::copyPutsBothForms()
{
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    SelectCells(view, C_CATEGORY, 2, C_DESC, 3);
    view.ExecuteCommand(ID_EDIT_COPY);
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    QVERIFY(pData != nullptr);
    QCOMPARE(pData->text(), QStringLiteral("食料\tb\r\n食料\tc\r\n"));
    QCOMPARE(pData->data(CRegClipboard::PrivateMime()),
             CRegClipboard::BuildPrivate(doc, view.Layout(), CLineRange::Cells(C_CATEGORY, 2, C_DESC, 3), 0, 0));
    QVERIFY(pData->data(CRegClipboard::PrivateMime()).startsWith(QByteArray::fromHex("02000000 02000000 00000000 00000000")));
    QVERIFY(Enabled(view, ID_EDIT_PASTE));
}

void TestCofferView::pasteIntoAnotherLedgerMergesLists()
{
    CCofferDoc source;
    Fill(source, { Line(MakeDate(2024, 3, 1), USD, CAT_FOOD, U(-3), QStringLiteral("coffee")) });
    support::Amend(source, [](CLedgerContent& content) {
        content.m_cats.emplace_back(ATTR_EXPENSE, QStringLiteral("趣味"));
        content.m_lines.push_back(Line(MakeDate(2024, 3, 2), YEN, 17, U(-500), QStringLiteral("本")));
    });
    CCofferView sourceView(source);
    sourceView.Selection().SetRange(CRange::WholeRows(0, 1));
    sourceView.ExecuteCommand(ID_EDIT_COPY);

    CCofferDoc target;
    Fill(target, Named({ "x", "y" }), false);
    CCofferView targetView(target);
    targetView.SetCurCell(C_DESC, 1, 0, 0);
    CRecordingMessageSink sink;
    targetView.ExecuteCommand(ID_EDIT_PASTE);
    QVERIFY(sink.m_boxes.isEmpty());
    QCOMPARE(Descriptions(target), (QStringList{ "x", "coffee", "本", "y" }));
    QCOMPARE(target.Currencies().back().m_strSymbol, QStringLiteral("$"));
    QCOMPARE(target.Categories().back().m_strName, QStringLiteral("趣味"));
    // Dated like the line they went before; selected as whole rows.
    QCOMPARE(target.Lines()[1].m_date, MakeDate(2024, 3, 2));
    QCOMPARE(targetView.LineCount(), 4);
    QVERIFY(targetView.Selection().GetPrimaryRange() == CRange::WholeRows(1, 2));
    target.Undo();
    QCOMPARE(Descriptions(target), (QStringList{ "x", "y" }));
    QCOMPARE(targetView.LineCount(), 2);
    target.Redo();
    QCOMPARE(targetView.LineCount(), 4);
}

void TestCofferView::deleteCutUndoRedo()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d" }));
    CCofferView view(doc);
    view.Selection().SetRange(CRange::WholeRows(1, 2));
    view.ExecuteCommand(ID_EDIT_CLEAR);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "d" }));
    QCOMPARE(view.LineCount(), 2);
    doc.Undo();
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c", "d" }));
    QCOMPARE(view.LineCount(), 4);
    // Cut of cells: the text goes to the clipboard and the cells are cleared.
    SelectCells(view, C_DESC, 0, C_DESC, 1);
    view.ExecuteCommand(ID_EDIT_CUT);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\r\nb\r\n"));
    QCOMPARE(Descriptions(doc), (QStringList{ "", "", "c", "d" }));
    QCOMPARE(doc.GetActionNames(true).value(0), QStringLiteral("切り取り"));
    doc.Undo();
    doc.Redo();
    QCOMPARE(Descriptions(doc), (QStringList{ "", "", "c", "d" }));
}

void TestCofferView::multipleRangesRefused()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d" }));
    CCofferView view(doc);
    SelectCells(view, C_DESC, 0, C_DESC, 0);
    view.Selection().SetRange(CRange(C_DESC, 0, C_DESC, 0));
    view.SetCurCell(C_DESC, 2, SELF_ADD, 0);
    view.SetCurCell(C_DESC, 3, SELF_EXTEND, 0);
    QVERIFY(view.Selection().GetRangeCount() > 1);
    CRecordingMessageSink sink;
    for (const int nID : { int(ID_EDIT_CLEAR), int(ID_EDIT_COPY), int(ID_EDIT_CUT), int(ID_EDIT_PASTE),
                           int(ID_EDIT_MODIFY) }) {
        sink.Clear();
        // A refused command still ends the sticky selection mode.
        view.SetSelectionMode(SELMODE_ADD);
        view.ExecuteCommand(nID);
        QVERIFY2(sink.LastWas(IDS_MULTI_RANGE), qPrintable(QString::number(nID)));
        QCOMPARE(view.SelectionMode(), 0u);
    }
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c", "d" }));
    QVERIFY(!doc.CanUndo());
}

void TestCofferView::inplaceEdit_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Enter commits") << int(Qt::Key_Return) << QStringLiteral("250");
    QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << QStringLiteral("200");
}

void TestCofferView::inplaceEdit()
{
    QFETCH(int, key);
    QFETCH(QString, expected);
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.resize(700, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetCurCell(C_OUT, 2, 0, 0);
    QVERIFY(Enabled(view, ID_EDIT_MODIFY));
    view.SetSelectionMode(SELMODE_EXT);
    view.ExecuteCommand(ID_EDIT_MODIFY);
    QCOMPARE(view.SelectionMode(), 0u);
    CInplaceEdit* pEdit = view.Editor();
    QVERIFY(pEdit->IsActive());
    QCOMPARE(pEdit->text(), QStringLiteral("200")); // without the currency symbol
    pEdit->selectAll();
    QTest::keyClicks(pEdit, QStringLiteral("250"));
    QTest::keyClick(pEdit, Qt::Key(key));
    QVERIFY(!pEdit->IsActive());
    QCOMPARE(doc.GetCellText(2, COL_OUT, false, false), expected);
    QCOMPARE(doc.CanUndo(), key == Qt::Key_Return);
}

void TestCofferView::inplaceEditOfJapaneseText()
{
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.resize(700, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetCurCell(C_DESC, 3, 0, 0);
    view.ExecuteCommand(ID_EDIT_MODIFY);
    CInplaceEdit* pEdit = view.Editor();
    pEdit->selectAll();
    TypeText(pEdit, QStringLiteral("牛乳"));
    QTest::keyClick(pEdit, Qt::Key_Return);
    QCOMPARE(doc.Lines()[3].m_strDesc, QStringLiteral("牛乳"));
    // A text the column refuses changes nothing and says nothing.
    CRecordingMessageSink sink;
    view.SetCurCell(C_IN, 3, 0, 0);
    view.ExecuteCommand(ID_EDIT_MODIFY);
    pEdit->selectAll();
    QTest::keyClicks(pEdit, QStringLiteral("abc"));
    QTest::keyClick(pEdit, Qt::Key_Return);
    QCOMPARE(doc.GetActionNames(true).size(), 1);
    QVERIFY(sink.m_boxes.isEmpty());
}

void TestCofferView::insertBeforeShownMonthSwitchesToAll()
{
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 6, 0, 0);
    QVERIFY(view.SetPeriodMode(PERIOD_MONTH)); // April: lines 5 and 6
    QCOMPARE(view.FirstLine(), 5);
    std::vector<CReceipt> lines{ Line(MakeDate(2024, 3, 8), YEN, CAT_FOOD, U(-1), QStringLiteral("new")) };
    QVERIFY(doc.PushAction(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 5, std::move(lines))));
    // Inserted at the start of the window is inside; before the window switches to all.
    lines = { Line(MakeDate(2024, 2, 11), YEN, CAT_FOOD, U(-1), QStringLiteral("old")) };
    QVERIFY(doc.PushAction(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 1, std::move(lines))));
    QCOMPARE(view.PeriodMode(), int(PERIOD_ALL));
    QCOMPARE(view.FirstLine(), 0);
    QCOMPARE(view.LineCount(), 9);
    QVERIFY(view.Selection().GetPrimaryRange() == CRange::WholeRows(1, 1));
}

void TestCofferView::inactiveMonthKeepsItsLines_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("shown");

    // March shows b, c, d (lines 2 .. 4).
    QTest::newRow("the lines just before the month") << 0 << 2 << QStringList{ "b", "c", "d" };
    QTest::newRow("from the previous month into the month") << 1 << 2 << QStringList{ "c", "d" };
    QTest::newRow("inside the month") << 3 << 1 << QStringList{ "b", "d" };
    QTest::newRow("from the month into the next") << 4 << 2 << QStringList{ "b", "c" };
    QTest::newRow("after the month") << 5 << 2 << QStringList{ "b", "c", "d" };
}

void TestCofferView::inactiveMonthKeepsItsLines()
{
    QFETCH(int, pos);
    QFETCH(int, count);
    QFETCH(QStringList, shown);
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 3, 0, 0);
    QVERIFY(view.SetPeriodMode(PERIOD_MONTH));
    view.OnActivateView(false);
    QVERIFY(doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, pos, count)));
    QCOMPARE(view.PeriodMode(), int(PERIOD_MONTH));
    QStringList names;
    for (int i = 0; i < view.LineCount(); ++i)
        names.append(doc.Lines()[std::size_t(view.FirstLine() + i)].m_strDesc);
    QCOMPARE(names, shown);
    QCOMPARE(view.CellRowCount(), int(shown.size()));
}

void TestCofferView::deletionClipsSelection()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d", "e" }));
    CCofferView view(doc);
    view.OnActivateView(false);
    SelectCells(view, C_DESC, 2, C_DESC, 4);
    QVERIFY(doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 2, 3)));
    QCOMPARE(view.LineCount(), 2);
    QVERIFY(view.Selection().CursorRow() < 2);
    const CRange range = view.Selection().GetPrimaryRange();
    QVERIFY(range.IsEmpty() || range.bottom < 2);
    // Commands on what is left address only existing lines.
    CRecordingMessageSink sink;
    view.ExecuteCommand(ID_EDIT_CLEAR);
    view.ExecuteCommand(ID_EDIT_COPY);
    QVERIFY(doc.GetLineCount() <= 2);
}

void TestCofferView::yenDisplayRefused()
{
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    CRecordingMessageSink sink;
    view.ExecuteCommand(ID_VIEW_YEN);
    QVERIFY(sink.LastWas(IDS_YEN_VIEW_REFUSED));
    QVERIFY(!view.IsYenDisplay());
    bool bChecked = true;
    Enabled(view, ID_VIEW_YEN, &bChecked);
    QVERIFY(!bChecked);
    // Switching off is always allowed.
    QVERIFY(view.SetYenDisplay(false));
}

void TestCofferView::balanceMismatchTip()
{
    CCofferDoc doc;
    // A carry-over line that states another balance than the one computed.
    Fill(doc, { Line(MakeDate(2024, 3, 1), YEN, CAT_INCOME, U(1000), QStringLiteral("給料")),
                Line(MakeDate(2024, 3, 2), YEN, CAT_CARRY, U(700), QStringLiteral("繰り越し")) });
    QVERIFY(doc.Lines()[1].m_nFlags & CReceipt::RF_BALANCE_MISMATCH);
    CCofferView view(doc);
    QVERIFY(ShowAt700x300(view));
    const QRect rc = view.CellToRect(C_BALANCE, 1, false);
    const int g = view.TextInset();
    QTest::mouseMove(view.viewport(), rc.topLeft() + QPoint(g, g));
    QCOMPARE(view.TipKey(), std::int32_t(IDS_ERR_BALANCE));
    QCOMPARE(view.TipText(), CStringTable::Load(IDS_ERR_BALANCE));
    // The tip waits its short delay, then stays up.
    QVERIFY(view.IsTipPending());
    QVERIFY(!QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
    QCOMPARE(QToolTip::text(), CStringTable::Load(IDS_ERR_BALANCE));
    QTest::mouseMove(view.viewport(), rc.center() + QPoint(rc.width() / 4, 0));
    QCOMPARE(view.TipKey(), 0);
    QVERIFY(!view.IsTipPending());
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 2000);
    // The mark is drawn in pure red in the cell's corner.
    const QImage image = view.viewport()->grab().toImage();
    QCOMPARE(image.pixelColor(rc.topLeft() + QPoint(g / 2 + g / 2, g / 2 + g / 2)), QColor(0xFF, 0x00, 0x00));
}

void TestCofferView::refusedDropHasNoEffect()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c" }));
    CCofferView view(doc);
    QVERIFY(ShowAt700x300(view));
    // Four lines of text are more than the ledger has: the block would reach beyond the last line.
    QMimeData data;
    data.setText(QStringLiteral("w\r\nx\r\ny\r\nz\r\n"));
    const QPoint pt = view.CellToRect(C_DESC, 2, false).center();
    CRecordingMessageSink sink;
    bool bEntered = false;
    QCOMPARE(DragOnto(view, data, pt, Qt::NoModifier, &bEntered), Qt::IgnoreAction); // no effect
    QVERIFY(bEntered);
    QVERIFY(sink.m_boxes.isEmpty()); // shown after the drag ends
    QTRY_VERIFY(sink.LastWas(IDS_PASTE_SHAPE_MISMATCH));
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c" }));
}

void TestCofferView::dragSource_data()
{
    QTest::addColumn<bool>("bSameLedger");
    QTest::addColumn<bool>("bCtrl");
    QTest::addColumn<int>("nTargetRow");
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("target");

    // Rows a, b dragged by their top row; the drop lands before the target's row.
    QTest::newRow("move-within-ledger") << true << false << 3 << QStringList{ "c", "a", "b", "d", "e" }
                                        << QStringList{};
    QTest::newRow("copy-within-ledger") << true << true << 3
                                        << QStringList{ "a", "b", "c", "a", "b", "d", "e" } << QStringList{};
    QTest::newRow("move-to-other-ledger") << false << false << 1 << QStringList{ "c", "d", "e" }
                                          << QStringList{ "x", "a", "b", "y", "z" };
    QTest::newRow("copy-to-other-ledger") << false << true << 1 << QStringList{ "a", "b", "c", "d", "e" }
                                          << QStringList{ "x", "a", "b", "y", "z" };
}

void TestCofferView::dragSource()
{
    QFETCH(bool, bSameLedger);
    QFETCH(bool, bCtrl);
    QFETCH(int, nTargetRow);
    QFETCH(QStringList, source);
    QFETCH(QStringList, target);

    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d", "e" }));
    CCofferDoc other;
    Fill(other, Named({ "x", "y", "z" }));
    CCofferView view(doc);
    CCofferView otherView(other);
    CCofferView& targetView = bSameLedger ? view : otherView;
    for (CCofferView* pView : { &view, &otherView }) {
        QVERIFY(ShowAt700x300(*pView));
    }
    view.Selection().SetRange(CRange::WholeRows(0, 1));
    const QPoint grab = view.CellToRect(C_DESC, 0, false).center();
    CLineRange lines;
    std::unique_ptr<QMimeData> pData(view.BeginDrag(grab, lines));
    QVERIFY(pData != nullptr);
    QVERIFY(pData->hasFormat(CRegClipboard::PrivateMime()));
    QVERIFY(pData->hasText());

    // What the platform's drag loop would deliver to the target, then its result to the source.
    const Qt::KeyboardModifiers mods = bCtrl ? Qt::ControlModifier : Qt::NoModifier;
    const QRect rc = targetView.CellToRect(C_DESC, nTargetRow, false);
    const QPoint pt(rc.center().x(), rc.top() + 2);
    const Qt::DropAction action = DragOnto(targetView, *pData, pt, mods);
    QCOMPARE(action, bCtrl ? Qt::CopyAction : Qt::MoveAction);
    view.EndDrag(action, lines);

    QCOMPARE(Descriptions(doc), source);
    if (!bSameLedger)
        QCOMPARE(Descriptions(other), target);
    // Whatever the drop did to the source ledger is one step back.
    if (source != QStringList{ "a", "b", "c", "d", "e" }) {
        doc.Undo();
        QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c", "d", "e" }));
    }
}

void TestCofferView::dragGrabOffsets_data()
{
    QTest::addColumn<CRange>("range");
    QTest::addColumn<int>("grabCol");
    QTest::addColumn<int>("grabRow");

    // Every drag is grabbed on the description cell of row 2.
    QTest::newRow("block by its lower right cell") << CRange(C_OUT, 1, C_DESC, 2) << int(C_OUT - C_DESC) << -1;
    QTest::newRow("whole rows by their second row") << CRange::WholeRows(1, 2) << 0 << -1;
    QTest::newRow("whole column on its third row") << CRange::FromSize(C_DESC, -1, 1, -1) << 0 << -2;
}

void TestCofferView::dragGrabOffsets()
{
    QFETCH(CRange, range);
    QFETCH(int, grabCol);
    QFETCH(int, grabRow);
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d", "e" }));
    CCofferView view(doc);
    QVERIFY(ShowAt700x300(view));
    view.Selection().SetRange(range);
    CLineRange lines;
    std::unique_ptr<QMimeData> pData(view.BeginDrag(view.CellToRect(C_DESC, 2, false).center(), lines));
    QVERIFY(pData != nullptr);
    view.EndDrag(Qt::IgnoreAction, lines);
    CRegPasteBuffer probe;
    QVERIFY(probe.ReadPrivate(doc, pData->data(CRegClipboard::PrivateMime()), true));
    QCOMPARE(probe.m_nGrabCol, grabCol);
    QCOMPARE(probe.m_nGrabRow, grabRow);
}

void TestCofferView::contextMenu()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b" }));
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 0, 0, 0);
    QMenu menu;
    view.BuildContextMenu(menu);
    QList<int> ids;
    QStringList texts;
    for (QAction* pAction : menu.actions()) {
        ids << (pAction->isSeparator() ? 0 : pAction->data().toInt());
        if (!pAction->isSeparator())
            texts << pAction->text();
    }
    QCOMPARE(ids, (QList<int>{ ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_PASTE_SPECIAL, ID_EDIT_CLEAR, 0,
                               ID_EDIT_INPUT, ID_EDIT_ADD, ID_EDIT_MODIFY, ID_EDIT_MODIFY_ROW, 0, ID_VIEW_YEN }));
    QCOMPARE(texts.at(3), QStringLiteral("指定張り付け(&S)..."));
    QCOMPARE(texts.last(), QStringLiteral("円換算表示"));
    // States are the view's own: copy works on the cursor cell, input opens its dialog.
    const QList<QAction*> actions = menu.actions();
    QVERIFY(actions.at(1)->isEnabled());
    QVERIFY(actions.at(6)->isEnabled());
    QVERIFY(actions.last()->isCheckable());
    QVERIFY(!actions.last()->isChecked());
    // A chosen item runs the view's command.
    actions.at(1)->trigger();
    QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(CRegClipboard::PrivateMime()));
}

void TestCofferView::dropCopiesRows()
{
    CCofferDoc source;
    Fill(source, Named({ "x" }, 20));
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c" }));
    CCofferView view(doc);
    QVERIFY(ShowAt700x300(view));
    QMimeData data;
    data.setData(CRegClipboard::PrivateMime(),
                 CRegClipboard::BuildPrivate(source, view.Layout(), CLineRange::WholeRows(0, 0), 0, 0));
    // The upper half of row 1: before it.
    const QRect rc = view.CellToRect(C_DESC, 1, false);
    const QPoint pt(rc.center().x(), rc.top() + 2);
    QCOMPARE(DragOnto(view, data, pt, Qt::ControlModifier), Qt::CopyAction);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "x", "b", "c" }));
    QCOMPARE(doc.Lines()[1].m_date, MakeDate(2024, 3, 2));
}

void TestCofferView::cloneCopiesState()
{
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 3, 0, 0);
    QVERIFY(view.SetPeriodMode(PERIOD_MONTH));
    CCofferView clone(doc, nullptr, &view);
    QCOMPARE(clone.PeriodMode(), int(PERIOD_MONTH));
    QCOMPARE(clone.FirstLine(), view.FirstLine());
    QCOMPARE(clone.LineCount(), view.LineCount());
    QCOMPARE(clone.Selection().FrameCell(), view.Selection().FrameCell());
    QCOMPARE(clone.GetColWidth(C_DESC + 1), view.GetColWidth(C_DESC + 1));
    QCOMPARE(doc.GetViewCount(), 2);
}

void TestCofferView::editSaveReopen()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strPath = dir.filePath(QStringLiteral("book.ldr"));
    CCofferDoc doc;
    Fill(doc, MarchApril());
    {
        CCofferView view(doc);
        view.Selection().SetRange(CRange::WholeRows(0, 0));
        view.ExecuteCommand(ID_EDIT_CUT);
        view.SetCurCell(C_DESC, 0, 0, 0);
        QCOMPARE(CRegEdit::ApplyCellText(doc, 0, C_DESC, COL_DESCRIPTION, QStringLiteral("保存")), true);
        QVERIFY(doc.IsModified());
        QVERIFY(CDocumentFile::Save(doc, strPath));
        QVERIFY(!doc.IsModified());
    }
    CCofferDoc reopened;
    QVERIFY(CDocumentFile::Open(reopened, strPath));
    CCofferView view(reopened);
    QCOMPARE(view.LineCount(), 6);
    QCOMPARE(reopened.GetCellText(0, COL_DESCRIPTION, false, false), QStringLiteral("保存"));
    QCOMPARE(reopened.GetCellText(5, COL_DESCRIPTION, false, false), QStringLiteral("f"));
}

void TestCofferView::automaticWidths()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b" }));
    CCofferView narrow(doc);
    const int nDescWidth = narrow.GetColWidth(C_DESC + 1);
    const int nOutWidth = narrow.GetColWidth(C_OUT + 1);
    // Wider texts than the samples widen their columns when the widths are computed.
    QVERIFY(CRegEdit::ApplyCellText(doc, 1, C_DESC, COL_DESCRIPTION, QStringLiteral("とても長い摘要の文字列がここにあります")));
    QVERIFY(CRegEdit::ApplyCellText(doc, 0, C_OUT, COL_OUT, QStringLiteral("123456789012")));
    QCOMPARE(narrow.GetColWidth(C_DESC + 1), nDescWidth);
    CCofferView wide(doc);
    QVERIFY(wide.GetColWidth(C_DESC + 1) > nDescWidth);
    QVERIFY(wide.GetColWidth(C_OUT + 1) > nOutWidth);
    QCOMPARE(wide.GetFitColWidth(C_OUT + 1), wide.GetColWidth(C_OUT + 1));
    QCOMPARE(wide.GetFitColWidth(0), 0);
    QCOMPARE(wide.GetFitColWidth(99), 0);
}

void TestCofferView::fitWidthIsTheWidestText_data()
{
    QTest::addColumn<QStringList>("texts");

    // A long text that is narrow for its length (zero-width spaces pad it), wider than the
    // column's sample, and a text of full-width letters under a third of its length that
    // is wider still.
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    const int nSample = fm.horizontalAdvance(CRegColumns::ScreenText(CRegColumns::WidthSample(COL_DESCRIPTION)));
    QString strNarrow;
    while (fm.horizontalAdvance(strNarrow) <= nSample)
        strNarrow += QChar(u'i');
    QString strWide;
    while (fm.horizontalAdvance(strWide) <= fm.horizontalAdvance(strNarrow))
        strWide += QChar(0xFF37);
    strNarrow += QString(3 * (strWide.size() + 2), QChar(0x200B));
    QVERIFY(fm.horizontalAdvance(strWide) > fm.horizontalAdvance(strNarrow));
    QTest::newRow("a short full-width text after a long narrow one") << QStringList{ strNarrow, strWide };
    QTest::newRow("the same the other way round") << QStringList{ strWide, strNarrow };
    QTest::newRow("the widest text repeated") << QStringList{ strWide, "x", strWide, strNarrow };
    QTest::newRow("only empty texts: the sample") << QStringList{ "", "" };
}

void TestCofferView::fitWidthIsTheWidestText()
{
    QFETCH(QStringList, texts);
    CCofferDoc doc;
    Fill(doc, Named(texts));
    CCofferView view(doc);
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    int nWidest = fm.horizontalAdvance(CRegColumns::ScreenText(CRegColumns::WidthSample(COL_DESCRIPTION)));
    for (const QString& strText : texts)
        nWidest = std::max(nWidest, fm.horizontalAdvance(strText));
    QCOMPARE(view.GetFitColWidth(C_DESC + 1), nWidest + 2 * view.TextInset() + 1);
    QCOMPARE(view.GetColWidth(C_DESC + 1), nWidest + 2 * view.TextInset() + 1);
}

void TestCofferView::movedAndChangedRowsAreSelected()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d", "e" }));
    CCofferView view(doc);
    // Rows 0 and 1 move after row 3.
    QVERIFY(doc.MoveRange(CLineRange::WholeRows(0, 1), view.LayoutKinds(), CAction::INSERT_AFTER, 3));
    QCOMPARE(Descriptions(doc), (QStringList{ "c", "d", "a", "b", "e" }));
    QVERIFY(view.Selection().GetPrimaryRange() == CRange::WholeRows(2, 3));
    doc.Undo();
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c", "d", "e" }));
    QCOMPARE(view.LineCount(), 5);
    // A change outside the shown month while active shows every line.
    Fill(doc, MarchApril());
    view.OnUpdate(nullptr, SRefresh{});
    view.SetCurCell(C_DESC, 6, 0, 0);
    QVERIFY(view.SetPeriodMode(PERIOD_MONTH));
    QVERIFY(CRegEdit::ApplyCellText(doc, 0, C_DESC, COL_DESCRIPTION, QStringLiteral("z")));
    QCOMPARE(view.PeriodMode(), int(PERIOD_ALL));
    QCOMPARE(view.Selection().CursorRow(), 0);
    QCOMPARE(view.Selection().CursorCol(), int(C_DESC));
    // A line moved out of the shown month while active: every line shown once, no spare rows.
    Fill(doc, MarchApril());
    view.OnUpdate(nullptr, SRefresh{});
    view.SetCurCell(C_DESC, 3, 0, 0);
    QVERIFY(view.SetPeriodMode(PERIOD_MONTH));
    QVERIFY(doc.MoveRange(CLineRange::WholeRows(3, 3), view.LayoutKinds(), CAction::INSERT_AFTER, 6));
    QCOMPARE(Descriptions(doc), (QStringList{ "給料", "a", "b", "d", "e", "f", "c" }));
    QCOMPARE(view.PeriodMode(), int(PERIOD_ALL));
    QCOMPARE(view.LineCount(), 7);
    QCOMPARE(view.CellRowCount(), 7);
    QVERIFY(view.Selection().GetPrimaryRange() == CRange::WholeRows(6, 6));
}

void TestCofferView::groupedPasteSelectsItsSpan()
{
    CCofferDoc doc;
    Fill(doc, MarchApril());
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 3, 0, 0);
    QVERIFY(view.SetPeriodMode(PERIOD_MONTH));
    QCOMPARE(view.FirstLine(), 2);
    QCOMPARE(view.LineCount(), 3);

    // Two insertions inside March, one group: the month stays, the span between them is selected.
    std::vector<CAction> group;
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 3,
                                        { Line(MakeDate(2024, 3, 5), YEN, CAT_FOOD, U(-1), QStringLiteral("x")) }));
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 5,
                                        { Line(MakeDate(2024, 3, 6), YEN, CAT_FOOD, U(-1), QStringLiteral("y")) }));
    QVERIFY(doc.PushGroup(std::move(group)));
    QCOMPARE(Descriptions(doc), (QStringList{ "給料", "a", "b", "x", "c", "y", "d", "e", "f" }));
    QCOMPARE(view.PeriodMode(), int(PERIOD_MONTH));
    QCOMPARE(view.LineCount(), 5);
    QCOMPARE(view.CellRowCount(), 5);
    QVERIFY(view.Selection().GetPrimaryRange() == CRange::WholeRows(1, 3));
    doc.Undo();
    QCOMPARE(view.LineCount(), 3);
    QCOMPARE(view.CellRowCount(), 3);
    QVERIFY(view.Selection().GetPrimaryRange() == CRange::WholeRows(1, 1));

    // A group reaching into April shows every line.
    group.clear();
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 3,
                                        { Line(MakeDate(2024, 3, 5), YEN, CAT_FOOD, U(-1), QStringLiteral("x")) }));
    group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 7,
                                        { Line(MakeDate(2024, 4, 1), YEN, CAT_FOOD, U(-1), QStringLiteral("z")) }));
    QVERIFY(doc.PushGroup(std::move(group)));
    QCOMPARE(Descriptions(doc), (QStringList{ "給料", "a", "b", "x", "c", "d", "e", "z", "f" }));
    QCOMPARE(view.PeriodMode(), int(PERIOD_ALL));
    QCOMPARE(view.LineCount(), 9);
    QCOMPARE(view.CellRowCount(), 9);
    QVERIFY(view.Selection().GetPrimaryRange() == CRange::WholeRows(3, 7));
}

QTEST_MAIN(TestCofferView)
#include "tst_cofferview.moc"
