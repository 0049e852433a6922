#include "register/CofferView.h"

#include "command/CommandIds.h"
#include "grid/GridFlags.h"
#include "grid/GridSettings.h"
#include "grid/InplaceEdit.h"
#include "grid/ScrollHeader.h"
#include "model/CofferDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "register/RegColumns.h"
#include "register/RegPeriod.h"
#include "summary/PeriodMode.h"

#include <QFontMetrics>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

CCofferView::ColorFn& ColorProvider()
{
    static CCofferView::ColorFn fn;
    return fn;
}

CCofferView::StatusFn& StatusProvider()
{
    static CCofferView::StatusFn fn;
    return fn;
}

// The document's m_nErrors bit that allows only the whole-period display.
constexpr std::uint32_t ERR_WHOLE_PERIOD_ONLY = 0x100;

// An advance no character of a text can exceed: the font's widest glyph, and the
// full-width forms, which may come from a fallback font wider than the view font.
int MaxAdvance(const QFontMetrics& fm)
{
    int nMax = fm.maxWidth();
    for (const char16_t ch : { u'\u3000', u'\uFF37', u'\u5E73', u'W', u'M' })
        nMax = std::max(nMax, fm.horizontalAdvance(QChar(ch)));
    return std::max(nMax, 1);
}

} // namespace

CCofferView::CCofferView(CCofferDoc& doc, QWidget* pParent, CCofferView* pCloneSource)
    : CGridViewEx(pParent), m_doc(doc), m_layout(CRegColumns::DefaultLayout())
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    InitTip();
    RegisterCommands();
    m_doc.AddView(this);
    InitialUpdate(pCloneSource);
    connect(this, &CGridViewEx::SelectionChanged, this, &CCofferView::StatusChanged);
}

CCofferView::~CCofferView()
{
    m_doc.RemoveView(this);
}

void CCofferView::SetColorProvider(ColorFn fn)
{
    ColorProvider() = std::move(fn);
}

void CCofferView::SetAppStatusProvider(StatusFn fn)
{
    StatusProvider() = std::move(fn);
}

QColor CCofferView::AppColor(int nSlot)
{
    if (ColorProvider())
        return ColorProvider()(nSlot);
    const CGridSettings& settings = CGridSettings::Current();
    switch (nSlot) {
    case 0: return settings.GridColor(GRID_COLOR_WINDOW);
    case 1: return settings.GridColor(GRID_COLOR_WINDOWTEXT);
    case 2: return settings.GridColor(GRID_COLOR_HIGHLIGHT);
    case 3: return QColor(Qt::white);
    case 4: return QColor(0xFF, 0x00, 0x00);
    case 8: return settings.GridColor(GRID_COLOR_GRIDLINE);
    default: return settings.GridColor(nSlot);
    }
}

std::uint32_t CCofferView::AppStatus()
{
    return StatusProvider() ? StatusProvider()() : 0x10u;
}

std::vector<int> CCofferView::LayoutKinds() const
{
    return CRegColumns::Kinds(m_layout);
}

bool CCofferView::IsOnlyWholePeriod() const
{
    return (m_doc.GetErrors() & ERR_WHOLE_PERIOD_ONLY) != 0;
}

void CCofferView::InitialUpdate(CCofferView* pSource)
{
    if (m_nPeriodMode < PERIOD_MONTH || m_nPeriodMode > PERIOD_ALL || IsOnlyWholePeriod())
        m_nPeriodMode = PERIOD_ALL;
    m_periodDate = m_doc.GetLastMonth();

    m_pEdit = new CInplaceEdit(viewport());
    m_pEdit->setFont(CGridSettings::Current().ViewFont());
    m_pEdit->hide();
    connect(m_pEdit, &CInplaceEdit::Committed, this, &CCofferView::OnEditCommitted);

    CreateColumnHeader(SHS_HORZ | SHS_COVER);
    if (CScrollHeader* pHeader = ColumnHeader())
        pHeader->setFont(CGridSettings::Current().ViewFont());
    SetGridSize(1, 2, 16, 16, false);
    SetFixedCount(2, 1, true);
    SetHeaderCount(1, 1);

    if (pSource != nullptr) {
        m_layout = pSource->m_layout;
        m_nShownTitle = pSource->m_nShownTitle;
        m_nPeriodMode = pSource->m_nPeriodMode;
        m_periodDate = pSource->m_periodDate;
        m_nFirstLine = pSource->m_nFirstLine;
        m_nLineCount = pSource->m_nLineCount;
        m_bYen = pSource->m_bYen;
    }
    ApplyTitles();
    OnUpdate(nullptr, HINT_REFRESH, HintData());

    if (pSource != nullptr) {
        ComputeMetrics(false);
        for (int c = 1; c < Geometry().Cols().Count(); ++c)
            SetColWidth(c, pSource->GetColWidth(c));
        const QPoint frame = pSource->Selection().FrameCell();
        SetCurCell(frame.x(), frame.y(), 0, 0);
        ScrollTo(0, pSource->ScrollPos(0), 0, true);
        ScrollTo(1, pSource->ScrollPos(1), 0, true);
    } else {
        ComputeMetrics(true);
        SetCurCell(0, std::max(0, std::min(m_nLineCount, CellRowCount() - 1)), 0, SCR_SNAP_A);
    }
}

