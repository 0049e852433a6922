#include "register/DescMatcher.h"

#include <algorithm>

namespace {

bool IsSeparator(QChar c)
{
    // The separators that end a description item.
    switch (c.unicode()) {
    case u'；': case u'（': case u'）': case u'⇔': case u'⇒': case u'，': case u'＊': case u'×':
    case u';': case u'(': case u')': case u',': case u'*':
        return true;
    default:
        return false;
    }
}

} // namespace

void CDescMatcher::ItemAtCaret(QStringView text, int nCaret, int& nStart, int& nLength)
{
    nCaret = std::clamp(nCaret, 0, int(text.size()));
    int nFrom = nCaret;
    while (nFrom > 0 && !IsSeparator(text[nFrom - 1]))
        --nFrom;
    while (nFrom < nCaret && text[nFrom] == u' ')
        ++nFrom;
    nStart = nFrom;
    nLength = nCaret - nFrom;
}

void CDescMatcher::SetItems(const std::vector<CRecItem>* pItems)
{
    if (pItems == m_pItems && (pItems == nullptr || pItems->size() == m_nItemCount))
        return;
    m_pItems = pItems;
    m_nItemCount = pItems != nullptr ? pItems->size() : 0;
    m_bHaveCandidates = false;
    m_candidates.clear();
    m_strPrefix.clear();
}

std::uint32_t CDescMatcher::UsesUnder(const CRecItem& item, int nFilter)
{
    if (nFilter <= 0)
        return 0;
    const std::uint32_t nCat = std::uint32_t(nFilter - 1) & 0xFF;
    std::uint32_t nCount = 0;
    for (std::uint32_t nUse : item.m_uses) {
        if ((CRecItem::UseKey(nUse) & 0xFF) == nCat)
            nCount += CRecItem::UseCount(nUse);
    }
    return nCount;
}

std::uint32_t CDescMatcher::TotalUses(const CRecItem& item)
{
    std::uint32_t nCount = 0;
    for (std::uint32_t nUse : item.m_uses)
        nCount += CRecItem::UseCount(nUse);
    return nCount;
}

std::vector<int> CDescMatcher::Match(QStringView prefix, int nFilter, std::size_t nLimit)
{
    std::vector<int> result;
    if (m_pItems == nullptr || prefix.isEmpty() || nLimit == 0)
        return result;
    const std::vector<CRecItem>& items = *m_pItems;
    if (items.size() != m_nItemCount) {
        m_nItemCount = items.size();
        m_bHaveCandidates = false;
    }

    // A longer prefix can only narrow the last candidates.
    std::vector<int> candidates;
    if (m_bHaveCandidates && prefix.startsWith(m_strPrefix, Qt::CaseInsensitive)) {
        for (int i : m_candidates) {
            if (QStringView(items[std::size_t(i)].m_strText).startsWith(prefix, Qt::CaseInsensitive))
                candidates.push_back(i);
        }
    } else {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (QStringView(items[i].m_strText).startsWith(prefix, Qt::CaseInsensitive))
                candidates.push_back(int(i));
        }
    }
    m_candidates = candidates;
    m_strPrefix = prefix.toString();
    m_bHaveCandidates = true;

    struct SRanked
    {
        std::uint32_t nUnder;
        std::uint32_t nTotal;
        int nItem;
    };
    std::vector<SRanked> ranked;
    ranked.reserve(candidates.size());
    for (int i : candidates) {
        const CRecItem& item = items[std::size_t(i)];
        if (item.m_strText.size() == prefix.size())
            continue; // typed out already
        ranked.push_back({ UsesUnder(item, nFilter), TotalUses(item), i });
    }
    const auto better = [](const SRanked& a, const SRanked& b) {
        if (a.nUnder != b.nUnder)
            return a.nUnder > b.nUnder;
        if (a.nTotal != b.nTotal)
            return a.nTotal > b.nTotal;
        return a.nItem < b.nItem;
    };
    const std::size_t nTake = std::min(nLimit, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + std::ptrdiff_t(nTake), ranked.end(), better);
    result.reserve(nTake);
    for (std::size_t i = 0; i < nTake; ++i)
        result.push_back(ranked[i].nItem);
    return result;
}
