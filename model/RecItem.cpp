#include "model/RecItem.h"

#include <algorithm>

namespace {

std::uint32_t AddCounts(std::uint32_t nUse, std::uint32_t nCount)
{
    const std::uint32_t nSum = std::min<std::uint32_t>(CRecItem::UseCount(nUse) + nCount, CRecItem::USE_COUNT_MAX);
    return (nUse & CRecItem::USE_FLAGS_MASK) | (nSum << 16);
}

} // namespace

std::uint32_t CRecItem::CountOf(std::uint32_t nKey) const
{
    for (std::uint32_t nUse : m_uses) {
        if (UseKey(nUse) == nKey)
            return UseCount(nUse);
    }
    return 0;
}

void CRecItem::AddUse(std::uint32_t nFlags)
{
    const std::uint32_t nKey = nFlags & USE_KEY_MASK;
    auto it = std::find_if(m_uses.begin(), m_uses.end(), [nKey](std::uint32_t nUse) { return UseKey(nUse) >= nKey; });
    if (it != m_uses.end() && UseKey(*it) == nKey)
        *it = AddCounts(*it, 1);
    else
        m_uses.insert(it, (nFlags & USE_FLAGS_MASK) | USE_COUNT_ONE);
}

void CRecItem::SortUses()
{
    std::stable_sort(m_uses.begin(), m_uses.end(),
                     [](std::uint32_t a, std::uint32_t b) { return UseKey(a) < UseKey(b); });
    std::vector<std::uint32_t> merged;
    merged.reserve(m_uses.size());
    for (std::uint32_t nUse : m_uses) {
        if (!merged.empty() && UseKey(merged.back()) == UseKey(nUse))
            merged.back() = AddCounts(merged.back(), UseCount(nUse));
        else
            merged.push_back(nUse);
    }
    m_uses.swap(merged);
}
