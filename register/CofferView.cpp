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
    connect(this, &CGridView::Scrolled, this, &CCofferView::UpdateFirstTitle);
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
    return m_doc.HasDateReversal();
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
    OnUpdate(nullptr, SRefresh{});

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
    m_nShownTitle = -1;
    UpdateFirstTitle();
}

void CCofferView::UpdateFirstTitle()
{
    if (m_layout.empty())
        return;
    const CGridGeometry& geo = Geometry();
    const int nTop = HitTest(geo.Cols().FixedSum(), geo.Rows().FixedSum()).y();
    const int nTopLine = nTop >= 0 && nTop < m_nLineCount ? m_nFirstLine + nTop : -1;
    const PackedDate key = CRegPeriod::TitleKey(m_doc, nTopLine, m_nPeriodMode, m_periodDate);
    if (key == m_nShownTitle)
        return;
    m_nShownTitle = key;
    unsigned nFormat = 0;
    const QString strTitle = CRegPeriod::TitleText(key, nFormat);
    SetColumnTitle(1, strTitle, nFormat);
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
        std::vector<int> maxLine(m_doc.Currencies().size(), -1);
        std::vector<int> minLine(m_doc.Currencies().size(), -1);
        std::vector<Amount> maxValue(m_doc.Currencies().size(), 0);
        std::vector<Amount> minValue(m_doc.Currencies().size(), 0);
        for (int nLine = m_nFirstLine; nLine < nEnd; ++nLine) {
            const CReceipt& line = m_doc.Lines()[std::size_t(nLine)];
            Amount nValue = 0;
            if (line.m_nCur >= maxLine.size() || line.GetAmount(nKind, m_doc.Categories(), nValue) == CReceipt::AMOUNT_ABSENT)
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
            const CReceipt& line = m_doc.Lines()[std::size_t(nLine)];
            const std::size_t nKey = std::size_t(line.m_nCat) * 256 + line.m_nCat2;
            if (!seen[nKey]) {
                seen[nKey] = true;
                measure(nLine);
            }
        }
    } else {
        // Shaping a text is what costs, and a long ledger has hundreds of thousands of
        // distinct descriptions. The sum of a text's character advances comes within a
        // pixel or so of its shaped width (kerning and positioning move it either way), so
        // the sum with a margin bounds it; texts are shaped in the order of their bounds,
        // widest first, while a bound exceeds the widest width so far. Where thousands of
        // distinct texts lie within that margin of the widest (all as wide as it, give or
        // take a pixel), the first kMaxShaped of them decide.
        const QFontMetricsF fmf(CGridSettings::Current().ViewFont());
        const int nMaxAdvance = MaxAdvance(fm);
        std::vector<double> advance(0x10000, -1.0);
        const auto bound = [&](const QString& strText) {
            double dSum = 0;
            for (const QChar ch : strText) {
                const char16_t c = ch.unicode();
                double& d = advance[c];
                if (d < 0) {
                    if (ch.isSurrogate() || ch.category() == QChar::Other_Control)
                        d = nMaxAdvance;
                    else
                        // The yen sign is what the screen shows for U+005C.
                        d = std::max(fmf.horizontalAdvance(ch), c == u'\\' ? fmf.horizontalAdvance(QChar(0xA5)) : 0.0);
                }
                dSum += d;
            }
            return std::int64_t(std::ceil(dSum * 1.01)) + 2;
        };
        std::vector<std::pair<std::int64_t, int>> candidates;
        for (int nLine = m_nFirstLine; nLine < nEnd; ++nLine) {
            const QString strText = m_doc.GetCellText(nLine, nKind, true, m_bYen);
            if (std::int64_t(strText.size()) * nMaxAdvance <= nWidth)
                continue;
            const std::int64_t nBound = bound(strText);
            if (nBound > nWidth)
                candidates.emplace_back(nBound, nLine);
        }
        const auto wider = [](const auto& a, const auto& b) { return a.first > b.first; };
        std::make_heap(candidates.begin(), candidates.end(), [&](const auto& a, const auto& b) { return wider(b, a); });
        constexpr qsizetype kMaxShaped = 4096;
        QSet<QString> measured;
        while (!candidates.empty() && candidates.front().first > nWidth && measured.size() < kMaxShaped) {
            std::pop_heap(candidates.begin(), candidates.end(), [&](const auto& a, const auto& b) { return wider(b, a); });
            const QString strText = m_doc.GetCellText(candidates.back().second, nKind, true, m_bYen);
            candidates.pop_back();
            const qsizetype nSeen = measured.size();
            measured.insert(strText);
            if (measured.size() != nSeen)
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

CRegWindowPlan::SWindow CCofferView::Window() const
{
    CRegWindowPlan::SWindow window;
    window.nFirstLine = m_nFirstLine;
    window.nLineCount = m_nLineCount;
    window.bWholeLedger = m_nPeriodMode == PERIOD_ALL;
    window.bActive = IsActive();
    window.nTopRow = TopRow();
    return window;
}

void CCofferView::ApplyPlan(const CRegWindowPlan::SResult& plan)
{
    const int nPos = ScrollPos(1);
    if (plan.bSwitchToAll)
        m_nPeriodMode = PERIOD_ALL;
    m_nFirstLine = plan.nFirstLine;
    m_nLineCount = plan.nLineCount;
    if (m_nLineCount != CellRowCount())
        SetRowCount(m_nLineCount);
    // Scrolled once the rows are there, so that no intermediate count limits the position.
    if (!plan.scroll.IsNone()) {
        const int nHeight = GetRowHeight(1);
        const int nFrom = plan.scroll.bToRow ? plan.scroll.nRow * nHeight : nPos;
        ScrollTo(1, nFrom + plan.scroll.nDelta * nHeight, 0, true);
    }

    CSelection& sel = Selection();
    for (const CRegWindowPlan::SSelEdit& edit : plan.edits) {
        switch (edit.kind) {
        case CRegWindowPlan::SSelEdit::Clear:
            sel.Clear();
            break;
        case CRegWindowPlan::SSelEdit::Shift:
            sel.ShiftRows(edit.nRow, edit.nRowCount);
            break;
        case CRegWindowPlan::SSelEdit::Deleted:
            sel.AdjustForDeletedRows(edit.nRow, edit.nCount, edit.nRowCount);
            break;
        case CRegWindowPlan::SSelEdit::Clip:
            // No cursor, range or frame may address a row that is gone.
            sel.ShiftRows(0, edit.nRowCount);
            if (sel.CursorRow() >= edit.nRowCount)
                sel.SetCursor(sel.CursorCol(), std::max(0, edit.nRowCount - 1));
            break;
        case CRegWindowPlan::SSelEdit::CursorDown:
            if (sel.CursorRow() >= edit.nRow)
                sel.SetCursor(sel.CursorCol(), std::min(sel.CursorRow() + edit.nCount, edit.nRowCount - 1));
            break;
        }
    }

    const CRegWindowPlan::SFocus& focus = plan.focus;
    switch (focus.kind) {
    case CRegWindowPlan::SFocus::None:
        break;
    case CRegWindowPlan::SFocus::Row:
        GoToRow(focus.nCol, focus.nRow);
        break;
    case CRegWindowPlan::SFocus::Rows:
        GoToRow(focus.nCol, focus.nRow);
        sel.SetRange(CRange::WholeRows(focus.nRow, focus.nRow + focus.nRows - 1));
        break;
    case CRegWindowPlan::SFocus::Cells:
        GoToRow(focus.nCol, focus.nRow);
        sel.SetRange(CRange(focus.nCol, focus.nRow, focus.nCol + focus.nCols - 1, focus.nRow + focus.nRows - 1));
        break;
    }
}

void CCofferView::RebuildRows(bool bClear)
{
    const CRegPeriod::SRows rows = CRegPeriod::Rows(m_doc, m_nPeriodMode, m_periodDate);
    ApplyPlan(CRegWindowPlan::Rebuild(Window(), rows.nFirst, rows.nCount, bClear));
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
    OnUpdate(nullptr, SPeriodShown{});
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

// --- notices ---------------------------------------------------------------------------------

void CCofferView::OnUpdate(IDocView*, const UpdateHint& hint)
{
    // Memo steps do not concern the register.
    if (std::holds_alternative<SMemoChanged>(hint))
        return;
    OnSelChange();
    const int nLines = m_doc.GetLineCount();
    std::visit(Overloaded{
                   [&](const SRefresh&) { RebuildRows(true); },
                   [&](const SPeriodShown&) { RebuildRows(false); },
                   [&](const SLinesRemoved& h) { ApplyPlan(CRegWindowPlan::Removed(Window(), h, nLines)); },
                   [&](const SLinesInserted& h) { ApplyPlan(CRegWindowPlan::Inserted(Window(), h, nLines)); },
                   [&](const SLinesMoved& h) { ApplyPlan(CRegWindowPlan::Moved(Window(), h, nLines)); },
                   [&](const SLinesReplaced& h) {
                       ApplyPlan(CRegWindowPlan::Replaced(Window(), h.first, h.count, h.firstColumn, h.columnCount,
                                                          h.dateReversed, nLines));
                   },
                   [&](const SCellsMoved& h) {
                       ApplyPlan(CRegWindowPlan::Replaced(Window(), h.first, h.count, h.firstColumn, h.columnCount,
                                                          h.dateReversed, nLines));
                   },
                   [&](const SLinesChanged& h) { ApplyPlan(CRegWindowPlan::Changed(Window(), h, nLines)); },
                   [&](const SColumnLayout& layout) {
                       m_layout.clear();
                       for (const std::uint32_t nEntry : layout.entries)
                           m_layout.push_back(std::uint32_t(CRegColumns::KindOf(nEntry)));
                       SetGridSize(m_nLineCount + 1, int(m_layout.size()) + 1, -1, -1, false);
                       ApplyTitles();
                       for (std::size_t i = 0; i < layout.entries.size(); ++i)
                           SetColWidth(int(i) + 1, CRegColumns::WidthOf(layout.entries[i]));
                       RecalcLayout();
                   },
                   [&](const SViewFont&) {
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
                   },
                   // Remapped lists: only the texts change, and they are looked up when drawn.
                   [](const SCategoriesRemapped&) {},
                   [](const SCurrenciesRemapped&) {},
                   [](const SMemoChanged&) {},
               },
               hint);
    // Rows renumbered above may have moved the cursor away from the drawn frame.
    SyncFrame();
    UpdateFirstTitle();
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
        OnUpdate(nullptr, SPeriodShown{});
    }
    const int nRow = m_doc.LowerBound(date) - m_nFirstLine;
    if (m_nLineCount > 0)
        GoToRow(-1, std::clamp(nRow, 0, m_nLineCount - 1));
}

void CCofferView::OnNaviCurrency(int nValue)
{
    SetYenDisplay(nValue != 0);
}
