#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QString>
#include <QTemporaryDir>

#include <unistd.h>

// A tiny file system of its own for tests that need a full disk: mounted
// over a temporary folder when the test runs as root and may mount, and
// unmounted again when it goes.
class CSmallTmpfs
{
public:
    explicit CSmallTmpfs(int nKilobytes)
    {
        if (!m_dir.isValid() || ::geteuid() != 0) {
            m_strWhyNot = QStringLiteral("a full file system needs root to mount a small tmpfs");
            return;
        }
        const int nExit = QProcess::execute(QStringLiteral("mount"),
                                            {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                             QStringLiteral("size=%1k,mode=0700").arg(nKilobytes),
                                             QStringLiteral("tmpfs"), m_dir.path()});
        if (nExit != 0) {
            m_strWhyNot = QStringLiteral("mount -t tmpfs failed here (no permission to mount in this environment)");
            return;
        }
        m_bMounted = true;
    }
    ~CSmallTmpfs()
    {
        if (m_bMounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }
    CSmallTmpfs(const CSmallTmpfs&) = delete;
    CSmallTmpfs& operator=(const CSmallTmpfs&) = delete;

    bool IsMounted() const { return m_bMounted; }
    const QString& WhyNot() const { return m_strWhyNot; }
    QString FilePath(const QString& strName) const { return m_dir.filePath(strName); }

    qint64 Free() const
    {
        QStorageInfo info(m_dir.path());
        info.refresh();
        return info.bytesAvailable();
    }

    // Fills the file system with a file of its own until nLeave bytes are free.
    bool LeaveFree(qint64 nLeave)
    {
        const qint64 nFill = Free() - nLeave;
        if (nFill < 0)
            return false;
        QFile filler(FilePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        return filler.write(QByteArray(nFill, 'f')) == nFill && filler.flush() && Free() == nLeave;
    }

private:
    QTemporaryDir m_dir;
    bool m_bMounted = false;
    QString m_strWhyNot;
};
