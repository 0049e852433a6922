#include "app/CommandLine.h"
#include "app/InstanceServer.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QUuid>
#include <atomic>
#include <thread>

namespace {
QString UniqueName()
{
    return QStringLiteral("pennyfold-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// Sends raw bytes the way a foreign client might and returns the answer.
QByteArray SendRaw(const QString& strName, const QByteArray& request)
{
    QLocalSocket socket;
    socket.connectToServer(strName);
    if (!socket.waitForConnected(2000))
        return "no connection";
    socket.write(request);
    socket.waitForBytesWritten(2000);
    QByteArray answer;
    while (socket.waitForReadyRead(2000))
        answer += socket.readAll();
    return answer;
}
} // namespace

class TestInstanceServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void forwardedPathArrives();
    void emptyRequestActivates();
    void badRequestsAreRefused_data();
    void badRequestsAreRefused();
    void noServerIsReported();
    void secondInstanceDoesNotTakeOver();
    void socketOfEndedInstanceIsReplaced();
};

void TestInstanceServer::forwardedPathArrives()
{
    const QString strName = UniqueName();
    CInstanceServer server;
    QVERIFY(server.Listen(strName));
    QSignalSpy spy(&server, &CInstanceServer::OpenRequested);
    std::atomic<int> result{-1};
    std::thread client([&] { result = CInstanceServer::Forward(QStringLiteral("/home/u/家計簿.ldr"), strName); });
    QTRY_VERIFY(result.load() != -1);
    client.join();
    QCOMPARE(result.load(), int(CInstanceServer::FORWARD_DELIVERED));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/home/u/家計簿.ldr"));
}

void TestInstanceServer::emptyRequestActivates()
{
    const QString strName = UniqueName();
    CInstanceServer server;
    QVERIFY(server.Listen(strName));
    QSignalSpy open(&server, &CInstanceServer::OpenRequested);
    QSignalSpy activate(&server, &CInstanceServer::ActivateRequested);
    std::atomic<int> result{-1};
    std::thread client([&] { result = CInstanceServer::Forward(QString(), strName); });
    QTRY_VERIFY(result.load() != -1);
    client.join();
    QCOMPARE(result.load(), int(CInstanceServer::FORWARD_DELIVERED));
    QCOMPARE(activate.size(), 1);
    QCOMPARE(open.size(), 0);
}

void TestInstanceServer::badRequestsAreRefused_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("relative path") << QByteArray("ledger.ldr\n");
    QTest::newRow("not UTF-8") << QByteArray("/tmp/\xff\xfe.ldr\n");
    QTest::newRow("control character") << QByteArray("/tmp/a\tb.ldr\n");
    QTest::newRow("path too long") << (QByteArray("/") + QByteArray(CCommandLine::MAX_FORWARD_PATH, 'a') + "\n");
    QTest::newRow("no end of line within the limit")
        << (QByteArray("/") + QByteArray(CInstanceServer::MAX_REQUEST + 10, 'a'));
}

void TestInstanceServer::badRequestsAreRefused()
{
    QFETCH(QByteArray, request);
    const QString strName = UniqueName();
    CInstanceServer server;
    QVERIFY(server.Listen(strName));
    QSignalSpy open(&server, &CInstanceServer::OpenRequested);
    QSignalSpy activate(&server, &CInstanceServer::ActivateRequested);
    std::atomic<bool> bDone{false};
    QByteArray answer;
    std::thread client([&] {
        answer = SendRaw(strName, request);
        bDone = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(bDone.load(), 10000);
    client.join();
    QCOMPARE(answer, QByteArray("0\n"));
    QCoreApplication::processEvents();
    QCOMPARE(open.size(), 0);
    QCOMPARE(activate.size(), 0);
}

void TestInstanceServer::noServerIsReported()
{
    QCOMPARE(CInstanceServer::Forward(QStringLiteral("/tmp/a.ldr"), UniqueName(), 200),
             CInstanceServer::FORWARD_NO_SERVER);
}

void TestInstanceServer::secondInstanceDoesNotTakeOver()
{
    const QString strName = UniqueName();
    CInstanceServer first;
    QVERIFY(first.Listen(strName));
    std::atomic<bool> bDone{false};
    bool bListened = true;
    // Another process, as far as the socket is concerned.
    std::unique_ptr<QThread> pOther(QThread::create([&] {
        CInstanceServer second;
        bListened = second.Listen(strName);
        bDone = true;
    }));
    pOther->start();
    QTRY_VERIFY(bDone.load());
    pOther->wait();
    QVERIFY(!bListened);
    QVERIFY(first.IsListening());
}

void TestInstanceServer::socketOfEndedInstanceIsReplaced()
{
#if defined(Q_OS_UNIX)
    const QString strName = UniqueName();
    QString strSocketPath;
    {
        CInstanceServer ended;
        QVERIFY(ended.Listen(strName));
        strSocketPath = ended.FullServerName();
    }
    // An instance that crashed leaves its socket file behind.
    QFile stale(strSocketPath);
    if (!QFile::exists(strSocketPath))
        QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    CInstanceServer next;
    QVERIFY(next.Listen(strName));
#else
    QSKIP("socket files are a Unix matter");
#endif
}

QTEST_GUILESS_MAIN(TestInstanceServer)
#include "tst_instanceserver.moc"
