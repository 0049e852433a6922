#include "RegFixture.h"

#include "platform/StringTable.h"
#include "register/RegClipboard.h"
#include "register/RegColumns.h"
#include "register/RegEdit.h"
#include "register/RegPasteBuffer.h"

#include <QtTest>

using namespace regfix;

Q_DECLARE_METATYPE(CLineRange)

namespace {

const std::vector<int> kKinds = CRegColumns::Kinds(CRegColumns::DefaultLayout());
// Layout columns of the default layout.
enum : int { C_DATE = 0, C_IN = 1, C_OUT = 2, C_BALANCE = 3, C_ACCOUNT = 4, C_CATEGORY = 5, C_DESC = 6 };

} // namespace

class TestRegEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deleteRange_data();
    void deleteRange();
    void applyCellText_data();
    void applyCellText();
    void pasteText_data();
    void pasteText();
    void pasteRowsBeforeCursor();
    void pasteRowsAfterRow();
    void pasteCellsKindMismatch();
    void pasteMergesIntoAnotherLedger();
    void pasteRefusedWhenListsWouldOverflow_data();
    void pasteRefusedWhenListsWouldOverflow();

private:
    static void FourLines(CCofferDoc& doc)
    {
        Fill(doc, Named({ "a", "b", "c", "d" }));
    }
};

void TestRegEdit::deleteRange_data()
{
    QTest::addColumn<CLineRange>("range");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<bool>("pushed");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<QString>("undoName");

    QTest::newRow("whole rows") << CLineRange::WholeRows(1, 2) << false << true << QStringList{ "a", "d" }
                                << QStringLiteral("行の削除");
    QTest::newRow("cut rows") << CLineRange::WholeRows(0, 0) << true << true << QStringList{ "b", "c", "d" }
                              << QStringLiteral("行の切り取り");
    QTest::newRow("rows beyond the ledger are cut off") << CLineRange::WholeRows(3, 9) << false << true
                                                        << QStringList{ "a", "b", "c" } << QStringLiteral("行の削除");
    QTest::newRow("description cells are cleared") << CLineRange::Cells(C_DESC, 0, C_DESC, 1) << false << true
                                                   << QStringList{ "", "", "c", "d" } << QStringLiteral("削除");
    QTest::newRow("cut cells") << CLineRange::Cells(C_DESC, 3, C_DESC, 3) << true << true
                               << QStringList{ "a", "b", "c", "" } << QStringLiteral("切り取り");
    QTest::newRow("cells that are already empty change nothing")
        << CLineRange::Cells(C_ACCOUNT, 0, C_ACCOUNT, 3) << false << false << QStringList{ "a", "b", "c", "d" }
        << QString();
    QTest::newRow("an empty range changes nothing") << CLineRange() << false << false
                                                    << QStringList{ "a", "b", "c", "d" } << QString();
}

void TestRegEdit::deleteRange()
{
    QFETCH(CLineRange, range);
    QFETCH(bool, cut);
    QFETCH(bool, pushed);
    QFETCH(QStringList, descriptions);
    QFETCH(QString, undoName);
    CCofferDoc doc;
    FourLines(doc);
    QCOMPARE(CRegEdit::DeleteRange(doc, range, kKinds, cut), pushed);
    QCOMPARE(Descriptions(doc), descriptions);
    QCOMPARE(doc.CanUndo(), pushed);
    if (pushed) {
        QCOMPARE(doc.GetActionNames(true).value(0), undoName);
        doc.Undo();
        QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c", "d" }));
    }
}

