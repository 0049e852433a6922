#include "model/CofferDoc.h"

#include "model/ListCheck.h"
#include "platform/Clock.h"

namespace {

// Former position -> new position; deleted entries map to 0. Added entries (previous
// position at or beyond the former size) need no element, but the table grows for them as
// far as the new list reaches, never to an arbitrary value passed in.
RemapTable MakeRemap(std::size_t nOldSize, std::size_t nNewSize, const std::vector<int>& prevPositions)
{
    RemapTable remap(nOldSize, 0);
    const std::size_t nLimit = nOldSize + nNewSize;
    for (std::size_t n = 0; n < prevPositions.size(); ++n) {
        const int nPrev = prevPositions[n];
        if (nPrev < 0 || std::size_t(nPrev) >= nLimit)
            continue;
        if (std::size_t(nPrev) >= remap.size())
            remap.resize(std::size_t(nPrev) + 1, 0);
        remap[std::size_t(nPrev)] = std::int32_t(n);
    }
    return remap;
}

std::uint8_t Remapped(const RemapTable& remap, std::uint8_t nPos)
{
    return nPos < remap.size() ? std::uint8_t(remap[nPos]) : 0;
}

// A list replaced twice within one tick still gets a new stamp.
std::uint32_t NextStamp(std::uint32_t dwOld)
{
    const std::uint32_t dwNow = CClock::TickCount();
    return dwNow == dwOld ? dwOld + 1 : dwNow;
}

// The remap of a list that only grew: every former entry keeps its place.
RemapTable GrowthRemap(std::size_t nOldSize)
{
    RemapTable remap(nOldSize, 0);
    for (std::size_t n = 0; n < nOldSize; ++n)
        remap[n] = std::int32_t(n);
    return remap;
}

} // namespace

bool CCofferDoc::AppendCurrencies(const std::vector<CCurFmt>& curs)
{
    EnsureIndex();
    if (curs.empty())
        return true;
    if (m_curs.size() + curs.size() > std::size_t(CListCheck::MAX_ENTRIES))
        return false;
    const RemapTable remap = GrowthRemap(m_curs.size());
    m_curs.insert(m_curs.end(), curs.begin(), curs.end());
    SetModifiedFlag(true);
    m_dwCurTick = NextStamp(m_dwCurTick);
    UpdateAllViews(nullptr, SCurrenciesRemapped{remap});
    return true;
}

bool CCofferDoc::AppendCategories(const std::vector<CCategory>& cats)
{
    EnsureIndex();
    if (cats.empty())
        return true;
    if (m_cats.size() + cats.size() > std::size_t(CListCheck::MAX_ENTRIES))
        return false;
    const RemapTable remap = GrowthRemap(m_cats.size());
    m_cats.insert(m_cats.end(), cats.begin(), cats.end());
    SetModifiedFlag(true);
    m_dwCatTick = NextStamp(m_dwCatTick);
    UpdateAllViews(nullptr, SCategoriesRemapped{remap});
    return true;
}

bool CCofferDoc::ReplaceCurrencies(std::vector<CCurFmt> curs, const std::vector<int>& prevPositions)
{
    EnsureIndex();
    if (curs.empty() || curs.size() > std::size_t(CListCheck::MAX_ENTRIES) || prevPositions.size() != curs.size())
        return false;
    const RemapTable remap = MakeRemap(m_curs.size(), curs.size(), prevPositions);
    m_curs = std::move(curs);
    for (CReceipt& line : m_lines)
        line.m_nCur = Remapped(remap, line.m_nCur);
    for (CAction& action : m_actions) {
        for (CReceipt& line : action.m_held)
            line.m_nCur = Remapped(remap, line.m_nCur);
    }
    Recompute();
    AddToIndex();
    SetModifiedFlag(true);
    m_dwCurTick = NextStamp(m_dwCurTick);
    UpdateAllViews(nullptr, SCurrenciesRemapped{remap});
    return true;
}

bool CCofferDoc::ReplaceCategories(std::vector<CCategory> cats, const std::vector<int>& prevPositions)
{
    EnsureIndex();
    if (cats.empty() || cats.size() > std::size_t(CListCheck::MAX_ENTRIES) || prevPositions.size() != cats.size())
        return false;
    const RemapTable remap = MakeRemap(m_cats.size(), cats.size(), prevPositions);
    m_cats = std::move(cats);
    const auto remapLine = [&remap](CReceipt& line) {
        line.m_nCat = Remapped(remap, line.m_nCat);
        line.m_nCat2 = Remapped(remap, line.m_nCat2);
    };
    for (CReceipt& line : m_lines)
        remapLine(line);
    for (CAction& action : m_actions) {
        for (CReceipt& line : action.m_held)
            remapLine(line);
    }
    for (CRecItem& item : m_recItems) {
        for (std::uint32_t& nUse : item.m_uses)
            nUse = (nUse & ~0xFFu) | Remapped(remap, std::uint8_t(nUse & 0xFF));
        item.m_nLastFlags = std::int32_t((std::uint32_t(item.m_nLastFlags) & ~0xFFu)
                                         | Remapped(remap, std::uint8_t(item.m_nLastFlags & 0xFF)));
        // Two categories may have become one key.
        item.SortUses();
    }
    Recompute();
    AddToIndex();
    SetModifiedFlag(true);
    m_dwCatTick = NextStamp(m_dwCatTick);
    UpdateAllViews(nullptr, SCategoriesRemapped{remap});
    return true;
}
