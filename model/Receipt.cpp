#include "model/Receipt.h"

#include "model/AmountText.h"
#include "model/DateText.h"

#include <algorithm>

namespace {

constexpr int g_homeColumn[ATTR_COUNT] = {
    COL_IN, COL_IN, COL_OUT, COL_ACCOUNT, COL_IN, COL_IN, COL_OUT, COL_ACCOUNT, COL_BALANCE, COL_IN,
};

QString CategoryName(int nCat, const std::vector<CCategory>& cats)
{
    if (nCat < 0 || static_cast<std::size_t>(nCat) >= cats.size())
        return QString();
    return cats[static_cast<std::size_t>(nCat)].m_strName;
}

// Position of a category by exact name; -1 when unknown or beyond what a line can hold.
int FindCategory(QStringView name, const std::vector<CCategory>& cats)
{
    const std::size_t nLimit = std::min<std::size_t>(cats.size(), 256);
    for (std::size_t n = 0; n < nLimit; ++n) {
        if (cats[n].m_strName == name)
            return int(n);
    }
    return -1;
}

// Half-width form of a description separator, 0 for any other character.
char16_t SeparatorOf(char16_t c)
{
    switch (c) {
    case u';': case u'；': return u';';
    case u'(': case u'（': return u'(';
    case u')': case u'）': return u')';
    case u',': case u'，': return u',';
    case u'*': case u'＊': case u'×': return u'*';
    case u'⇔': return u'<';
    case u'⇒': return u'>';
    default: return 0;
    }
}

} // namespace

int CReceipt::HomeColumn(int nAttr)
{
    if (nAttr < 0 || nAttr >= ATTR_COUNT)
        nAttr = ATTR_REMARK;
    return g_homeColumn[nAttr];
}

int CReceipt::AttrOf(int nCat, const std::vector<CCategory>& cats)
{
    if (nCat < 0 || static_cast<std::size_t>(nCat) >= cats.size())
        return ATTR_REMARK;
    return cats[static_cast<std::size_t>(nCat)].m_nAttr;
}

int CReceipt::AmountColumn(int nCat, Amount nValue, const std::vector<CCategory>& cats)
{
    const int nHome = HomeColumn(AttrOf(nCat, cats));
    if (nHome == COL_IN && nValue < 0)
        return COL_OUT;
    if (nHome == COL_OUT && nValue > 0)
        return COL_IN;
    return nHome;
}

int CReceipt::Amount1Column(const std::vector<CCategory>& cats) const
{
    return AmountColumn(m_nCat, m_nAmount, cats);
}

int CReceipt::Amount2Column(const std::vector<CCategory>& cats) const
{
    if (m_nCat2 != 0)
        return AmountColumn(m_nCat2, m_nAmount2, cats);
    // Without counter category a non-zero amount 2 (a carry-over's difference) belongs to
    // the remark category.
    if (m_nAmount2 != 0)
        return AmountColumn(0, m_nAmount2, std::vector<CCategory>());
    return COL_NONE;
}

std::uint32_t CReceipt::GetAmount(int nKind, const std::vector<CCategory>& cats, Amount& nValue,
                                  const CYenTable& yen) const
{
    nValue = 0;
    if (nKind == COL_BALANCE) {
        if (m_nCat == 0 && m_nAmount == 0)
            return AMOUNT_ABSENT;
        nValue = m_nBalance;
        return AMOUNT_PRESENT;
    }
    if (!IsAmountColumn(nKind))
        return AMOUNT_ABSENT;

    Amount nOwn = 0;
    int nEntry = -1;
    if (Amount1Column(cats) == nKind) {
        if (m_nCat == 0 && m_nAmount == 0)
            return AMOUNT_ABSENT;
        nOwn = m_nAmount;
        nEntry = m_nExchg;
    } else if (Amount2Column(cats) == nKind) {
        if (m_nCat2 == 0 && m_nAmount2 == 0)
            return AMOUNT_ABSENT;
        nOwn = m_nAmount2;
        nEntry = m_nExchg2;
    } else {
        return AMOUNT_ABSENT;
    }

    std::uint32_t nCode = AMOUNT_PRESENT;
    Amount nYen = 0;
    if (nEntry >= 0 && yen.Lookup(nEntry, nYen)) {
        nOwn = nYen;
        nCode = AMOUNT_CONVERTED | static_cast<std::uint32_t>(nEntry);
    }
    nValue = nKind == COL_OUT ? NegateAmount(nOwn) : nOwn;
    return nCode;
}

