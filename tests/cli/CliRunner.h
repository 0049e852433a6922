#pragma once

#include "persist/LedgerData.h"
#include "persist/NativeFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

// The built command-line tool run as a user runs it, and the ledger files it is given.
namespace clirun {

struct SRun
{
    int nExit = -1;
    QString strOut;
    QString strErr;
    qint64 nMs = 0;
};

// Exit code -1 when the tool did not finish within a minute.
inline SRun Cli(const QStringList& args, const QString& strWorkDir = QString())
{
    QProcess p;
    if (!strWorkDir.isEmpty())
        p.setWorkingDirectory(strWorkDir);
    QElapsedTimer timer;
    timer.start();
    p.start(QStringLiteral(PENNYFOLD_CLI), args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()),
            timer.elapsed()};
}

// A native ledger file of the content in the folder.
inline QString WriteLedger(const QTemporaryDir& dir, const QString& strName, const CLedgerData& data)
{
    const QString strPath = dir.filePath(strName);
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(CNativeFile::Write(data, QString())) < 0)
        qWarning("could not write %s", qPrintable(strPath));
    return strPath;
}

} // namespace clirun