void TestRegEdit::applyCellText_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("cell");

    QTest::newRow("an amount") << int(C_OUT) << QStringLiteral("250") << true << QStringLiteral("250");
    QTest::newRow("a description") << int(C_DESC) << QStringLiteral("牛乳") << true << QStringLiteral("牛乳");
    QTest::newRow("a known category") << int(C_CATEGORY) << QStringLiteral("住居") << true << QStringLiteral("住居");
    QTest::newRow("an unknown category is refused") << int(C_CATEGORY) << QStringLiteral("なし") << false
                                                   << QStringLiteral("食料");
    QTest::newRow("an amount beyond 64 bits is refused")
        << int(C_OUT) << QStringLiteral("99999999999999999999") << false << QStringLiteral("100");
    QTest::newRow("a date that is no date is refused") << int(C_DATE) << QStringLiteral("2/30/x") << false
                                                      << QStringLiteral("       2");
}

void TestRegEdit::applyCellText()
{
    QFETCH(int, col);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, cell);
    CCofferDoc doc;
    FourLines(doc);
    QCOMPARE(CRegEdit::ApplyCellText(doc, 1, col, kKinds[std::size_t(col)], text), accepted);
    QCOMPARE(doc.GetCellText(1, kKinds[std::size_t(col)], false, false), cell);
    QCOMPARE(doc.CanUndo(), accepted);
    if (accepted)
        QCOMPARE(doc.GetActionNames(true).value(0), QStringLiteral("編集"));
    QVERIFY(!CRegEdit::ApplyCellText(doc, 4, col, kKinds[std::size_t(col)], text)); // no such line
}

void TestRegEdit::pasteText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("targetCols");
    QTest::addColumn<int>("targetRows");
    QTest::addColumn<int>("message");
    QTest::addColumn<QStringList>("descriptions");

    const QStringList untouched{ "a", "b", "c", "d" };
    QTest::newRow("one cell at the cursor") << QStringLiteral("x") << int(C_DESC) << 2 << 0 << 0 << 0
                                            << QStringList{ "a", "b", "x", "d" };
    QTest::newRow("one cell fills a selection of rows")
        << QStringLiteral("x") << int(C_DESC) << 1 << 1 << 3 << 0 << QStringList{ "a", "x", "x", "x" };
    QTest::newRow("a column of two repeats down four rows")
        << QStringLiteral("x\r\ny\r\n") << int(C_DESC) << 0 << 1 << 4 << 0 << QStringList{ "x", "y", "x", "y" };
    QTest::newRow("two cells do not tile three") << QStringLiteral("x\ty") << int(C_CATEGORY) << 0 << 3 << 1
                                                 << int(IDS_PASTE_SHAPE_MISMATCH) << untouched;
    QTest::newRow("cells onto whole rows") << QStringLiteral("x") << -1 << 0 << -1 << 2
                                           << int(IDS_PASTE_SHAPE_MISMATCH) << untouched;
    QTest::newRow("a block beyond the last line")
        << QStringLiteral("x\r\ny\r\n") << int(C_DESC) << 3 << 0 << 0 << int(IDS_PASTE_SHAPE_MISMATCH) << untouched;
    QTest::newRow("a block beyond the last column")
        << QStringLiteral("x\ty") << int(C_DESC) << 0 << 0 << 0 << int(IDS_PASTE_SHAPE_MISMATCH) << untouched;
    QTest::newRow("a field the column cannot take") << QStringLiteral("abc") << int(C_OUT) << 0 << 0 << 0
                                                    << int(IDS_PASTE_KIND_MISMATCH) << untouched;
    QTest::newRow("an amount beyond 64 bits") << QStringLiteral("99999999999999999999") << int(C_IN) << 0 << 0
                                              << 0 << int(IDS_PASTE_KIND_MISMATCH) << untouched;
    QTest::newRow("empty text is no data") << QString() << int(C_DESC) << 0 << 0 << 0
                                           << int(IDS_CLIPBOARD_FAILED) << untouched;
}

