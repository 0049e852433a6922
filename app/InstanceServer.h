#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// The channel through which a second start hands a file to the running
// instance. The socket is reachable by this user only; a request is one line
// of UTF-8 (a path, or empty to bring the window forward), answered with
// "1\n" when accepted and "0\n" when refused. Only absolute paths of bounded
// length are accepted; anything longer, malformed or slow is dropped.
class CInstanceServer : public QObject
{
    Q_OBJECT

public:
    enum EForward { FORWARD_DELIVERED, FORWARD_REFUSED, FORWARD_NO_SERVER };

    // Bytes of a request line, the newline included.
    static constexpr int MAX_REQUEST = 4 * 4096 + 1;
    static constexpr int REQUEST_TIMEOUT_MS = 5000;

    explicit CInstanceServer(QObject* pParent = nullptr);
    ~CInstanceServer() override;

    // The per-user server name.
    static QString DefaultName();

    // Starts listening unless another live instance already does. A socket
    // left behind by an ended instance is replaced.
    bool Listen(const QString& strName = DefaultName());
    bool IsListening() const;
    QString FullServerName() const;

    // Sends strPath (empty: just activate) to the instance listening on
    // strName; waits at most nTimeoutMs for each step.
    static EForward Forward(const QString& strPath, const QString& strName = DefaultName(),
                            int nTimeoutMs = 3000);

Q_SIGNALS:
    void OpenRequested(const QString& strPath);
    void ActivateRequested();

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* pSocket);
    static bool IsSameUser(QLocalSocket* pSocket);

    QLocalServer* m_pServer;
};
