#include "register/RegPasteBuffer.h"

#include "model/CofferDoc.h"
#include "register/RegClipData.h"
#include "register/RegClipboard.h"
#include "register/RegColumns.h"

#include <algorithm>

namespace {

// Position of the currency with the symbol, searched from the last; appended when unknown.
std::uint8_t MatchCurrency(const CCurFmt& cur, const std::vector<CCurFmt>& curs, std::vector<CCurFmt>& added)
{
    for (std::size_t i = added.size(); i-- > 0;) {
        if (added[i].m_strSymbol == cur.m_strSymbol)
            return std::uint8_t(std::min<std::size_t>(curs.size() + i, 255));
    }
    for (std::size_t i = curs.size(); i-- > 0;) {
        if (curs[i].m_strSymbol == cur.m_strSymbol)
            return std::uint8_t(i);
    }
    added.push_back(cur);
    return std::uint8_t(std::min<std::size_t>(curs.size() + added.size() - 1, 255));
}

// Position of the category with the name, searched from the last down to 1.
std::uint8_t MatchCategory(const CCategory& cat, const std::vector<CCategory>& cats, std::vector<CCategory>& added)
{
    for (std::size_t i = added.size(); i-- > 0;) {
        if (added[i].m_strName == cat.m_strName)
            return std::uint8_t(std::min<std::size_t>(cats.size() + i, 255));
    }
    for (std::size_t i = cats.size(); i-- > 1;) {
        if (cats[i].m_strName == cat.m_strName)
            return std::uint8_t(i);
    }
    added.push_back(cat);
    return std::uint8_t(std::min<std::size_t>(cats.size() + added.size() - 1, 255));
}

} // namespace

bool CRegPasteBuffer::ReadPrivate(const CCofferDoc& doc, QByteArrayView bytes, bool bProbe)
{
    Clear();
    CRegClipData data;
    if (!CRegClipboard::ReadPrivate(bytes, data, bProbe))
        return false;
    m_bPrivate = true;
    m_nCols = data.m_nCols;
    m_nRows = data.m_nRows;
    m_nGrabCol = data.m_nGrabCol;
    m_nGrabRow = data.m_nGrabRow;
    m_kinds = CRegColumns::Kinds(data.m_columns);
    if (bProbe)
        return true;

    // Source position -> target position.
    std::vector<std::uint8_t> curMap(256, 0);
    std::vector<std::uint8_t> catMap(256, 0);
    for (std::size_t i = 0; i < data.m_curs.size(); ++i)
        curMap[data.m_curIndices[i]] = MatchCurrency(data.m_curs[i], doc.Currencies(), m_newCurs);
    for (std::size_t i = 0; i < data.m_cats.size(); ++i)
        catMap[data.m_catIndices[i]] = MatchCategory(data.m_cats[i], doc.Categories(), m_newCats);
    m_lines = std::move(data.m_lines);
    for (CReceipt& line : m_lines) {
        line.m_nCur = curMap[line.m_nCur];
        line.m_nCat = line.m_nCat == 0 ? 0 : catMap[line.m_nCat];
        line.m_nCat2 = line.m_nCat2 == 0 ? 0 : catMap[line.m_nCat2];
    }
    m_balances = std::move(data.m_balances);
    return true;
}

bool CRegPasteBuffer::ReadText(const QString& strText)
{
    Clear();
    QStringList lines = CRegClipboard::SplitText(strText);
    if (lines.isEmpty())
        return false;
    int nWidth = 1;
    for (const QString& strLine : lines)
        nWidth = std::max(nWidth, int(strLine.count(u'\t')) + 1);
    m_nCols = nWidth;
    m_nRows = int(lines.size());
    m_text = std::move(lines);
    return true;
}
