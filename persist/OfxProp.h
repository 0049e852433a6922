#pragma once

#include <QString>

// The three categories that statement lines use, from the settings store's
// section "OfxProp" (read at every import, never written by the program).
class COfxProp
{
public:
    static constexpr int DEFAULT_BAL_MODE = 8;  // carry-over
    static constexpr int DEFAULT_BANK_MODE = 3; // account kept outside the purse
    static constexpr int DEFAULT_CARD_MODE = 3;
    static constexpr int MAX_NAME = 31;

    // The defaults.
    COfxProp();

    // The stored values; a missing value, an attribute code outside 0..9 or an
    // empty name takes its default; a name is cut to the 31 code units a
    // category name may have.
    static COfxProp Load();

    int m_nBalMode;
    QString m_strBalType;
    int m_nBankMode;
    QString m_strBankType;
    int m_nCardMode;
    QString m_strCardType;
};
