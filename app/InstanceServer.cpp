#include "app/InstanceServer.h"

#include "app/CommandLine.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QTimer>
#include <QVariant>

#if !defined(Q_OS_UNIX)
#include <QRegularExpression>
#endif

#if defined(Q_OS_LINUX)
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
const char* const kBuffer = "pennyfoldRequest";
}

CInstanceServer::CInstanceServer(QObject* pParent) : QObject(pParent), m_pServer(new QLocalServer(this))
{
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &CInstanceServer::OnNewConnection);
}

CInstanceServer::~CInstanceServer() = default;

QString CInstanceServer::DefaultName()
{
#if defined(Q_OS_UNIX)
    return QStringLiteral("pennyfold-%1").arg(::getuid());
#else
    QString strUser = qEnvironmentVariable("USERNAME");
    strUser.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")));
    return QStringLiteral("pennyfold-") + strUser;
#endif
}

bool CInstanceServer::Listen(const QString& strName)
{
    if (m_pServer->isListening())
        return true;
    // Asked first: with access options the socket is made elsewhere and moved
    // into place, which would silently replace a live instance's socket.
    {
        QLocalSocket probe;
        probe.connectToServer(strName);
        if (probe.waitForConnected(500)) {
            probe.abort();
            return false;
        }
    }
    if (m_pServer->listen(strName))
        return true;
    if (m_pServer->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Nobody answers: a socket an ended instance left behind.
    QLocalServer::removeServer(strName);
    return m_pServer->listen(strName);
}

bool CInstanceServer::IsListening() const
{
    return m_pServer->isListening();
}

QString CInstanceServer::FullServerName() const
{
    return m_pServer->fullServerName();
}

bool CInstanceServer::IsSameUser(QLocalSocket* pSocket)
{
#if defined(Q_OS_LINUX)
    struct ucred cred {};
    socklen_t nLen = sizeof(cred);
    if (::getsockopt(int(pSocket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &cred, &nLen) != 0)
        return false;
    return cred.uid == ::getuid();
#else
    Q_UNUSED(pSocket);
    return true;
#endif
}

void CInstanceServer::OnNewConnection()
{
    while (QLocalSocket* pSocket = m_pServer->nextPendingConnection()) {
        connect(pSocket, &QLocalSocket::disconnected, pSocket, &QObject::deleteLater);
        if (!IsSameUser(pSocket)) {
            pSocket->abort();
            pSocket->deleteLater();
            continue;
        }
        // A client that never finishes its line is dropped.
        QTimer::singleShot(REQUEST_TIMEOUT_MS, pSocket, [pSocket] { pSocket->abort(); });
        connect(pSocket, &QLocalSocket::readyRead, this, [this, pSocket] { OnReadyRead(pSocket); });
        if (pSocket->bytesAvailable() > 0)
            OnReadyRead(pSocket);
    }
}

void CInstanceServer::OnReadyRead(QLocalSocket* pSocket)
{
    QByteArray buffer = pSocket->property(kBuffer).toByteArray();
    buffer += pSocket->read(MAX_REQUEST + 1 - buffer.size());
    const qsizetype nEnd = buffer.indexOf('\n');
    if (nEnd < 0) {
        if (buffer.size() >= MAX_REQUEST) {
            pSocket->write("0\n");
            pSocket->disconnectFromServer();
        } else {
            pSocket->setProperty(kBuffer, buffer);
        }
        return;
    }
    // One request per connection; whatever follows the line is ignored.
    disconnect(pSocket, &QLocalSocket::readyRead, this, nullptr);
    const QByteArray line = buffer.left(nEnd);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString strPath = decoder(line);
    bool bAccepted = false;
    if (!decoder.hasError()) {
        if (strPath.isEmpty()) {
            bAccepted = true;
        } else if (CCommandLine::IsForwardablePath(strPath)) {
            bAccepted = true;
        }
    }
    pSocket->write(bAccepted ? "1\n" : "0\n");
    pSocket->flush();
    pSocket->disconnectFromServer();
    if (!bAccepted)
        return;
    if (strPath.isEmpty())
        Q_EMIT ActivateRequested();
    else
        Q_EMIT OpenRequested(strPath);
}

CInstanceServer::EForward CInstanceServer::Forward(const QString& strPath, const QString& strName,
                                                   int nTimeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(strName);
    if (!socket.waitForConnected(nTimeoutMs))
        return FORWARD_NO_SERVER;
    if (!strPath.isEmpty() && !CCommandLine::IsForwardablePath(strPath)) {
        socket.abort();
        return FORWARD_REFUSED;
    }
    socket.write(strPath.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(nTimeoutMs))
        return FORWARD_NO_SERVER;
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < 4) {
        if (!socket.waitForReadyRead(nTimeoutMs))
            break;
        answer += socket.read(4);
    }
    if (answer.startsWith("1\n"))
        return FORWARD_DELIVERED;
    return answer.startsWith("0\n") ? FORWARD_REFUSED : FORWARD_NO_SERVER;
}
