#include "grid/GridAxis.h"

#include <algorithm>
#include <limits>

namespace {

int ClampToInt(std::int64_t n)
{
    return int(std::clamp<std::int64_t>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

int CGridAxis::Size(int nIndex) const
{
    if (nIndex < 0 || nIndex >= int(m_sizes.size()))
        return m_nDefault;
    return int(m_sizes[size_t(nIndex)]);
}

void CGridAxis::EnsurePrefix(int nIndex) const
{
    if (nIndex < m_nPrefixValid)
        return;
    m_prefix.resize(m_sizes.size() + 1);
    for (int i = m_nPrefixValid; i <= nIndex; ++i)
        m_prefix[size_t(i)] = m_prefix[size_t(i - 1)] + m_sizes[size_t(i - 1)];
    m_nPrefixValid = nIndex + 1;
}

void CGridAxis::Invalidate(int nFrom)
{
    m_nPrefixValid = std::min(m_nPrefixValid, std::max(1, nFrom));
}

std::int64_t CGridAxis::Position(int nIndex) const
{
    if (nIndex <= 0)
        return 0;
    const int nList = int(m_sizes.size());
    if (nIndex <= nList) {
        EnsurePrefix(nIndex);
        return m_prefix[size_t(nIndex)];
    }
    EnsurePrefix(nList);
    return m_prefix[size_t(nList)] + std::int64_t(nIndex - nList) * m_nDefault;
}

void CGridAxis::RecomputeSums()
{
    m_nTotal = ClampToInt(Position(m_nCount));
    m_nFixed = ClampToInt(Position(m_nFixedCount));
    m_nHeader = ClampToInt(Position(m_nHeaderCount));
}

int CGridAxis::SetSize(int nIndex, int nSize)
{
    if (nIndex < 0)
        return m_nDefault;
    nSize = std::max(0, nSize);
    if (nIndex >= int(m_sizes.size())) {
        Invalidate(int(m_sizes.size()) + 1);
        m_sizes.resize(size_t(nIndex) + 1, std::uint32_t(std::max(0, m_nDefault)));
    }
    const int nOld = int(m_sizes[size_t(nIndex)]);
    if (nOld == nSize)
        return nOld;
    m_sizes[size_t(nIndex)] = std::uint32_t(nSize);
    Invalidate(nIndex + 1);
    const int nDelta = nSize - nOld;
    if (nIndex < m_nCount)
        m_nTotal = ClampToInt(std::int64_t(m_nTotal) + nDelta);
    if (nIndex < m_nFixedCount)
        m_nFixed += nDelta;
    if (nIndex < m_nHeaderCount)
        m_nHeader += nDelta;
    return nOld;
}

void CGridAxis::SetCount(int nCount, bool bCut)
{
    nCount = std::max(0, nCount);
    if (bCut && nCount < m_nCount && nCount < int(m_sizes.size())) {
        m_sizes.resize(size_t(nCount));
        Invalidate(nCount + 1);
    }
    m_nCount = nCount;
    m_nTotal = ClampToInt(Position(m_nCount));
}

void CGridAxis::SetDefaultSize(int nSize)
{
    if (nSize < 0)
        return;
    m_nDefault = nSize;
    RecomputeSums();
}

void CGridAxis::SetFixedCount(int nCount)
{
    m_nFixedCount = std::max(0, nCount);
    m_nFixed = ClampToInt(Position(m_nFixedCount));
}

void CGridAxis::SetHeaderCount(int nCount)
{
    m_nHeaderCount = std::max(0, nCount);
    m_nHeader = ClampToInt(Position(m_nHeaderCount));
}

int CGridAxis::HitTest(std::int64_t p) const
{
    if (p < 0)
        return -1;
    const int nList = int(m_sizes.size());
    EnsurePrefix(nList);
    // First index i whose end m_prefix[i + 1] exceeds p.
    const auto itBegin = m_prefix.begin() + 1;
    const auto itEnd = m_prefix.begin() + nList + 1;
    const auto it = std::upper_bound(itBegin, itEnd, p);
    if (it != itEnd)
        return int(it - itBegin);
    if (m_nDefault <= 0)
        return nList;
    return ClampToInt(nList + (p - m_prefix[size_t(nList)]) / m_nDefault);
}

int CGridAxis::FirstEndAtOrAfter(int nFrom, std::int64_t p) const
{
    const int nList = int(m_sizes.size());
    nFrom = std::max(0, nFrom);
    if (nFrom >= nList)
        return -1;
    EnsurePrefix(nList);
    const auto itBegin = m_prefix.begin() + nFrom + 1;
    const auto itEnd = m_prefix.begin() + nList + 1;
    const auto it = std::lower_bound(itBegin, itEnd, p);
    if (it == itEnd)
        return -1;
    return nFrom + int(it - itBegin);
}
