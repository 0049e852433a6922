#include "LegacyFileBuilder.h"

#include "persist/LegacyCipher.h"
#include "persist/LegacyHeader.h"
#include "persist/LegacyImport.h"
#include "platform/CodePage932.h"
#include "platform/MessageBox.h"
#include "platform/PasswordPrompt.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

#include <QTest>

Q_DECLARE_METATYPE(LegacyResult)

namespace {

struct CLedger
{
    std::vector<CReceipt> lines;
    std::vector<CCurFmt> curs;
    std::vector<CCategory> cats;
};

LegacyResult Import(const QByteArray& file, CLedger& ledger, const QString& strPath = QStringLiteral("old.ldr"))
{
    return ImportLegacyLedger(strPath, file, ledger.lines, ledger.curs, ledger.cats);
}

QByteArray Sjis(const QString& str)
{
    return CCodePage932::Encode(str);
}

} // namespace

class TestLegacy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void builderMixIsInvertible();
    void crcCheckValue();
    void versions_data();
    void versions();
    void sampleInEveryFamily_data();
    void sampleInEveryFamily();
    void markerOnlyCountsFrom204_data();
    void markerOnlyCountsFrom204();
    void passwords_data();
    void passwords();
    void wrongPasswordShowsStopBox();
    void lineForms_data();
    void lineForms();
    void dates_data();
    void dates();
    void currencySymbols_data();
    void currencySymbols();
    void longStringInStreamMode();
    void classTags_data();
    void classTags();
    void bigClassReferences();
    void damagedFiles_data();
    void damagedFiles();
    void everyTruncationIsFormatError_data();
    void everyTruncationIsFormatError();
};

void TestLegacy::initTestCase()
{
    if (!CCodePage932::Available())
        QSKIP("no code page 932 converter");
}

void TestLegacy::builderMixIsInvertible()
{
    QByteArray block;
    for (int i = 0; i < 32; ++i)
        block += static_cast<char>(i * 37 + 11);
    QCOMPARE(CLegacyFileBuilder::Mix(CLegacyFileBuilder::Unmix(block)), block);
    QByteArray importerOut(32, '\0');
    CLegacyCipher::Mix(reinterpret_cast<const std::uint8_t*>(block.constData()),
                       reinterpret_cast<std::uint8_t*>(importerOut.data()), 32);
    QCOMPARE(importerOut, CLegacyFileBuilder::Mix(block));
}

void TestLegacy::crcCheckValue()
{
    // The published check value of CRC-16/MCRF4XX.
    const QByteArray check("123456789");
    QCOMPARE(CLegacyCipher::Crc16(reinterpret_cast<const std::uint8_t*>(check.constData()), check.size()),
             std::uint16_t(0x6F91));
    QCOMPARE(CLegacyFileBuilder::Crc16(check), std::uint16_t(0x6F91));
}

void TestLegacy::versions_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("1.00") << QByteArray("1.00") << true;
    QTest::newRow("2.99") << QByteArray("2.99") << true;
    QTest::newRow("0.99") << QByteArray("0.99") << false;
    QTest::newRow("3.00") << QByteArray("3.00") << false;
    QTest::newRow("letter digit") << QByteArray("2.A4") << false;
    QTest::newRow("colon digit") << QByteArray("1.:0") << false;
}

void TestLegacy::versions()
{
    QFETCH(QByteArray, version);
    QFETCH(bool, accepted);
    CLegacyFileBuilder builder(version);
    builder.AddSample();
    CLedger ledger;
    QCOMPARE(Import(builder.Build(), ledger), accepted ? LegacyResult::Ok : LegacyResult::FormatError);
    QCOMPARE(ledger.lines.size(), accepted ? size_t(4) : size_t(0));
}

void TestLegacy::sampleInEveryFamily_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("password");
    QTest::newRow("1.00 plain") << QByteArray("1.00") << QByteArray();
    QTest::newRow("2.01 stored password") << QByteArray("2.01") << Sjis(QStringLiteral("ひみつ"));
    QTest::newRow("2.02 no password") << QByteArray("2.02") << QByteArray();
    QTest::newRow("2.03 13-byte stream") << QByteArray("2.03") << QByteArray("secret");
    QTest::newRow("2.04 space marker") << QByteArray("2.04") << QByteArray();
    QTest::newRow("2.04 feedback stream") << QByteArray("2.04") << QByteArray("pass");
    QTest::newRow("2.99 feedback stream, Japanese") << QByteArray("2.99") << Sjis(QStringLiteral("家計簿"));
}

