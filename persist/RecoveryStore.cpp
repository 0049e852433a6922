#include "persist/RecoveryStore.h"

#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "persist/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <algorithm>

namespace {

constexpr int kInfoVersion = 1;
constexpr qsizetype kMaxKey = 64;

const QString& LedgerSuffix()
{
    static const QString s = QStringLiteral(".ldr");
    return s;
}

const QString& InfoSuffix()
{
    static const QString s = QStringLiteral(".info");
    return s;
}

bool WriteWhole(const QString& strPath, const QByteArray& bytes)
{
    return CSafeFile::Write(strPath, bytes);
}

// A lock held for the life of a process: only a dead owner, never age, makes it stale.
std::unique_ptr<QLockFile> TryLock(const QString& strPath)
{
    auto pLock = std::make_unique<QLockFile>(strPath);
    pLock->setStaleLockTime(0);
    if (!pLock->tryLock(0))
        return nullptr;
    return pLock;
}

} // namespace

CRecoveryStore::CRecoveryStore(const QString& strRoot)
    : m_strRoot(QDir::cleanPath(QDir(strRoot).absolutePath())), m_strId(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (!QDir().mkpath(m_strRoot))
        return;
    // The lock comes first: a folder without a held lock must mean a dead owner.
    std::unique_ptr<QLockFile> pLock = TryLock(LockPath(m_strId));
    if (!pLock)
        return;
    // Copies of ledgers are for the user's eyes only.
    if (!QDir(m_strRoot).mkdir(m_strId, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return;
    m_pOwnLock = std::move(pLock);
}

CRecoveryStore::~CRecoveryStore() = default;

QString CRecoveryStore::Folder() const
{
    return m_strRoot + QLatin1Char('/') + m_strId;
}

QString CRecoveryStore::LockPath(const QString& strId) const
{
    return m_strRoot + QLatin1Char('/') + strId + QStringLiteral(".lock");
}

QString CRecoveryStore::FilePath(const QString& strKey) const
{
    return Folder() + QLatin1Char('/') + strKey + LedgerSuffix();
}

QString CRecoveryStore::InfoPath(const QString& strKey) const
{
    return Folder() + QLatin1Char('/') + strKey + InfoSuffix();
}

bool CRecoveryStore::IsValidKey(const QString& strKey)
{
    if (strKey.isEmpty() || strKey.size() > kMaxKey)
        return false;
    return std::all_of(strKey.begin(), strKey.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-'
               || c == u'_';
    });
}

bool CRecoveryStore::Save(CCofferDoc& doc, const QString& strKey)
{
    if (!IsReady() || !IsValidKey(strKey))
        return false;
    const QByteArray bytes = CDocumentFile::NativeBytes(doc);
    const QJsonObject info{
        {QStringLiteral("version"), kInfoVersion},
        {QStringLiteral("path"), doc.GetPathName()},
        {QStringLiteral("title"), doc.GetTitle()},
    };
    // The sidecar goes last: until it is there, a first copy is not listed.
    return !bytes.isEmpty() && WriteWhole(FilePath(strKey), bytes)
           && WriteWhole(InfoPath(strKey), QJsonDocument(info).toJson(QJsonDocument::Compact));
}

void CRecoveryStore::Remove(const QString& strKey)
{
    if (!IsReady() || !IsValidKey(strKey))
        return;
    QFile::remove(InfoPath(strKey));
    QFile::remove(FilePath(strKey));
}

void CRecoveryStore::RemoveAll()
{
    if (!IsReady())
        return;
    QDir(Folder()).removeRecursively();
    m_pOwnLock.reset();
}

bool CRecoveryStore::ReadInfo(const QString& strInfo, CEntry& entry)
{
    QFile file(strInfo);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(MaxInfoSize + 1);
    if (bytes.isEmpty() || bytes.size() > MaxInfoSize)
        return false;
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return false;
    const QJsonObject info = json.object();
    const QJsonValue version = info.value(QStringLiteral("version"));
    const QJsonValue path = info.value(QStringLiteral("path"));
    const QJsonValue title = info.value(QStringLiteral("title"));
    if (version.toInt(-1) != kInfoVersion || !path.isString() || !title.isString() || title.toString().isEmpty())
        return false;
    entry.m_strOriginalPath = path.toString();
    entry.m_strTitle = title.toString();
    return true;
}

QList<CRecoveryStore::CEntry> CRecoveryStore::Leftovers()
{
    QList<CEntry> entries;
    const QStringList ids = QDir(m_strRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString& strId : ids) {
        if (strId == m_strId)
            continue;
        if (m_claimed.find(strId) == m_claimed.end()) {
            std::unique_ptr<QLockFile> pLock = TryLock(LockPath(strId));
            if (!pLock)
                continue; // its owner is alive
            m_claimed.emplace(strId, std::move(pLock));
        }
        const QDir dir(m_strRoot + QLatin1Char('/') + strId);
        // Half-written copies of a process killed while saving; they would keep the folder forever.
        for (const QString& strName : dir.entryList({QStringLiteral("*.pfsave-*")}, QDir::Files | QDir::Hidden)) {
            if (strName.size() > CSafeFile::LeftoverTailSize
                && CSafeFile::IsLeftoverOf(strName.chopped(CSafeFile::LeftoverTailSize), strName))
                QFile::remove(dir.filePath(strName));
        }
        const QStringList infos = dir.entryList({QLatin1Char('*') + InfoSuffix()}, QDir::Files, QDir::Name);
        for (const QString& strName : infos) {
            const QString strKey = strName.chopped(InfoSuffix().size());
            if (!IsValidKey(strKey))
                continue;
            CEntry entry;
            entry.m_strOwner = strId;
            entry.m_strFile = dir.filePath(strKey + LedgerSuffix());
            entry.m_strInfo = dir.filePath(strName);
            const QFileInfo file(entry.m_strFile);
            if (!file.isFile() || !ReadInfo(entry.m_strInfo, entry))
                continue;
            entry.m_time = file.lastModified();
            entries.append(entry);
        }
        ReleaseIfEmpty(strId);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CEntry& a, const CEntry& b) { return a.m_time < b.m_time; });
    return entries;
}

