#include "persist/OfxTypeTable.h"

COfxTypeTable::COfxTypeTable(int nBankCat) : m_nBankCat(nBankCat)
{
    for (const char* p : {"DEP", "DEBIT", "PAYMENT", "DIRECTDEP", "OTHER"})
        m_types.insert(QString::fromLatin1(p), nBankCat);
}

int COfxTypeTable::Lookup(const QString& strType)
{
    auto it = m_types.constFind(strType);
    if (it != m_types.constEnd())
        return it.value();
    m_types.insert(strType, m_nBankCat);
    return m_nBankCat;
}
