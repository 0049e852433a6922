#include "RegFixture.h"

#include "persist/ArchiveWriter.h"
#include "persist/LedgerRecords.h"
#include "register/RegClipboard.h"
#include "register/RegColumns.h"
#include "register/RegPasteBuffer.h"

#include <QtEndian>
#include <QtTest>

using namespace regfix;

Q_DECLARE_METATYPE(CLineRange)

class TestRegClipboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
    void privateBytes();
    void privateRoundTrip();
    void privateTruncated();
    void privateRejected_data();
    void privateRejected();
    void probeReadsOnlyTheShape();
    void splitText_data();
    void splitText();
    void bufferMergesLists();
    void bufferText_data();
    void bufferText();

private:
    static void SampleDoc(CCofferDoc& doc);
};

void TestRegClipboard::SampleDoc(CCofferDoc& doc)
{
    Fill(doc, { Line(MakeDate(2024, 3, 1), YEN, CAT_INCOME, U(1000), QStringLiteral("給料")),
                Line(MakeDate(2024, 3, 5), YEN, CAT_FOOD, U(-200), QStringLiteral("パン")),
                Line(MakeDate(2024, 3, 6), USD, CAT_FOOD, U(-3), QStringLiteral("coffee")) });
}

void TestRegClipboard::text_data()
{
    QTest::addColumn<CLineRange>("range");
    QTest::addColumn<bool>("header");
    QTest::addColumn<bool>("symbol");
    QTest::addColumn<QString>("expected");

    // Layout: date, in, out, balance, account, category, description.
    QTest::newRow("one date cell has no line end")
        << CLineRange::Cells(0, 0, 0, 0) << false << false << QStringLiteral("24/ 3/ 1");
    QTest::newRow("cells of one row are tab separated")
        << CLineRange::Cells(5, 1, 6, 1) << false << false << QStringLiteral("食料\tパン");
    QTest::newRow("two rows of cells end every row")
        << CLineRange::Cells(6, 0, 6, 1) << false << false << QStringLiteral("給料\r\nパン\r\n");
    QTest::newRow("a block never gets the titles")
        << CLineRange::Cells(6, 0, 6, 1) << true << false << QStringLiteral("給料\r\nパン\r\n");
    QTest::newRow("whole rows with the titles")
        << CLineRange::WholeRows(1, 1) << true << false
        << QStringLiteral("日付\t収入\t支出\t残高\t貸借\t費目\t摘要\r\n       5\t\t200\t800\t\t食料\tパン\r\n");
    QTest::newRow("a whole row ends its line")
        << CLineRange::WholeRows(1, 1) << false << false
        << QStringLiteral("       5\t\t200\t800\t\t食料\tパン\r\n");
    QTest::newRow("symbols keep the backslash")
        << CLineRange::Cells(2, 1, 2, 1) << false << true << QStringLiteral("\\200");
    QTest::newRow("rows beyond the ledger are cut")
        << CLineRange::Cells(6, 1, 6, 9) << false << false << QStringLiteral("パン\r\ncoffee\r\n");
    QTest::newRow("an empty range copies nothing") << CLineRange() << false << false << QString();
}

void TestRegClipboard::text()
{
    QFETCH(CLineRange, range);
    QFETCH(bool, header);
    QFETCH(bool, symbol);
    QFETCH(QString, expected);
    CCofferDoc doc;
    SampleDoc(doc);
    QCOMPARE(CRegClipboard::BuildText(doc, CRegColumns::DefaultLayout(), range, header, symbol), expected);
}

