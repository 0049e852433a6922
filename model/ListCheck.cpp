#include "model/ListCheck.h"

#include "platform/StringTable.h"

int CListCheck::CheckCurrencySymbol(const QString& strSymbol, const std::vector<CCurFmt>& curs, int nSelf)
{
    if (strSymbol.isEmpty())
        return IDS_CUR_SYMBOL_EMPTY;
    if (strSymbol.size() > MAX_SYMBOL_LENGTH)
        return IDS_CUR_SYMBOL_TOO_LONG;
    for (std::size_t n = 0; n < curs.size(); ++n) {
        if (int(n) != nSelf && curs[n].m_strSymbol == strSymbol)
            return IDS_CUR_SYMBOL_DUPLICATE;
    }
    return 0;
}

bool CListCheck::IsForbiddenNameChar(QChar ch)
{
    switch (ch.unicode()) {
    case u' ': case 0x3000: case u',': case u'，': case u';': case u'；':
        return true;
    default:
        return false;
    }
}

int CListCheck::CheckCategoryName(const QString& strName, const std::vector<CCategory>& cats, int nSelf)
{
    if (strName.isEmpty())
        return IDS_CAT_NAME_EMPTY;
    if (strName.size() > MAX_CATEGORY_NAME)
        return IDS_CAT_NAME_TOO_LONG;
    for (QChar ch : strName) {
        if (IsForbiddenNameChar(ch))
            return IDS_CAT_NAME_BAD_CHAR;
    }
    for (std::size_t n = 0; n < cats.size(); ++n) {
        if (int(n) != nSelf && cats[n].m_strName == strName)
            return IDS_CAT_NAME_DUPLICATE;
    }
    return 0;
}

// Adding is refused only once the list already holds more than 120 entries, so a
// list may reach 121.
int CListCheck::CheckAddCurrency(int nCount)
{
    return nCount > MAX_ENTRIES - 1 ? IDS_TOO_MANY_CURRENCIES : 0;
}

int CListCheck::CheckAddCategory(int nCount)
{
    return nCount > MAX_ENTRIES - 1 ? IDS_TOO_MANY_CATEGORIES : 0;
}

int CListCheck::CheckDeleteCurrency(int nPos, bool bInUse)
{
    if (nPos == 0)
        return IDS_CUR_BASE_UNDELETABLE;
    return bInUse ? IDS_CUR_IN_USE : 0;
}

int CListCheck::CheckDeleteCategory(int nPos, bool bInUse)
{
    if (nPos == 0)
        return IDS_CAT_REMARK_UNDELETABLE;
    return bInUse ? IDS_CAT_IN_USE : 0;
}

bool CListCheck::UsesCurrency(const CReceipt& line, int nCur)
{
    return line.m_nCur == nCur;
}

bool CListCheck::UsesCategory(const CReceipt& line, int nCat)
{
    return line.m_nCat == nCat || line.m_nCat2 == nCat;
}

bool CListCheck::AnyUsesCurrency(const std::vector<CReceipt>& lines, int nCur)
{
    for (const CReceipt& line : lines) {
        if (UsesCurrency(line, nCur))
            return true;
    }
    return false;
}

bool CListCheck::AnyUsesCategory(const std::vector<CReceipt>& lines, int nCat)
{
    for (const CReceipt& line : lines) {
        if (UsesCategory(line, nCat))
            return true;
    }
    return false;
}
