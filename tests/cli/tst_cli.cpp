#include "CliRunner.h"
#include "../persist/SmallTmpfs.h"
#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "platform/StringTable.h"
#include "tests/support/LedgerBuilder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Drives pennyfold-cli as a user does from the shell.
class TestCli : public QObject
{
    Q_OBJECT

private:
    using Run = clirun::SRun;
    Run Cli(const QStringList& args) { return clirun::Cli(args, m_dir.path()); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;

private Q_SLOTS:
    void newConvertShowRoundTrip();
    void passwords();
    void damagedFilesAreMessages_data();
    void damagedFilesAreMessages();
    void usageErrors_data();
    void usageErrors();
    void summaryOfNewLedger();
    void statements_data();
    void statements();
    void checkListsErrors();
    void showKeepsOneLinePerLine();
    void textOutputWarnsAboutLines();
    void fullDiskFailsAndKeepsTarget_data();
    void fullDiskFailsAndKeepsTarget();
    void cp932AndUtf8Statements_data();
    void cp932AndUtf8Statements();
};

void TestCli::newConvertShowRoundTrip()
{
    QCOMPARE(Cli({"new", "x.ldr", "--today", "2026-12-10"}).nExit, 0);
    const Run native = Cli({"show", "x.ldr"});
    QCOMPARE(native.nExit, 0);
    QCOMPARE(native.strOut, QStringLiteral("0\t26/12/10\t繰越\t\t\t\t0\t繰り越し\t\n"));

    QCOMPARE(Cli({"convert", "x.ldr", "x.csv"}).nExit, 0);
    QFile csv(Path("x.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QVERIFY(csv.readAll().startsWith("\xFF\xFE"));
    const Run text = Cli({"show", "x.csv"});
    QCOMPARE(text.nExit, 0);
    QCOMPARE(text.strOut, native.strOut);

    const Run symbols = Cli({"show", "x.ldr", "--symbols"});
    QCOMPARE(symbols.strOut, QStringLiteral("0\t26/12/10\t繰越\t\t\t\t\\0\t繰り越し\t\n"));
}

void TestCli::passwords()
{
    QCOMPARE(Cli({"new", "p.csv", "--today", "2025-01-02"}).nExit, 0);
    QCOMPARE(Cli({"convert", "p.csv", "y.ldr", "--new-password", "secret"}).nExit, 0);
    QFile file(Path("y.ldr"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(quint8(file.read(64).at(28)), quint8(0xA0));

    const Run right = Cli({"show", "y.ldr", "--password", "secret"});
    QCOMPARE(right.nExit, 0);
    QVERIFY(right.strOut.startsWith(QStringLiteral("0\t25/ 1/ 2\t繰越")));

    const Run wrong = Cli({"show", "y.ldr", "--password", "wrong"});
    QCOMPARE(wrong.nExit, 1);
    QCOMPARE(wrong.strErr, QStringLiteral("パスワードが一致しません。\n"));
    QVERIFY(wrong.strOut.isEmpty());

    // Without an answer the prompt is cancelled and the open fails.
    QCOMPARE(Cli({"show", "y.ldr"}).nExit, 1);

    // An empty new password removes the cipher.
    QCOMPARE(Cli({"convert", "y.ldr", "z.ldr", "--password", "secret", "--new-password", ""}).nExit, 0);
    QCOMPARE(Cli({"show", "z.ldr"}).nExit, 0);
}

void TestCli::damagedFilesAreMessages_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QByteArray header("Common Coffer Record Ver2.00 \r\n");
    header.append(64 - header.size(), '\0');
    QTest::newRow("truncated payload") << header + QByteArray("\0\0\0\0\x05\0", 6) << QStringLiteral("予期しないファイル形式です。");
    QByteArray newer = header;
    newer[24] = '3';
    QTest::newRow("newer version") << newer + QByteArray(8, '\0') << QStringLiteral("このファイルはバージョンが新しいため開くことが出来ません。");
    QTest::newRow("control character in text") << QByteArray("2024/1/1,,2,食料,-100\x01\r\n") << QStringLiteral("予期しないファイル形式です。");
}

void TestCli::damagedFilesAreMessages()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFile file(Path("bad.ldr"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const Run run = Cli({"show", "bad.ldr"});
    QCOMPARE(run.nExit, 1);
    QCOMPARE(run.strErr.section(QLatin1Char('\n'), 0, 0), message);
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{"frobnicate"};
    QTest::newRow("missing file") << QStringList{"show"};
    QTest::newRow("unknown option") << QStringList{"show", "x.ldr", "--colour"};
    QTest::newRow("option without value") << QStringList{"show", "x.ldr", "--password"};
    QTest::newRow("bad today") << QStringList{"new", "x.ldr", "--today", "2026-13-01"};
    QTest::newRow("bad mode") << QStringList{"summary", "x.ldr", "--mode", "week"};
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, args);
    QCOMPARE(Cli(args).nExit, 2);
}

void TestCli::summaryOfNewLedger()
{
    QCOMPARE(Cli({"new", "s.ldr", "--today", "2026-12-10"}).nExit, 0);
    const Run run = Cli({"summary", "s.ldr", "--mode", "month", "--period", "2026"});
    QCOMPARE(run.nExit, 0);
    const QStringList lines = run.strOut.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Header, twelve months, the total row.
    QCOMPARE(lines.size(), 14);
    QVERIFY(lines.first().startsWith(QStringLiteral("日付\t収入計\t支出計")));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("2026/ 1\t")));
    QVERIFY(lines.last().startsWith(QStringLiteral("合計\t")));
}

void TestCli::statements_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("bank") << "bank_medium.ofx" << -1
                          << QStringLiteral("0\t09/ 4/ 1\t預貯金\t\t\t-6.60\t-6.60\tMCDONALD'S #112；POS MERCHANDISE;MCDONALD'S #112\t");
    QTest::newRow("empty statement") << "bank_small.ofx" << 1 << QString();
    QTest::newRow("credit card") << "chase_cc.qfx" << 3
                                 << QStringLiteral("0\t20/ 1/ 1\t借入\t\t\t-10\t-10\tSQ *ECCO UN POCO ¦ NATURA\t");
    QTest::newRow("japanese bank") << "jp_bank_utf8_crlf.ofx" << 5
                                   << QStringLiteral("0\t24/ 1/25\t預貯金\t\t\t250000\t250000\t給与　カエデ商事\t");
    QTest::newRow("xml form") << "ofx2_xml.ofx" << 2
                              << QStringLiteral("0\t24/ 6/18\t預貯金\t\t\t-2200\t-2200\t本屋 <駅前>\t");
}

void TestCli::statements()
{
    QFETCH(QString, file);
    QFETCH(int, lines);
    QFETCH(QString, firstLine);
    const QString path = QStringLiteral(PENNYFOLD_TEST_DATA "/../import/ofx/") + file;
    const Run run = Cli({"show", path});
    QCOMPARE(run.nExit, 0);
    const QStringList out = run.strOut.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines >= 0)
        QCOMPARE(out.size(), lines);
    if (!firstLine.isEmpty())
        QCOMPARE(out.first(), firstLine);
}

