#include "register/RecEditEntry.h"

#include "model/AmountText.h"
#include "model/Calendar.h"
#include "model/CofferDoc.h"


namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == QChar(0x3000);
}

int SkipBlanks(const QString& strText, int nPos)
{
    while (nPos < strText.size() && IsBlank(strText[nPos]))
        ++nPos;
    return nPos;
}

// Where an amount expression starting at a position ends, following the grammar the
// expression reader evaluates; -1 when nothing readable starts there. The reader gives the
// value, this gives the extent, so that what follows the expression can be checked.
class CExpressionExtent
{
public:
    CExpressionExtent(const QString& strText, int nPos)
        : m_text(strText), m_nPos(nPos)
    {
    }

    int End()
    {
        return Sum() ? m_nPos : -1;
    }

private:
    static bool IsPlus(char16_t c) { return c == u'+' || c == u'＋'; }
    static bool IsMinus(char16_t c) { return c == u'-' || c == u'－'; }
    static bool IsMultiply(char16_t c) { return c == u'*' || c == u'＊' || c == u'×'; }
    static bool IsDivide(char16_t c) { return c == u'/' || c == u'／' || c == u'÷'; }
    static bool IsOpen(char16_t c) { return c == u'(' || c == u'（'; }
    static bool IsClose(char16_t c) { return c == u')' || c == u'）'; }
    static bool EndsNumber(char16_t c)
    {
        switch (c) {
        case u'+': case u'-': case u'*': case u'/': case u'(': case u')': case u';': case u' ':
        case u'＊': case u'＋': case u'－': case u'／': case u'×': case u'÷': case u'（': case u'）':
        case u'；': case 0x3000:
            return true;
        default:
            return false;
        }
    }

    char16_t Peek() const { return m_nPos < m_text.size() ? m_text[m_nPos].unicode() : 0; }

    bool Sum()
    {
        if (!Term())
            return false;
        while (IsPlus(Peek()) || IsMinus(Peek())) {
            ++m_nPos;
            if (!Term())
                return false;
        }
        return true;
    }

    bool Term()
    {
        if (!Factor())
            return false;
        while (IsMultiply(Peek()) || IsDivide(Peek())) {
            ++m_nPos;
            if (!Factor())
                return false;
        }
        return true;
    }

    bool Factor()
    {
        const char16_t c = Peek();
        if (!IsOpen(c) && !IsPlus(c) && !IsMinus(c))
            return Number();
        if (++m_nDepth > CAmountText::MAX_NESTING)
            return false;
        ++m_nPos;
        bool bOk = false;
        if (IsOpen(c)) {
            bOk = Sum() && IsClose(Peek());
            if (bOk)
                ++m_nPos;
        } else {
            bOk = Factor();
        }
        --m_nDepth;
        return bOk;
    }

    bool Number()
    {
        int nKept = 0;
        while (m_nPos < m_text.size() && nKept < CAmountText::MAX_NUMBER_DIGITS) {
            const char16_t c = m_text[m_nPos].unicode();
            if (EndsNumber(c))
                break;
            if ((c >= u'0' && c <= u'9') || c == u'.' || (c >= u'０' && c <= u'９') || c == u'．')
                ++nKept;
            ++m_nPos;
        }
        return nKept > 0;
    }

    const QString& m_text;
    int m_nPos;
    int m_nDepth = 0;
};

// Reads one expression at nPos: false (and nPos unchanged) when nothing readable starts
// there; bValid false when it reads but gives no amount (division by 0, out of range).
bool ReadExpression(const QString& strText, int& nPos, Amount& nValue, bool& bValid)
{
    const int nEnd = CExpressionExtent(strText, nPos).End();
    if (nEnd < 0)
        return false;
    bValid = CAmountText::ParseExpression(strText.mid(nPos, nEnd - nPos), nValue);
    nPos = nEnd;
    return true;
}

} // namespace