void CCofferView::ApplyTitles()
{
    for (std::size_t k = 0; k < m_layout.size(); ++k)
        SetColumnTitle(int(k) + 1, CRegColumns::Title(CRegColumns::KindOf(m_layout[k])), SHF_SPREAD);
    // The first column's title is made again by the next paint.
    m_nShownTitle = -1;
}

void CCofferView::ComputeMetrics(bool bAutoWidths)
{
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    const int w8 = fm.horizontalAdvance(QStringLiteral("00000000"));
    const int h = fm.height();
    m_nVMargin = h * CGridSettings::Current().CellGap() / 200;
    m_nTextInset = std::max(w8 / 16, m_nVMargin);
    const int nRowHeight = h + 2 * m_nVMargin + 1;
    SetGridSize(m_nLineCount + 1, int(m_layout.size()) + 1, 0, nRowHeight, false);
    SetRowHeight(0, nRowHeight + 2);
    SetColWidth(0, w8 / 8);
    if (bAutoWidths) {
        for (std::size_t k = 0; k < m_layout.size(); ++k) {
            const int nKind = CRegColumns::KindOf(m_layout[k]);
            int nWidth = CRegColumns::WidthOf(m_layout[k]);
            if (nWidth == 0) {
                nWidth = 2 * m_nTextInset + fm.horizontalAdvance(CRegColumns::ScreenText(CRegColumns::WidthSample(nKind))) + 1;
                if (nKind != COL_DATE)
                    nWidth = std::max(nWidth, GetFitColWidth(int(k) + 1));
            }
            SetColWidth(int(k) + 1, nWidth);
        }
    }
    RecalcLayout();
    viewport()->update();
}

int CCofferView::GetFitColWidth(int nCol)
{
    const int k = nCol - 1;
    if (k < 0 || k >= int(m_layout.size()))
        return 0;
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    const int nKind = CRegColumns::KindOf(m_layout[std::size_t(k)]);
    int nWidth = fm.horizontalAdvance(CRegColumns::ScreenText(CRegColumns::WidthSample(nKind)));
    if (nKind == COL_DATE)
        return nWidth + 2 * m_nTextInset + 1;
    const auto measure = [&](int nLine) {
        nWidth = std::max(nWidth, fm.horizontalAdvance(CRegColumns::ScreenText(m_doc.GetCellText(nLine, nKind, true, m_bYen))));
    };
    const int nEnd = std::min(m_nFirstLine + m_nLineCount, m_doc.GetLineCount());
    if (IsAmountColumn(nKind) && !m_bYen) {
        // An amount's text grows with its size: per currency only the largest and the
        // smallest value need measuring, which keeps long ledgers quick to open.
        std::vector<int> maxLine(m_doc.m_curs.size(), -1);
        std::vector<int> minLine(m_doc.m_curs.size(), -1);
        std::vector<Amount> maxValue(m_doc.m_curs.size(), 0);
        std::vector<Amount> minValue(m_doc.m_curs.size(), 0);
        for (int nLine = m_nFirstLine; nLine < nEnd; ++nLine) {
            const CReceipt& line = m_doc.m_lines[std::size_t(nLine)];
            Amount nValue = 0;
            if (line.m_nCur >= maxLine.size() || line.GetAmount(nKind, m_doc.m_cats, nValue) == CReceipt::AMOUNT_ABSENT)
                continue;
            if (maxLine[line.m_nCur] < 0 || nValue > maxValue[line.m_nCur]) {
                maxLine[line.m_nCur] = nLine;
                maxValue[line.m_nCur] = nValue;
            }
            if (minLine[line.m_nCur] < 0 || nValue < minValue[line.m_nCur]) {
                minLine[line.m_nCur] = nLine;
                minValue[line.m_nCur] = nValue;
            }
        }
        for (std::size_t i = 0; i < maxLine.size(); ++i) {
            if (maxLine[i] >= 0)
                measure(maxLine[i]);
            if (minLine[i] >= 0)
                measure(minLine[i]);
        }
    } else if (nKind == COL_CATEGORY) {
        // One text per pair of category and counter-category.
        std::vector<bool> seen(256 * 256, false);
        for (int nLine = m_nFirstLine; nLine < nEnd; ++nLine) {
            const CReceipt& line = m_doc.m_lines[std::size_t(nLine)];
            const std::size_t nKey = std::size_t(line.m_nCat) * 256 + line.m_nCat2;
            if (!seen[nKey]) {
                seen[nKey] = true;
                measure(nLine);
            }
        }
    } else {
        // Only texts that could be wider are measured: one whose every character had the
        // widest advance of the font still fits, and a text met before measures the same
        // again (descriptions repeat a lot in a long ledger).
        const qsizetype nMaxAdvance = MaxAdvance(fm);
        QSet<QString> measured;
        for (int nLine = m_nFirstLine; nLine < nEnd; ++nLine) {
            const QString strText = m_doc.GetCellText(nLine, nKind, true, m_bYen);
            if (strText.size() * nMaxAdvance <= nWidth)
                continue;
            const qsizetype nSeen = measured.size();
            measured.insert(strText);
            if (measured.size() == nSeen)
                continue;
            nWidth = std::max(nWidth, fm.horizontalAdvance(CRegColumns::ScreenText(strText)));
        }
    }
    return nWidth + 2 * m_nTextInset + 1;
}

