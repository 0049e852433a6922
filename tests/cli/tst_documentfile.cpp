#include "../persist/FailingDevice.h"
#include "../persist/SmallTmpfs.h"
#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "persist/SafeFile.h"
#include "persist/TextFile.h"
#include "platform/Clock.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"
#include "tests/support/LedgerBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The document's open and save steps over real files.
class TestDocumentFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CClock::SetNow(QDateTime(QDate(2026, 12, 10), QTime(12, 0))); }
    void cleanup() { CClock::Reset(); }
    void nativeSaveMarksSaved();
    void textSaveKeepsModified_data();
    void textSaveKeepsModified();
    void failedSaveKeepsOldFile();
    void failedOpenLeavesDocument();
    void textImportGetsDefaultSetOnce();
    void failingWritesKeepOldFile();
    void fullDiskKeepsOldFile();
    void textSaveAsksAboutLinesNotReadBack_data();
    void textSaveAsksAboutLinesNotReadBack();
    void memoExport();
};

namespace {

QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A new ledger with lines enough for a file of about nLines * 30 bytes.
void Fill(CCofferDoc& doc, int nLines)
{
    QVERIFY(doc.OnNewDocument());
    std::vector<CReceipt> lines;
    for (int i = 0; i < nLines; ++i) {
        CReceipt line;
        line.m_date = MakeDate(2026, 1 + i % 12, 1 + i % 28);
        line.m_nCat = 1;
        line.m_nAmount = -(i + 1) * AMOUNT_UNIT;
        line.m_strDesc = QStringLiteral("明細 %1").arg(i);
        lines.push_back(line);
    }
    support::Amend(doc, [&lines](CLedgerContent& content) {
        content.m_lines.insert(content.m_lines.end(), lines.begin(), lines.end());
    });
    doc.SetModifiedFlag(true);
}

} // namespace

void TestDocumentFile::nativeSaveMarksSaved()
{
    QTemporaryDir dir;
    CCofferDoc doc;
    QVERIFY(doc.OnNewDocument());
    doc.SetModifiedFlag(true);
    const QString path = dir.filePath(QStringLiteral("a.LDR"));
    QVERIFY(CDocumentFile::Save(doc, path));
    QVERIFY(!doc.IsModified());
    QCOMPARE(doc.GetPathName(), path);

    CCofferDoc back;
    QVERIFY(CDocumentFile::Open(back, path));
    QCOMPARE(back.Lines(), doc.Lines());
    QCOMPARE(back.Categories().size(), doc.Categories().size());
    QCOMPARE(back.GetTitle(), QStringLiteral("a.LDR"));
}

void TestDocumentFile::textSaveKeepsModified_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("csv lower case") << "t.csv" << QByteArray("\xFF\xFE");
    QTest::newRow("csd mixed case") << "t.CsD" << QByteArray("\xFF\xFE\xE5\x65");
}

void TestDocumentFile::textSaveKeepsModified()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    CCofferDoc doc;
    QVERIFY(doc.OnNewDocument());
    doc.SetModifiedFlag(true);
    const QString path = dir.filePath(name);
    QVERIFY(CDocumentFile::Save(doc, path));
    // The text holds only part of the ledger: closing must still offer to save.
    QVERIFY(doc.IsModified());
    QVERIFY(doc.GetPathName().isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(start));
}

void TestDocumentFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.ldr"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    CCofferDoc doc;
    QVERIFY(doc.OnNewDocument());
    doc.SetModifiedFlag(true);
    CRecordingMessageSink sink;
    // A folder that does not exist cannot take the temporary file.
    QVERIFY(!CDocumentFile::Save(doc, dir.filePath(QStringLiteral("missing/keep.ldr"))));
    QVERIFY(sink.LastWas(AFX_IDP_FAILED_TO_SAVE_DOC));
    QVERIFY(doc.IsModified());
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old contents"));
}