void TestCli::checkListsErrors()
{
    // A date earlier than the line before it, and a line the reader could not take (kept
    // undated, so it is earlier than its predecessor too).
    QFile file(Path("e.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("2024/2/1,,2,\x90\x48\x97\xbf,-100,,,,x\r\n2024/1/1,,2,\x90\x48\x97\xbf,-200,,,,y\r\nnot a line\r\n");
    file.close();
    const Run run = Cli({"check", "e.csv"});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.strOut, QStringLiteral("1\t4135\t日付が逆転しています。\n2\t4135\t日付が逆転しています。\n2\t4137\t対応していないフォーマットです。\n"));
    QCOMPARE(Cli({"show", "e.csv"}).strOut.split(QLatin1Char('\n')).at(2).section(QLatin1Char('\t'), -1), QStringLiteral("4135,4137"));
}

void TestCli::showKeepsOneLinePerLine()
{
    CCofferDoc doc;
    QVERIFY(doc.OnNewDocument());
    support::Amend(doc, [](CLedgerContent& content) {
        content.m_lines[0].m_strDesc = QStringLiteral("一行目\n二行目\tタブ\r戻り");
    });
    QVERIFY(CDocumentFile::Save(doc, Path("multi.ldr")));
    const Run run = Cli({"show", "multi.ldr"});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.strOut.count(QLatin1Char('\n')), 1);
    const QStringList fields = run.strOut.chopped(1).split(QLatin1Char('\t'));
    QCOMPARE(fields.size(), 9);
    QCOMPARE(fields.at(7), QStringLiteral("一行目 二行目 タブ 戻り"));
}