QColor CCofferView::GetGridColor(int nRole) const
{
    switch (nRole) {
    case GRID_COLOR_WINDOW: return AppColor(0);
    case GRID_COLOR_WINDOWTEXT: return AppColor(1);
    case GRID_COLOR_HIGHLIGHT: return AppColor(2);
    case GRID_COLOR_GRIDLINE: return AppColor(8);
    default: return AppColor(nRole);
    }
}

void CCofferView::OnSelChange()
{
    m_targetDate = 0;
    CGridViewEx::OnSelChange();
}

// --- period ----------------------------------------------------------------------------------

void CCofferView::SetRowCount(int nCount)
{
    SetScrollingCount(nCount, -1);
}

int CCofferView::TopRow() const
{
    const int nHeight = GetRowHeight(1);
    return nHeight > 0 ? ScrollPos(1) / nHeight : 0;
}

void CCofferView::ScrollRows(int nRows)
{
    if (nRows != 0)
        ScrollTo(1, ScrollPos(1) + nRows * GetRowHeight(1), 0, true);
}

void CCofferView::RebuildRows()
{
    const CRegPeriod::SRows rows = CRegPeriod::Rows(m_doc, m_nPeriodMode, m_periodDate);
    if (rows.nCount != m_nLineCount || rows.nCount != CellRowCount()) {
        m_nLineCount = rows.nCount;
        SetRowCount(m_nLineCount);
    }
    const int d = m_nFirstLine - rows.nFirst;
    m_nFirstLine = rows.nFirst;
    ScrollRows(d);
    Selection().ShiftRows(d, m_nLineCount);
    ClipSelection();
}

void CCofferView::SwitchToAll()
{
    const int nOldFirst = m_nFirstLine;
    m_nPeriodMode = PERIOD_ALL;
    m_nFirstLine = 0;
    m_nLineCount = m_doc.GetLineCount();
    SetRowCount(m_nLineCount);
    ScrollRows(nOldFirst);
    Selection().ShiftRows(nOldFirst, m_nLineCount);
}

void CCofferView::ClipSelection()
{
    // No cursor, range or frame may address a row that is gone.
    Selection().ShiftRows(0, m_nLineCount);
    CSelection& sel = Selection();
    if (sel.CursorRow() >= m_nLineCount)
        sel.SetCursor(sel.CursorCol(), std::max(0, m_nLineCount - 1));
}

bool CCofferView::SetPeriodMode(int nMode)
{
    if (nMode == m_nPeriodMode || nMode < PERIOD_MONTH || nMode > PERIOD_ALL)
        return false;
    if (nMode != PERIOD_ALL && IsOnlyWholePeriod())
        return false;
    OnSelChange();
    const int nRow = Selection().FrameCell().y();
    if (const CReceipt* pLine = nRow >= 0 && nRow < m_nLineCount ? m_doc.GetLine(m_nFirstLine + nRow) : nullptr)
        m_periodDate = pLine->m_date;
    m_nPeriodMode = nMode;
    OnUpdate(nullptr, 6, HintData());
    return true;
}