Amount CRecEditEntry::CutToDecimals(Amount nValue, int nDecimals)
{
    if (nDecimals >= CCurFmt::MAX_DECIMALS)
        return nValue;
    Amount nStep = 1;
    for (int i = std::max(nDecimals, 0); i < CCurFmt::MAX_DECIMALS; ++i)
        nStep *= 10;
    // The remainder keeps the amount's sign, so the cut goes towards zero.
    return nValue - nValue % nStep;
}

int CRecEditEntry::ParseAmounts(const QString& strText, bool bCounter, int nDecimals, Amount& nAmount1,
                                Amount& nAmount2)
{
    const QString text = strText.left(MAX_AMOUNT_TEXT);
    Amount nValue1 = 0;
    Amount nValue2 = 0;
    bool bValid1 = true;
    bool bValid2 = true;
    int nPos = SkipBlanks(text, 0);
    const bool bRead1 = ReadExpression(text, nPos, nValue1, bValid1);
    nPos = SkipBlanks(text, nPos);
    if (nPos < text.size() && (text[nPos] == u';' || text[nPos] == u'；'))
        nPos = SkipBlanks(text, nPos + 1);
    const bool bRead2 = ReadExpression(text, nPos, nValue2, bValid2);
    nPos = SkipBlanks(text, nPos);
    if (nPos < text.size() || !bValid1 || !bValid2)
        return 4127;
    if (!bRead1)
        nValue1 = 0;
    if (!bRead2)
        nValue2 = bCounter && bRead1 ? NegateAmount(nValue1) : 0;
    nAmount1 = CutToDecimals(nValue1, nDecimals);
    nAmount2 = CutToDecimals(nValue2, nDecimals);
    return 0;
}

QString CRecEditEntry::LoadAmountText(const CReceipt& line)
{
    if (!line.m_strInput.isEmpty())
        return line.m_strInput;
    if (line.m_nAmount == 0 && line.m_nAmount2 == 0)
        return QString();
    QString text = CAmountText::FormatPlain(line.m_nAmount);
    if (line.m_nAmount2 != 0 && line.m_nAmount2 != NegateAmount(line.m_nAmount) && line.m_nCat2 != 0)
        text += QStringLiteral("; ") + CAmountText::FormatPlain(line.m_nAmount2);
    return text;
}

int CRecEditEntry::FilterAtCaret(int nCat, int nCat2, QStringView textBeforeCaret)
{
    if (nCat <= 0 || nCat > 0xFF)
        return 0;
    CReceipt scratch;
    scratch.m_nCat = std::uint8_t(nCat);
    scratch.m_nCat2 = std::uint8_t(nCat2 >= 0 && nCat2 <= 0xFF ? nCat2 : 0);
    // A placeholder after the caret makes the part being typed an item of its own.
    scratch.m_strDesc = textBeforeCaret.toString() + QStringLiteral("印");
    const std::vector<CDescToken> tokens = scratch.Tokenize();
    for (auto it = tokens.rbegin(); it != tokens.rend(); ++it) {
        if (!it->IsSeparator())
            return int(it->m_nCode & 0x1FF) + 1;
    }
    return 0;
}

