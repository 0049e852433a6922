#include "model/NewLedger.h"

#include "model/Calendar.h"

std::vector<CCurFmt> CNewLedger::Currencies()
{
    return {CCurFmt(QStringLiteral("\\"), 0, QStringLiteral("日本円"))};
}

std::vector<CCategory> CNewLedger::Categories()
{
    return {
        CCategory(ATTR_REMARK, QStringLiteral("備考")),
        CCategory(ATTR_CARRYOVER, QStringLiteral("繰越")),
        CCategory(ATTR_INCOME, QStringLiteral("収入")),
        CCategory(ATTR_EXPENSE, QStringLiteral("食料")),
        CCategory(ATTR_EXPENSE, QStringLiteral("住居")),
        CCategory(ATTR_EXPENSE, QStringLiteral("光熱・水道")),
        CCategory(ATTR_EXPENSE, QStringLiteral("家具・家事用品")),
        CCategory(ATTR_EXPENSE, QStringLiteral("被服及び履物")),
        CCategory(ATTR_EXPENSE, QStringLiteral("保健医療")),
        CCategory(ATTR_EXPENSE, QStringLiteral("交通・通信")),
        CCategory(ATTR_EXPENSE, QStringLiteral("教育")),
        CCategory(ATTR_EXPENSE, QStringLiteral("教養娯楽")),
        CCategory(ATTR_EXPENSE, QStringLiteral("公租公課")),
        CCategory(ATTR_EXPENSE, QStringLiteral("その他")),
        CCategory(ATTR_ACCOUNT, QStringLiteral("預貯金")),
        CCategory(ATTR_EXCHANGE, QStringLiteral("両替")),
        CCategory(ATTR_BUDGET, QStringLiteral("予算")),
    };
}

CReceipt CNewLedger::FirstLine(PackedDate date)
{
    CReceipt line;
    line.m_date = date;
    line.m_nCur = 0;
    line.m_nCat = 1;
    line.m_strDesc = QStringLiteral("繰り越し");
    return line;
}

void CNewLedger::Fill(std::vector<CCurFmt>& curs, std::vector<CCategory>& cats, std::vector<CReceipt>& lines)
{
    curs = Currencies();
    cats = Categories();
    lines.clear();
    lines.push_back(FirstLine(CCalendar::Today()));
}