bool CRecoveryStore::IsClaimed(const CEntry& entry) const
{
    if (entry.m_strOwner.isEmpty() || m_claimed.find(entry.m_strOwner) == m_claimed.end())
        return false;
    const QString strDir = m_strRoot + QLatin1Char('/') + entry.m_strOwner;
    return QFileInfo(entry.m_strFile).absolutePath() == strDir && QFileInfo(entry.m_strInfo).absolutePath() == strDir;
}

bool CRecoveryStore::Discard(const CEntry& entry)
{
    if (!IsClaimed(entry))
        return false;
    QFile::remove(entry.m_strInfo);
    QFile::remove(entry.m_strFile);
    const bool bGone = !QFileInfo::exists(entry.m_strInfo) && !QFileInfo::exists(entry.m_strFile);
    ReleaseIfEmpty(entry.m_strOwner);
    return bGone;
}

bool CRecoveryStore::TakeOver(const CEntry& entry, const QString& strKey)
{
    if (!IsReady() || !IsValidKey(strKey) || !IsClaimed(entry))
        return false;
    const QString strFile = FilePath(strKey);
    const QString strInfo = InfoPath(strKey);
    QFile::remove(strInfo);
    QFile::remove(strFile);
    if (!QFile::rename(entry.m_strFile, strFile))
        return false;
    if (!QFile::rename(entry.m_strInfo, strInfo)) {
        QFile::rename(strFile, entry.m_strFile);
        return false;
    }
    ReleaseIfEmpty(entry.m_strOwner);
    return true;
}

void CRecoveryStore::ReleaseIfEmpty(const QString& strId)
{
    // rmdir refuses a folder that still holds something, such as a copy that could not be read.
    if (QDir(m_strRoot).rmdir(strId))
        m_claimed.erase(strId);
}
