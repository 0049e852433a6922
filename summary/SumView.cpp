#include "summary/SumView.h"

#include "grid/PrintJob.h"
#include "summary/SumPrinter.h"

#include "command/AppStatus.h"
#include "command/CommandIds.h"
#include "grid/GridFlags.h"
#include "grid/GridSettings.h"
#include "grid/ScrollHeader.h"
#include "model/Calendar.h"
#include "model/CofferDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "register/CofferView.h"
#include "summary/PeriodMode.h"
#include "summary/SumCellLayout.h"
#include "summary/SumSource.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

#include <algorithm>

namespace {

const QString& DateSample()
{
    static const QString str = QStringLiteral("99/99/99");
    return str;
}

} // namespace

CSumView::CSumView(CCofferDoc& doc, QWidget* pParent, CSumView* pSource) : CGridViewEx(pParent), m_doc(doc)
{
    RegisterCommands();
    m_doc.AddView(this);
    InitialUpdate(pSource);
}

CSumView::~CSumView()
{
    m_doc.RemoveView(this);
}

void CSumView::InitialUpdate(CSumView* pSource)
{
    if (m_nMode < PERIOD_MONTH || m_nMode > PERIOD_QUARTER)
        m_nMode = PERIOD_MONTH;
    m_nCur = 0;
    m_period = CCalendar::Today();
    if (m_doc.GetLastMonth() != 0 && m_period > m_doc.GetLastMonth())
        m_period = m_doc.GetLastMonth();

    CreateColumnHeader(SHS_HORZ | SHS_COVER);
    if (CScrollHeader* pHeader = ColumnHeader())
        pHeader->setFont(CGridSettings::Current().ViewFont());
    SetGridSize(10, 10, 16, 16, false);
    SetFixedCount(2, 1, true);
    SetHeaderCount(1, 1, true);

    if (pSource != nullptr) {
        m_nCur = pSource->m_nCur;
        m_nMode = pSource->m_nMode;
        m_period = pSource->m_period;
    }
    Recompute(true);

    if (pSource != nullptr) {
        const int nCols = std::min(Geometry().Cols().Count(), pSource->Geometry().Cols().Count());
        for (int c = 1; c < nCols; ++c)
            SetColWidth(c, pSource->GetColWidth(c));
        RecalcLayout();
        const QPoint frame = pSource->Selection().FrameCell();
        SetCurCell(std::clamp(frame.x(), 0, std::max(0, ColumnCount() - 1)),
                   std::clamp(frame.y(), 0, std::max(0, m_table.GetRowCount() - 1)), 0, 0);
        ScrollTo(0, pSource->ScrollPos(0), 0, true);
        ScrollTo(1, pSource->ScrollPos(1), 0, true);
    }
}

void CSumView::RegisterCommands()
{
    AddCommand(ID_PERIOD_MONTH, ID_PERIOD_SERIAL, [this](int nID) { SetPeriodMode(nID - ID_PERIOD_MONTH); },
               [this](CCmdUI& ui) {
                   ui.Enable(true);
                   ui.SetCheck(ui.m_nID - ID_PERIOD_MONTH == m_nMode);
               });
    AddCommand(ID_MOVE_PREV_YEAR, ID_MOVE_NEXT_MONTH,
               [this](int nID) { StepPeriod(nID - ID_MOVE_PREV_YEAR + CSumCellLayout::STEP_PREV_YEAR); },
               [this](CCmdUI& ui) {
                   ui.Enable(CSumCellLayout::IsStepEnabled(m_nMode, ui.m_nID - ID_MOVE_PREV_YEAR));
               });
    AddCommand(ID_MOVE_NEXT_CURRENCY, [this](int) { NextCurrency(); }, [](CCmdUI& ui) { ui.Enable(true); });
    AddCommand(ID_MOVE_FIRST, ID_MOVE_LAST, [this](int nID) { MoveToEdgeRow(nID == ID_MOVE_LAST); },
               [](CCmdUI& ui) { ui.Enable(true); });
    // Enabled always: a refusal (more than one range) says why.
    AddCommand(ID_EDIT_COPY, [this](int) { OnEditCopy(); }, [](CCmdUI& ui) { ui.Enable(true); });
    AddCommand(ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, [this](int nID) {
        CSumPrinter printer(*this);
        CPrintJob::EResult result = CPrintJob::PRINTED;
        if (nID == ID_FILE_PRINT)
            result = CPrintJob::Print(printer, this);
        else if (nID == ID_FILE_PRINT_DIRECT)
            result = CPrintJob::QuickPrint(printer, this);
        else
            CPrintJob::Preview(printer, this);
        if (result == CPrintJob::FAILED)
            CMessageBox::ShowText(CPrintJob::LastError(), MB_ICONEXCLAMATION);
    }, [](CCmdUI& ui) { ui.Enable(true); });
}

