#include "persist/ArchiveException.h"
#include "persist/ArchiveReader.h"
#include "persist/ArchiveWriter.h"

#include <QTest>

namespace {
QByteArray Hex(const char* psz)
{
    return QByteArray::fromHex(psz);
}
}

class TestArchive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void count_data();
    void count();
    void string_data();
    void string();
    void ansiString();
    void stringArray();
    void objectTags();
    void bigClassIndex();
    void badInput_data();
    void badInput();
};

void TestArchive::count_data()
{
    QTest::addColumn<quint32>("count");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("small") << quint32(3) << Hex("0300");
    QTest::newRow("largest word") << quint32(0xFFFE) << Hex("feff");
    QTest::newRow("escape") << quint32(0xFFFF) << Hex("ffffffff0000");
    QTest::newRow("large") << quint32(0x123456) << Hex("ffff56341200");
}

void TestArchive::count()
{
    QFETCH(quint32, count);
    QFETCH(QByteArray, bytes);
    CArchiveWriter ar;
    ar.WriteCount(count);
    QCOMPARE(ar.TakeBuffer().toHex(), bytes.toHex());
    CArchiveReader in(bytes);
    QCOMPARE(in.ReadCount(0), count);
    QCOMPARE(in.Remaining(), qsizetype(0));
}

void TestArchive::string_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("empty") << 0 << Hex("fffeff00");
    QTest::newRow("254 units, one byte") << 254 << Hex("fffefffe");
    QTest::newRow("255 units, word") << 255 << Hex("fffeffffff00");
    QTest::newRow("65533 units, word") << 65533 << Hex("fffeffff fdff");
    QTest::newRow("65534 units, dword") << 65534 << Hex("fffeffffffff feff0000");
}

void TestArchive::string()
{
    QFETCH(int, length);
    QFETCH(QByteArray, prefix);
    const QString str(length, QChar(u'家'));
    CArchiveWriter ar;
    ar.WriteString(str);
    const QByteArray bytes = ar.TakeBuffer();
    QCOMPARE(bytes.size(), prefix.size() + 2 * length);
    QCOMPARE(bytes.left(prefix.size()).toHex(), prefix.toHex());
    if (length)
        QCOMPARE(bytes.mid(prefix.size(), 2).toHex(), QByteArray("b65b"));
    CArchiveReader in(bytes);
    QCOMPARE(in.ReadString(), str);
    QCOMPARE(in.Remaining(), qsizetype(0));
}

void TestArchive::ansiString()
{
    // Without the Unicode tag the length counts code-page-932 bytes.
    const QByteArray bytes = Hex("04 93fa967b") + Hex("ff0500") + QByteArray("abcde");
    CArchiveReader in(bytes);
    QCOMPARE(in.ReadString(), QStringLiteral("日本"));
    QCOMPARE(in.ReadString(), QStringLiteral("abcde"));
}

void TestArchive::stringArray()
{
    CArchiveWriter ar;
    ar.WriteStringArray({QStringLiteral("天気"), QString()});
    const QByteArray bytes = ar.TakeBuffer();
    QCOMPARE(bytes.toHex(), Hex("0200 fffeff02 2959176c fffeff00").toHex());
    CArchiveReader in(bytes);
    QCOMPARE(in.ReadStringArray(), QStringList({QStringLiteral("天気"), QString()}));
}

void TestArchive::objectTags()
{
    // Class A takes index 1, its objects 2 and 3; class B takes 4, its object 5.
    CArchiveWriter ar;
    ar.WriteObjectTag("CA", 1);
    ar.WriteObjectTag("CA", 1);
    ar.WriteObjectTag("CBB", 2);
    ar.WriteObjectTag("CBB", 2);
    ar.WriteObjectTag("CA", 1);
    const QByteArray bytes = ar.TakeBuffer();
    QCOMPARE(bytes.toHex(), Hex("ffff 0100 0200 4341  0180  ffff 0200 0300 434242  0480  0180").toHex());

    CArchiveReader in(bytes);
    const int nA = in.RegisterClass("CA", 1);
    const int nB = in.RegisterClass("CBB", 2);
    QCOMPARE(in.ReadObjectTag(), nA);
    QCOMPARE(in.ReadObjectTag(), nA);
    QCOMPARE(in.ReadObjectTag(), nB);
    QCOMPARE(in.ReadObjectTag(), nB);
    QCOMPARE(in.ReadObjectTag(), nA);
}

void TestArchive::bigClassIndex()
{
    // Past map index 0x7FFE a class reference takes the long form.
    CArchiveWriter ar;
    ar.WriteObjectTag("CA", 1);
    for (int i = 0; i < 0x7FFC; ++i)
        ar.WriteObjectTag("CA", 1);
    ar.WriteObjectTag("CB", 1); // class B takes index 0x7FFF
    ar.WriteObjectTag("CB", 1);
    const QByteArray bytes = ar.TakeBuffer();
    QCOMPARE(bytes.right(6).toHex(), Hex("ff7f ff7f0080").toHex());

    CArchiveReader in(bytes);
    in.RegisterClass("CA", 1);
    const int nB = in.RegisterClass("CB", 1);
    for (int i = 0; i < 0x7FFD; ++i)
        in.ReadObjectTag();
    QCOMPARE(in.ReadObjectTag(), nB);
    QCOMPARE(in.ReadObjectTag(), nB);
    QCOMPARE(in.Remaining(), qsizetype(0));
}

// Each input must raise the format error, never read past the end.
void TestArchive::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("what"); // 0 string, 1 tags, 2 count, 3 string array
    QTest::newRow("truncated string") << Hex("fffeff05 4100") << 0;
    QTest::newRow("string length word missing") << Hex("ff") << 0;
    QTest::newRow("huge string length") << Hex("fffeffffffffffffffff") << 0;
    QTest::newRow("truncated ansi string") << Hex("0541") << 0;
    QTest::newRow("null element") << Hex("0000") << 1;
    QTest::newRow("back reference") << Hex("ffff01000200 4341 0200") << 1;
    QTest::newRow("unknown class") << Hex("ffff01000200 4358") << 1;
    QTest::newRow("wrong schema") << Hex("ffff02000200 4341") << 1;
    QTest::newRow("class name of 64") << QByteArray(Hex("ffff01004000") + QByteArray(64, 'A')) << 1;
    QTest::newRow("unknown class index") << Hex("0580") << 1;
    QTest::newRow("class index of an object") << Hex("ffff01000200 4341 0280") << 1;
    QTest::newRow("big back reference") << Hex("ffff01000200 4341 ff7f02000000") << 1;
    QTest::newRow("truncated class name") << Hex("ffff01000200 43") << 1;
    QTest::newRow("count beyond the data") << Hex("0500 0102") << 2;
    QTest::newRow("string array too short") << Hex("0300 fffeff00") << 3;
}

void TestArchive::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, what);
    CArchiveReader in(bytes);
    in.RegisterClass("CA", 1);
    bool bThrown = false;
    try {
        switch (what) {
        case 0: in.ReadString(); break;
        case 1:
            in.ReadObjectTag();
            in.ReadObjectTag();
            break;
        case 2: in.ReadCount(2); break;
        case 3: in.ReadStringArray(); break;
        }
    } catch (const CArchiveException&) {
        bThrown = true;
    }
    QVERIFY(bThrown);
    QVERIFY(in.Position() <= bytes.size());
}

QTEST_GUILESS_MAIN(TestArchive)
#include "tst_archive.moc"
