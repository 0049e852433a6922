#include "persist/ArchiveException.h"
#include "persist/ArchiveReader.h"
#include "persist/ArchiveWriter.h"
#include "persist/LedgerFile.h"
#include "persist/LedgerHeader.h"
#include "persist/LedgerRecords.h"
#include "persist/NativeFile.h"
#include "platform/PasswordPrompt.h"

#include <QFile>
#include <QTest>

Q_DECLARE_METATYPE(CReceipt)
Q_DECLARE_METATYPE(CDailyRec)

namespace {

constexpr Amount Units(double d)
{
    return Amount(d * AMOUNT_UNIT);
}

CReceipt Line(PackedDate date, int nCur, int nCat, Amount a1, int nCat2 = 0, Amount a2 = 0,
              const QString& strDesc = QString())
{
    CReceipt line;
    line.m_date = date;
    line.m_nCur = std::uint8_t(nCur);
    line.m_nCat = std::uint8_t(nCat);
    line.m_nCat2 = std::uint8_t(nCat2);
    line.m_nAmount = a1;
    line.m_nAmount2 = a2;
    line.m_strDesc = strDesc;
    return line;
}

// A small ledger with every kind of field.
CLedgerData Sample(bool bMemo)
{
    CLedgerData data;
    data.m_nDocFlags = 1;
    data.m_curs = {CCurFmt(QStringLiteral("\\"), 0, QStringLiteral("日本円")),
                   CCurFmt(QStringLiteral("$"), 2, QStringLiteral("米ドル"))};
    data.m_curs[1].m_nSymbolPos = 3;
    data.m_cats = {CCategory(0, QStringLiteral("備考")), CCategory(8, QStringLiteral("繰越")),
                   CCategory(2, QStringLiteral("食料")), CCategory(3, QStringLiteral("預貯金"))};
    data.m_lines = {
        Line(MakeDate(2024, 1, 1), 0, 1, Units(10000), 0, 0, QStringLiteral("繰り越し")),
        Line(MakeDate(2024, 1, 2), 0, 2, Units(-1000), 3, Units(1000), QStringLiteral("パン（牛乳，卵）；ATM")),
        Line(MakeDate(2024, 1, 3), 1, 2, Units(-12.34), 0, 0, QString(300, QChar(u'x'))),
        Line(MakeDate(2024, 1, 4), 0, 2, Units(-300000), 3, Units(250000)),
    };
    data.m_lines[2].m_nFlags = CReceipt::RF_RAW_TEXT;
    if (bMemo) {
        CDailyRec rec(MakeDate(2024, 1, 2));
        rec.m_nWeather = 0x411;
        rec.m_nWork = 0x02502490;
        rec.m_nTimes[0] = 510;
        rec.m_nTimes[5] = 1440;
        rec.SetCommentText(u"朝会;;;;打合せ", u";;");
        data.m_daily = {CDailyRec(MakeDate(2024, 1, 1)), rec};
        data.m_memoTitles = {QStringLiteral("予定"), QString()};
    }
    return data;
}

QByteArray ReadFixture(const QString& strName)
{
    QFile file(QStringLiteral(PENNYFOLD_TEST_DATA "/data/") + strName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Setting PENNYFOLD_WRITE_FIXTURES rewrites the reference files instead of
// comparing with them (after a deliberate format change, reviewed by hand).
bool WriteFixture(const QString& strName, const QByteArray& bytes)
{
    if (qEnvironmentVariableIsEmpty("PENNYFOLD_WRITE_FIXTURES"))
        return false;
    QFile file(QStringLiteral(PENNYFOLD_TEST_DATA "/data/") + strName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray RecordBytes(const CReceipt& line)
{
    CArchiveWriter ar;
    CLedgerRecords::WriteReceipt(ar, line);
    return ar.TakeBuffer();
}

QByteArray RecordBytes(const CDailyRec& rec)
{
    CArchiveWriter ar;
    CLedgerRecords::WriteDailyRec(ar, rec);
    return ar.TakeBuffer();
}

bool SameLine(const CReceipt& a, const CReceipt& b)
{
    return a.m_date == b.m_date && a.m_nFlags == b.m_nFlags && a.m_nCur == b.m_nCur && a.m_nCat == b.m_nCat
        && a.m_nCat2 == b.m_nCat2 && a.m_nAmount == b.m_nAmount && a.m_nAmount2 == b.m_nAmount2
        && a.m_strDesc == b.m_strDesc;
}

CNativeFile::Result ReadNative(const QByteArray& file, CLedgerData& data)
{
    QString strPassword;
    return CNativeFile::Read(file, QStringLiteral("x.ldr"), data, strPassword);
}

} // namespace

class TestNativeFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void receiptRecord_data();
    void receiptRecord();
    void dailyRecord_data();
    void dailyRecord();
    void header_data();
    void header();
    void classTags();
    void referenceFiles_data();
    void referenceFiles();
    void password();
    void passwordCancelled();
    void versionTooNew();
    void truncatedFilesFail();
    void damagedPayload_data();
    void damagedPayload();
    void currencyFieldsRepaired();
    void recognise_data();
    void recognise();
};

// line, the format byte, the whole record in hex
void TestNativeFile::receiptRecord_data()
{
    QTest::addColumn<CReceipt>("line");
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("hex");
    const PackedDate d = MakeDate(2024, 1, 2); // little-endian 02 01 e8 07
    QTest::newRow("transfer, int16, negated counter")
        << Line(d, 0, 2, Units(-1000), 3, Units(1000)) << 0x30 << QByteArray("30 00 0201e807 02 03 18fc 00");
    QTest::newRow("fraction uses int32") << Line(d, 0, 2, Units(1.5)) << 0x01 << QByteArray("01 00 0201e807 02 983a0000 00");
    QTest::newRow("300000 units use int64")
        << Line(d, 0, 2, Units(300000)) << 0x02 << QByteArray("02 00 0201e807 02 005ed0b200000000 00");
    QTest::newRow("zeros negate each other") << Line(d, 0, 0, 0) << 0x10 << QByteArray("10 00 0201e807 00 0000 00");
    QTest::newRow("quotient beyond int16") << Line(d, 0, 2, Units(40000)) << 0x01 << QByteArray("01 00 0201e807 02 0084d717 00");
    QTest::newRow("other currency, own amount 2")
        << Line(d, 1, 2, Units(-5), 3, Units(7)) << 0x64 << QByteArray("64 00 0201e807 01 02 03 fbff 70110100 00");
    QTest::newRow("amount 2 beyond int32") << Line(d, 0, 2, Units(-5), 3, Units(900000)) << 0x28
                                           << QByteArray("28 00 0201e807 02 03 fbff 001a711802000000 00");
    QTest::newRow("description of 255 units") << Line(d, 0, 2, 0, 0, 0, QString(255, QChar(u'a'))) << 0x10
                                              << QByteArray("10 00 0201e807 02 0000 ff") + QByteArray("6100").repeated(255);
    QTest::newRow("description of 256 units") << Line(d, 0, 2, 0, 0, 0, QString(256, QChar(u'a'))) << 0x90
                                              << QByteArray("90 00 0201e807 02 0000 fffeff ff0001") + QByteArray("6100").repeated(256);
    CReceipt flagged = Line(d, 0, 2, 0, 0, 0, QStringLiteral("家"));
    flagged.m_nFlags = CReceipt::RF_RAW_TEXT | CReceipt::RF_DATE_REVERSED;
    QTest::newRow("only the low flag bits") << flagged << 0x10 << QByteArray("10 80 0201e807 02 0000 01 b65b");
}

void TestNativeFile::receiptRecord()
{
    QFETCH(CReceipt, line);
    QFETCH(int, format);
    QFETCH(QByteArray, hex);
    QCOMPARE(int(CLedgerRecords::ReceiptFormat(line)), format);
    const QByteArray bytes = RecordBytes(line);
    QCOMPARE(bytes.toHex(), QByteArray::fromHex(hex).toHex());

    CArchiveReader ar(bytes);
    CReceipt back;
    CLedgerRecords::ReadReceipt(ar, back);
    QCOMPARE(ar.Remaining(), qsizetype(0));
    line.m_nFlags &= CReceipt::RF_STORED_MASK;
    QVERIFY(SameLine(back, line));
    QCOMPARE(back.m_nExchg, -1);
}

void TestNativeFile::dailyRecord_data()
{
    QTest::addColumn<CDailyRec>("rec");
    QTest::addColumn<QByteArray>("hex");
    const PackedDate d = MakeDate(2024, 3, 5); // little-endian 05 03 e8 07
    CDailyRec weather(d);
    weather.m_nWeather = 1;
    weather.SetCommentText(u"晴れ", u";;");
    QTest::newRow("weather and two characters") << weather << QByteArray("0503e807 0110 01 02 7466 8c30");
    CDailyRec midnight(d);
    midnight.m_nTimes[0] = 0;
    QTest::newRow("first time at midnight") << midnight << QByteArray("0503e807 0004 0000 ffff ffff ffff");
    QTest::newRow("empty record") << CDailyRec(d) << QByteArray("0503e807 0000");
    CDailyRec sizes(d);
    sizes.m_nWork = 0x02502490;
    sizes.m_nMarks = 0x1234;
    sizes.m_nFigures = 0xFF;
    sizes.m_wFlags = 0777;
    sizes.m_nTimes[7] = 1440;
    sizes.SetCommentText(u";;x", u";;");
    QTest::newRow("every size code")
        << sizes << QByteArray("0503e807 6c1a 90245002 3412 ff ff01 ffffffffffffa005 03 3b003b007800");
}

void TestNativeFile::dailyRecord()
{
    QFETCH(CDailyRec, rec);
    QFETCH(QByteArray, hex);
    const QByteArray bytes = RecordBytes(rec);
    QCOMPARE(bytes.toHex(), QByteArray::fromHex(hex).toHex());
    CArchiveReader ar(bytes);
    CDailyRec back;
    CLedgerRecords::ReadDailyRec(ar, back);
    QCOMPARE(ar.Remaining(), qsizetype(0));
    QCOMPARE(RecordBytes(back), bytes);
    QCOMPARE(back.m_astrComments, rec.m_astrComments);
}

void TestNativeFile::header_data()
{
    QTest::addColumn<bool>("memo");
    QTest::addColumn<bool>("titlesOnly");
    QTest::addColumn<QString>("password");
    QTest::addColumn<char>("version");
    QTest::addColumn<char>("mark");
    QTest::newRow("plain without memos") << false << false << QString() << '1' << char(0x20);
    QTest::newRow("one memo") << true << false << QString() << '2' << char(0x20);
    QTest::newRow("titles only") << false << true << QString() << '2' << char(0x20);
    QTest::newRow("enciphered") << false << false << QStringLiteral("pw") << '1' << char(0xA0);
}

void TestNativeFile::header()
{
    QFETCH(bool, memo);
    QFETCH(bool, titlesOnly);
    QFETCH(QString, password);
    QFETCH(char, version);
    QFETCH(char, mark);
    CLedgerData data = Sample(memo);
    if (titlesOnly)
        data.m_memoTitles = {QStringLiteral("列")};
    const QByteArray file = CNativeFile::Write(data, password);
    QByteArray expected("Common Coffer Record Ver2.00 \r\n");
    expected[24] = version;
    expected[28] = mark;
    QCOMPARE(file.left(31), expected);
    QCOMPARE(file.mid(31, 33), QByteArray(33, '\0'));
    QCOMPARE(file.mid(64, 4).toHex(), password.isEmpty() ? QByteArray("01000000") : file.mid(64, 4).toHex());
    QCOMPARE(file.endsWith("B3A660488A564C69BC1D895F3876C627"), false);
}

void TestNativeFile::classTags()
{
    // Three lines and two currencies: CReceipt is class 1, the lines 2..4,
    // so CCurFmt takes index 5.
    CLedgerData data;
    data.m_curs = {CCurFmt(QStringLiteral("\\"), 0, QString()), CCurFmt(QStringLiteral("$"), 2, QString())};
    data.m_cats = {CCategory(0, QStringLiteral("備考"))};
    for (int i = 0; i < 3; ++i)
        data.m_lines.push_back(Line(MakeDate(2024, 1, 1 + i), 0, 0, 0));
    CArchiveWriter ar;
    CNativeFile::WritePayload(ar, data, false);
    const QByteArray payload = ar.TakeBuffer();
    const QByteArray firstLine = QByteArray::fromHex("0300 ffff 0100 0800") + "CReceipt";
    QCOMPARE(payload.mid(4, firstLine.size()), firstLine);
    const qsizetype nRecord = 10; // 10 00 date 00 0000 00
    QCOMPARE(payload.mid(4 + firstLine.size() + nRecord, 2).toHex(), QByteArray("0180"));
    const qsizetype nCurs = 4 + firstLine.size() + 3 * nRecord + 2 * 2;
    const QByteArray firstCur = QByteArray::fromHex("0200 ffff 0100 0700") + "CCurFmt";
    QCOMPARE(payload.mid(nCurs, firstCur.size()), firstCur);
    const qsizetype nCurRecord = 4 + 4 + 6 + 4; // two ints, "\\" and an empty name
    QCOMPARE(payload.mid(nCurs + firstCur.size() + nCurRecord, 2).toHex(), QByteArray("0580"));
}

void TestNativeFile::referenceFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("memo");
    QTest::addColumn<QString>("password");
    QTest::newRow("plain, version 1") << QStringLiteral("plain.ldr") << false << QString();
    QTest::newRow("with memos, version 2") << QStringLiteral("memo.ldr") << true << QString();
    QTest::newRow("enciphered") << QStringLiteral("secret.ldr") << true << QStringLiteral("ひみつpw");
}

// write -> compare bytes -> read -> write again -> same bytes
void TestNativeFile::referenceFiles()
{
    QFETCH(QString, name);
    QFETCH(bool, memo);
    QFETCH(QString, password);
    const CLedgerData data = Sample(memo);
    const QByteArray written = CNativeFile::Write(data, password);
    if (WriteFixture(name, written))
        QSKIP("reference file written");
    const QByteArray reference = ReadFixture(name);
    QVERIFY2(!reference.isEmpty(), qPrintable(name));
    QCOMPARE(written.toHex(), reference.toHex());

    CFixedPasswordPrompt prompt(password);
    CScopedPasswordPrompt scope(&prompt);
    CLedgerData back;
    QString strPassword = QStringLiteral("stale");
    QCOMPARE(CNativeFile::Read(reference, QStringLiteral("/tmp/") + name, back, strPassword), CNativeFile::Ok);
    QCOMPARE(strPassword, password);
    QCOMPARE(prompt.m_nAsked, password.isEmpty() ? 0 : 1);
    QCOMPARE(back.m_nDocFlags, data.m_nDocFlags);
    QCOMPARE(back.m_lines.size(), data.m_lines.size());
    for (size_t i = 0; i < data.m_lines.size(); ++i)
        QVERIFY(SameLine(back.m_lines[i], data.m_lines[i]));
    QCOMPARE(back.m_curs, data.m_curs);
    QCOMPARE(back.m_cats, data.m_cats);
    QCOMPARE(back.m_daily.size(), data.m_daily.size());
    QCOMPARE(back.m_memoTitles, data.m_memoTitles);
    QCOMPARE(CNativeFile::Write(back, strPassword).toHex(), reference.toHex());
}

void TestNativeFile::password()
{
    const QByteArray file = CNativeFile::Write(Sample(true), QStringLiteral("秘密"));
    QCOMPARE(file[28], char(0xA0));
    QVERIFY(!file.contains("CReceipt"));

    CFixedPasswordPrompt wrong(QStringLiteral("ひみつ"));
    CScopedPasswordPrompt scope(&wrong);
    CLedgerData data;
    QString strPassword;
    QCOMPARE(CNativeFile::Read(file, QStringLiteral("/home/a/帳簿.ldr"), data, strPassword),
             CNativeFile::WrongPassword);
    QCOMPARE(wrong.m_strLastPath, QStringLiteral("/home/a/帳簿.ldr"));
    QVERIFY(data.m_lines.empty());

    CFixedPasswordPrompt empty{QString()};
    CPasswordPrompt::SetPrompt(&empty);
    QCOMPARE(CNativeFile::Read(file, QString(), data, strPassword), CNativeFile::WrongPassword);

    // Removing the password writes a plain file without trailer.
    CFixedPasswordPrompt right(QStringLiteral("秘密"));
    CPasswordPrompt::SetPrompt(&right);
    QCOMPARE(CNativeFile::Read(file, QString(), data, strPassword), CNativeFile::Ok);
    QCOMPARE(strPassword, QStringLiteral("秘密"));
    const QByteArray plain = CNativeFile::Write(data, QString());
    QCOMPARE(plain[28], char(0x20));
    QVERIFY(!plain.endsWith("B3A660488A564C69BC1D895F3876C627"));
    QCOMPARE(plain, CNativeFile::Write(Sample(true), QString()));
}

void TestNativeFile::passwordCancelled()
{
    const QByteArray file = CNativeFile::Write(Sample(false), QStringLiteral("pw"));
    CLedgerData data;
    data.m_nDocFlags = 7;
    QString strPassword = QStringLiteral("keep");
    // Without a prompt installed the request is cancelled.
    QCOMPARE(CNativeFile::Read(file, QString(), data, strPassword), CNativeFile::Cancelled);
    CFixedPasswordPrompt cancel(QString(), true);
    CScopedPasswordPrompt scope(&cancel);
    QCOMPARE(CNativeFile::Read(file, QString(), data, strPassword), CNativeFile::Cancelled);
    QCOMPARE(cancel.m_nAsked, 1);
    QCOMPARE(data.m_nDocFlags, 7);
    QCOMPARE(strPassword, QStringLiteral("keep"));
}

void TestNativeFile::versionTooNew()
{
    QByteArray file = CNativeFile::Write(Sample(false), QString());
    file[24] = '3';
    CLedgerData data;
    QCOMPARE(ReadNative(file, data), CNativeFile::VersionTooNew);
    QString strPassword;
    QCOMPARE(CLedgerFile::MessageFor(CLedgerFile::Read(file, QString(), data, strPassword)), 4132);
}

void TestNativeFile::truncatedFilesFail()
{
    for (const bool bMemo : {false, true}) {
        const QByteArray file = CNativeFile::Write(Sample(bMemo), QString());
        for (qsizetype n = CLedgerHeader::Size + 1; n < file.size(); ++n) {
            CLedgerData data;
            QVERIFY2(ReadNative(file.left(n), data) == CNativeFile::FormatError, qPrintable(QString::number(n)));
            QVERIFY(data.m_lines.empty());
        }
    }
}

// A valid payload with one change that must be refused.
void TestNativeFile::damagedPayload_data()
{
    QTest::addColumn<QByteArray>("payload");
    const auto build = [](auto change) {
        CLedgerData data;
        data.m_curs = {CCurFmt(QStringLiteral("\\"), 0, QString())};
        data.m_cats = {CCategory(0, QStringLiteral("備考")), CCategory(2, QStringLiteral("食料"))};
        data.m_lines = {Line(MakeDate(2024, 1, 1), 0, 1, 0)};
        change(data);
        CArchiveWriter ar;
        CNativeFile::WritePayload(ar, data, false);
        return ar.TakeBuffer();
    };
    QTest::newRow("currency position beyond the list") << build([](CLedgerData& d) { d.m_lines[0].m_nCur = 1; });
    QTest::newRow("category position beyond the list") << build([](CLedgerData& d) { d.m_lines[0].m_nCat = 2; });
    QTest::newRow("counter position beyond the list") << build([](CLedgerData& d) { d.m_lines[0].m_nCat2 = 5; });
    QTest::newRow("attribute 10") << build([](CLedgerData& d) { d.m_cats[1].m_nAttr = 10; });
    QTest::newRow("negative attribute") << build([](CLedgerData& d) { d.m_cats[1].m_nAttr = -1; });
    QTest::newRow("no currencies for a line") << build([](CLedgerData& d) { d.m_curs.clear(); });

    // A currency record in the line array: a foreign class.
    CArchiveWriter foreign;
    foreign.WriteInt32(0);
    foreign.WriteCount(1);
    foreign.WriteObjectTag("CCurFmt", 1);
    CLedgerRecords::WriteCurFmt(foreign, CCurFmt(QStringLiteral("$"), 2, QString()));
    foreign.WriteCount(0);
    foreign.WriteCount(0);
    QTest::newRow("currency among the lines") << foreign.TakeBuffer();

    QTest::newRow("null element") << QByteArray::fromHex("00000000 0100 0000 0000 0000");
    QTest::newRow("huge line count") << QByteArray::fromHex("00000000 ffff ffffff7f");
    QTest::newRow("unknown class") << (QByteArray::fromHex("00000000 0100 ffff 0100 0500") + "CFoo!");
    QTest::newRow("schema 2") << (QByteArray::fromHex("00000000 0100 ffff 0200 0800") + "CReceipt");
}

void TestNativeFile::damagedPayload()
{
    QFETCH(QByteArray, payload);
    const QByteArray file = CLedgerHeader::Build(false, false) + payload;
    CLedgerData data;
    QCOMPARE(ReadNative(file, data), CNativeFile::FormatError);
    QString strPassword;
    QCOMPARE(CLedgerFile::MessageFor(CLedgerFile::Read(file, QString(), data, strPassword)),
             int(0xF10E));
}

void TestNativeFile::currencyFieldsRepaired()
{
    CLedgerData data;
    data.m_curs = {CCurFmt(QStringLiteral("\\"), 0, QString()), CCurFmt(QStringLiteral("$"), 2, QString()),
                   CCurFmt(QStringLiteral("€"), 2, QString())};
    data.m_curs[0].m_nDecimals = 9;
    data.m_curs[1].m_nDecimals = -3;
    data.m_curs[1].m_nSymbolPos = 4;
    data.m_curs[2].m_nSymbolPos = -1;
    CLedgerData back;
    QCOMPARE(ReadNative(CNativeFile::Write(data, QString()), back), CNativeFile::Ok);
    QCOMPARE(back.m_curs[0].m_nDecimals, 4);
    QCOMPARE(back.m_curs[1].m_nDecimals, 0);
    QCOMPARE(back.m_curs[1].m_nSymbolPos, 0);
    QCOMPARE(back.m_curs[2].m_nSymbolPos, 0);
}

void TestNativeFile::recognise_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("start");
    const QByteArray header = CLedgerHeader::Build(false, false);
    QTest::newRow("native") << QByteArray(header + "x") << int(CLedgerHeader::Native) << 0;
    QTest::newRow("64 bytes only is text") << header << int(CLedgerHeader::Cp932Text) << 0;
    QByteArray legacy = QByteArray::fromHex("89C68C7695EB8B4C985E8366815B835E") + "Version2.00";
    legacy.resize(80);
    QTest::newRow("legacy") << legacy << int(CLedgerHeader::Legacy) << 0;
    QTest::newRow("short legacy is text") << legacy.left(64) << int(CLedgerHeader::Cp932Text) << 0;
    QTest::newRow("ofx after blank lines") << QByteArray("\r\n \tOFXHEADER:100\r\n") << int(CLedgerHeader::Ofx) << 4;
    QTest::newRow("bare ofx marker is text") << QByteArray("OFXHEADER:100") << int(CLedgerHeader::Cp932Text) << 0;
    QTest::newRow("utf-16") << QByteArray::fromHex("fffe3200") << int(CLedgerHeader::Utf16Text) << 0;
    QTest::newRow("shift_jis") << QByteArray("2024/1/1,,2,\x90\x48,1") << int(CLedgerHeader::Cp932Text) << 0;
    QTest::newRow("empty") << QByteArray() << int(CLedgerHeader::Cp932Text) << 0;
}

void TestNativeFile::recognise()
{
    QFETCH(QByteArray, file);
    QFETCH(int, kind);
    QFETCH(int, start);
    qsizetype nStart = -1;
    QCOMPARE(int(CLedgerHeader::Recognise(file, &nStart)), kind);
    if (kind != CLedgerHeader::Native && kind != CLedgerHeader::Legacy)
        QCOMPARE(nStart, qsizetype(start));
}

QTEST_GUILESS_MAIN(TestNativeFile)
#include "tst_nativefile.moc"
