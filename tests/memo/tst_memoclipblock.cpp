#include "memo/MemoClipBlock.h"

#include <QTest>
#include <QtEndian>

namespace {

QByteArray Block(std::int32_t nLayout, std::int32_t nCols, std::int32_t nRows, std::int32_t nDragCol,
                 std::int32_t nDragRow)
{
    QByteArray bytes(20, '\0');
    const std::int32_t values[] = {nLayout, nCols, nRows, nDragCol, nDragRow};
    for (int i = 0; i < 5; ++i)
        qToLittleEndian(values[i], bytes.data() + 4 * i);
    return bytes;
}

} // namespace

// The memo view's clipboard block, read from bytes any process may have put there.
class TestMemoClipBlock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip();
    void read_data();
    void read();
    void pasteBuffer_data();
    void pasteBuffer();
};

void TestMemoClipBlock::roundTrip()
{
    CMemoClipBlock block;
    block.m_nLayout = 1;
    block.m_nCols = 3;
    block.m_nRows = 4;
    block.m_nDragCol = -2;
    block.m_nDragRow = -1;
    const QByteArray bytes = block.Build();
    QCOMPARE(bytes, Block(1, 3, 4, -2, -1));
    CMemoClipBlock back;
    QVERIFY(back.Read(bytes));
    QCOMPARE(back.Build(), bytes);
}

void TestMemoClipBlock::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::newRow("copy of one cell") << Block(0, 1, 1, 0, 0) << true;
    QTest::newRow("whole rows of the year list") << Block(1, -1, 6, -3, -5) << true;
    QTest::newRow("whole columns") << Block(2, 2, -1, -1, -70000) << true;
    QTest::newRow("rounded-up clipboard memory") << QByteArray(Block(0, 1, 1, 0, 0) + QByteArray(12, 'x')) << true;
    QTest::newRow("largest range") << Block(2, 16, CMemoClipBlock::MaxRows, -15, 1 - CMemoClipBlock::MaxRows) << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("one byte short") << Block(0, 1, 1, 0, 0).chopped(1) << false;
    QTest::newRow("unknown layout") << Block(3, 1, 1, 0, 0) << false;
    QTest::newRow("negative layout") << Block(-1, 1, 1, 0, 0) << false;
    QTest::newRow("no columns") << Block(0, 0, 1, 0, 0) << false;
    QTest::newRow("seventeen columns") << Block(0, 17, 1, 0, 0) << false;
    QTest::newRow("columns -2") << Block(0, -2, 1, 0, 0) << false;
    QTest::newRow("too many rows") << Block(0, 1, CMemoClipBlock::MaxRows + 1, 0, 0) << false;
    QTest::newRow("most negative rows") << Block(0, 1, INT32_MIN, 0, 0) << false;
    QTest::newRow("grab outside the range") << Block(0, 2, 2, -2, 0) << false;
    QTest::newRow("positive offset") << Block(0, 2, 2, 1, 0) << false;
    QTest::newRow("most negative offset") << Block(0, -1, -1, INT32_MIN, INT32_MIN) << false;
}

void TestMemoClipBlock::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    CMemoClipBlock block;
    block.m_nLayout = 2;
    QCOMPARE(block.Read(bytes), ok);
    if (!ok)
        QCOMPARE(block.Build(), CMemoClipBlock().Build());
}

void TestMemoClipBlock::pasteBuffer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::newRow("text of another program")
        << QStringLiteral("晴\t出勤\r\n雨\n曇\t\t休\r") << QByteArray()
        << QStringList{QStringLiteral("晴\t出勤"), QStringLiteral("雨"), QStringLiteral("曇\t\t休")} << 3 << 3;
    QTest::newRow("shape from the block") << QStringLiteral("a\tb\r\n") << Block(0, 2, 4, 0, 0)
                                          << QStringList{QStringLiteral("a\tb")} << 2 << 4;
    QTest::newRow("whole rows: columns from the text") << QStringLiteral("a\tb\tc") << Block(1, -1, 1, 0, 0)
                                                       << QStringList{QStringLiteral("a\tb\tc")} << 3 << 1;
    QTest::newRow("unreadable block is ignored") << QStringLiteral("a\r\n\r\nb") << Block(9, 9, 9, 9, 9)
                                                 << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}
                                                 << 1 << 3;
    QTest::newRow("more tabs than columns") << QString(40, u'\t') << QByteArray() << QStringList{QString(40, u'\t')}
                                            << 16 << 1;
}

void TestMemoClipBlock::pasteBuffer()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, block);
    QFETCH(QStringList, lines);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QStringList read;
    int nCols = 0;
    int nRows = 0;
    QVERIFY(CMemoClipBlock::ReadPasteBuffer(text, block, read, nCols, nRows));
    QCOMPARE(read, lines);
    QCOMPARE(nCols, cols);
    QCOMPARE(nRows, rows);
    QVERIFY(!CMemoClipBlock::ReadPasteBuffer(QString(), block, read, nCols, nRows));
    QCOMPARE(nCols, 1);
    QCOMPARE(nRows, 1);
}

QTEST_GUILESS_MAIN(TestMemoClipBlock)
#include "tst_memoclipblock.moc"
