#include "RegFixture.h"

#include "model/ColumnKind.h"
#include "platform/StringTable.h"
#include "register/RegClipboard.h"
#include "register/RegColumns.h"
#include "register/RegEdit.h"
#include "register/RegPasteBuffer.h"

#include <QTest>

using namespace regfix;

namespace {

using SMethod = CRegEdit::SPasteMethod;

// The ledger "a" .. "d" on 3/1, 3/3, 3/5, 3/7.
void FourLines(CCofferDoc& doc)
{
    Fill(doc, {Line(MakeDate(2024, 3, 1), YEN, CAT_FOOD, U(-100), "a"), Line(MakeDate(2024, 3, 3), YEN, CAT_FOOD, U(-200), "b"),
               Line(MakeDate(2024, 3, 5), YEN, CAT_FOOD, U(-300), "c"), Line(MakeDate(2024, 3, 7), YEN, CAT_FOOD, U(-400), "d")});
}

// Copied whole rows of a second ledger: "y" on 3/6 and "x" on 3/2, in dollars, income.
CRegPasteBuffer Copied(const CCofferDoc& target)
{
    CCofferDoc source;
    Fill(source, {Line(MakeDate(2024, 3, 6), USD, CAT_INCOME, U(7), "y"), Line(MakeDate(2024, 3, 2), USD, CAT_INCOME, U(8), "x")});
    CRegPasteBuffer buffer;
    buffer.ReadPrivate(target, CRegClipboard::BuildPrivate(source, CRegColumns::DefaultLayout(), CLineRange::WholeRows(0, 1), 0, 0));
    return buffer;
}

SMethod Method(int nMethod, bool bUseDate = false, PackedDate date = 0)
{
    SMethod method;
    method.nMethod = nMethod;
    method.bUseDate = bUseDate;
    method.date = date;
    return method;
}

QList<int> Days(const CCofferDoc& doc)
{
    QList<int> days;
    for (const CReceipt& line : doc.Lines())
        days.append(DateDay(line.m_date));
    return days;
}

} // namespace

// The paste of copied lines with a chosen method: the shapes that may ask, each method's
// placement, the parts an overwrite takes, and one undoable step each.
class TestPasteSpecial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyWholeRowsMayAsk_data();
    void onlyWholeRowsMayAsk();
    void insertMethods_data();
    void insertMethods();
    void overwriteTakesTickedParts_data();
    void overwriteTakesTickedParts();
    void overwriteNeedsEnoughLines();
    void byDateIsOneStep();
    void byDateIntoEmptyLedger();
};

void TestPasteSpecial::onlyWholeRowsMayAsk_data()
{
    QTest::addColumn<bool>("rows");
    QTest::addColumn<int>("targetCols");
    QTest::addColumn<int>("targetRows");
    QTest::addColumn<int>("message");
    QTest::newRow("rows at the cursor") << true << 0 << 0 << 0;
    QTest::newRow("rows onto rows") << true << -1 << 2 << 0;
    QTest::newRow("rows onto a block") << true << 2 << 2 << int(IDS_PASTE_SHAPE_MISMATCH);
    QTest::newRow("cells at the cursor") << false << 0 << 0 << int(IDS_PASTE_SHAPE_MISMATCH);
    QTest::newRow("cells onto rows") << false << -1 << 1 << int(IDS_PASTE_SHAPE_MISMATCH);
}

void TestPasteSpecial::onlyWholeRowsMayAsk()
{
    QFETCH(bool, rows);
    QFETCH(int, targetCols);
    QFETCH(int, targetRows);
    QFETCH(int, message);
    CCofferDoc doc;
    FourLines(doc);
    CRegPasteBuffer buffer;
    const CLineRange range = rows ? CLineRange::WholeRows(0, 0) : CLineRange::Cells(0, 0, 1, 0);
    QVERIFY(buffer.ReadPrivate(doc, CRegClipboard::BuildPrivate(doc, CRegColumns::DefaultLayout(), range, 0, 0)));
    QCOMPARE(CRegEdit::CheckPasteSpecial(buffer, targetCols, targetRows), message);
    CRegPasteBuffer text;
    QVERIFY(text.ReadText(QStringLiteral("a\tb")));
    QCOMPARE(CRegEdit::CheckPasteSpecial(text, 0, 0), int(IDS_CLIPBOARD_FAILED));
}

void TestPasteSpecial::insertMethods_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("useDate");
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<QList<int>>("days");
    QTest::newRow("at the cursor, own dates") << 0 << false << 2 << QStringList{"a", "b", "y", "x", "c", "d"}
                                              << QList<int>{1, 3, 6, 2, 5, 7};
    QTest::newRow("at the cursor, given date") << 0 << true << 2 << QStringList{"a", "b", "y", "x", "c", "d"}
                                               << QList<int>{1, 3, 20, 20, 5, 7};
    QTest::newRow("after the cursor") << 1 << false << 2 << QStringList{"a", "b", "c", "y", "x", "d"}
                                      << QList<int>{1, 3, 5, 6, 2, 7};
    QTest::newRow("after the last line") << 1 << true << 3 << QStringList{"a", "b", "c", "d", "y", "x"}
                                         << QList<int>{1, 3, 5, 7, 20, 20};
    QTest::newRow("below the last line") << 1 << false << 9 << QStringList{"a", "b", "c", "d", "y", "x"}
                                         << QList<int>{1, 3, 5, 7, 6, 2};
    QTest::newRow("by date, date ignored") << 3 << true << 0 << QStringList{"a", "x", "b", "c", "y", "d"}
                                           << QList<int>{1, 2, 3, 5, 6, 7};
}

