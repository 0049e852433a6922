#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The recent-file list: most recent first, at most four entries, stored as
// "Recent File List"/File1..File4.
class CRecentFileList
{
public:
    static constexpr int MAX_FILES = 4;
    static constexpr int MENU_NAME_LENGTH = 30;

    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

    // Moves (or puts) strPath at the top; paths that differ only in case on
    // a case-insensitive system are one entry there.
    void Add(const QString& strPath);
    void Remove(int nIndex);
    int Size() const { return int(m_files.size()); }
    bool IsEmpty() const { return m_files.isEmpty(); }
    QString At(int nIndex) const;
    const QStringList& Files() const { return m_files; }

    // The text of entry nIndex for the menu: the file name, shortened to
    // MENU_NAME_LENGTH characters with an ellipsis in the middle.
    QString MenuName(int nIndex) const;
    static QString ShortenName(const QString& strName, int nMax = MENU_NAME_LENGTH);
    // A path in at most nMax characters, the home folder as "~".
    static QString AbbreviatePath(const QString& strPath, const QString& strHome, int nMax = MENU_NAME_LENGTH);

    // The ledger to reopen at start: the most recent native ledger (.ldr or
    // .ccr), else the most recent entry of any kind; empty when the list is.
    QString ReopenCandidate() const;

private:
    QStringList m_files;
};
