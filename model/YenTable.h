#pragma once

#include "model/Amount.h"

#include <vector>

// A read-only view of the document's exchange table as far as a line needs it: the
// base-currency value of an entry. Empty when amounts are shown in their own currency.
// Works with any entry type that has an Amount member m_nYen.
class CYenTable
{
public:
    CYenTable() = default;

    template <class Entry>
    static CYenTable Of(const std::vector<Entry>& table)
    {
        CYenTable view;
        view.m_pTable = &table;
        view.m_pfnLookup = [](const void* pTable, int nEntry, Amount& nYen) {
            const auto& entries = *static_cast<const std::vector<Entry>*>(pTable);
            if (nEntry < 0 || static_cast<std::size_t>(nEntry) >= entries.size())
                return false;
            nYen = entries[static_cast<std::size_t>(nEntry)].m_nYen;
            return true;
        };
        return view;
    }

    bool IsSet() const { return m_pfnLookup != nullptr; }
    // False when there is no table or the entry is out of range.
    bool Lookup(int nEntry, Amount& nYen) const
    {
        return m_pfnLookup != nullptr && m_pfnLookup(m_pTable, nEntry, nYen);
    }

private:
    const void* m_pTable = nullptr;
    bool (*m_pfnLookup)(const void*, int, Amount&) = nullptr;
};