void TestLegacy::sampleInEveryFamily()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, password);
    CLegacyFileBuilder builder(version);
    builder.SetPassword(password);
    builder.AddSample();
    CFixedPasswordPrompt prompt(CCodePage932::Decode(password));
    CScopedPasswordPrompt scope(&prompt);

    CLedger ledger;
    QCOMPARE(Import(builder.Build(), ledger, QStringLiteral("/home/u/家計.ldr")), LegacyResult::Ok);
    QCOMPARE(prompt.m_nAsked, password.isEmpty() ? 0 : 1);
    if (!password.isEmpty())
        QCOMPARE(prompt.m_strLastPath, QStringLiteral("/home/u/家計.ldr"));

    QCOMPARE(ledger.curs.size(), size_t(2));
    QCOMPARE(ledger.curs[0].m_strSymbol, QStringLiteral("\\"));
    QCOMPARE(ledger.curs[0].m_strName, QStringLiteral("日本円"));
    QCOMPARE(ledger.curs[0].m_nDecimals, 0);
    QCOMPARE(ledger.curs[1].m_strSymbol, QStringLiteral("€"));
    QCOMPARE(ledger.curs[1].m_nDecimals, 2);
    QCOMPARE(ledger.curs[1].m_nSymbolPos, 3);
    QCOMPARE(ledger.curs[1].m_strName, QStringLiteral("Euro"));

    QCOMPARE(ledger.cats.size(), size_t(4));
    QCOMPARE(ledger.cats[0], CCategory(0, QStringLiteral("備考")));
    QCOMPARE(ledger.cats[1], CCategory(8, QStringLiteral("繰越")));
    QCOMPARE(ledger.cats[2], CCategory(2, QStringLiteral("食費")));
    QCOMPARE(ledger.cats[3], CCategory(3, QStringLiteral("預貯金")));

    QCOMPARE(ledger.lines.size(), size_t(4));
    const CReceipt& l0 = ledger.lines[0];
    QCOMPARE(l0.m_date, MakeDate(2001, 4, 1));
    QCOMPARE(int(l0.m_nCat), 1);
    QCOMPARE(l0.m_nAmount, Amount(50000));
    QCOMPARE(l0.m_strDesc, QStringLiteral("繰り越し"));
    const CReceipt& l1 = ledger.lines[1];
    QCOMPARE(int(l1.m_nCat2), 3);
    QCOMPARE(l1.m_nAmount, Amount(-12800000));
    QCOMPARE(l1.m_nAmount2, Amount(12800000));
    QCOMPARE(l1.m_strDesc, QStringLiteral("lunch"));
    const CReceipt& l2 = ledger.lines[2];
    QCOMPARE(int(l2.m_nCur), 1);
    QCOMPARE(l2.m_nAmount, Amount(-123456));
    QCOMPARE(l2.m_strDesc, QString());
    const CReceipt& l3 = ledger.lines[3];
    QCOMPARE(l3.m_date, PackedDate(0));
    QCOMPARE(l3.m_nAmount, Amount(50000000000LL));
    QCOMPARE(int(l3.m_nCat2), 2);
    QCOMPARE(l3.m_nAmount2, Amount(0));
    // Everything the file does not carry keeps its reset value.
    QCOMPARE(l3.m_nFlags, 0);
    QCOMPARE(l3.m_nExchg, -1);
}

void TestLegacy::markerOnlyCountsFrom204_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<int>("asked");
    QTest::newRow("1.00 ignores the marker") << QByteArray("1.00") << 0;
    QTest::newRow("2.03 ignores the marker") << QByteArray("2.03") << 0;
    QTest::newRow("2.04 asks for the password") << QByteArray("2.04") << 1;
}