void TestPasteSpecial::insertMethods()
{
    QFETCH(int, method);
    QFETCH(bool, useDate);
    QFETCH(int, line);
    QFETCH(QStringList, descriptions);
    QFETCH(QList<int>, days);
    CCofferDoc doc;
    FourLines(doc);
    const CRegPasteBuffer buffer = Copied(doc);
    CRegEdit::SPastePlan plan = CRegEdit::PlanPasteSpecial(doc, buffer, line, Method(method, useDate, MakeDate(2024, 3, 20)));
    QCOMPARE(CRegEdit::ExecutePaste(doc, plan), 0);
    QCOMPARE(Descriptions(doc), descriptions);
    QCOMPARE(Days(doc), days);
    QCOMPARE(doc.GetActionNames(true).size(), 1);
    doc.Undo();
    QCOMPARE(Descriptions(doc), (QStringList{"a", "b", "c", "d"}));
    doc.Redo();
    QCOMPARE(Descriptions(doc), descriptions);
}

void TestPasteSpecial::overwriteTakesTickedParts_data()
{
    QTest::addColumn<QString>("parts"); // D date, C currency, A category and amounts, T description
    QTest::addColumn<QString>("second"); // line 2 afterwards: day, currency, category, amount, description
    QTest::newRow("all") << "DCAT" << "6 1 2 70000 y";
    QTest::newRow("none") << "" << "5 0 3 -3000000 c";
    QTest::newRow("date") << "D" << "6 0 3 -3000000 c";
    QTest::newRow("currency") << "C" << "5 1 3 -3000000 c";
    QTest::newRow("amounts") << "A" << "5 0 2 70000 c";
    QTest::newRow("description") << "T" << "5 0 3 -3000000 y";
}

void TestPasteSpecial::overwriteTakesTickedParts()
{
    QFETCH(QString, parts);
    QFETCH(QString, second);
    CCofferDoc doc;
    FourLines(doc);
    const CRegPasteBuffer buffer = Copied(doc);
    SMethod method = Method(SMethod::METHOD_OVERWRITE);
    method.bDate = parts.contains(u'D');
    method.bCurrency = parts.contains(u'C');
    method.bAmounts = parts.contains(u'A');
    method.bDesc = parts.contains(u'T');
    CRegEdit::SPastePlan plan = CRegEdit::PlanPasteSpecial(doc, buffer, 2, method);
    QCOMPARE(CRegEdit::ExecutePaste(doc, plan), 0);
    QCOMPARE(doc.GetLineCount(), 4);
    const CReceipt& line = doc.Lines()[2];
    QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5")
                 .arg(DateDay(line.m_date))
                 .arg(line.m_nCur)
                 .arg(line.m_nCat)
                 .arg(line.m_nAmount)
                 .arg(line.m_strDesc),
             second);
    doc.Undo();
    QCOMPARE(doc.Lines()[2].m_strDesc, QStringLiteral("c"));
    QCOMPARE(doc.Lines()[2].m_nAmount, U(-300));
}

void TestPasteSpecial::overwriteNeedsEnoughLines()
{
    CCofferDoc doc;
    FourLines(doc);
    const CRegPasteBuffer buffer = Copied(doc);
    CRegEdit::SPastePlan plan = CRegEdit::PlanPasteSpecial(doc, buffer, 3, Method(SMethod::METHOD_OVERWRITE));
    QCOMPARE(CRegEdit::ExecutePaste(doc, plan), int(IDS_PASTE_SHAPE_MISMATCH));
    QVERIFY(!doc.CanUndo());
    QCOMPARE(doc.Currencies().size(), std::size_t(2));
}

void TestPasteSpecial::byDateIsOneStep()
{
    CCofferDoc doc;
    FourLines(doc);
    const CRegPasteBuffer buffer = Copied(doc);
    CRegEdit::SPastePlan plan = CRegEdit::PlanPasteSpecial(doc, buffer, 0, Method(SMethod::METHOD_BY_DATE));
    // Two runs: x before b, y before d.
    QCOMPARE(plan.actions.size(), std::size_t(2));
    QCOMPARE(CRegEdit::ExecutePaste(doc, plan), 0);
    QCOMPARE(doc.GetActionNames(true), QStringList{QStringLiteral("行の貼り付け")});
    doc.Undo();
    QCOMPARE(Descriptions(doc), (QStringList{"a", "b", "c", "d"}));
}

void TestPasteSpecial::byDateIntoEmptyLedger()
{
    CCofferDoc doc;
    Fill(doc, {});
    const CRegPasteBuffer buffer = Copied(doc);
    CRegEdit::SPastePlan plan = CRegEdit::PlanPasteSpecial(doc, buffer, 0, Method(SMethod::METHOD_BY_DATE));
    QCOMPARE(CRegEdit::ExecutePaste(doc, plan), 0);
    QCOMPARE(Descriptions(doc), (QStringList{"x", "y"}));
}

QTEST_GUILESS_MAIN(TestPasteSpecial)
#include "tst_pastespecial.moc"
