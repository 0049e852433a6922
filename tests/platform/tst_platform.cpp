#include "platform/Clock.h"
#include "platform/CodePage932.h"
#include "platform/MessageBox.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stringTable_data();
    void stringTable();
    void messageBoxRecords();
    void clockIsSettable();
    void codePage932_data();
    void codePage932();
};

void TestPlatform::stringTable_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << 4097 << QStringLiteral("OLE の初期化に失敗しました。OLE ﾗｲﾌﾞﾗﾘが正しいﾊﾞｰｼﾞｮﾝのものか確認してください。");
    QTest::newRow("two-line") << 4098 << QStringLiteral("クリップボードの操作中に異常が発生しました。\nシステムが不安定になっている可能性があります。");
    QTest::newRow("password") << 4121 << QStringLiteral("パスワードが一致しません。");
    QTest::newRow("last") << 4144 << QStringLiteral("費目の種類が多すぎるため、追加できません。");
    QTest::newRow("format") << int(AFX_IDP_FAILED_INVALID_FORMAT) << QStringLiteral("予期しないファイル形式です。");
    QTest::newRow("open") << int(AFX_IDP_FAILED_TO_OPEN_DOC) << QStringLiteral("ドキュメントを開くことに失敗しました。");
    QTest::newRow("save") << int(AFX_IDP_FAILED_TO_SAVE_DOC) << QStringLiteral("ドキュメントの保存に失敗しました。");
    QTest::newRow("absent") << 4099 << QString();
}

void TestPlatform::stringTable()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(CStringTable::Load(id), text);
    QCOMPARE(CStringTable::Contains(id), !text.isEmpty());
}

void TestPlatform::messageBoxRecords()
{
    CRecordingMessageSink sink;
    sink.QueueAnswer(IDNO);
    QCOMPARE(AppMessageBox(IDS_PASSWORD_REMOVE, MB_YESNO | MB_ICONQUESTION), int(IDNO));
    QCOMPARE(AppMessageBox(IDS_NOT_FOUND), int(IDOK));
    QCOMPARE(sink.m_boxes.size(), 2);
    QCOMPARE(sink.m_boxes[0].nType, unsigned(MB_YESNO | MB_ICONQUESTION));
    QVERIFY(sink.LastWas(IDS_NOT_FOUND));
}

void TestPlatform::clockIsSettable()
{
    const QDateTime t(QDate(2024, 2, 29), QTime(5, 59, 59));
    CClock::SetNow(t);
    CClock::SetTickCount(0xFFFFFFF0u);
    QCOMPARE(CClock::Now(), t);
    CClock::Advance(0x20);
    QCOMPARE(CClock::Now(), t.addMSecs(0x20));
    QCOMPARE(CClock::TickCount(), 0x10u);
    CClock::Reset();
    QVERIFY(qAbs(CClock::Now().secsTo(QDateTime::currentDateTime())) < 5);
}

void TestPlatform::codePage932_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("abc") << QStringLiteral("abc");
    QTest::newRow("backslash is yen sign byte") << QByteArray("\x5C") << QStringLiteral("\\");
    QTest::newRow("kanji") << QByteArray("\x8A\xBF\x8E\x9A") << QStringLiteral("漢字");
    QTest::newRow("half-width kana") << QByteArray("\xB6") << QStringLiteral("ｶ");
    QTest::newRow("wave dash is fullwidth tilde") << QByteArray("\x81\x60") << QString(QChar(0xFF5E));
}

void TestPlatform::codePage932()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QVERIFY(CCodePage932::Available());
    QCOMPARE(CCodePage932::Decode(bytes), text);
    QCOMPARE(CCodePage932::Encode(text), bytes);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
