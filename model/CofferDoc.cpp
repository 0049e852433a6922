#include "model/CofferDoc.h"

#include "model/AmountText.h"
#include "model/Calendar.h"
#include "model/ListCheck.h"
#include "model/NewLedger.h"
#include "model/YenTable.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

CCofferDoc::CCofferDoc()
    : m_collator(QLocale(QLocale::Japanese, QLocale::Japan))
{
    m_dwCurTick = m_dwCatTick = CClock::TickCount();
    m_memo.m_notify = [this](const CDailyAction::Range& range) {
        UpdateAllViews(nullptr, SMemoChanged{range.nLeft, range.nTop, range.nRight, range.nBottom});
        UpdateFrameTitles();
    };
}

CCofferDoc::~CCofferDoc() = default;

// --- lifecycle -------------------------------------------------------------------------

void CCofferDoc::DeleteContents()
{
    m_lines.clear();
    m_curs.clear();
    m_cats.clear();
    m_recItems.clear();
    m_recLookup.clear();
    m_bIndexPending = false;
    m_actions.clear();
    m_nActPos = 0;
    m_nActSaved = 0;
    // The derived tables refer to lines by position: none may outlive the lines.
    m_exchg.clear();
    m_budget.Clear();
    m_nErrors = 0;
    m_firstMonth = 0;
    m_lastMonth = 0;
    m_nReversals = 0;
    m_memo.Clear();
}

void CCofferDoc::Load(CLedgerContent&& content)
{
    DeleteContents();
    m_nDocFlags = content.m_nDocFlags;
    m_lines = std::move(content.m_lines);
    m_curs = std::move(content.m_curs);
    m_cats = std::move(content.m_cats);
    m_memo.Load(std::move(content.m_daily), std::move(content.m_memoTitles));
}

void CCofferDoc::LendContent(const std::function<void(const CLedgerContent&)>& write)
{
    CLedgerContent lent;
    const auto swap = [&] {
        std::swap(lent.m_nDocFlags, m_nDocFlags);
        lent.m_lines.swap(m_lines);
        lent.m_curs.swap(m_curs);
        lent.m_cats.swap(m_cats);
        lent.m_daily.swap(m_memo.m_daily);
        lent.m_memoTitles.swap(m_memo.m_memoTitles);
    };
    struct CGiveBack
    {
        const decltype(swap)& give;
        ~CGiveBack() { give(); }
    };
    swap();
    const CGiveBack back{swap};
    write(lent);
}

bool CCofferDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    if (m_pPendingSource != nullptr && m_pPendingSource != this) {
        CCofferDoc* pSource = m_pPendingSource;
        m_lines = std::move(pSource->m_picked);
        pSource->m_picked.clear();
        m_curs = pSource->m_curs;
        m_cats = pSource->m_cats;
    } else {
        CNewLedger::Fill(m_curs, m_cats, m_lines);
    }
    m_pPendingSource = nullptr;
    Recompute();
    AddToIndex();
    SetModifiedFlag(false);
    return true;
}

void CCofferDoc::AddDefaultSet()
{
    // A file may hold its lists but no line: only what is missing is added, so that no
    // list gets a second 備考 or 日本円.
    if (m_curs.empty())
        m_curs = CNewLedger::Currencies();
    if (m_cats.size() <= 1) {
        // Category 0 alone (what a text import starts from) still gets the household set.
        std::vector<CCategory> defaults = CNewLedger::Categories();
        if (!m_cats.empty())
            defaults[0] = m_cats[0];
        m_cats = std::move(defaults);
    }
    auto carry = std::find_if(m_cats.begin(), m_cats.end(),
                              [](const CCategory& cat) { return cat.m_nAttr == ATTR_CARRYOVER; });
    if (carry == m_cats.end() && m_cats.size() < std::size_t(CListCheck::MAX_ENTRIES)) {
        const QString strName = QStringLiteral("繰越");
        const bool bNameUsed = std::any_of(m_cats.begin(), m_cats.end(),
                                           [&](const CCategory& cat) { return cat.m_strName == strName; });
        if (!bNameUsed) {
            m_cats.emplace_back(ATTR_CARRYOVER, strName);
            carry = m_cats.end() - 1;
        }
    }
    CReceipt line = CNewLedger::FirstLine(CCalendar::Today());
    line.m_nCat = carry == m_cats.end() ? 0 : std::uint8_t(carry - m_cats.begin());
    m_lines.push_back(line);
}