void TestRegClipboard::privateBytes()
{
    CCofferDoc doc;
    SampleDoc(doc);
    const std::vector<std::uint32_t> layout = CRegColumns::DefaultLayout();
    // Cells of the category and description columns of the last two lines, grabbed one row down.
    const QByteArray bytes = CRegClipboard::BuildPrivate(doc, layout, CLineRange::Cells(5, 1, 6, 2), 0, -1);

    CArchiveWriter ar;
    ar.WriteInt32(2);  // W
    ar.WriteInt32(2);  // H
    ar.WriteInt32(0);  // grab column
    ar.WriteInt32(-1); // grab row
    ar.WriteInt32(2);
    ar.WriteUInt32(COL_CATEGORY);
    ar.WriteUInt32(COL_DESCRIPTION);
    ar.WriteCount(2);
    for (int i = 1; i <= 2; ++i) {
        ar.WriteObjectTag(CLedgerRecords::ReceiptClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteReceipt(ar, doc.Lines()[std::size_t(i)]);
    }
    ar.WriteInt64(doc.Lines()[1].m_nBalance);
    ar.WriteInt64(doc.Lines()[2].m_nBalance);
    ar.WriteCount(2); // currencies 0 and 1
    ar.WriteUInt32(0);
    ar.WriteUInt32(1);
    ar.WriteCount(2);
    for (int i = 0; i < 2; ++i) {
        ar.WriteObjectTag(CLedgerRecords::CurFmtClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteCurFmt(ar, doc.Currencies()[std::size_t(i)]);
    }
    ar.WriteCount(1); // category 3
    ar.WriteUInt32(CAT_FOOD);
    ar.WriteCount(1);
    ar.WriteObjectTag(CLedgerRecords::CategoryClass, CLedgerRecords::Schema);
    CLedgerRecords::WriteCategory(ar, doc.Categories()[CAT_FOOD]);
    QCOMPARE(bytes.toHex(' '), ar.TakeBuffer().toHex(' '));

    // The fixed head, byte for byte: W, H, grabs, the column count and kinds, the line count,
    // then the first line's new class record.
    const QByteArray head = QByteArray::fromHex("02000000 02000000 00000000 ffffffff 02000000 05000000 06000000"
                                                "0200 ffff 0100 0800" "4352656365697074");
    QCOMPARE(bytes.left(head.size()).toHex(' '), head.toHex(' '));
}

void TestRegClipboard::privateRoundTrip()
{
    CCofferDoc doc;
    SampleDoc(doc);
    const std::vector<std::uint32_t> layout = { CRegColumns::MakeEntry(COL_DATE, 40), COL_IN, COL_DESCRIPTION };
    const QByteArray bytes = CRegClipboard::BuildPrivate(doc, layout, CLineRange::WholeRows(0, 2), 0, 0);
    CRegClipData data;
    QVERIFY(CRegClipboard::ReadPrivate(bytes, data));
    QCOMPARE(data.m_nCols, -1);
    QCOMPARE(data.m_nRows, 3);
    QVERIFY(data.m_columns == layout);
    QCOMPARE(data.m_lines.size(), std::size_t(3));
    for (int i = 0; i < 3; ++i) {
        const CReceipt& a = data.m_lines[std::size_t(i)];
        const CReceipt& b = doc.Lines()[std::size_t(i)];
        QCOMPARE(a.m_date, b.m_date);
        QCOMPARE(a.m_nCur, b.m_nCur);
        QCOMPARE(a.m_nCat, b.m_nCat);
        QCOMPARE(a.m_nAmount, b.m_nAmount);
        QCOMPARE(a.m_strDesc, b.m_strDesc);
        QCOMPARE(data.m_balances[std::size_t(i)], b.m_nBalance);
    }
    QVERIFY(data.m_curIndices == (std::vector<std::uint32_t>{ 0, 1 }));
    QVERIFY(data.m_catIndices == (std::vector<std::uint32_t>{ CAT_INCOME, CAT_FOOD }));
    QCOMPARE(data.m_cats[1].m_strName, QStringLiteral("食料"));
    QCOMPARE(data.m_curs[1].m_strSymbol, QStringLiteral("$"));
}

void TestRegClipboard::privateTruncated()
{
    CCofferDoc doc;
    SampleDoc(doc);
    const QByteArray bytes = CRegClipboard::BuildPrivate(doc, CRegColumns::DefaultLayout(), CLineRange::WholeRows(0, 2), 0, 0);
    // Every cut short form is "no data", never a read past the end.
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        CRegClipData data;
        QVERIFY2(!CRegClipboard::ReadPrivate(QByteArrayView(bytes.constData(), n), data), qPrintable(QString::number(n)));
        QVERIFY(data.m_lines.empty());
    }
}

void TestRegClipboard::privateRejected_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("patch");

    // Offsets into the copy of line 1's category and description cells (see privateBytes).
    QTest::newRow("no columns") << 0 << QByteArray::fromHex("00000000");
    QTest::newRow("no rows") << 4 << QByteArray::fromHex("00000000");
    QTest::newRow("negative rows") << 4 << QByteArray::fromHex("ffffffff");
    QTest::newRow("width below whole rows") << 0 << QByteArray::fromHex("feffffff");
    QTest::newRow("column count differs from the width") << 16 << QByteArray::fromHex("03000000");
    QTest::newRow("column count beyond the data") << 16 << QByteArray::fromHex("ffffff7f");
    QTest::newRow("kind outside the kinds") << 20 << QByteArray::fromHex("07000000");
    QTest::newRow("line count differs from the rows") << 28 << QByteArray::fromHex("0300");
    QTest::newRow("grab column beyond the block") << 8 << QByteArray::fromHex("45000000");
    QTest::newRow("grab column most negative") << 8 << QByteArray::fromHex("00000080");
    QTest::newRow("grab row below the block") << 12 << QByteArray::fromHex("02000000");
    QTest::newRow("grab row above the block") << 12 << QByteArray::fromHex("fdffffff");
}

void TestRegClipboard::privateRejected()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, patch);
    CCofferDoc doc;
    SampleDoc(doc);
    QByteArray bytes = CRegClipboard::BuildPrivate(doc, CRegColumns::DefaultLayout(), CLineRange::Cells(5, 1, 6, 2), 0, 0);
    bytes.replace(offset, patch.size(), patch);
    CRegClipData data;
    QVERIFY(!CRegClipboard::ReadPrivate(bytes, data));
    CRegPasteBuffer buffer;
    QVERIFY(!buffer.ReadPrivate(doc, bytes));
    QVERIFY(buffer.IsEmpty());
}