// --- updates -----------------------------------------------------------------------------------

void CSumView::OnUpdate(IDocView*, const UpdateHint& hint)
{
    bool bLayout = false;
    bool bIgnore = false;
    std::visit(Overloaded{
                   [&](const SRefresh&) { bLayout = true; },
                   [&](const SViewFont&) { bLayout = true; },
                   [&](const SColumnLayout&) { bLayout = true; },
                   [&](const SCurrenciesRemapped& h) {
                       if (m_nCur >= 0 && std::size_t(m_nCur) < h.table.size())
                           m_nCur = h.table[std::size_t(m_nCur)];
                   },
                   // Memo steps do not touch the sums.
                   [&](const SMemoChanged&) { bIgnore = true; },
                   [](const auto&) {},
               },
               hint);
    if (!bIgnore)
        Recompute(bLayout);
}

void CSumView::Recompute(bool bLayout)
{
    OnSelChange();
    m_table.Compute(m_doc, m_nCur, m_nMode, m_period);
    // The table brings an unknown currency back to 0 and the date within the ledger.
    m_nCur = m_table.GetCurrency();
    m_period = m_table.GetPeriodDate();

    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    const int nCols = ColumnCount();
    SetGridSize(m_table.GetRowCount() + 1, nCols + 1, 2 * m_nHMargin + fm.horizontalAdvance(DateSample()) + 1,
                fm.height() + 2 * m_nVMargin + 1, false);
    // Widths grow with their contents and never shrink on an update; a layout starts afresh.
    if (bLayout) {
        ComputeLayout();
    } else {
        for (int i = 1; i <= nCols; ++i)
            SetColWidth(i, std::max(GetFitColWidth(i), GetColWidth(i)));
    }
    for (int c = 0; c < nCols; ++c) {
        if (CScrollHeader* pHeader = ColumnHeader(); pHeader == nullptr || pHeader->Title(c + 1) != m_table.GetColumnTitle(c))
            SetColumnTitle(c + 1, m_table.GetColumnTitle(c), SHF_SPREAD);
    }
    RecalcLayout();
    // The cursor goes home without scrolling: an edit elsewhere leaves the table where it was.
    Selection().SetCell(0, 0, 0);
    SyncFrame();
    viewport()->update();
}

void CSumView::ComputeLayout()
{
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    const int nTextHeight = fm.height();
    m_nVMargin = nTextHeight * CGridSettings::Current().CellGap() / 200;
    const int nDigit = fm.horizontalAdvance(QStringLiteral("00")) - fm.horizontalAdvance(QStringLiteral("0"));
    m_nHMargin = std::max(nDigit / 2, m_nVMargin);
    const int nRowHeight = nTextHeight + 2 * m_nVMargin + 1;
    const int nCols = ColumnCount();
    SetGridSize(m_table.GetRowCount() + 1, nCols + 1, 2 * m_nHMargin + fm.horizontalAdvance(DateSample()) + 1,
                nRowHeight, false);
    SetRowHeight(0, nRowHeight + 2);
    SetColWidth(0, nDigit);
    const int nMinWidth = 2 * m_nHMargin + fm.horizontalAdvance(QStringLiteral("\\99,999")) + 1;
    for (int i = 1; i <= nCols; ++i)
        SetColWidth(i, std::max(GetFitColWidth(i), nMinWidth));
}

// --- grid --------------------------------------------------------------------------------------