bool CCofferView::SetYenDisplay(bool bOn)
{
    if (bOn && !m_bYen && !m_doc.RequestYenView())
        return false;
    m_bYen = bOn;
    viewport()->update();
    Q_EMIT StatusChanged();
    return true;
}

// --- hints -----------------------------------------------------------------------------------

int CCofferView::HintDeleted(int p, int n, bool bSwitch, int nRemaining)
{
    const int d = p - m_nFirstLine;
    const int nTop = TopRow();
    if ((IsActive() && (d < 0 || d >= m_nLineCount)) || bSwitch) {
        const int nAbsTop = nTop + m_nFirstLine;
        SwitchToAll();
        if (p + n <= nAbsTop)
            ScrollRows(-n);
        else if (p < nAbsTop)
            ScrollTo(1, p * GetRowHeight(1), 0, true);
        m_nLineCount = nRemaining;
        SetRowCount(m_nLineCount);
        Selection().AdjustForDeletedRows(p, n, m_nLineCount);
        ClipSelection();
        return p;
    }
    const int s = std::max(d, 0);
    const int k = n + std::min(d, 0);
    if (k <= 0) {
        m_nFirstLine -= n;
        return s;
    }
    if (d < 0)
        m_nFirstLine += d;
    if (s >= m_nLineCount)
        return s;
    if (s + k <= nTop)
        ScrollRows(-k);
    else if (s < nTop)
        ScrollTo(1, s * GetRowHeight(1), 0, true);
    const int nGone = std::min(k, m_nLineCount - s);
    m_nLineCount -= nGone;
    Selection().AdjustForDeletedRows(s, nGone, m_nLineCount);
    SetRowCount(m_nLineCount);
    ClipSelection();
    return s;
}

int CCofferView::HintInserted(int p, int n, bool bSwitch)
{
    int d = p - m_nFirstLine;
    if ((IsActive() && (d < 0 || d > m_nLineCount)) || bSwitch) {
        // The rows are already in the document: switching shows them all.
        const int nOldFirst = m_nFirstLine;
        m_nPeriodMode = PERIOD_ALL;
        m_nFirstLine = 0;
        m_nLineCount = m_doc.GetLineCount();
        SetRowCount(m_nLineCount);
        ScrollRows(nOldFirst + (p < TopRow() + nOldFirst ? n : 0));
        Selection().ShiftRows(nOldFirst, m_nLineCount);
        CSelection& sel = Selection();
        if (sel.CursorRow() >= p)
            sel.SetCursor(sel.CursorCol(), std::min(sel.CursorRow() + n, m_nLineCount - 1));
        return p;
    }
    if (d < 0) {
        m_nFirstLine += n;
        return d;
    }
    if (d < TopRow())
        ScrollRows(n);
    if (d <= m_nLineCount) {
        m_nLineCount += n;
        SetRowCount(m_nLineCount);
        CSelection& sel = Selection();
        if (sel.CursorRow() >= d)
            sel.SetCursor(sel.CursorCol(), std::min(sel.CursorRow() + n, m_nLineCount - 1));
    }
    return d;
}

void CCofferView::SelectRows(int nRow, int nCount)
{
    if (nCount <= 0 || nRow < 0 || nRow >= m_nLineCount)
        return;
    GoToRow(-1, nRow);
    Selection().SetRange(CRange::WholeRows(nRow, std::min(nRow + nCount, m_nLineCount) - 1));
}

