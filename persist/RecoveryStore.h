#pragma once

#include <QDateTime>
#include <QList>
#include <QLockFile>
#include <QString>

#include <map>
#include <memory>

class CCofferDoc;

// Copies of unsaved ledgers that outlive the process that made them.
//
// Under the root folder every running process owns a subfolder <id>/ and holds
// the lock file <id>.lock beside it for as long as it runs; the lock is taken
// before the folder exists, so a folder whose lock nobody holds belongs to a
// process that has ended without cleaning up. An entry is two files under one
// key: <key>.ldr, the ledger in the native form (enciphered when the ledger has
// a password), and <key>.info, naming where the ledger belongs.
//
// Files of another process are touched only after its lock has been taken over,
// so two programs starting at once never restore the same ledger twice.
class CRecoveryStore
{
public:
    struct CEntry
    {
        QString m_strOwner;        // the subfolder's id
        QString m_strFile;         // the ledger copy
        QString m_strInfo;         // its sidecar
        QString m_strOriginalPath; // empty for a ledger never saved
        QString m_strTitle;
        QDateTime m_time;          // when the copy was written
    };

    // Largest sidecar read; anything bigger is not one of ours.
    static constexpr qint64 MaxInfoSize = 64 * 1024;

    explicit CRecoveryStore(const QString& strRoot);
    ~CRecoveryStore();
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;

    // False when the root cannot hold a folder of this process (then nothing is kept).
    bool IsReady() const { return m_pOwnLock != nullptr; }
    const QString& Root() const { return m_strRoot; }
    // This process's subfolder.
    QString Folder() const;

    // Keys are file-name safe: letters, digits, '-' and '_'.
    static bool IsValidKey(const QString& strKey);

    // Writes the document's copy under key with its path and title, replacing an
    // older copy; each file is written in full or not at all.
    bool Save(CCofferDoc& doc, const QString& strKey);
    void Remove(const QString& strKey);
    // The clean end: this process's folder and lock go; the store keeps nothing more.
    void RemoveAll();

    // The entries of processes that ended without cleaning up, oldest first.
    // Their folders stay claimed by this store until emptied or until it goes.
    QList<CEntry> Leftovers();
    // Deletes an entry listed by Leftovers.
    bool Discard(const CEntry& entry);
    // Moves an entry listed by Leftovers into this process's folder under strKey,
    // where it is kept as this process's own copy.
    bool TakeOver(const CEntry& entry, const QString& strKey);

private:
    QString LockPath(const QString& strId) const;
    QString FilePath(const QString& strKey) const;
    QString InfoPath(const QString& strKey) const;
    bool IsClaimed(const CEntry& entry) const;
    // Reads one sidecar; false for anything that is not a well-formed one.
    static bool ReadInfo(const QString& strInfo, CEntry& entry);
    // A claimed folder with nothing left in it is removed and its lock let go.
    void ReleaseIfEmpty(const QString& strId);

    QString m_strRoot;
    QString m_strId;
    std::unique_ptr<QLockFile> m_pOwnLock;
    std::map<QString, std::unique_ptr<QLockFile>> m_claimed;
};