void TestLegacy::markerOnlyCountsFrom204()
{
    QFETCH(QByteArray, version);
    QFETCH(int, asked);
    CLegacyFileBuilder builder(version);
    builder.SetMarker('*');
    builder.AddSample();
    CFixedPasswordPrompt prompt(QStringLiteral("x"));
    CScopedPasswordPrompt scope(&prompt);
    CRecordingMessageSink sink;
    CLedger ledger;
    // The 2.04 body has no key block, so whatever is typed fails its check.
    QCOMPARE(Import(builder.Build(), ledger), asked ? LegacyResult::WrongPassword : LegacyResult::Ok);
    QCOMPARE(prompt.m_nAsked, asked);
}

void TestLegacy::passwords_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<LegacyResult>("result");
    QTest::newRow("1.50 right") << QByteArray("1.50") << QByteArray("abc") << QStringLiteral("abc") << false
                                << LegacyResult::Ok;
    QTest::newRow("1.50 wrong") << QByteArray("1.50") << QByteArray("abc") << QStringLiteral("abd") << false
                                << LegacyResult::WrongPassword;
    QTest::newRow("1.50 case differs") << QByteArray("1.50") << QByteArray("abc") << QStringLiteral("ABC") << false
                                       << LegacyResult::WrongPassword;
    QTest::newRow("1.50 cancelled") << QByteArray("1.50") << QByteArray("abc") << QString() << true
                                    << LegacyResult::Cancelled;
    QTest::newRow("2.02 right") << QByteArray("2.02") << QByteArray("kaede") << QStringLiteral("kaede") << false
                                << LegacyResult::Ok;
    QTest::newRow("2.02 Japanese") << QByteArray("2.02") << Sjis(QStringLiteral("もみじ")) << QStringLiteral("もみじ")
                                   << false << LegacyResult::Ok;
    QTest::newRow("2.03 wrong") << QByteArray("2.03") << QByteArray("kaede") << QStringLiteral("kaed") << false
                                << LegacyResult::WrongPassword;
    QTest::newRow("2.03 cancelled") << QByteArray("2.03") << QByteArray("kaede") << QString() << true
                                    << LegacyResult::Cancelled;
    QTest::newRow("2.10 right") << QByteArray("2.10") << QByteArray("k") << QStringLiteral("k") << false
                                << LegacyResult::Ok;
    QTest::newRow("2.10 wrong") << QByteArray("2.10") << QByteArray("kaede") << QStringLiteral("kaedE") << false
                                << LegacyResult::WrongPassword;
    QTest::newRow("2.10 empty answer") << QByteArray("2.10") << QByteArray("kaede") << QString() << false
                                       << LegacyResult::WrongPassword;
    QTest::newRow("2.10 cancelled") << QByteArray("2.10") << QByteArray("kaede") << QString() << true
                                    << LegacyResult::Cancelled;
}

void TestLegacy::passwords()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    QFETCH(bool, cancel);
    QFETCH(LegacyResult, result);
    CLegacyFileBuilder builder(version);
    builder.SetPassword(stored);
    builder.AddSample();
    CFixedPasswordPrompt prompt(typed, cancel);
    CScopedPasswordPrompt scope(&prompt);
    CRecordingMessageSink sink;

    CLedger ledger;
    QCOMPARE(Import(builder.Build(), ledger), result);
    QCOMPARE(prompt.m_nAsked, 1);
    QCOMPARE(sink.m_boxes.size(), result == LegacyResult::WrongPassword ? 1 : 0);
    QCOMPARE(LegacyResultMessage(result), result == LegacyResult::Ok ? 0 : int(AFX_IDP_FAILED_TO_OPEN_DOC));
    if (result == LegacyResult::Ok)
        QCOMPARE(ledger.lines.size(), size_t(4));
}

void TestLegacy::wrongPasswordShowsStopBox()
{
    CLegacyFileBuilder builder("2.50");
    builder.SetPassword("right");
    builder.AddSample();
    CFixedPasswordPrompt prompt(QStringLiteral("wrong"));
    CScopedPasswordPrompt scope(&prompt);
    CRecordingMessageSink sink;
    CLedger ledger;
    QCOMPARE(Import(builder.Build(), ledger), LegacyResult::WrongPassword);
    QVERIFY(sink.LastWas(IDS_PASSWORD_MISMATCH));
    QCOMPARE(sink.m_boxes.last().strText, QStringLiteral("パスワードが一致しません。"));
    QCOMPARE(sink.m_boxes.last().nType & MB_ICONMASK, unsigned(MB_ICONSTOP));
}