bool CCofferDoc::FinishOpen()
{
    if (m_lines.empty())
        AddDefaultSet();
    Recompute();
    m_bIndexPending = true;
    SetModifiedFlag(false);
    return (m_nDocFlags & DF_BALANCE_ENTRY_ON_OPEN) != 0;
}

// --- modified state --------------------------------------------------------------------

bool CCofferDoc::IsModified() const
{
    return m_nActPos != m_nActSaved || m_memo.IsModified() || CDocument::IsModified();
}

void CCofferDoc::SetModifiedFlag(bool bModified)
{
    if (!bModified) {
        m_nActSaved = m_nActPos;
        m_memo.SetSaved();
    }
    CDocument::SetModifiedFlag(bModified);
    UpdateFrameTitles();
}

QString CCofferDoc::GetFrameTitle(const IDocView* pView) const
{
    QString strTitle = m_strTitle;
    if (IsModified())
        strTitle += QStringLiteral(" *");
    if (pView != nullptr && GetViewCount() > 1) {
        const int nIndex = FindView(pView);
        if (nIndex >= 0)
            strTitle += QStringLiteral(":%1").arg(nIndex + 1);
    }
    return strTitle;
}

// --- queries ---------------------------------------------------------------------------

const CReceipt* CCofferDoc::GetLine(int nPos) const
{
    if (nPos < 0 || nPos >= int(m_lines.size()))
        return nullptr;
    return &m_lines[std::size_t(nPos)];
}

QString CCofferDoc::GetCellText(int nRow, int nKind, bool bSymbol, bool bYen) const
{
    const CReceipt* pLine = GetLine(nRow);
    if (pLine == nullptr)
        return QString();
    return pLine->GetColumnText(nKind, m_curs, m_cats, bSymbol, bYen ? CYenTable::Of(m_exchg) : CYenTable());
}

int CCofferDoc::LowerBound(PackedDate date) const
{
    // The lines are expected, not guaranteed, to ascend. Out of order, the binary search
    // still ends on a boundary: the line before is earlier than the date, the line at it not.
    auto it = std::lower_bound(m_lines.begin(), m_lines.end(), date,
                               [](const CReceipt& line, PackedDate d) { return line.m_date < d; });
    return int(it - m_lines.begin());
}

void CCofferDoc::SumSelection(const std::vector<CLineRange>& ranges, const std::vector<int>& colKinds,
                              std::vector<Amount>& totals) const
{
    totals.assign(m_curs.size(), 0);
    const int nLines = GetLineCount();
    const auto add = [&totals](const CReceipt& line, Amount nValue) {
        if (line.m_nCur < totals.size())
            totals[line.m_nCur] = WrapAdd(totals[line.m_nCur], nValue);
    };
    for (int r = int(ranges.size()) - 1; r >= 0; --r) {
        const CLineRange& range = ranges[std::size_t(r)];
        if (range.IsEmpty())
            continue;
        const int nTop = range.top < 0 ? 0 : range.top;
        const int nBottom = range.top < 0 ? nLines - 1 : std::min(range.bottom, nLines - 1);
        for (int nRow = nTop; nRow <= nBottom; ++nRow) {
            const CReceipt& line = m_lines[std::size_t(nRow)];
            if (range.IsWholeRows()) {
                bool bCovered = false;
                for (int e = 0; e < r && !bCovered; ++e)
                    bCovered = ranges[std::size_t(e)].IsWholeRows() && ranges[std::size_t(e)].Contains(0, nRow);
                if (!bCovered)
                    add(line, WrapAdd(line.m_nAmount, line.m_nAmount2));
                continue;
            }
            const int nLeft = std::max(range.left, 0);
            const int nRight = range.left < 0 ? int(colKinds.size()) - 1 : std::min(range.right, int(colKinds.size()) - 1);
            for (int nCol = nLeft; nCol <= nRight; ++nCol) {
                bool bCovered = false;
                for (int e = 0; e < r && !bCovered; ++e)
                    bCovered = ranges[std::size_t(e)].Contains(nCol, nRow);
                if (bCovered)
                    continue;
                Amount nValue = 0;
                if (line.GetAmount(colKinds[std::size_t(nCol)], m_cats, nValue) != CReceipt::AMOUNT_ABSENT)
                    add(line, nValue);
            }
        }
    }
}