bool CRecEditEntry::Begin(const CCofferDoc& doc, int nCmd, int nLine, bool bFirst)
{
    m_nCmd = nCmd == CMD_MODIFY_ROW ? CMD_MODIFY : nCmd;
    m_nLine = nLine;
    const int nTemplate = m_nCmd == CMD_INPUT && !bFirst ? nLine - 1 : nLine;
    const CReceipt* pTemplate = doc.GetLine(nTemplate);
    m_bValid = m_nCmd != CMD_MODIFY || pTemplate != nullptr;
    if (!m_bValid)
        return false;

    m_line = CReceipt();
    if (m_nCmd == CMD_MODIFY) {
        m_line = *pTemplate;
    } else if (pTemplate != nullptr) {
        m_line.m_date = pTemplate->m_date;
        m_line.m_nCur = pTemplate->m_nCur;
    } else {
        m_line.m_date = CCalendar::Today();
    }
    m_nCaption = m_nCmd == CMD_INPUT ? CAPTION_INPUT : m_nCmd == CMD_ADD ? CAPTION_ADD : CAPTION_MODIFY;

    m_curs = doc.Currencies();
    m_cats = doc.Categories();
    m_nOldCurs = m_curs.size();
    m_nOldCats = m_cats.size();
    m_date = m_line.m_date;
    m_nCur = m_line.m_nCur;
    m_nCat = m_line.m_nCat;
    m_nCat2 = m_line.m_nCat2;
    m_nAmount = m_line.m_nAmount;
    m_nAmount2 = m_line.m_nAmount2;
    m_strInput = LoadAmountText(m_line);
    m_strDesc = m_line.m_strDesc;
    return true;
}

int CRecEditEntry::Finish(CCofferDoc& doc, int nResult)
{
    if (!m_bValid)
        return RESULT_NONE;
    m_bValid = false;

    // Entries added in the dialog stay, whatever the answer; the lines keep their positions.
    if (m_curs.size() > m_nOldCurs && m_nOldCurs == doc.Currencies().size())
        doc.AppendCurrencies(std::vector<CCurFmt>(m_curs.begin() + std::ptrdiff_t(m_nOldCurs), m_curs.end()));
    if (m_cats.size() > m_nOldCats && m_nOldCats == doc.Categories().size())
        doc.AppendCategories(std::vector<CCategory>(m_cats.begin() + std::ptrdiff_t(m_nOldCats), m_cats.end()));

    if (nResult != RESULT_OK && nResult != RESULT_NEXT)
        return nResult;
    if (IsEmpty())
        return RESULT_CANCEL;
    // Nothing out of range reaches the ledger.
    if (m_nCur < 0 || std::size_t(m_nCur) >= doc.Currencies().size() || m_nCat < 0
        || std::size_t(m_nCat) >= doc.Categories().size() || m_nCat2 < 0 || std::size_t(m_nCat2) >= doc.Categories().size())
        return RESULT_CANCEL;

    m_line.m_date = m_date;
    m_line.m_nCur = std::uint8_t(m_nCur);
    m_line.m_nCat = std::uint8_t(m_nCat);
    m_line.m_nCat2 = std::uint8_t(m_nCat2);
    m_line.m_nAmount = m_nAmount;
    m_line.m_nAmount2 = m_nAmount2;
    m_line.m_strDesc = m_strDesc.left(MAX_DESCRIPTION);
    m_line.m_strInput = m_strInput.left(MAX_AMOUNT_TEXT);
    m_line.m_nFlags &= ~CReceipt::RF_RAW_TEXT;

    const int nCount = doc.GetLineCount();
    std::vector<CReceipt> lines{ m_line };
    CAction action;
    int nPos = 0;
    if (m_nCmd == CMD_INPUT) {
        nPos = std::clamp(m_nLine, 0, nCount);
        action = CAction::InsertRows(CAction::ACT_ENTER_ROW, nPos, std::move(lines));
    } else if (m_nCmd == CMD_ADD) {
        const int nAfter = std::min(m_nLine, nCount - 1);
        nPos = nAfter + 1;
        // Before the first line there is no line to add after.
        action = nAfter < 0 ? CAction::InsertRows(CAction::ACT_ADD_ROW, 0, std::move(lines))
                            : CAction::InsertRows(CAction::ACT_ADD_ROW, nAfter, std::move(lines), true);
    } else {
        if (m_nLine < 0 || m_nLine >= nCount)
            return RESULT_CANCEL;
        nPos = m_nLine;
        action = CAction::ReplaceRows(CAction::ACT_EDIT_ROW, nPos, std::move(lines));
    }
    if (!doc.PushAction(std::move(action)))
        return RESULT_CANCEL;
    doc.AddToIndex(nPos, 1);
    return nResult;
}
