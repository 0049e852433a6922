#pragma once

#include "model/Amount.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Receipt.h"

#include <cstdint>
#include <vector>

// The register's private clipboard data as it was copied: the shape, the grab offsets,
// the copied columns' layout entries, the lines with their balances and the currencies
// and categories they use, with their positions in the source ledger.
struct CRegClipData
{
    std::int32_t m_nCols = 0; // W: columns, -1 for whole rows
    std::int32_t m_nRows = 0; // H: lines
    std::int32_t m_nGrabCol = 0;
    std::int32_t m_nGrabRow = 0;
    std::vector<std::uint32_t> m_columns;
    std::vector<CReceipt> m_lines;
    std::vector<Amount> m_balances;
    std::vector<std::uint32_t> m_curIndices;
    std::vector<CCurFmt> m_curs;
    std::vector<std::uint32_t> m_catIndices;
    std::vector<CCategory> m_cats;
};