void TestLegacy::lineForms_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<qint64>("stored1");
    QTest::addColumn<qint64>("stored2");
    QTest::addColumn<qint64>("amount1");
    QTest::addColumn<qint64>("amount2");
    QTest::addColumn<int>("cat2");
    QTest::newRow("0x00 int16 whole units") << 0x00 << qint64(5) << qint64(0) << qint64(50000) << qint64(0) << 0;
    QTest::newRow("0x00 int16 negative") << 0x00 << qint64(-32768) << qint64(0) << qint64(-327680000) << qint64(0)
                                         << 0;
    QTest::newRow("0x10 int32 raw") << 0x10 << qint64(-15000) << qint64(0) << qint64(-15000) << qint64(0) << 0;
    QTest::newRow("0x20 int64 raw") << 0x20 << qint64(3000000000000LL) << qint64(0) << qint64(3000000000000LL)
                                    << qint64(0) << 0;
    QTest::newRow("0xC8 negated second") << 0xC8 << qint64(-700) << qint64(0) << qint64(-7000000)
                                         << qint64(7000000) << 2;
    QTest::newRow("0x88 int64 second") << 0x88 << qint64(1) << qint64(-123456789012LL) << qint64(10000)
                                       << qint64(-123456789012LL) << 2;
    QTest::newRow("0x48 int32 second") << 0x48 << qint64(1) << qint64(-20000) << qint64(10000) << qint64(-20000)
                                       << 2;
    QTest::newRow("0x08 int16 second") << 0x08 << qint64(1) << qint64(-3) << qint64(10000) << qint64(-30000) << 2;
    QTest::newRow("0x40 without counter ignores the second form") << 0x40 << qint64(2) << qint64(0)
                                                                     << qint64(20000) << qint64(0) << 0;
}

void TestLegacy::lineForms()
{
    QFETCH(int, flags);
    QFETCH(qint64, stored1);
    QFETCH(qint64, stored2);
    QFETCH(qint64, amount1);
    QFETCH(qint64, amount2);
    QFETCH(int, cat2);
    for (const QByteArray& version : {QByteArray("1.00"), QByteArray("2.04")}) {
        CLegacyFileBuilder builder(version);
        builder.AddCurrency({0, 0, "\\", "yen"});
        builder.AddCategory({0, "a"});
        builder.AddCategory({2, "b"});
        builder.AddCategory({3, "c"});
        builder.AddLine({CLegacyFileBuilder::PackDate(2020, 2, 29), std::uint8_t(flags), 0, 1,
                         std::uint8_t(cat2), stored1, stored2, "d"});
        builder.AddLine({0, 0x00, 0, 0, 0, 0, 0, "next"});
        CLedger ledger;
        QCOMPARE(Import(builder.Build(), ledger), LegacyResult::Ok);
        QCOMPARE(ledger.lines.size(), size_t(2));
        QCOMPARE(ledger.lines[0].m_nAmount, amount1);
        QCOMPARE(ledger.lines[0].m_nAmount2, amount2);
        QCOMPARE(int(ledger.lines[0].m_nCat2), cat2);
        QCOMPARE(ledger.lines[0].m_date, MakeDate(2020, 2, 29));
        QCOMPARE(ledger.lines[0].m_strDesc, QStringLiteral("d"));
        // The record's length followed from its flags: the next line reads cleanly.
        QCOMPARE(ledger.lines[1].m_strDesc, QStringLiteral("next"));
    }
}

void TestLegacy::dates_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("date");
    QTest::newRow("zero is no date") << 0 << 0;
    QTest::newRow("0x4A21") << 0x4A21 << int(MakeDate(1957, 1, 1));
    QTest::newRow("latest year") << int(CLegacyFileBuilder::PackDate(2047, 12, 31)) << int(MakeDate(2047, 12, 31));
    QTest::newRow("leap day") << int(CLegacyFileBuilder::PackDate(1996, 2, 29)) << int(MakeDate(1996, 2, 29));
    QTest::newRow("whole month") << int(CLegacyFileBuilder::PackDate(1999, 3, 0)) << int(MakeDate(1999, 3, 0));
    QTest::newRow("month 13") << int((80 << 9) | (13 << 5) | 1) << 0;
    QTest::newRow("month 15") << int((80 << 9) | (15 << 5) | 1) << 0;
    QTest::newRow("30 February") << int(CLegacyFileBuilder::PackDate(1996, 2, 30)) << 0;
    QTest::newRow("29 February of a common year") << int(CLegacyFileBuilder::PackDate(1997, 2, 29)) << 0;
    QTest::newRow("31 April") << int(CLegacyFileBuilder::PackDate(2000, 4, 31)) << 0;
}