void TestRegEdit::pasteText()
{
    QFETCH(QString, text);
    QFETCH(int, col);
    QFETCH(int, line);
    QFETCH(int, targetCols);
    QFETCH(int, targetRows);
    QFETCH(int, message);
    QFETCH(QStringList, descriptions);
    CCofferDoc doc;
    FourLines(doc);
    CRegPasteBuffer buffer;
    buffer.ReadText(text);
    QCOMPARE(CRegEdit::Paste(doc, buffer, kKinds, col, line, targetCols, targetRows), message);
    QCOMPARE(Descriptions(doc), descriptions);
    QCOMPARE(doc.CanUndo(), message == 0);
    QCOMPARE(doc.GetLineCount(), 4);
}

void TestRegEdit::pasteRowsBeforeCursor()
{
    CCofferDoc doc;
    FourLines(doc);
    CRegPasteBuffer buffer;
    QVERIFY(buffer.ReadPrivate(doc, CRegClipboard::BuildPrivate(doc, CRegColumns::DefaultLayout(),
                                                                 CLineRange::WholeRows(0, 1), 0, 0)));
    // With only a cursor the rows go before the cursor line and take its date.
    QCOMPARE(CRegEdit::Paste(doc, buffer, kKinds, C_OUT, 3, 0, 0), 0);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c", "a", "b", "d" }));
    QCOMPARE(doc.Lines()[3].m_date, MakeDate(2024, 3, 4));
    QCOMPARE(doc.Lines()[4].m_date, MakeDate(2024, 3, 4));
    QCOMPARE(doc.GetActionNames(true).value(0), QStringLiteral("行の貼り付け"));
    // Whole rows onto a block of cells, and at the end of the ledger.
    QCOMPARE(CRegEdit::Paste(doc, buffer, kKinds, C_OUT, 0, 2, 2), int(IDS_PASTE_SHAPE_MISMATCH));
    QCOMPARE(CRegEdit::Paste(doc, buffer, kKinds, 0, 6, -1, 1), 0);
    QCOMPARE(doc.GetLineCount(), 8);
    QCOMPARE(doc.Lines()[7].m_date, MakeDate(2024, 3, 2)); // no line after: own dates
}

void TestRegEdit::pasteRowsAfterRow()
{
    CCofferDoc doc;
    FourLines(doc);
    CRegPasteBuffer buffer;
    QVERIFY(buffer.ReadPrivate(doc, CRegClipboard::BuildPrivate(doc, CRegColumns::DefaultLayout(),
                                                                 CLineRange::WholeRows(0, 0), 0, 0)));
    QCOMPARE(CRegEdit::Paste(doc, buffer, kKinds, CAction::INSERT_AFTER, 1, 0, 0), 0);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "a", "c", "d" }));
    QCOMPARE(CRegEdit::Paste(doc, buffer, kKinds, CAction::INSERT_AFTER, 4, 0, 0), 0);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "a", "c", "d", "a" }));
}

void TestRegEdit::pasteCellsKindMismatch()
{
    CCofferDoc doc;
    FourLines(doc);
    CRegPasteBuffer buffer;
    QVERIFY(buffer.ReadPrivate(doc, CRegClipboard::BuildPrivate(doc, CRegColumns::DefaultLayout(),
                                                                 CLineRange::Cells(C_DESC, 0, C_DESC, 0), 0, 0)));
    // A description cell cannot land on the category column.
    QCOMPARE(CRegEdit::Paste(doc, buffer, kKinds, C_CATEGORY, 1, 0, 0), int(IDS_PASTE_KIND_MISMATCH));
    QVERIFY(!doc.CanUndo());
    QCOMPARE(CRegEdit::Paste(doc, buffer, kKinds, C_DESC, 2, 1, 2), 0);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "a", "a" }));
}