void CCofferView::OnUpdate(IDocView*, int nHint, const HintData& data)
{
    const bool bSwitch = (nHint & HINT_DATE_REVERSED) != 0 && m_nPeriodMode != PERIOD_ALL;
    const int nBase = nHint & ~HINT_DATE_REVERSED;
    if (nBase > HINT_VIEW_FONT || nBase < 0)
        return;
    OnSelChange();
    const auto at = [&data](std::size_t i) { return i < data.size() ? int(data[i]) : 0; };

    switch (nBase) {
    case HINT_REFRESH:
    case 7:
        Selection().Clear();
        RebuildRows();
        break;
    case 6:
        RebuildRows();
        break;
    case HINT_ROWS_REMOVED: {
        const int nRow = HintDeleted(at(0), at(1), bSwitch, m_doc.GetLineCount());
        if (IsActive() && m_nLineCount > 0)
            GoToRow(0, std::clamp(nRow, 0, m_nLineCount - 1));
        break;
    }
    case HINT_ROWS_INSERTED: {
        const int nRow = HintInserted(at(0), at(1), bSwitch);
        if (IsActive())
            SelectRows(nRow, at(1));
        break;
    }
    case HINT_ROWS_MOVED: {
        const int p = at(0);
        const int n = at(1);
        const int q = at(2);
        const int d = p - m_nFirstLine;
        const int q1 = q - m_nFirstLine;
        int nRow = q1;
        if (q1 < d || q1 > d + n) {
            const bool bOutside = d < 0 || d >= m_nLineCount || q1 < 0 || q1 > m_nLineCount;
            // The moved lines are still in the document: all but them remain until the insertion.
            HintDeleted(p, n, bSwitch || (IsActive() && bOutside), m_doc.GetLineCount() - n);
            nRow = HintInserted(q > p ? q - n : q, n, false);
        }
        if (IsActive())
            SelectRows(nRow, n);
        break;
    }
    case HINT_ROWS_REPLACED:
    case HINT_CELLS_MOVED: {
        const int p = at(0);
        const int n = at(1);
        const int k = at(2);
        const int m = at(3);
        int d = p - m_nFirstLine;
        if ((IsActive() && (d < 0 || d + n > m_nLineCount)) || bSwitch) {
            SwitchToAll();
            d = p;
        }
        if (IsActive() && d >= 0 && d < m_nLineCount) {
            GoToRow(k, d);
            const int nBottom = std::min(d + n, m_nLineCount) - 1;
            if (k < 0 || m < 0)
                Selection().SetRange(CRange::WholeRows(d, nBottom));
            else if (n > 1 || m > 1)
                Selection().SetRange(CRange(k, d, k + m - 1, nBottom));
        }
        break;
    }
    case 13: {
        m_layout.clear();
        for (const std::int32_t nEntry : data)
            m_layout.push_back(std::uint32_t(CRegColumns::KindOf(std::uint32_t(nEntry))));
        SetGridSize(m_nLineCount + 1, int(m_layout.size()) + 1, -1, -1, false);
        ApplyTitles();
        for (std::size_t i = 0; i < data.size(); ++i)
            SetColWidth(int(i) + 1, CRegColumns::WidthOf(std::uint32_t(data[i])));
        RecalcLayout();
        break;
    }
    case HINT_VIEW_FONT: {
        const int nOldHeight = std::max(1, GetRowHeight(1));
        std::vector<int> oldWidths;
        for (int c = 1; c <= int(m_layout.size()); ++c)
            oldWidths.push_back(GetColWidth(c));
        const int nOldPos = ScrollPos(1);
        ComputeMetrics(true);
        const int nNewHeight = GetRowHeight(1);
        ScrollTo(1, int(std::int64_t(nOldPos) * nNewHeight / nOldHeight), 0, true);
        for (std::size_t i = 0; i < oldWidths.size(); ++i) {
            const int nScaled = int(std::lround(double(oldWidths[i]) * nNewHeight / nOldHeight));
            SetColWidth(int(i) + 1, std::max(GetColWidth(int(i) + 1), nScaled));
        }
        break;
    }
    default:
        break; // 8 .. 12: redraw only
    }
    // Rows renumbered above may have moved the cursor away from the drawn frame.
    SyncFrame();
    viewport()->update();
    Q_EMIT StatusChanged();
}

// --- navigation pane -------------------------------------------------------------------------

SNaviState CCofferView::NaviState() const
{
    SNaviState state;
    state.nKind = VIEW_REGISTER;
    state.nMode = m_nPeriodMode >= PERIOD_ALL ? 0 : m_nPeriodMode;
    const int nRow = Selection().FrameCell().y();
    const CReceipt* pLine = nRow >= 0 && nRow < m_nLineCount ? m_doc.GetLine(m_nFirstLine + nRow) : nullptr;
    state.date = pLine != nullptr ? pLine->m_date : m_periodDate;
    state.syncDate = state.date;
    state.nCurrency = m_bYen ? 1 : 0;
    return state;
}

void CCofferView::OnNaviDate(PackedDate date)
{
    OnSelChange();
    if (m_nPeriodMode != PERIOD_ALL) {
        m_periodDate = date;
        OnUpdate(nullptr, 6, HintData());
    }
    const int nRow = m_doc.LowerBound(date) - m_nFirstLine;
    if (m_nLineCount > 0)
        GoToRow(-1, std::clamp(nRow, 0, m_nLineCount - 1));
}

void CCofferView::OnNaviCurrency(int nValue)
{
    SetYenDisplay(nValue != 0);
}