QString CReceipt::GetColumnText(int nKind, const std::vector<CCurFmt>& curs, const std::vector<CCategory>& cats,
                                bool bSymbol, const CYenTable& yen) const
{
    switch (nKind) {
    case COL_DESCRIPTION:
        return m_strDesc;
    case COL_CATEGORY: {
        QString text;
        if (m_nCat != 0)
            text = CategoryName(m_nCat, cats);
        if (m_nCat2 != 0)
            text += u'；' + CategoryName(m_nCat2, cats);
        return text;
    }
    case COL_DATE: {
        if ((m_nFlags & (RF_SAME_MONTH | RF_NEW_MONTH)) == 0)
            return QString();
        const int nYear = DateYear(m_date);
        if (nYear <= 0)
            return QStringLiteral("--------");
        const int nMonth = DateMonth(m_date);
        const int nDay = DateDay(m_date);
        if (m_nFlags & RF_SAME_MONTH)
            return QString::asprintf("%8d", nDay);
        if (nMonth == 0)
            return QString::asprintf("%02d", nYear % 100);
        if (nDay == 0)
            return QString::asprintf("%02d/%2d", nYear % 100, nMonth);
        return QString::asprintf("%02d/%2d/%2d", nYear % 100, nMonth, nDay);
    }
    default:
        break;
    }
    if (!IsAmountColumn(nKind))
        return QString();

    Amount nValue = 0;
    const std::uint32_t nCode = GetAmount(nKind, cats, nValue, yen);
    if (nCode == AMOUNT_ABSENT)
        return QString();
    QString text;
    if (bSymbol && !curs.empty()) {
        std::size_t nCur = m_nCur;
        if ((nCode & AMOUNT_CONVERTED) || nCur >= curs.size())
            nCur = 0;
        text = curs[nCur].Format(nValue, true);
    } else {
        text = CAmountText::FormatPlain(nValue);
    }
    // Money paid out is shown positive; an out-column value that is negative is money in.
    if (nKind == COL_OUT && text.startsWith(u'-'))
        text[0] = u'+';
    return text;
}

void CReceipt::SetCategoryAmounts()
{
    if (m_nCat2 == 0)
        m_nAmount2 = 0;
    else if (m_nAmount2 == 0)
        m_nAmount2 = NegateAmount(m_nAmount);
}

bool CReceipt::SetColumnText(int nKind, const QString& strText, const std::vector<CCategory>& cats)
{
    switch (nKind) {
    case COL_DESCRIPTION:
        m_strDesc = strText;
        m_nFlags &= ~RF_RAW_TEXT;
        return true;
    case COL_CATEGORY: {
        const QString text = strText.isEmpty() ? CategoryName(0, cats) : strText;
        qsizetype nCut = -1;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c == u';' || c == u'；' || c == u',' || c == u'，') {
                nCut = i;
                break;
            }
        }
        const int nMain = FindCategory(nCut < 0 ? QStringView(text) : QStringView(text).left(nCut), cats);
        if (nMain < 0)
            return false;
        int nCounter = 0;
        if (nCut >= 0) {
            nCounter = FindCategory(QStringView(text).mid(nCut + 1), cats);
            if (nCounter < 0)
                return false;
        }
        m_nCat = std::uint8_t(nMain);
        m_nCat2 = std::uint8_t(nCounter);
        SetCategoryAmounts();
        return true;
    }
    case COL_DATE:
        return CDateText::ParseDateCell(strText, m_date, m_date);
    default:
        break;
    }
    if (!IsAmountColumn(nKind))
        return false;
    Amount nValue = 0;
    if (!CAmountText::ParseExpression(strText, nValue))
        return false;
    if (!SetAmount(nKind, nValue, cats, !strText.isEmpty()))
        return false;
    m_strInput.clear();
    return true;
}

