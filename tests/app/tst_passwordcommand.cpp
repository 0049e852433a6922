#include "app/PasswordCommand.h"
#include "app/PwdDlg.h"
#include "model/CofferDoc.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

#include <QTest>

// The password command's dialog loop, with scripted answers in place of the dialogs.
class TestPasswordCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogLoop_data();
    void dialogLoop();
};

void TestPasswordCommand::dialogLoop_data()
{
    QTest::addColumn<QString>("current");
    // Each answer: "mode:text" for OK with that text, "mode:!" for cancel.
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QList<int>>("boxAnswers");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("lastBox");

    QTest::newRow("set and confirm") << QString() << QStringList{"339:abc", "340:abc"} << QList<int>() << "abc" << true << 0;
    QTest::newRow("cancel first") << QString() << QStringList{"339:!"} << QList<int>() << QString() << false << 0;
    QTest::newRow("same as before") << "old" << QStringList{"341:old"} << QList<int>() << "old" << false << 0;
    QTest::newRow("confirm differs then cancel")
        << QString() << QStringList{"339:abc", "340:abd", "339:!"} << QList<int>() << QString() << false
        << int(IDS_PASSWORD_CONFIRM_MISMATCH);
    QTest::newRow("remove yes") << "old" << QStringList{"341:"} << QList<int>{IDYES} << QString() << true
                                << int(IDS_PASSWORD_REMOVE);
    QTest::newRow("remove no then cancel") << "old" << QStringList{"341:", "341:!"} << QList<int>{IDNO} << "old"
                                           << false << int(IDS_PASSWORD_REMOVE);
}

void TestPasswordCommand::dialogLoop()
{
    QFETCH(QString, current);
    QFETCH(QStringList, answers);
    QFETCH(QList<int>, boxAnswers);
    QFETCH(QString, password);
    QFETCH(bool, modified);
    QFETCH(int, lastBox);

    CCofferDoc doc;
    QVERIFY(doc.OnNewDocument());
    doc.m_strPassword = current;
    CRecordingMessageSink sink;
    for (int n : boxAnswers)
        sink.QueueAnswer(n);
    int nAsked = 0;
    CPasswordCommand::Run(doc, [&](int nMode, QString& strResult) {
        if (nAsked >= answers.size())
            return false;
        const QString answer = answers.at(nAsked++);
        [&] { QCOMPARE(nMode, answer.section(QLatin1Char(':'), 0, 0).toInt()); }();
        const QString text = answer.section(QLatin1Char(':'), 1);
        if (text == QLatin1String("!"))
            return false;
        strResult = text;
        return true;
    });
    QCOMPARE(nAsked, answers.size());
    QCOMPARE(doc.m_strPassword, password);
    QCOMPARE(doc.IsModified(), modified);
    if (lastBox == 0)
        QVERIFY(sink.m_boxes.isEmpty());
    else
        QVERIFY(sink.LastWas(lastBox));
}

QTEST_MAIN(TestPasswordCommand)
#include "tst_passwordcommand.moc"
