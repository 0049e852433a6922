#pragma once

#include "model/RecItem.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

// Completion of the description item being typed from the document's description index:
// the items that start with what was typed, most used first. Keeps the candidates of the
// last prefix, so that each further keystroke only narrows them.
class CDescMatcher
{
public:
    static constexpr std::size_t DEFAULT_LIMIT = 50;

    // The item the caret is typing: from after the last separator before the caret
    // (leading spaces skipped) to the caret.
    static void ItemAtCaret(QStringView text, int nCaret, int& nStart, int& nLength);

    // Every call may give another index; a different one (or a changed size) starts over.
    void SetItems(const std::vector<CRecItem>* pItems);

    // Positions of the index items that start with the prefix (ignoring case) and are not
    // the prefix itself, at most nLimit. With a filter value (the description pad's: a
    // category key plus 1, 0 for none) the items used under that category come first, by
    // those uses; then every other by all its uses; ties keep the index order.
    std::vector<int> Match(QStringView prefix, int nFilter, std::size_t nLimit = DEFAULT_LIMIT);

    // Uses of an item under the category of a filter value (in parentheses or not).
    static std::uint32_t UsesUnder(const CRecItem& item, int nFilter);
    static std::uint32_t TotalUses(const CRecItem& item);

private:
    const std::vector<CRecItem>* m_pItems = nullptr;
    std::size_t m_nItemCount = 0;
    QString m_strPrefix;
    bool m_bHaveCandidates = false;
    std::vector<int> m_candidates; // every match of m_strPrefix, in index order
};
