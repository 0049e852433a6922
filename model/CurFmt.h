#pragma once

#include "model/Amount.h"

#include <QString>

// One currency of a ledger: symbol, its placement, the decimals shown and a name.
class CCurFmt
{
public:
    // Placement of the symbol.
    enum : int {
        SYMBOL_BEFORE = 0,       // "?1.1"
        SYMBOL_AFTER = 1,        // "1.1?"
        SYMBOL_BEFORE_SPACE = 2, // "? 1.1"
        SYMBOL_AFTER_SPACE = 3,  // "1.1 ?"
    };
    static constexpr int MAX_DECIMALS = 4;

    CCurFmt() = default;
    // Decimals are clamped into 0..4; placement is SYMBOL_BEFORE.
    CCurFmt(const QString& strSymbol, int nDecimals, const QString& strName);

    // Amount text with this currency's symbol and thousands separators; with bFraction
    // the fraction follows the currency's decimals (two digits, four when needed).
    QString Format(Amount nValue, bool bFraction = true) const;

    bool operator==(const CCurFmt&) const = default;

    std::int32_t m_nDecimals = 2;
    std::int32_t m_nSymbolPos = SYMBOL_BEFORE;
    QString m_strSymbol;
    QString m_strName;
};
