#include "persist/OfxProp.h"

#include "model/CategoryAttr.h"
#include "platform/SettingsStore.h"

namespace {

const QString g_strSection = QStringLiteral("OfxProp");

int LoadMode(const QString& strKey, int nDefault)
{
    const int n = CSettingsStore::GetInt(g_strSection, strKey, nDefault);
    return (n >= 0 && n < ATTR_COUNT) ? n : nDefault;
}

// Category names are at most 31 code units; an empty name is no name at all.
QString LoadName(const QString& strKey, const QString& strDefault)
{
    QString str = CSettingsStore::GetString(g_strSection, strKey, strDefault);
    if (str.isEmpty())
        return strDefault;
    if (str.size() > COfxProp::MAX_NAME) {
        qsizetype n = COfxProp::MAX_NAME;
        if (str.at(n - 1).isHighSurrogate() && str.at(n).isLowSurrogate())
            --n;
        str.truncate(n);
    }
    return str;
}

} // namespace

COfxProp::COfxProp()
    : m_nBalMode(DEFAULT_BAL_MODE),
      m_strBalType(QStringLiteral("繰越")),
      m_nBankMode(DEFAULT_BANK_MODE),
      m_strBankType(QStringLiteral("預貯金")),
      m_nCardMode(DEFAULT_CARD_MODE),
      m_strCardType(QStringLiteral("借入"))
{
}

COfxProp COfxProp::Load()
{
    COfxProp prop;
    prop.m_nBalMode = LoadMode(QStringLiteral("BalMode"), DEFAULT_BAL_MODE);
    prop.m_strBalType = LoadName(QStringLiteral("BalType"), prop.m_strBalType);
    prop.m_nBankMode = LoadMode(QStringLiteral("BankMode"), DEFAULT_BANK_MODE);
    prop.m_strBankType = LoadName(QStringLiteral("BankType"), prop.m_strBankType);
    prop.m_nCardMode = LoadMode(QStringLiteral("CardMode"), DEFAULT_CARD_MODE);
    prop.m_strCardType = LoadName(QStringLiteral("CardType"), prop.m_strCardType);
    return prop;
}