void TestLegacy::dates()
{
    QFETCH(int, word);
    QFETCH(int, date);
    CLegacyFileBuilder builder("2.30");
    builder.AddCurrency({0, 0, "\\", "yen"});
    builder.AddCategory({0, "a"});
    builder.AddLine({std::uint16_t(word), 0, 0, 0, 0, 1, 0, ""});
    CLedger ledger;
    QCOMPARE(Import(builder.Build(), ledger), LegacyResult::Ok);
    QCOMPARE(ledger.lines.at(0).m_date, PackedDate(date));
}

void TestLegacy::currencySymbols_data()
{
    QTest::addColumn<QByteArray>("symbol");
    QTest::addColumn<QString>("text");
    QTest::newRow("euro mark") << QByteArray("\x80\x00", 2) << QStringLiteral("€");
    QTest::newRow("zero-terminated") << QByteArray("US$\0zz", 6) << QStringLiteral("US$");
    QTest::newRow("code page 932") << Sjis(QStringLiteral("円")) << QStringLiteral("円");
    QTest::newRow("twelve bytes, no terminator") << QByteArray("ABCDEFGHIJKL") << QStringLiteral("ABCDEFGHIJKL");
    QTest::newRow("0x80 not followed by zero") << QByteArray("\x80\x41", 2) << CCodePage932::Decode("\x80\x41");
}

void TestLegacy::currencySymbols()
{
    QFETCH(QByteArray, symbol);
    QFETCH(QString, text);
    CLegacyFileBuilder builder("1.20");
    builder.AddCurrency({1, 2, symbol, "n"});
    CLedger ledger;
    QCOMPARE(Import(builder.Build(), ledger), LegacyResult::Ok);
    QCOMPARE(ledger.curs.at(0).m_strSymbol, text);
    QCOMPARE(ledger.curs.at(0).m_nDecimals, 1);
    QCOMPARE(ledger.curs.at(0).m_nSymbolPos, 2);
}

void TestLegacy::longStringInStreamMode()
{
    // Strings of 255 bytes or more were written past the 13-byte stream; their count was not.
    const QByteArray longText(300, 'x');
    const QByteArray sjisText = Sjis(QString(200, QChar(0x3042))); // 400 bytes
    CLegacyFileBuilder builder("2.02");
    builder.SetPassword("pw");
    builder.AddCurrency({0, 0, "\\", "yen"});
    builder.AddCategory({0, "a"});
    builder.AddLine({0, 0, 0, 0, 0, 1, 0, longText});
    builder.AddLine({0, 0, 0, 0, 0, 2, 0, sjisText});
    builder.AddLine({0, 0, 0, 0, 0, 3, 0, QByteArray(254, 'y')});
    CFixedPasswordPrompt prompt(QStringLiteral("pw"));
    CScopedPasswordPrompt scope(&prompt);
    CLedger ledger;
    QCOMPARE(Import(builder.Build(), ledger), LegacyResult::Ok);
    QCOMPARE(ledger.lines.at(0).m_strDesc, QString::fromLatin1(longText));
    QCOMPARE(ledger.lines.at(1).m_strDesc, QString(200, QChar(0x3042)));
    QCOMPARE(ledger.lines.at(2).m_strDesc, QString(254, QLatin1Char('y')));
    QCOMPARE(ledger.lines.at(2).m_nAmount, Amount(30000));
}

