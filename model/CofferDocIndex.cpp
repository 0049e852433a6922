#include "model/CofferDoc.h"

#include <algorithm>

bool CCofferDoc::RecItemLess(const QString& a, const QString& b) const
{
    // The collation ranks some different texts equal (か, カ and ｶ); code units decide
    // then, so that two different items never merge.
    const int nOrder = m_collator.compare(a, b);
    if (nOrder != 0)
        return nOrder < 0;
    return a < b;
}

void CCofferDoc::EnsureIndex() const
{
    if (!m_bIndexPending)
        return;
    m_bIndexPending = false;
    // Documents are never made const; the index is a cache of the lines.
    const_cast<CCofferDoc*>(this)->AddToIndex();
}

int CCofferDoc::FindRecItem(QStringView text) const
{
    EnsureIndex();
    auto it = m_recLookup.find(text);
    return it == m_recLookup.end() ? -1 : it->second;
}

void CCofferDoc::RebuildRecLookup()
{
    m_recLookup.clear();
    m_recLookup.reserve(m_recItems.size());
    for (std::size_t i = 0; i < m_recItems.size(); ++i)
        m_recLookup.emplace(m_recItems[i].m_strText, int(i));
}

void CCofferDoc::InsertRecItems(std::vector<CRecItem>& items)
{
    if (items.empty())
        return;
    // Collation keys make the sort of many new items cheap.
    std::vector<std::pair<QCollatorSortKey, std::size_t>> keys;
    keys.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        keys.emplace_back(m_collator.sortKey(items[i].m_strText), i);
    std::sort(keys.begin(), keys.end(), [&items](const auto& a, const auto& b) {
        const int nOrder = a.first.compare(b.first);
        if (nOrder != 0)
            return nOrder < 0;
        return items[a.second].m_strText < items[b.second].m_strText;
    });
    std::vector<CRecItem> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(items[key.second]));
    items.clear();

    const auto less = [this](const CRecItem& a, const CRecItem& b) { return RecItemLess(a.m_strText, b.m_strText); };
    if (sorted.size() * 16 < m_recItems.size()) {
        // A few new items: each goes to its place by binary search.
        for (CRecItem& item : sorted) {
            auto it = std::upper_bound(m_recItems.begin(), m_recItems.end(), item, less);
            m_recItems.insert(it, std::move(item));
        }
    } else {
        std::vector<CRecItem> merged;
        merged.reserve(m_recItems.size() + sorted.size());
        std::merge(std::make_move_iterator(m_recItems.begin()), std::make_move_iterator(m_recItems.end()),
                   std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()),
                   std::back_inserter(merged), less);
        m_recItems.swap(merged);
    }
    RebuildRecLookup();
}

void CCofferDoc::AddToIndex()
{
    AddToIndex(std::span<const CReceipt>(m_lines.data(), m_lines.size()));
}

void CCofferDoc::AddToIndex(int nFirstRow, int nCount)
{
    const int nFirst = std::max(nFirstRow, 0);
    const int nLast = std::min<std::int64_t>(std::int64_t(nFirstRow) + nCount, GetLineCount());
    if (nLast > nFirst)
        AddToIndex(std::span<const CReceipt>(m_lines.data() + nFirst, std::size_t(nLast - nFirst)));
}

void CCofferDoc::AddToIndex(std::span<const CReceipt> lines)
{
    // A pending index takes every line of the ledger at once; lines of the ledger are
    // among them, other lines come on top.
    const bool bOwnLines = !m_lines.empty() && lines.data() >= m_lines.data()
                        && lines.data() < m_lines.data() + m_lines.size();
    if (m_bIndexPending) {
        EnsureIndex();
        if (bOwnLines)
            return;
    }
    // Texts are looked up by hash; only new items need the collation, all at once at the end.
    std::vector<CRecItem> added;
    std::unordered_map<QString, int, CTextHash, CTextEqual> addedLookup;
    std::vector<CDescToken> tokens;
    for (const CReceipt& line : lines) {
        if (line.m_nFlags & CReceipt::RF_RAW_TEXT)
            continue;
        line.Tokenize(tokens);
        for (const CDescToken& token : tokens) {
            if (token.IsSeparator() || token.m_nLength <= 0 || (token.m_nCode & CDescToken::TF_QUANTITY))
                continue;
            const QStringView text = QStringView(line.m_strDesc).mid(token.m_nStart, token.m_nLength);
            CRecItem* pItem = nullptr;
            bool bCreated = false;
            if (auto it = m_recLookup.find(text); it != m_recLookup.end()) {
                pItem = &m_recItems[std::size_t(it->second)];
            } else if (auto jt = addedLookup.find(text); jt != addedLookup.end()) {
                pItem = &added[std::size_t(jt->second)];
            } else {
                added.emplace_back();
                pItem = &added.back();
                pItem->m_strText = text.toString();
                addedLookup.emplace(pItem->m_strText, int(added.size()) - 1);
                bCreated = true;
            }
            const std::uint32_t nFlags = token.m_nCode & 0xFFFF;
            pItem->AddUse(nFlags);
            if (nFlags & CDescToken::TF_MAIN)
                pItem->m_nLastAmount = line.m_nAmount;
            else if (nFlags & CDescToken::TF_COUNTER)
                pItem->m_nLastAmount = line.m_nAmount2;
            else
                pItem->m_nLastAmount = 0;
            if (bCreated || !(nFlags & CDescToken::TF_PAREN))
                pItem->m_nLastFlags = std::int32_t(nFlags);
        }
    }
    InsertRecItems(added);
}
