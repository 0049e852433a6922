#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

// The per-user settings store under the maker key: one section per group
// ("Settings", "Style", "OfxProp", ...). On Windows it is the registry key of
// the maker; elsewhere Qt's native per-user file.
//
// Tests point the store at a file of their own with SetFileOverride, so that
// no test reads or writes the user's real settings.
class CSettingsStore
{
public:
    // The store, opened at the top level (no group). Each call opens it anew,
    // so that values written by another part of the program are seen.
    static std::unique_ptr<QSettings> Open();

    // A value of a section. A missing value, or one that is no number for
    // GetInt, gives the default.
    static int GetInt(const QString& strSection, const QString& strKey, int nDefault);
    static QString GetString(const QString& strSection, const QString& strKey,
                             const QString& strDefault);
    static QByteArray GetBinary(const QString& strSection, const QString& strKey);
    static bool Contains(const QString& strSection, const QString& strKey);
    static QStringList Keys(const QString& strSection);

    static void SetInt(const QString& strSection, const QString& strKey, int nValue);
    static void SetString(const QString& strSection, const QString& strKey, const QString& strValue);
    static void SetBinary(const QString& strSection, const QString& strKey, const QByteArray& value);
    static void Remove(const QString& strSection, const QString& strKey);
    static void RemoveSection(const QString& strSection);

    // Makes the store an INI file at strFile (tests); an empty path returns
    // to the per-user store.
    static void SetFileOverride(const QString& strFile);
    static QString FileOverride();
};

// Points the store at an INI file for the lifetime of a scope.
class CScopedSettingsFile
{
public:
    explicit CScopedSettingsFile(const QString& strFile)
        : m_strPrevious(CSettingsStore::FileOverride())
    {
        CSettingsStore::SetFileOverride(strFile);
    }
    ~CScopedSettingsFile() { CSettingsStore::SetFileOverride(m_strPrevious); }
    CScopedSettingsFile(const CScopedSettingsFile&) = delete;
    CScopedSettingsFile& operator=(const CScopedSettingsFile&) = delete;

private:
    QString m_strPrevious;
};