QString CCofferDoc::FormatRate(double dRate)
{
    // The general form with 5 significant digits; a whole number keeps its decimal point
    // ("100."), in the mantissa when the exponent form is used.
    // QString::number is locale-free: the C library's form would follow LC_NUMERIC.
    QString strText = QString::number(dRate, 'g', 5);
    const qsizetype nExp = strText.indexOf(QLatin1Char('e'));
    const QString strMantissa = nExp < 0 ? strText : strText.left(nExp);
    if (!strMantissa.contains(QLatin1Char('.')) && std::isfinite(dRate))
        strText.insert(nExp < 0 ? strText.size() : nExp, QLatin1Char('.'));
    return strText;
}

QString CCofferDoc::TipText(const CReceipt& line, int nKind, const std::vector<CCurFmt>& curs,
                            const std::vector<CCategory>& cats, const std::vector<CExchg>* pExchg)
{
    if (line.m_nCur == 0 || line.m_nCur >= curs.size() || curs.empty())
        return QString();
    Amount nValue = 0;
    const std::uint32_t nCode =
        line.GetAmount(nKind, cats, nValue, pExchg != nullptr ? CYenTable::Of(*pExchg) : CYenTable());
    if (nCode == CReceipt::AMOUNT_ABSENT)
        return QString();
    const bool bConverted = (nCode & CReceipt::AMOUNT_CONVERTED) != 0;
    QString strText = (bConverted ? curs[0] : curs[line.m_nCur]).Format(nValue, true);
    if (nKind == COL_OUT) {
        const qsizetype nMinus = strText.indexOf(QLatin1Char('-'));
        if (nMinus >= 0)
            strText[nMinus] = QLatin1Char('+');
    }
    if (bConverted && pExchg != nullptr) {
        const std::size_t nEntry = nCode & ~CReceipt::AMOUNT_CONVERTED;
        if (nEntry < pExchg->size()) {
            const double dRate = (*pExchg)[nEntry].m_dRate;
            // An amount valued by nothing (0/0) has no rate to show.
            if (dRate != 0.0 && std::isfinite(dRate))
                strText += QLatin1Char('\n') + FormatRate(dRate);
        }
    }
    return strText;
}

QString CCofferDoc::GetTipText(int nRow, int nKind, bool bYenView) const
{
    const CReceipt* pLine = GetLine(nRow);
    if (pLine == nullptr)
        return QString();
    return TipText(*pLine, nKind, m_curs, m_cats, bYenView ? nullptr : &m_exchg);
}

bool CCofferDoc::IsCurrencyInUse(int nCur) const
{
    const auto uses = [nCur](const CReceipt& line) { return line.m_nCur == nCur; };
    if (std::any_of(m_lines.begin(), m_lines.end(), uses))
        return true;
    return std::any_of(m_actions.begin(), m_actions.end(), [&uses](const CAction& action) {
        return std::any_of(action.m_held.begin(), action.m_held.end(), uses);
    });
}

bool CCofferDoc::IsCategoryInUse(int nCat) const
{
    const auto uses = [nCat](const CReceipt& line) { return line.m_nCat == nCat || (nCat != 0 && line.m_nCat2 == nCat); };
    if (std::any_of(m_lines.begin(), m_lines.end(), uses))
        return true;
    return std::any_of(m_actions.begin(), m_actions.end(), [&uses](const CAction& action) {
        return std::any_of(action.m_held.begin(), action.m_held.end(), uses);
    });
}

bool CCofferDoc::RequestYenView() const
{
    if (CanShowYen())
        return true;
    AppMessageBox(IDS_YEN_VIEW_REFUSED);
    return false;
}