bool CReceipt::SetAmount(int nKind, Amount nValue, const std::vector<CCategory>& cats, bool bAllowSwitch)
{
    if (!IsAmountColumn(nKind))
        return false;
    if (nKind == COL_OUT)
        nValue = NegateAmount(nValue);
    const int m = Amount1Column(cats);
    const int c = m_nCat2 != 0 ? AmountColumn(m_nCat2, m_nAmount2, cats) : COL_NONE;

    if (nKind == m && nKind == c) {
        if (m_nAmount2 == m_nAmount)
            m_nAmount2 = nValue;
        else if (m_nAmount2 == NegateAmount(m_nAmount))
            m_nAmount2 = NegateAmount(nValue);
        m_nAmount = nValue;
        return true;
    }
    if (nKind == m) {
        m_nAmount = nValue;
        return true;
    }
    if (nKind == c) {
        m_nAmount2 = nValue;
        return true;
    }
    if (!bAllowSwitch)
        return false;
    // Typing into the opposite column moves the amount there.
    int nOther = COL_NONE;
    if (nKind == COL_IN)
        nOther = COL_OUT;
    else if (nKind == COL_OUT)
        nOther = COL_IN;
    else
        return false;
    if (m == nOther) {
        m_nAmount = nValue;
        return true;
    }
    if (c == nOther) {
        m_nAmount2 = nValue;
        return true;
    }
    return false;
}

bool CReceipt::ClearColumn(int nKind, const std::vector<CCategory>& cats)
{
    switch (nKind) {
    case COL_DATE:
        return false;
    case COL_CATEGORY:
        m_nCat = 0;
        m_nCat2 = 0;
        return true;
    case COL_DESCRIPTION:
        m_strDesc.clear();
        m_nFlags &= ~RF_RAW_TEXT;
        return true;
    default:
        break;
    }
    if (!SetAmount(nKind, 0, cats, false))
        return false;
    m_strInput.clear();
    return true;
}

bool CReceipt::SetColumnFromLine(int nKind, int nSrcKind, const CReceipt& src, const std::vector<CCurFmt>& curs,
                                 const std::vector<CCategory>& cats)
{
    switch (nKind) {
    case COL_DESCRIPTION:
        m_strDesc = nSrcKind == COL_DESCRIPTION ? src.m_strDesc : src.GetColumnText(nSrcKind, curs, cats, true);
        m_nFlags &= ~RF_RAW_TEXT;
        return true;
    case COL_CATEGORY:
        if (nSrcKind != COL_CATEGORY)
            return false;
        m_nCat = src.m_nCat;
        m_nCat2 = src.m_nCat2;
        SetCategoryAmounts();
        return true;
    case COL_DATE:
        if (nSrcKind != COL_DATE)
            return false;
        m_date = src.m_date;
        return true;
    default:
        break;
    }
    if (!IsAmountColumn(nKind))
        return false;
    Amount nValue = 0;
    const bool bPresent = src.GetAmount(nSrcKind, cats, nValue) != AMOUNT_ABSENT;
    const bool bTaken = SetAmount(nKind, nValue, cats, bPresent);
    if (bTaken) {
        m_nCur = src.m_nCur;
        m_strInput.clear();
    }
    // Only carry-over lines take a balance; pasting balances over other lines is no error.
    if (nKind == COL_BALANCE && nSrcKind == COL_BALANCE)
        return true;
    return bTaken;
}

