#include "memo/DailyAction.h"

#include "memo/DailyStore.h"

#include <utility>

void CDailyAction::Execute(std::vector<CDailyRec>& daily)
{
    for (CDailyRec& rec : m_records) {
        const auto [bFound, nPos] = CDailyStore::FindMemoIndex(daily, rec.m_date);
        if (!bFound)
            daily.insert(daily.begin() + nPos, CDailyRec(rec.m_date));
        std::swap(daily[size_t(nPos)], rec);
    }
}

QString CDailyAction::KindName(int nKind)
{
    switch (nKind) {
    case MA_DELETE: return QStringLiteral("削除");
    case MA_CUT: return QStringLiteral("切り取り");
    case MA_MOVE: return QStringLiteral("移動");
    case MA_PASTE: return QStringLiteral("貼り付け");
    case MA_EDIT: return QStringLiteral("編集");
    default: return QStringLiteral("－未定義－");
    }
}