void TestDocumentFile::failedOpenLeavesDocument()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.ldr"));
    {
        QFile bad(path);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        QByteArray header("Common Coffer Record Ver1.00 \r\n");
        header.append(64 - header.size(), '\0');
        bad.write(header + QByteArray("\0\0\0\0\x09\0\xFF", 7));
    }
    CCofferDoc doc;
    QVERIFY(doc.OnNewDocument());
    const auto lines = doc.Lines();
    CRecordingMessageSink sink;
    QVERIFY(!CDocumentFile::Open(doc, path));
    QVERIFY(sink.LastWas(AFX_IDP_FAILED_INVALID_FORMAT));
    QCOMPARE(doc.Lines(), lines);

    QVERIFY(!CDocumentFile::Open(doc, dir.filePath(QStringLiteral("none.ldr"))));
    QVERIFY(sink.LastWas(AFX_IDP_FAILED_TO_OPEN_DOC));
}

void TestDocumentFile::textImportGetsDefaultSetOnce()
{
    // A text file without a readable line: the lists hold only 日本円 and 備考 after reading.
    CCofferDoc doc;
    QVERIFY(CDocumentFile::Load(doc, QByteArray("\r\n"), QStringLiteral("empty.csv")));
    QCOMPARE(doc.Currencies().size(), size_t(1));
    QCOMPARE(doc.Categories().size(), size_t(17));
    QCOMPARE(doc.Categories()[0].m_strName, QStringLiteral("備考"));
    int nNamed = 0;
    for (const CCategory& cat : doc.Categories())
        nNamed += cat.m_strName == QStringLiteral("備考") ? 1 : 0;
    QCOMPARE(nNamed, 1);
    QCOMPARE(doc.GetLineCount(), 1);
    QCOMPARE(doc.Categories()[doc.Lines()[0].m_nCat].m_nAttr, int(ATTR_CARRYOVER));
}

void TestDocumentFile::failingWritesKeepOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("target.ldr"));
    CCofferDoc good;
    Fill(good, 10);
    QVERIFY(CDocumentFile::Save(good, path));
    const QByteArray old = ReadAll(path);

    CCofferDoc doc;
    Fill(doc, 300);
    CRecordingMessageSink sink;
    const CSafeFile::DeviceHook previous =
        CSafeFile::SetDeviceHook([](QFile& file) { return std::make_unique<CFailingDevice>(file, 4096); });
    const bool bSaved = CDocumentFile::Save(doc, path);
    CSafeFile::SetDeviceHook(previous);
    QVERIFY(!bSaved);
    QCOMPARE(sink.m_boxes.size(), 1);
    QVERIFY(sink.LastWas(AFX_IDP_FAILED_TO_SAVE_DOC));
    // Still unsaved, still not that file's document.
    QVERIFY(doc.IsModified());
    QVERIFY(doc.GetPathName().isEmpty());
    QCOMPARE(ReadAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("target.ldr")});
}

void TestDocumentFile::fullDiskKeepsOldFile()
{
    CSmallTmpfs fs(64);
    if (!fs.IsMounted())
        QSKIP(qPrintable(fs.WhyNot()));
    const QString path = fs.FilePath(QStringLiteral("target.ldr"));
    CCofferDoc good;
    Fill(good, 10);
    QVERIFY(CDocumentFile::Save(good, path));
    const QByteArray old = ReadAll(path);
    QVERIFY(fs.LeaveFree(4096));

    CCofferDoc doc;
    Fill(doc, 200);
    QVERIFY(CDocumentFile::NativeBytes(doc).size() > 5000);
    CRecordingMessageSink sink;
    QVERIFY(!CDocumentFile::Save(doc, path));
    QVERIFY(sink.LastWas(AFX_IDP_FAILED_TO_SAVE_DOC));
    QVERIFY(doc.IsModified());
    QCOMPARE(ReadAll(path), old);
    CCofferDoc back;
    QVERIFY(CDocumentFile::Open(back, path));
    QCOMPARE(back.Lines().size(), good.Lines().size());

    // Once there is room the same save goes through.
    QVERIFY(QFile::remove(fs.FilePath(QStringLiteral("filler"))));
    QVERIFY(CDocumentFile::Save(doc, path));
    QVERIFY(!doc.IsModified());
    QCOMPARE(ReadAll(path), CDocumentFile::NativeBytes(doc));
}