int CSumView::GetFitColWidth(int nCol)
{
    const int c = nCol - 1;
    if (c < 0 || c >= ColumnCount())
        return 0;
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    int nWidth = 0;
    if (c == 0) {
        nWidth = fm.horizontalAdvance(QStringLiteral("00/00/00"));
        for (int r = 0; r < m_table.GetRowCount(); ++r)
            nWidth = std::max(nWidth, fm.horizontalAdvance(m_table.GetCellText(r, 0)));
    } else {
        // An amount's text grows with its size: the largest and the smallest value bound it.
        Amount nMin = 0;
        Amount nMax = 0;
        m_table.GetColumnRange(c, nMin, nMax);
        const std::vector<CCurFmt>& curs = m_doc.Currencies();
        const CCurFmt fmt = curs.empty() ? CCurFmt() : curs[std::size_t(m_table.GetCurrency())];
        nWidth = std::max(fm.horizontalAdvance(fmt.Format(nMin, true)), fm.horizontalAdvance(fmt.Format(nMax, true)));
    }
    return nWidth + 2 * m_nHMargin + 1;
}

QColor CSumView::GetGridColor(int nRole) const
{
    switch (nRole) {
    case GRID_COLOR_WINDOW: return CCofferView::AppColor(0);
    case GRID_COLOR_WINDOWTEXT: return CCofferView::AppColor(1);
    case GRID_COLOR_HIGHLIGHT: return CCofferView::AppColor(2);
    case GRID_COLOR_GRIDLINE: return CCofferView::AppColor(8);
    default: return CCofferView::AppColor(nRole);
    }
}

void CSumView::DrawCell(QPainter& painter, const QRect& rcCell, int nRow, int nCol, bool bSelected) const
{
    const QString strText = m_table.GetCellText(nRow, nCol);
    if (strText.isEmpty())
        return;
    const QFontMetrics fm(painter.font());
    // The cell without its grid lines.
    const QRect rc(rcCell.left(), rcCell.top(), std::max(0, rcCell.width() - 1), std::max(0, rcCell.height() - 1));
    QColor textColor = CCofferView::AppColor(1);
    if (bSelected)
        textColor = CCofferView::AppColor(3);
    else if (nCol >= 1 && m_table.GetCellValue(nRow, nCol) == 0)
        textColor = CCofferView::AppColor(4);
    const int v = fm.height() * CGridSettings::Current().CellGap() / 200;
    const int nDigit = fm.horizontalAdvance(QStringLiteral("00000000")) / 8;
    const int h = std::max(nDigit / 2, v);
    const int nBaseline = rc.top() + v + fm.ascent();

    painter.save();
    painter.setClipRect(rc, Qt::IntersectClip);
    painter.setPen(textColor);
    if (nCol >= 1) {
        const int nRight = rc.left() + rc.width() - h;
        painter.drawText(QPoint(nRight - fm.horizontalAdvance(strText), nBaseline), strText);
    } else if (nRow < m_table.GetPeriodRows() - 1) {
        const int nSlash = fm.horizontalAdvance(QLatin1Char('/'));
        int x = rc.left() + h;
        for (qsizetype i = 0; i < strText.size(); ++i) {
            painter.drawText(QPoint(x, nBaseline), QString(strText.at(i)));
            x += CSumCellLayout::DateAdvance(int(i), nDigit, nSlash);
        }
    } else {
        const int nChars = int(strText.size());
        const int nTextWidth = fm.horizontalAdvance(strText);
        int x = rc.left() + CSumCellLayout::SpreadGap(rc.width(), nTextWidth, nChars);
        const int nAdvance = CSumCellLayout::SpreadAdvance(rc.width(), nTextWidth, nChars);
        for (qsizetype i = 0; i < strText.size(); ++i) {
            painter.drawText(QPoint(x, nBaseline), QString(strText.at(i)));
            x += nAdvance;
        }
    }
    painter.restore();
}

void CSumView::OnDraw(QPainter& painter, const QRect& rcClip)
{
    const CGridGeometry& geo = Geometry();
    if (geo.Rows().Total() == 0)
        return;
    const int nHeaderHeight = geo.Rows().HeaderSum();
    const QRect rcArea = rcClip.intersected(QRect(0, nHeaderHeight, viewport()->width(), viewport()->height()));
    if (rcArea.isEmpty())
        return;
    const int nRows = m_table.GetRowCount();
    const int nFirstRow = std::max(0, HitTest(rcArea.left(), rcArea.top(), true, true).y());
    if (nFirstRow >= nRows)
        return;
    painter.setFont(CGridSettings::Current().ViewFont());
    const bool bShowSelection = IsActive();
    const int nCols = ColumnCount();
    for (int nRow = nFirstRow; nRow < nRows; ++nRow) {
        const QRect rcRow = CellToRect(-1, nRow, false);
        if (rcRow.top() > rcArea.bottom())
            break;
        for (int c = 0; c < nCols; ++c) {
            const QRect rc = CellToRect(c, nRow, true);
            if (rc.isEmpty() || rc.right() < rcArea.left())
                continue;
            if (rc.left() > rcArea.right() && c > 0)
                break;
            DrawCell(painter, rc, nRow, c, bShowSelection && Selection().IsSelected(c, nRow));
        }
    }
}

