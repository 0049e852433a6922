#include "dialogs/AssistFilter.h"

int CAssistFilter::Normalized(int nFilter)
{
    if (nFilter < FILTER_ALL || nFilter > FILTER_MAX)
        return FILTER_NONE;
    return nFilter == FILTER_PAREN ? FILTER_ALL : nFilter;
}

int CAssistFilter::EntryOf(int nFilter)
{
    nFilter = Normalized(nFilter);
    return nFilter < 0 ? -1 : (nFilter & ~int(FILTER_PAREN));
}

bool CAssistFilter::ParenOf(int nFilter)
{
    nFilter = Normalized(nFilter);
    return nFilter > 0 && (nFilter & FILTER_PAREN) != 0;
}

int CAssistFilter::ForEntry(int nEntry)
{
    return nEntry < 0 || nEntry >= FILTER_PAREN ? FILTER_NONE : nEntry;
}

int CAssistFilter::ForToggle(int nFilter, int nEntry, bool bOn)
{
    if (nEntry <= 0 || nEntry >= FILTER_PAREN)
        return Normalized(nFilter);
    return nEntry | (bOn ? int(FILTER_PAREN) : 0);
}

bool CAssistFilter::Includes(const CRecItem& item, int nFilter)
{
    nFilter = Normalized(nFilter);
    if (nFilter < 0)
        return false;
    if (nFilter == FILTER_ALL)
        return true;
    const std::uint32_t nKey = std::uint32_t(nFilter - 1);
    // Use entries ascend by key: the first one at or above the key decides.
    for (std::uint32_t nUse : item.m_uses) {
        const std::uint32_t nUseKey = CRecItem::UseKey(nUse);
        if (nUseKey >= nKey)
            return nUseKey == nKey;
    }
    return false;
}

std::vector<int> CAssistFilter::Filter(const std::vector<CRecItem>& items, int nFilter)
{
    nFilter = Normalized(nFilter);
    std::vector<int> positions;
    if (nFilter < 0)
        return positions;
    if (nFilter == FILTER_ALL) {
        positions.resize(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            positions[i] = int(i);
        return positions;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (Includes(items[i], nFilter))
            positions.push_back(int(i));
    }
    return positions;
}
