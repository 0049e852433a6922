#pragma once

#include <QString>

// Category attributes: they decide how a line's amounts act on balances, exchange
// pairing, budgets and totals.
enum : int {
    ATTR_REMARK = 0,           // 備考
    ATTR_INCOME = 1,           // 収入
    ATTR_EXPENSE = 2,          // 支出
    ATTR_ACCOUNT = 3,          // 貸借
    ATTR_EXCHANGE = 4,         // 両替
    ATTR_SPECIAL_INCOME = 5,   // 特別収入
    ATTR_SPECIAL_EXPENSE = 6,  // 特別支出
    ATTR_SPECIAL_ACCOUNT = 7,  // 特別貸借
    ATTR_CARRYOVER = 8,        // 繰越
    ATTR_BUDGET = 9,           // 予算
    ATTR_COUNT = 10,
};

// The fixed name of an attribute; values outside 0..9 give the name of ATTR_REMARK.
QString AttrName(int nAttr);
// Index of the first attribute whose name equals the text exactly; ATTR_COUNT when none.
int AttrFromName(const QString& strName);
