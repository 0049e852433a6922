#include "platform/SettingsStore.h"

namespace {
QString g_strOverride;
}

std::unique_ptr<QSettings> CSettingsStore::Open()
{
    if (!g_strOverride.isEmpty())
        return std::make_unique<QSettings>(g_strOverride, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("KaedeYa"), QStringLiteral("Pennyfold"));
}

int CSettingsStore::GetInt(const QString& strSection, const QString& strKey, int nDefault)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    const QVariant value = pSettings->value(strKey);
    if (!value.isValid())
        return nDefault;
    // INI files and the registry hand numbers back as text or as numbers.
    bool bOk = false;
    const int n = value.toString().trimmed().toInt(&bOk, 10);
    return bOk ? n : nDefault;
}

QString CSettingsStore::GetString(const QString& strSection, const QString& strKey,
                                  const QString& strDefault)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    const QVariant value = pSettings->value(strKey);
    if (!value.isValid())
        return strDefault;
    return value.toString();
}

QByteArray CSettingsStore::GetBinary(const QString& strSection, const QString& strKey)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    return pSettings->value(strKey).toByteArray();
}

bool CSettingsStore::Contains(const QString& strSection, const QString& strKey)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    return pSettings->contains(strKey);
}

QStringList CSettingsStore::Keys(const QString& strSection)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    return pSettings->childKeys();
}

void CSettingsStore::SetInt(const QString& strSection, const QString& strKey, int nValue)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    pSettings->setValue(strKey, nValue);
}

void CSettingsStore::SetString(const QString& strSection, const QString& strKey,
                               const QString& strValue)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    pSettings->setValue(strKey, strValue);
}

void CSettingsStore::SetBinary(const QString& strSection, const QString& strKey,
                               const QByteArray& value)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    pSettings->setValue(strKey, value);
}

void CSettingsStore::Remove(const QString& strSection, const QString& strKey)
{
    auto pSettings = Open();
    pSettings->beginGroup(strSection);
    pSettings->remove(strKey);
}

void CSettingsStore::RemoveSection(const QString& strSection)
{
    auto pSettings = Open();
    pSettings->remove(strSection);
}

void CSettingsStore::SetFileOverride(const QString& strFile)
{
    g_strOverride = strFile;
}

QString CSettingsStore::FileOverride()
{
    return g_strOverride;
}