// --- commands ----------------------------------------------------------------------------------

void CSumView::SetPeriodMode(int nMode)
{
    if (nMode < PERIOD_MONTH || nMode > PERIOD_QUARTER)
        return;
    m_nMode = nMode;
    Recompute(false);
}

void CSumView::StepPeriod(int nStep)
{
    if (!CSumCellLayout::IsStepEnabled(m_nMode, nStep))
        return;
    const CSumSource src(m_doc);
    m_period = CSumCellLayout::Step(m_period, nStep, src.FirstDate(), src.LastDate());
    Recompute(false);
}

void CSumView::NextCurrency()
{
    const int nCount = int(m_doc.Currencies().size());
    m_nCur = m_nCur + 1 < nCount ? m_nCur + 1 : 0;
    Recompute(false);
}

void CSumView::MoveToEdgeRow(bool bLast)
{
    const CSelection& sel = Selection();
    const int nCol = sel.HasAnchor() ? sel.AnchorCol() : sel.CursorCol();
    const int nRow = bLast ? std::max(0, m_table.GetRowCount() - 1) : 0;
    GoToRow(std::max(0, nCol), nRow);
    OnSelChange();
}

void CSumView::OnEditCopy()
{
    if (Selection().GetRangeCount() > 1) {
        AppMessageBox(IDS_MULTI_RANGE);
        OnSelChange();
        return;
    }
    const CRange range = Selection().GetPrimaryRange();
    if (!range.IsEmpty()) {
        const bool bHeader = (CCofferView::AppStatus() & AS_COPY_HEADER) != 0;
        const QString strText =
            m_table.GetCopyText(range.top, range.left, range.bottom, range.right, range.IsWholeRows(), bHeader);
        QApplication::clipboard()->setText(strText);
    }
    OnSelChange();
}

void CSumView::BuildContextMenu(QMenu& menu)
{
    QAction* pAction = menu.addAction(QStringLiteral("コピー(&C)"));
    pAction->setData(ID_EDIT_COPY);
    CCmdUI ui(ID_EDIT_COPY);
    UpdateCommand(ui);
    pAction->setEnabled(ui.m_bEnabled);
    connect(pAction, &QAction::triggered, this, [this] { ExecuteCommand(ID_EDIT_COPY); });
}

void CSumView::contextMenuEvent(QContextMenuEvent* pEvent)
{
    QMenu menu(this);
    BuildContextMenu(menu);
    menu.exec(pEvent->globalPos());
}

// --- navigation pane ---------------------------------------------------------------------------

SNaviState CSumView::NaviState() const
{
    SNaviState state;
    state.nKind = VIEW_SUMMARY;
    state.nMode = m_nMode;
    // Where every period is shown the pane names the ledger's start.
    state.date = m_nMode >= PERIOD_ALL ? CSumSource(m_doc).FirstDate() : m_period;
    state.nCurrency = m_nCur;
    state.syncDate = m_period;
    return state;
}

int CSumView::NaviCurrencyStamp() const
{
    return int(m_doc.GetCurrencyStamp());
}

QStringList CSumView::NaviCurrencyNames() const
{
    QStringList names;
    for (const CCurFmt& cur : m_doc.Currencies())
        names << (cur.m_strName.isEmpty() ? cur.m_strSymbol : cur.m_strName);
    return names;
}

void CSumView::OnNaviDate(PackedDate date)
{
    const CSumSource src(m_doc);
    m_period = CSumTable::ClampPeriod(date, src.FirstDate(), src.LastDate());
    Recompute(false);
}

void CSumView::OnNaviCurrency(int nValue)
{
    if (nValue < 0 || nValue >= int(m_doc.Currencies().size()))
        return;
    m_nCur = nValue;
    Recompute(false);
}
