#include "persist/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <algorithm>
#include <utility>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <unistd.h>
#else
#include <filesystem>
#include <system_error>
#endif

namespace {

constexpr QLatin1StringView kMark(".pfsave-");
constexpr qsizetype kRandomChars = 6;
static_assert(kMark.size() + kRandomChars == CSafeFile::LeftoverTailSize);
constexpr int kCreateAttempts = 64;
// Pieces small enough that a failing write is noticed early, large enough
// that a million lines need few calls.
constexpr qsizetype kPiece = qsizetype(1) << 20;

CSafeFile::DeviceHook& Hook()
{
    static CSafeFile::DeviceHook hook;
    return hook;
}

bool IsRandomChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

QString RandomSuffix()
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString str(kRandomChars, Qt::Uninitialized);
    for (QChar& c : str)
        c = QLatin1Char(kChars[QRandomGenerator::global()->bounded(int(sizeof(kChars) - 1))]);
    return str;
}

// The file the bytes belong in: a symbolic link is followed, so that the
// link stays a link and its target gets the new contents.
QString FinalPath(const QString& strPath)
{
    const QFileInfo info(strPath);
    if (info.isSymLink()) {
        const QString strTarget = info.symLinkTarget();
        if (!strTarget.isEmpty())
            return strTarget;
    }
    return info.absoluteFilePath();
}

bool RenameOver(const QString& strFrom, const QString& strTo)
{
#ifdef Q_OS_UNIX
    // rename() replaces the target in one step; QFile::rename refuses an existing target.
    return std::rename(QFile::encodeName(strFrom).constData(), QFile::encodeName(strTo).constData()) == 0;
#else
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(strFrom.toStdWString()), std::filesystem::path(strTo.toStdWString()),
                            error);
    return !error;
#endif
}

bool SyncToDisk(QFile& file)
{
#ifdef Q_OS_UNIX
    // A file system may report a full disk or a failed device only here.
    return ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

// Creates the temporary file beside strFinal, with the target's permissions
// when it exists and the ordinary ones for a new file otherwise.
bool CreateTemporary(const QString& strFinal, QFile& file)
{
    const QFileInfo final(strFinal);
    const bool bExists = final.exists();
    const QFileDevice::Permissions perms =
        bExists ? final.permissions()
                : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                      | QFileDevice::ReadOther | QFileDevice::WriteOther;
    const QString strBase = final.absolutePath() + QLatin1Char('/') + final.fileName() + kMark;
    for (int i = 0; i < kCreateAttempts; ++i) {
        file.setFileName(strBase + RandomSuffix());
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered, perms)) {
            // The umask may have taken bits the old file had.
            if (bExists)
                file.setPermissions(perms);
            return true;
        }
        if (!QFileInfo::exists(file.fileName()))
            return false; // not a name clash: the folder refuses new files
    }
    return false;
}

} // namespace

CSafeFile::DeviceHook CSafeFile::SetDeviceHook(DeviceHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

bool CSafeFile::WriteAll(QIODevice& device, QByteArrayView bytes)
{
    const char* p = bytes.data();
    qsizetype nLeft = bytes.size();
    while (nLeft > 0) {
        const qint64 nWritten = device.write(p, std::min(nLeft, kPiece));
        if (nWritten <= 0 || nWritten > nLeft)
            return false;
        p += nWritten;
        nLeft -= qsizetype(nWritten);
    }
    if (auto* pFile = qobject_cast<QFileDevice*>(&device)) {
        if (!pFile->flush() || pFile->error() != QFileDevice::NoError)
            return false;
    }
    return true;
}

bool CSafeFile::Write(const QString& strPath, QByteArrayView bytes)
{
    if (strPath.isEmpty())
        return false;
    const QString strFinal = FinalPath(strPath);
    QFile file;
    if (!CreateTemporary(strFinal, file))
        return false;
    bool bOk;
    {
        std::unique_ptr<QIODevice> pDevice = Hook() ? Hook()(file) : nullptr;
        bOk = WriteAll(pDevice ? *pDevice : static_cast<QIODevice&>(file), bytes);
    }
    bOk = bOk && file.flush() && file.error() == QFileDevice::NoError && SyncToDisk(file);
    file.close();
    bOk = bOk && file.error() == QFileDevice::NoError;
    if (!bOk || !RenameOver(file.fileName(), strFinal)) {
        QFile::remove(file.fileName());
        return false;
    }
    RemoveLeftovers(strFinal);
    return true;
}

bool CSafeFile::IsLeftoverOf(const QString& strTargetName, const QString& strName)
{
    const qsizetype nPrefix = strTargetName.size() + kMark.size();
    if (strTargetName.isEmpty() || strName.size() != nPrefix + kRandomChars || !strName.startsWith(strTargetName)
        || QStringView(strName).sliced(strTargetName.size(), kMark.size()) != kMark)
        return false;
    const QStringView suffix = QStringView(strName).sliced(nPrefix);
    return std::all_of(suffix.begin(), suffix.end(), IsRandomChar);
}

int CSafeFile::RemoveLeftovers(const QString& strPath)
{
    const QFileInfo final(FinalPath(strPath));
    const QDir dir = final.absoluteDir();
    const QString strTargetName = final.fileName();
    // The filter holds no part of the ledger's name, whose brackets or stars would be wildcards.
    const QStringList names = dir.entryList({QLatin1Char('*') + kMark + QLatin1Char('*')},
                                            QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    int nRemoved = 0;
    for (const QString& strName : names) {
        if (IsLeftoverOf(strTargetName, strName) && QFile::remove(dir.filePath(strName)))
            ++nRemoved;
    }
    return nRemoved;
}