void TestCli::textOutputWarnsAboutLines()
{
    // The second line is dated in year 50, which the CSV gives back as 2050.
    QFile file(Path("y50.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("2024/2/1,,2,x,-100,,,,a\r\n");
    file.close();
    CCofferDoc doc;
    QVERIFY(CDocumentFile::Open(doc, Path("y50.csv")));
    QCOMPARE(doc.Lines().size(), size_t(1));
    support::Amend(doc, [](CLedgerContent& content) {
        CReceipt line = content.m_lines[0];
        line.m_date = MakeDate(50, 1, 2);
        content.m_lines.push_back(line);
    });
    QVERIFY(CDocumentFile::Save(doc, Path("y50.ldr")));

    const Run run = Cli({"convert", "y50.ldr", "out.csv"});
    QCOMPARE(run.nExit, 0);
    QString warning = CStringTable::Load(IDS_TEXT_NOT_READ_BACK).arg(QStringLiteral("2行目"));
    warning.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QCOMPARE(run.strErr, QStringLiteral("pennyfold-cli: warning: ") + warning + u'\n');
    QVERIFY(QFile::exists(Path("out.csv")));
    // A ledger the text expresses whole converts silently.
    QCOMPARE(Cli({"convert", "y50.csv", "plain.csv"}).strErr, QString());
}

void TestCli::fullDiskFailsAndKeepsTarget_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("convert") << "convert";
    QTest::newRow("new") << "new";
    QTest::newRow("memo-export") << "memo-export";
}

void TestCli::fullDiskFailsAndKeepsTarget()
{
    QFETCH(QString, command);
    CSmallTmpfs fs(64);
    if (!fs.IsMounted())
        QSKIP(qPrintable(fs.WhyNot()));
    // A ledger of a little more than 5 KB, and a good small target on a disk with one page free.
    CCofferDoc doc;
    QVERIFY(doc.OnNewDocument());
    std::vector<CDailyRec> records;
    for (int i = 0; i < 150; ++i) {
        CDailyRec rec((2024 << 16) | ((1 + i / 28) << 8) | (1 + i % 28));
        rec.SetCommentText(QStringLiteral("メモ %1 の内容").arg(i), u";;");
        records.push_back(rec);
    }
    doc.m_memo.Replace(std::move(records));
    support::Amend(doc, [](CLedgerContent& content) {
        for (int i = 0; i < 100; ++i) {
            CReceipt line = content.m_lines[0];
            line.m_strDesc = QStringLiteral("明細 %1").arg(i);
            content.m_lines.push_back(line);
        }
    });
    QVERIFY(CDocumentFile::Save(doc, Path("small.ldr")));
    const QString target = fs.FilePath(QStringLiteral("target.ldr"));
    QVERIFY(QFile::copy(QStringLiteral(PENNYFOLD_TEST_DATA "/../persist/data/plain.ldr"), target));
    QFile old(target);
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = old.readAll();
    old.close();
    QVERIFY(fs.LeaveFree(4096));

    QStringList args{command};
    if (command != QLatin1String("new"))
        args << Path("small.ldr");
    args << target;
    if (command == QLatin1String("new")) {
        // A new ledger is small: a disk without a free page at all refuses it.
        QVERIFY(fs.LeaveFree(0));
    }
    const Run run = Cli(args);
    QCOMPARE(run.nExit, 1);
    const int nMessage = command == QLatin1String("memo-export") ? IDS_EXPORT_FAILED : AFX_IDP_FAILED_TO_SAVE_DOC;
    QCOMPARE(run.strErr, CStringTable::Load(nMessage) + u'\n');
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), oldBytes);
    QCOMPARE(QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("filler"), QStringLiteral("target.ldr")}));
}

void TestCli::cp932AndUtf8Statements_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("code page 932 with a stray byte")
        << QByteArray("2020/5/3,,2,a,-1,,,,x\xA0y\r\n2020/5/4,,2,\x90\x48\x97\xbf,-2,,,,z\r\n")
        << QStringLiteral("0\t--------\t\t\t\t\t\t2020/5/3,,2,a,-1,,,,x\uFFFDy\t4137\n"
                          "1\t20/ 5/ 4\t食料\t\t2\t\t-2\tz\t\n");
    QTest::newRow("UTF-8 without a mark")
        << QStringLiteral("2020/5/4,,2,食料,-2,,,,パン\r\n").toUtf8()
        << QStringLiteral("0\t20/ 5/ 4\t食料\t\t2\t\t-2\tパン\t\n");
}

void TestCli::cp932AndUtf8Statements()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QFile file(Path("bank.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const Run run = Cli({"show", "bank.csv"});
    QCOMPARE(run.strErr, QString());
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.strOut, expected);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