void TestRegEdit::pasteMergesIntoAnotherLedger()
{
    CCofferDoc source;
    Fill(source, { Line(MakeDate(2024, 3, 1), USD, CAT_FOOD, U(-3), QStringLiteral("coffee")) });
    support::Amend(source, [](CLedgerContent& content) {
        content.m_cats.emplace_back(ATTR_EXPENSE, QStringLiteral("趣味"));
        content.m_lines.push_back(Line(MakeDate(2024, 3, 2), YEN, 17, U(-500), QStringLiteral("本")));
    });
    const QByteArray bytes = CRegClipboard::BuildPrivate(source, CRegColumns::DefaultLayout(), CLineRange::WholeRows(0, 1), 0, 0);

    CCofferDoc target;
    Fill(target, Named({ "x" }), false);
    CRegPasteBuffer buffer;
    QVERIFY(buffer.ReadPrivate(target, bytes));
    QCOMPARE(CRegEdit::Paste(target, buffer, kKinds, 0, 1, 0, 0), 0);
    QCOMPARE(target.Currencies().size(), std::size_t(2));
    QCOMPARE(target.Currencies()[1].m_strSymbol, QStringLiteral("$"));
    QCOMPARE(target.Categories().size(), std::size_t(18));
    QCOMPARE(target.Categories()[17].m_strName, QStringLiteral("趣味"));
    QCOMPARE(Descriptions(target), (QStringList{ "x", "coffee", "本" }));
    QCOMPARE(target.GetCellText(1, COL_OUT, true, false), QStringLiteral("$3.00"));
    QCOMPARE(target.GetCellText(2, COL_CATEGORY, false, false), QStringLiteral("趣味"));
    // Undo takes the lines back; the appended entries stay (list changes are not undoable).
    target.Undo();
    QCOMPARE(Descriptions(target), (QStringList{ "x" }));
}

void TestRegEdit::pasteRefusedWhenListsWouldOverflow_data()
{
    QTest::addColumn<bool>("currencies");
    QTest::addColumn<int>("message");
    QTest::newRow("currencies") << true << int(IDS_TOO_MANY_CURRENCIES);
    QTest::newRow("categories") << false << int(IDS_TOO_MANY_CATEGORIES);
}

void TestRegEdit::pasteRefusedWhenListsWouldOverflow()
{
    QFETCH(bool, currencies);
    QFETCH(int, message);
    CCofferDoc source;
    Fill(source, {});
    support::Amend(source, [currencies](CLedgerContent& content) {
        content.m_cats.emplace_back(ATTR_EXPENSE, QStringLiteral("新しい"));
        content.m_lines.push_back(Line(MakeDate(2024, 3, 1), currencies ? USD : YEN, currencies ? CAT_FOOD : 17, U(-1)));
    });
    const QByteArray bytes = CRegClipboard::BuildPrivate(source, CRegColumns::DefaultLayout(), CLineRange::WholeRows(0, 0), 0, 0);

    // A target whose list is full: one more entry would pass 121.
    CCofferDoc target;
    Fill(target, Named({ "x" }), false);
    if (currencies) {
        std::vector<CCurFmt> curs;
        for (int i = 1; i < 121; ++i)
            curs.emplace_back(QStringLiteral("C%1").arg(i), 2, QString());
        QVERIFY(target.AppendCurrencies(curs));
    } else {
        std::vector<CCategory> cats;
        for (int i = 17; i < 121; ++i)
            cats.emplace_back(ATTR_EXPENSE, QStringLiteral("K%1").arg(i));
        QVERIFY(target.AppendCategories(cats));
    }
    const std::size_t nCurs = target.Currencies().size();
    const std::size_t nCats = target.Categories().size();
    CRegPasteBuffer buffer;
    QVERIFY(buffer.ReadPrivate(target, bytes));
    QCOMPARE(CRegEdit::Paste(target, buffer, kKinds, 0, 0, 0, 0), message);
    QCOMPARE(target.Currencies().size(), nCurs);
    QCOMPARE(target.Categories().size(), nCats);
    QCOMPARE(target.GetLineCount(), 1);
}

QTEST_GUILESS_MAIN(TestRegEdit)
#include "tst_regedit.moc"
