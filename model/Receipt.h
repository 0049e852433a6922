#pragma once

#include "model/Amount.h"
#include "model/Category.h"
#include "model/ColumnKind.h"
#include "model/CurFmt.h"
#include "model/DescToken.h"
#include "model/PackedDate.h"
#include "model/YenTable.h"

#include <QString>
#include <cstdint>
#include <vector>

// One line of the cash book. A plain value type: the document keeps its lines in a
// std::vector and recomputes the computed fields after every change.
class CReceipt
{
public:
    // Flag bits of m_nFlags. Bits 0-7 are stored in the file; the rest are recomputed.
    enum : std::int32_t {
        RF_STORED_MASK = 0xFF,
        RF_RAW_TEXT = 0x80,            // holds the raw text of an unreadable import line (4137)
        RF_DATE_REVERSED = 0x100,      // earlier than the previous line (4135)
        RF_BALANCE_MISMATCH = 0x200,   // carry-over balance differs from the computed one (4134)
        RF_BUDGET_UNKNOWN = 0x400,     // budget line naming no income or expense category (4136)
        RF_BUDGET_TWICE = 0x800,       // budget already set for that category, currency and month (4138)
        RF_EXCHANGE_UNPAIRED = 0x1000, // exchange line without partner (4141)
        RF_ERROR_MASK = 0x1F80,
        RF_SAME_MONTH = 0x10000,       // same month as the previous line, another day
        RF_NEW_MONTH = 0x20000,        // first line, or another month than the previous line
        RF_AMOUNT1_COUNTS = 0x1000000, // amount 1 counts towards the balance
        RF_AMOUNT2_COUNTS = 0x2000000, // amount 2 counts towards the balance
    };

    // Presence codes of GetAmount.
    enum : std::uint32_t {
        AMOUNT_ABSENT = 0,
        AMOUNT_PRESENT = 0x40000000u,
        AMOUNT_CONVERTED = 0x80000000u, // or-ed with the exchange entry number
    };

    // Results of Match.
    enum : int {
        MATCH_NONE = 0,
        MATCH_MAIN = 1,
        MATCH_COUNTER = 2,
        MATCH_ANY = 3,
    };

    CReceipt() = default;
    void Reset() { *this = CReceipt(); }
    void Copy(const CReceipt& src) { *this = src; }

    // Every field, the computed ones included.
    bool operator==(const CReceipt&) const = default;

    // The amount column an attribute's amounts belong to (COL_BALANCE for carry-over).
    static int HomeColumn(int nAttr);
    // The attribute of a category position; ATTR_REMARK for a position outside the list.
    static int AttrOf(int nCat, const std::vector<CCategory>& cats);
    // Column in which an amount of a category shows: the home column, with in and out
    // swapped by the amount's sign.
    static int AmountColumn(int nCat, Amount nValue, const std::vector<CCategory>& cats);

    bool HasCounter() const { return m_nCat2 != 0; }
    // Column of amount 1, and of amount 2 (COL_NONE for a zero amount 2 without counter category).
    int Amount1Column(const std::vector<CCategory>& cats) const;
    int Amount2Column(const std::vector<CCategory>& cats) const;

    // The value of a cell kind; returns AMOUNT_ABSENT, AMOUNT_PRESENT, or AMOUNT_CONVERTED | entry
    // when a yen table is given and the amount has an exchange entry. COL_OUT values are negated.
    std::uint32_t GetAmount(int nKind, const std::vector<CCategory>& cats, Amount& nValue,
                            const CYenTable& yen = CYenTable()) const;

    // The register's text of a cell kind.
    QString GetColumnText(int nKind, const std::vector<CCurFmt>& curs, const std::vector<CCategory>& cats,
                          bool bSymbol, const CYenTable& yen = CYenTable()) const;

    // Writing one cell; false leaves the line unchanged.
    bool SetColumnText(int nKind, const QString& strText, const std::vector<CCategory>& cats);
    bool SetAmount(int nKind, Amount nValue, const std::vector<CCategory>& cats, bool bAllowSwitch);
    bool ClearColumn(int nKind, const std::vector<CCategory>& cats);
    // Pasting one cell of another line into a cell of this line.
    bool SetColumnFromLine(int nKind, int nSrcKind, const CReceipt& src, const std::vector<CCurFmt>& curs,
                           const std::vector<CCategory>& cats);

    // The description's items and separators, in order (no terminating token).
    void Tokenize(std::vector<CDescToken>& tokens) const;
    std::vector<CDescToken> Tokenize() const;

    // Whether the line matches a search: nCur < 0 and nCat < 0 mean any currency or category.
    // Returns MATCH_NONE, MATCH_MAIN, MATCH_COUNTER or MATCH_ANY.
    int Match(int nCur, int nCat, const QString& strText, bool bWholeItem) const;

    PackedDate m_date = 0;
    std::int32_t m_nFlags = 0;
    std::uint8_t m_nCur = 0;
    std::uint8_t m_nCat = 0;
    std::uint8_t m_nCat2 = 0; // 0 = no counter category
    std::int32_t m_nExchg = -1;  // computed
    std::int32_t m_nExchg2 = -1; // computed
    // Computed: the category a budget line budgets, -1 none. Never stored, never written to m_nCat2.
    std::int32_t m_nBudgetCat = -1;
    Amount m_nAmount = 0;
    Amount m_nAmount2 = 0;
    Amount m_nBalance = 0; // computed
    QString m_strDesc;
    // The amount text as last typed in the record dialog; not stored in the file.
    QString m_strInput;

private:
    void SetCategoryAmounts();
};
