#pragma once

#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Receipt.h"

#include <QString>
#include <vector>

// The rules of the currency and category lists. Each check returns the number of the
// message to show, or 0 when the edit may go ahead.
class CListCheck
{
public:
    static constexpr int MAX_ENTRIES = 121;        // per list
    static constexpr int MAX_SYMBOL_LENGTH = 7;    // currency symbol
    static constexpr int MAX_CATEGORY_NAME = 31;   // category name

    // nSelf is the position of the entry being edited (its own value is no duplicate); -1 for a new one.
    static int CheckCurrencySymbol(const QString& strSymbol, const std::vector<CCurFmt>& curs, int nSelf);
    static int CheckCategoryName(const QString& strName, const std::vector<CCategory>& cats, int nSelf);
    static int CheckAddCurrency(int nCount);
    static int CheckAddCategory(int nCount);
    // bInUse: a ledger line or a line of the undo history refers to the entry.
    static int CheckDeleteCurrency(int nPos, bool bInUse);
    static int CheckDeleteCategory(int nPos, bool bInUse);

    // Characters a category name may not hold: space, U+3000, ",", "，", ";", "；".
    static bool IsForbiddenNameChar(QChar ch);

    static bool UsesCurrency(const CReceipt& line, int nCur);
    static bool UsesCategory(const CReceipt& line, int nCat); // main or counter
    static bool AnyUsesCurrency(const std::vector<CReceipt>& lines, int nCur);
    static bool AnyUsesCategory(const std::vector<CReceipt>& lines, int nCat);
};
