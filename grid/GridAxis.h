#pragma once

#include <cstdint>
#include <vector>

// One axis of a grid (columns or rows): the count, the frozen and header
// leading entries, the explicit size list with its default, and the cached
// sums. Positions come from a prefix-sum cache, so position look-ups and hit
// tests are logarithmic however long the list is; a size change only marks the
// cache stale from that index on.
class CGridAxis
{
public:
    int Count() const { return m_nCount; }
    int FixedCount() const { return m_nFixedCount; }
    int HeaderCount() const { return m_nHeaderCount; }
    int DefaultSize() const { return m_nDefault; }
    int ListSize() const { return int(m_sizes.size()); }

    int Total() const { return m_nTotal; }
    int FixedSum() const { return m_nFixed; }
    int HeaderSum() const { return m_nHeader; }

    // The stored size: the list entry, or the default for an index < 0 or past the list.
    int Size(int nIndex) const;
    // Sum of the sizes of entries 0 .. nIndex - 1 (0 for nIndex <= 0).
    std::int64_t Position(int nIndex) const;

    // Stores a size; the list grows with default entries as needed. Returns the previous size.
    int SetSize(int nIndex, int nSize);
    // Sets the count; bCut also cuts the list to the new count when it shrinks.
    void SetCount(int nCount, bool bCut);
    // A default < 0 leaves the default unchanged.
    void SetDefaultSize(int nSize);
    void SetFixedCount(int nCount);
    void SetHeaderCount(int nCount);

    // The index whose span [Position(i), Position(i + 1)) holds p: -1 for p < 0;
    // past the list, list length + p' / default (or the list length for a default <= 0).
    int HitTest(std::int64_t p) const;
    // The first index >= nFrom whose end Position(i + 1) is >= p, searched in the
    // list only; -1 when no listed entry qualifies.
    int FirstEndAtOrAfter(int nFrom, std::int64_t p) const;

private:
    void RecomputeSums();
    void EnsurePrefix(int nIndex) const;
    void Invalidate(int nFrom);

    int m_nCount = 0;
    int m_nFixedCount = 0;
    int m_nHeaderCount = 0;
    int m_nDefault = 0;
    int m_nTotal = 0;
    int m_nFixed = 0;
    int m_nHeader = 0;
    std::vector<std::uint32_t> m_sizes;
    // m_prefix[i] = sum of m_sizes[0 .. i-1]; valid for i < m_nPrefixValid.
    mutable std::vector<std::int64_t> m_prefix { 0 };
    mutable int m_nPrefixValid = 1;
};