void TestDocumentFile::textSaveAsksAboutLinesNotReadBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("answer");
    QTest::newRow("csv, cancelled") << "t.csv" << int(IDCANCEL);
    QTest::newRow("csv, written anyway") << "t.csv" << int(IDOK);
    QTest::newRow("csd, cancelled") << "t.csd" << int(IDCANCEL);
    QTest::newRow("csd, written anyway") << "t.csd" << int(IDOK);
}

void TestDocumentFile::textSaveAsksAboutLinesNotReadBack()
{
    QFETCH(QString, name);
    QFETCH(int, answer);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    CCofferDoc doc;
    Fill(doc, 8);
    // Line 3 of the CSV reads back in 2050; the second memo record has no real day.
    support::Amend(doc, [](CLedgerContent& content) {
        content.m_lines[2].m_date = MakeDate(50, 1, 2);
        content.m_lines[6].m_strDesc.clear();
        content.m_lines[6].m_nFlags = CReceipt::RF_RAW_TEXT;
    });
    doc.m_memo.Replace({CDailyRec((2020 << 16) | (2 << 8) | 28), CDailyRec((2020 << 16) | (2 << 8) | 30)});

    CRecordingMessageSink sink;
    sink.QueueAnswer(answer);
    QCOMPARE(CDocumentFile::Save(doc, path), answer == IDOK);
    QCOMPARE(sink.m_boxes.size(), 1);
    QCOMPARE(sink.m_boxes[0].nType, unsigned(MB_OKCANCEL | MB_ICONEXCLAMATION));
    const QString lines = name.endsWith(QLatin1String(".csv")) ? QStringLiteral("3行目、7行目") : QStringLiteral("3行目");
    QCOMPARE(sink.m_boxes[0].strText, CStringTable::Load(IDS_TEXT_NOT_READ_BACK).arg(lines));
    if (answer == IDOK)
        QVERIFY(ReadAll(path).startsWith("\xFF\xFE"));
    else
        QCOMPARE(ReadAll(path), QByteArray("old contents"));
    QVERIFY(doc.IsModified());

    // A ledger the form expresses whole is written without a question.
    CCofferDoc plain;
    Fill(plain, 3);
    sink.Clear();
    QVERIFY(CDocumentFile::Save(plain, path));
    QVERIFY(sink.m_boxes.isEmpty());
}

void TestDocumentFile::memoExport()
{
    QTemporaryDir dir;
    CCofferDoc doc;
    Fill(doc, 1);
    std::vector<CDailyRec> records;
    for (int i = 0; i < 9; ++i)
        records.emplace_back((2021 << 16) | (2 << 8) | (27 + i));
    doc.m_memo.Replace(std::move(records));
    CRecordingMessageSink sink;
    const QString path = dir.filePath(QStringLiteral("memo.csv"));
    QVERIFY(CDocumentFile::ExportMemo(doc, path));
    // 2021/02/29 .. 02/35: the header is line 1, so the first of them is line 4; five are named.
    QCOMPARE(sink.m_boxes.size(), 1);
    QCOMPARE(sink.m_boxes[0].strText,
             CStringTable::Load(IDS_TEXT_NOT_READ_BACK).arg(QStringLiteral("4行目、5行目、6行目、7行目、8行目 ほか 2 行")));
    QVERIFY(ReadAll(path).startsWith(CTextFile::EncodeUtf16(QStringLiteral("日付 曜日\r\n"))));

    sink.Clear();
    QVERIFY(!CDocumentFile::ExportMemo(doc, dir.filePath(QStringLiteral("missing/memo.csv"))));
    QVERIFY(sink.LastWas(IDS_EXPORT_FAILED));
}

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