void TestLegacy::classTags_data()
{
    QTest::addColumn<QByteArray>("lineClass");
    QTest::addColumn<QByteArray>("curClass");
    QTest::addColumn<int>("schema");
    QTest::addColumn<LegacyResult>("result");
    QTest::newRow("usual names") << QByteArray("CReceipt") << QByteArray("CCurFmt") << 1 << LegacyResult::Ok;
    QTest::newRow("old currency class") << QByteArray("CReceipt") << QByteArray("CCurrencyFmt") << 1
                                        << LegacyResult::Ok;
    QTest::newRow("name of another record class") << QByteArray("CCategory") << QByteArray("CDailyRec") << 1
                                                  << LegacyResult::Ok;
    QTest::newRow("unknown class") << QByteArray("CReceipt") << QByteArray("CWallet") << 1
                                   << LegacyResult::FormatError;
    QTest::newRow("name compared exactly") << QByteArray("creceipt") << QByteArray("CCurFmt") << 1
                                           << LegacyResult::FormatError;
    QTest::newRow("schema 2") << QByteArray("CReceipt") << QByteArray("CCurFmt") << 2 << LegacyResult::FormatError;
    QTest::newRow("schema 0") << QByteArray("CReceipt") << QByteArray("CCurFmt") << 0 << LegacyResult::FormatError;
    QTest::newRow("name of 64 bytes") << QByteArray(64, 'C') << QByteArray("CCurFmt") << 1
                                      << LegacyResult::FormatError;
}

void TestLegacy::classTags()
{
    QFETCH(QByteArray, lineClass);
    QFETCH(QByteArray, curClass);
    QFETCH(int, schema);
    QFETCH(LegacyResult, result);
    CLegacyFileBuilder builder("1.00");
    builder.SetClassNames(lineClass, curClass, "CCategory");
    builder.SetSchema(std::uint16_t(schema));
    builder.AddSample();
    CLedger ledger;
    QCOMPARE(Import(builder.Build(), ledger), result);
    QCOMPARE(LegacyResultMessage(result), result == LegacyResult::Ok ? 0 : int(AFX_IDP_FAILED_INVALID_FORMAT));
}

void TestLegacy::bigClassReferences()
{
    // Past 32766 records the classes of the later lists take map indexes that
    // only the long reference form can name.
    CLegacyFileBuilder builder("1.00");
    builder.AddSample();
    for (int i = 0; i < 40000; ++i)
        builder.AddLine({0, 0x00, 0, 2, 0, std::int64_t(i % 100), 0, "n"});
    const QByteArray file = builder.Build();
    QVERIFY(file.contains(QByteArray("\xFF\x7F", 2)));
    CLedger ledger;
    QCOMPARE(Import(file, ledger), LegacyResult::Ok);
    QCOMPARE(ledger.lines.size(), size_t(40004));
    QCOMPARE(ledger.lines.back().m_nAmount, Amount(99 * 10000));
    QCOMPARE(ledger.curs.size(), size_t(2));
    QCOMPARE(ledger.cats.size(), size_t(4));
    QCOMPARE(ledger.cats[3].m_strName, QStringLiteral("預貯金"));

    // A long reference to an index that is a record, not a class, is refused.
    QByteArray damaged = file;
    const qsizetype nRef = damaged.indexOf(QByteArray("\xFF\x7F", 2));
    damaged[nRef + 2] = static_cast<char>(damaged[nRef + 2] + 1);
    CLedger other;
    QCOMPARE(Import(damaged, other), LegacyResult::FormatError);
}

