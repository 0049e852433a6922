#include "tests/support/LedgerBuilder.h"

#include "model/CofferDoc.h"
#include "model/LedgerContent.h"

#include <algorithm>
#include <utility>

namespace support {

CReceipt Line(PackedDate date, int nCur, int nCat, Amount nAmount, const QString& strDesc, int nCat2, Amount nAmount2)
{
    CReceipt line;
    line.m_date = date;
    line.m_nCur = std::uint8_t(nCur);
    line.m_nCat = std::uint8_t(nCat);
    line.m_nCat2 = std::uint8_t(nCat2);
    line.m_nAmount = nAmount;
    line.m_nAmount2 = nAmount2;
    line.m_strDesc = strDesc;
    return line;
}

std::vector<CCurFmt> Currencies(int nCount)
{
    std::vector<CCurFmt> curs = CNewLedger::Currencies();
    curs.emplace_back(QStringLiteral("$"), 2, QStringLiteral("USD"));
    curs.emplace_back(QStringLiteral("€"), 2, QStringLiteral("EUR"));
    curs.resize(std::size_t(std::clamp(nCount, 1, int(curs.size()))));
    return curs;
}

void Fill(CCofferDoc& doc, std::vector<CReceipt> lines, std::vector<CCurFmt> curs, std::vector<CCategory> cats)
{
    CLedgerContent content;
    content.m_lines = std::move(lines);
    content.m_curs = std::move(curs);
    content.m_cats = std::move(cats);
    doc.Load(std::move(content));
    doc.Recompute();
    doc.SetModifiedFlag(false);
}

CLedgerContent Content(const CCofferDoc& doc)
{
    CLedgerContent content;
    content.m_nDocFlags = doc.m_nDocFlags;
    content.m_lines = doc.Lines();
    content.m_curs = doc.Currencies();
    content.m_cats = doc.Categories();
    content.m_daily = doc.m_memo.m_daily;
    content.m_memoTitles = doc.m_memo.m_memoTitles;
    return content;
}

void Amend(CCofferDoc& doc, const std::function<void(CLedgerContent&)>& change)
{
    CLedgerContent content = Content(doc);
    change(content);
    doc.Load(std::move(content));
    doc.Recompute();
    doc.SetModifiedFlag(false);
}

std::vector<CReceipt> Named(const QStringList& names, int nYear, int nMonth, int nFirstDay, int nCat)
{
    std::vector<CReceipt> lines;
    int nDay = nFirstDay;
    for (const QString& name : names)
        lines.push_back(Line(MakeDate(nYear, nMonth, nDay++), 0, nCat, U(-100), name));
    return lines;
}

QStringList Descriptions(const CCofferDoc& doc)
{
    QStringList names;
    for (const CReceipt& line : doc.Lines())
        names.append(line.m_strDesc);
    return names;
}

} // namespace support