void CReceipt::Tokenize(std::vector<CDescToken>& tokens) const
{
    tokens.clear();
    const QStringView text(m_strDesc);
    const qsizetype nLength = text.size();
    std::uint32_t nFlags = std::uint32_t(m_nCat) | CDescToken::TF_MAIN;
    int nDepth = 0;
    qsizetype pos = 0;
    while (pos < nLength) {
        while (pos < nLength && text[pos] == u' ')
            ++pos;
        const qsizetype nStart = pos;
        qsizetype nSep = pos;
        char16_t sep = 0;
        while (nSep < nLength && (sep = SeparatorOf(text[nSep].unicode())) == 0)
            ++nSep;
        qsizetype nEnd = nSep;
        while (nEnd > nStart && text[nEnd - 1] == u' ')
            --nEnd;

        // An item carries the flags in force where it began.
        std::uint32_t nItemFlags = nFlags;
        if (sep == u'(') {
            nItemFlags |= CDescToken::TF_HEADING;
            nFlags |= CDescToken::TF_PAREN;
            ++nDepth;
        } else if (sep == u')' && nDepth > 0) {
            if (nDepth == 1)
                nFlags &= ~std::uint32_t(CDescToken::TF_PAREN);
            --nDepth;
        }
        if (nEnd > nStart)
            tokens.push_back({int(nStart), int(nEnd - nStart), nItemFlags});
        if (sep == 0)
            break;
        tokens.push_back({int(nSep), 1, CDescToken::TF_SEPARATOR | sep});

        if (sep == u';') {
            if (m_nCat2 != 0 && (nFlags & CDescToken::TF_MAIN))
                nFlags = std::uint32_t(m_nCat2) | CDescToken::TF_COUNTER;
            else
                nFlags = 0;
            // A part ends every parenthesis still open.
            for (; nDepth > 0; --nDepth)
                tokens.push_back({0, 0, CDescToken::TF_SEPARATOR | u')'});
        }
        if (sep == u'*')
            nFlags |= CDescToken::TF_QUANTITY;
        else
            nFlags &= ~std::uint32_t(CDescToken::TF_QUANTITY);
        pos = nSep + 1;
    }
}

std::vector<CDescToken> CReceipt::Tokenize() const
{
    std::vector<CDescToken> tokens;
    Tokenize(tokens);
    return tokens;
}

int CReceipt::Match(int nCur, int nCat, const QString& strText, bool bWholeItem) const
{
    if (nCur >= 0 && nCur != m_nCur)
        return MATCH_NONE;
    qsizetype p = 0;
    if (!strText.isEmpty()) {
        p = m_strDesc.indexOf(strText);
        if (p < 0)
            return MATCH_NONE;
    }
    if (nCat < 0 && !bWholeItem)
        return MATCH_ANY;

    // Searches run over every line; reuse one buffer instead of allocating per line.
    thread_local std::vector<CDescToken> tokens;
    Tokenize(tokens);
    if (bWholeItem) {
        const qsizetype nEnd = p + strText.size();
        auto first = std::find_if(tokens.begin(), tokens.end(), [p](const CDescToken& t) { return t.m_nStart >= p; });
        if (first == tokens.end() || first->m_nStart != p)
            return MATCH_NONE;
        auto last = std::find_if(tokens.begin(), tokens.end(), [nEnd](const CDescToken& t) { return t.End() >= nEnd; });
        if (last == tokens.end() || last->End() != nEnd)
            return MATCH_NONE;
        if (nCat < 0)
            return MATCH_ANY;
    }

    qsizetype nSemicolon = -1;
    for (const CDescToken& t : tokens) {
        if (t.Separator() == u';') {
            nSemicolon = t.m_nStart;
            break;
        }
    }
    if (nCat == m_nCat && (nSemicolon < 0 || p < nSemicolon))
        return MATCH_MAIN;
    if (nCat == m_nCat2 && (strText.isEmpty() || nSemicolon < 0 || p > nSemicolon))
        return MATCH_COUNTER;
    return MATCH_NONE;
}