void TestRegClipboard::probeReadsOnlyTheShape()
{
    CCofferDoc doc;
    SampleDoc(doc);
    const QByteArray bytes = CRegClipboard::BuildPrivate(doc, CRegColumns::DefaultLayout(), CLineRange::Cells(1, 0, 2, 1), -1, 0);
    // The head alone is enough to probe a drag.
    CRegPasteBuffer buffer;
    QVERIFY(buffer.ReadPrivate(doc, bytes.left(28), true));
    QCOMPARE(buffer.m_nCols, 2);
    QCOMPARE(buffer.m_nRows, 2);
    QCOMPARE(buffer.m_nGrabCol, -1);
    QVERIFY(buffer.m_kinds == (std::vector<int>{ COL_IN, COL_OUT }));
    QVERIFY(buffer.m_lines.empty());
    QVERIFY(!buffer.ReadPrivate(doc, bytes.left(28), false));
}

void TestRegClipboard::splitText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << QStringLiteral("a\tb\r\nc\r\n") << QStringList{ "a\tb", "c" };
    QTest::newRow("LF") << QStringLiteral("a\nb\n") << QStringList{ "a", "b" };
    QTest::newRow("CR") << QStringLiteral("a\rb") << QStringList{ "a", "b" };
    QTest::newRow("mixed ends and an empty line") << QStringLiteral("a\r\n\nb\r") << QStringList{ "a", "", "b" };
    QTest::newRow("a remainder is a line") << QStringLiteral("x\r\ny") << QStringList{ "x", "y" };
    QTest::newRow("control characters become spaces")
        << QStringLiteral("a\x01" "b\tc\x7f") << QStringList{ "a b\tc " };
    QTest::newRow("a terminating NUL is dropped") << QString::fromUtf16(u"ab\0", 3) << QStringList{ "ab" };
    QTest::newRow("empty text") << QString() << QStringList{};
}

void TestRegClipboard::splitText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(CRegClipboard::SplitText(text), lines);
}

void TestRegClipboard::bufferMergesLists()
{
    CCofferDoc source;
    Fill(source, { Line(MakeDate(2024, 3, 1), USD, CAT_FOOD, U(-3), QStringLiteral("a")) });
    support::Amend(source, [](CLedgerContent& content) {
        content.m_curs.emplace_back(QStringLiteral("£"), 2, QStringLiteral("GBP"));
        content.m_cats.emplace_back(ATTR_EXPENSE, QStringLiteral("趣味"));
        content.m_lines.push_back(Line(MakeDate(2024, 3, 2), 2, 17, U(-5), QStringLiteral("b"), CAT_SAVINGS, U(5)));
    });
    const QByteArray bytes = CRegClipboard::BuildPrivate(source, CRegColumns::DefaultLayout(), CLineRange::WholeRows(0, 1), 0, 0);

    // The target knows the dollar at another position, not the pound nor 趣味.
    CCofferDoc target;
    support::Fill(target, {}, {CNewLedger::Currencies()[0], CCurFmt(QStringLiteral("€"), 2, QStringLiteral("EUR")),
                               CCurFmt(QStringLiteral("$"), 2, QStringLiteral("USD"))});
    CRegPasteBuffer buffer;
    QVERIFY(buffer.ReadPrivate(target, bytes));
    QCOMPARE(buffer.m_lines.size(), std::size_t(2));
    QCOMPARE(int(buffer.m_lines[0].m_nCur), 2);
    QCOMPARE(int(buffer.m_lines[1].m_nCur), 3);
    QCOMPARE(buffer.m_newCurs.size(), std::size_t(1));
    QCOMPARE(buffer.m_newCurs[0].m_strSymbol, QStringLiteral("£"));
    QCOMPARE(int(buffer.m_lines[0].m_nCat), int(CAT_FOOD));
    QCOMPARE(int(buffer.m_lines[1].m_nCat), 17);
    QCOMPARE(int(buffer.m_lines[1].m_nCat2), int(CAT_SAVINGS));
    QCOMPARE(buffer.m_newCats.size(), std::size_t(1));
    QCOMPARE(buffer.m_newCats[0].m_strName, QStringLiteral("趣味"));
}

void TestRegClipboard::bufferText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("one cell") << QStringLiteral("x") << true << 1 << 1;
    QTest::newRow("widest line decides") << QStringLiteral("a\r\nb\tc\td\r\n") << true << 3 << 2;
    QTest::newRow("empty text is no data") << QString() << false << 0 << 0;
}

void TestRegClipboard::bufferText()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(int, width);
    QFETCH(int, height);
    CRegPasteBuffer buffer;
    QCOMPARE(buffer.ReadText(text), found);
    QCOMPARE(buffer.m_nCols, width);
    QCOMPARE(buffer.m_nRows, height);
    QVERIFY(!buffer.IsPrivate());
}

QTEST_GUILESS_MAIN(TestRegClipboard)
#include "tst_regclipboard.moc"