void TestLegacy::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<LegacyResult>("result");

    // Offsets within a 1.00 body: password count (1), two words (4), line count (2).
    const qsizetype nLineCount = 64 + 1 + 4;
    auto sample = [](const QByteArray& version) {
        CLegacyFileBuilder b(version);
        b.AddSample();
        return b.Build();
    };

    QByteArray f = sample("1.00");
    f[nLineCount] = '\x10'; // 16 lines where 4 stand
    QTest::newRow("line count beyond the data") << f << LegacyResult::FormatError;

    f = sample("1.00");
    f[nLineCount] = '\xFF';
    f[nLineCount + 1] = '\xFF'; // a uint32 count follows: read from the record bytes
    QTest::newRow("huge line count") << f << LegacyResult::FormatError;

    f = sample("1.00");
    f[64] = '\xFF';
    QTest::newRow("password length beyond the data")
        << f.left(64) + QByteArray("\xFF\xF0\xFF", 3) + f.mid(65) << LegacyResult::FormatError;

    {
        CLegacyFileBuilder b("1.00");
        b.AddSample();
        b.AddLine({0, 0x00, 0, 4, 0, 1, 0, "past the categories"});
        QTest::newRow("category past its list") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("2.04");
        b.AddSample();
        b.AddLine({0, 0x09, 2, 1, 0, 1, 0, "past the currencies"});
        QTest::newRow("currency past its list") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("2.04");
        b.AddSample();
        b.AddLine({0, 0x08, 0, 1, 9, 1, 1, "counter past the categories"});
        QTest::newRow("counter category past its list") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("2.04");
        b.AddCategory({10, "attr"});
        QTest::newRow("attribute 10") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("2.04");
        b.AddCurrency({5, 0, "$", "five decimals"});
        QTest::newRow("five decimals") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("2.04");
        b.AddCurrency({2, 4, "$", "placement 4"});
        QTest::newRow("placement 4") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("1.00");
        for (int i = 0; i < 122; ++i)
            b.AddCategory({2, QByteArray::number(i)});
        QTest::newRow("122 categories") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("2.02");
        b.SetPassword("abc");
        b.SetScrambledSize(6);
        b.AddSample();
        QTest::newRow("2.02 password block of 6") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("2.02");
        b.SetPassword("abc");
        b.SetScrambledSize(4);
        b.AddSample();
        QTest::newRow("2.02 password block of 4") << b.Build() << LegacyResult::FormatError;
    }
    {
        CLegacyFileBuilder b("2.02");
        b.SetPassword("abc");
        b.SetScrambledSize(10);
        b.AddSample();
        QTest::newRow("2.02 password block of 10") << b.Build() << LegacyResult::FormatError;
    }
    {
        // A class reference to an index no class took.
        CLegacyFileBuilder b("1.00");
        b.AddSample();
        QByteArray bytes = b.Build();
        const qsizetype nSecondTag = bytes.indexOf(QByteArray("\x01\x80", 2));
        QVERIFY(nSecondTag > 0);
        bytes[nSecondTag] = '\x02'; // 0x8002: the index of the first line record
        QTest::newRow("reference to a record as a class") << bytes << LegacyResult::FormatError;
        bytes[nSecondTag] = '\x00';
        bytes[nSecondTag + 1] = '\x00'; // a null tag: the record still follows
        QTest::newRow("null tag before a record") << bytes << LegacyResult::Ok;
    }
    QTest::newRow("header only") << sample("2.04").left(65) << LegacyResult::FormatError;
}

void TestLegacy::damagedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(LegacyResult, result);
    CFixedPasswordPrompt prompt(QStringLiteral("abc"));
    CScopedPasswordPrompt scope(&prompt);
    CLedger ledger;
    QCOMPARE(Import(file, ledger), result);
}

void TestLegacy::everyTruncationIsFormatError_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("password");
    QTest::newRow("1.00") << QByteArray("1.00") << QByteArray();
    QTest::newRow("2.01 stored") << QByteArray("2.01") << QByteArray("pw");
    QTest::newRow("2.03 stream") << QByteArray("2.03") << QByteArray("pw");
    QTest::newRow("2.04 plain") << QByteArray("2.04") << QByteArray();
    QTest::newRow("2.60 feedback") << QByteArray("2.60") << QByteArray("pw");
}

void TestLegacy::everyTruncationIsFormatError()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, password);
    CLegacyFileBuilder builder(version);
    builder.SetPassword(password);
    builder.AddSample();
    const QByteArray file = builder.Build();
    CFixedPasswordPrompt prompt(QString::fromLatin1(password));
    CScopedPasswordPrompt scope(&prompt);
    CLedger whole;
    QCOMPARE(Import(file, whole), LegacyResult::Ok);
    for (qsizetype n = 0; n < file.size(); ++n) {
        CLedger ledger;
        const LegacyResult result = Import(file.left(n), ledger);
        if (result != LegacyResult::FormatError)
            QFAIL(qPrintable(QStringLiteral("length %1 gave %2").arg(n).arg(int(result))));
    }
}

QTEST_GUILESS_MAIN(TestLegacy)
#include "tst_legacy.moc"
