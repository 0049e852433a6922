#pragma once

#include "model/Amount.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/PackedDate.h"
#include "summary/GraphScale.h"

#include <QString>

#include <cstdint>
#include <vector>

class CCofferDoc;
class CSumSource;

// What the graph draws for one column, currency, period mode and period date: a value
// per period (for an attribute the net of its categories, stacked from their positive
// and negative parts), the running average, the budget series and the amount axis.
//
// The view keeps the column index, the currency and the user scale between updates;
// Compute reads the ledger again and brings them within what it holds.
class CGraphSeries
{
public:
    // 23 colours as 0xRRGGBB; stacked category i is drawn in colour i mod 23.
    static constexpr int PALETTE_SIZE = 23;
    static std::uint32_t PaletteColor(int nIndex);

    CGraphSeries() = default;

    // The column keys of the graph (no date column) and the index a new view shows:
    // the first 支出 subtotal (key 2), else 0.
    static std::vector<std::uint32_t> ColumnKeys(const std::vector<CCategory>& cats);
    static int DefaultColumn(const std::vector<std::uint32_t>& keys);

    // The column that shows nOldKey after the categories moved (table: former position ->
    // new position); 0 when the key is no longer a column.
    static int ColumnAfterRemap(int nOldKey, const std::vector<std::int32_t>& table,
                                const std::vector<std::uint32_t>& newKeys);

    // Recomputes from the ledger. A column index beyond the keys shows column 0; a currency
    // outside the list currency 0; a mode outside 0..3 PERIOD_MONTH. The period date is
    // brought within the ledger's first and last dates. bSpecified takes userScale instead
    // of the automatic axis.
    void Compute(const CSumSource& src, const std::vector<CCurFmt>& curs, int nColumn, int nCur, int nMode,
                 PackedDate period, bool bSpecified, const CGraphScale& userScale);
    void Compute(const CCofferDoc& doc, int nColumn, int nCur, int nMode, PackedDate period, bool bSpecified,
                 const CGraphScale& userScale);

    // Round half away from zero to the currency's smallest unit: the average of nSum over nCount.
    static Amount RoundedAverage(__int128 nSum, std::int64_t nCount, int nDecimals);

    int GetMode() const { return m_nMode; }
    int GetCurrency() const { return m_nCur; }
    PackedDate GetPeriodDate() const { return m_period; }
    PackedDate GetFirstDate() const { return m_firstDate; }
    const CCurFmt& GetCurrencyFormat() const { return m_curFmt; }
    const std::vector<std::uint32_t>& GetColumnKeys() const { return m_keys; }
    int GetColumn() const { return m_nColumn; }
    // The shown key; -1 while there are no columns.
    int GetKey() const;
    bool IsAttribute() const { return GetKey() >= 0 && GetKey() < 10; }
    QString GetTitle() const { return m_strTitle; }

    // n: the periods (the summary's rows less its total row).
    int GetPeriodCount() const { return int(m_values.size()); }
    const std::vector<Amount>& GetValues() const { return m_values; }
    const std::vector<Amount>& GetAverages() const { return m_averages; }
    // One budget per period (0 without one).
    const std::vector<Amount>& GetBudget() const { return m_budget; }
    bool HasBudget() const { return m_bHasBudget; }
    Amount GetTotal() const { return m_nTotal; }
    // Largest and smallest of values, stacked parts and budgets; 0 is always within.
    Amount GetMax() const { return m_nMax; }
    Amount GetMin() const { return m_nMin; }

    // For an attribute: the category keys stacked, in category order, their names, and
    // the entry of stacked key s in period w.
    const std::vector<std::uint32_t>& GetStackedKeys() const { return m_stacked; }
    QString GetStackedName(int s) const;
    Amount GetStackedValue(int w, int s) const;

    const CGraphScale& GetScale() const { return m_scale; }

    // The label of period w as the tooltip names it: "5日", "3月", "2026年", "2026年Ⅳ".
    QString PeriodLabel(int w) const;
    // The calendar year of period w in PERIOD_ALL and PERIOD_QUARTER, and its quarter 0..3.
    int PeriodYear(int w) const;
    int PeriodQuarter(int w) const;

private:
    int m_nMode = 0;
    int m_nCur = 0;
    int m_nColumn = 0;
    PackedDate m_period = 0;
    PackedDate m_firstDate = 0;
    CCurFmt m_curFmt;
    QString m_strTitle;
    std::vector<std::uint32_t> m_keys;
    std::vector<Amount> m_values;
    std::vector<Amount> m_averages;
    std::vector<Amount> m_budget;
    bool m_bHasBudget = false;
    Amount m_nTotal = 0;
    Amount m_nMax = 0;
    Amount m_nMin = 0;
    std::vector<std::uint32_t> m_stacked;
    std::vector<QString> m_stackedNames;
    // Period-major: entry (w, s) at w * stacked count + s.
    std::vector<Amount> m_stackedValues;
    CGraphScale m_scale;
};
