#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "platform/Clock.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

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
};

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
    QCOMPARE(back.m_lines, doc.m_lines);
    QCOMPARE(back.m_cats.size(), doc.m_cats.size());
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
    const auto lines = doc.m_lines;
    CRecordingMessageSink sink;
    QVERIFY(!CDocumentFile::Open(doc, path));
    QVERIFY(sink.LastWas(AFX_IDP_FAILED_INVALID_FORMAT));
    QCOMPARE(doc.m_lines, lines);

    QVERIFY(!CDocumentFile::Open(doc, dir.filePath(QStringLiteral("none.ldr"))));
    QVERIFY(sink.LastWas(AFX_IDP_FAILED_TO_OPEN_DOC));
}

void TestDocumentFile::textImportGetsDefaultSetOnce()
{
    // A text file without a readable line: the lists hold only 日本円 and 備考 after reading.
    CCofferDoc doc;
    QVERIFY(CDocumentFile::Load(doc, QByteArray("\r\n"), QStringLiteral("empty.csv")));
    QCOMPARE(doc.m_curs.size(), size_t(1));
    QCOMPARE(doc.m_cats.size(), size_t(17));
    QCOMPARE(doc.m_cats[0].m_strName, QStringLiteral("備考"));
    int nNamed = 0;
    for (const CCategory& cat : doc.m_cats)
        nNamed += cat.m_strName == QStringLiteral("備考") ? 1 : 0;
    QCOMPARE(nNamed, 1);
    QCOMPARE(doc.GetLineCount(), 1);
    QCOMPARE(doc.m_cats[doc.m_lines[0].m_nCat].m_nAttr, int(ATTR_CARRYOVER));
}

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
