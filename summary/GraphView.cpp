#include "summary/GraphView.h"

#include "command/CmdUI.h"
#include "command/CommandIds.h"
#include "grid/GridSettings.h"
#include "model/Calendar.h"
#include "model/CofferDoc.h"
#include "register/CofferView.h"
#include "summary/GraphPropSheet.h"
#include "summary/PeriodMode.h"
#include "summary/SumCalc.h"
#include "summary/SumCellLayout.h"
#include "summary/SumSource.h"
#include "summary/SumTable.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace {

std::function<int()>& BarGapProvider()
{
    static std::function<int()> provider;
    return provider;
}

QColor Rgb(std::uint32_t n)
{
    return QColor(int((n >> 16) & 0xff), int((n >> 8) & 0xff), int(n & 0xff));
}

std::uint32_t RgbOf(const QColor& c)
{
    return (std::uint32_t(c.red()) << 16) | (std::uint32_t(c.green()) << 8) | std::uint32_t(c.blue());
}

// Bright on the left, a third on the right, one column at a time; then a black outline.
void FillBar(QPainter& painter, const QRect& rc, std::uint32_t nRgb, int nPen)
{
    if (rc.isEmpty())
        return;
    const int x0 = rc.left();
    const int x1 = rc.left() + rc.width();
    for (int x = x0 + 1; x <= x1 - 2; ++x)
        painter.fillRect(QRect(x, rc.top(), 1, rc.height()), Rgb(CGraphLayout::Shade(nRgb, x, x0, x1)));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, nPen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(QRect(x0, rc.top(), std::max(0, rc.width() - 1), std::max(0, rc.height() - 1)));
}

void DrawText(QPainter& painter, const QFontMetrics& fm, const CGraphLayout::SText& text)
{
    if (text.m_str.isEmpty())
        return;
    const QString str = text.m_bElide ? fm.elidedText(text.m_str, Qt::ElideRight, std::max(0, text.m_rc.width()))
                                      : text.m_str;
    // A text wider than its box still shows whole unless it is elided.
    painter.drawText(text.m_rc, int(text.m_align) | Qt::TextSingleLine | Qt::TextDontClip, str);
}

void DrawMark(QPainter& painter, const std::array<QPoint, 3>& points, int nPen)
{
    QPolygon polygon;
    for (const QPoint& pt : points)
        polygon << pt;
    painter.setPen(QPen(Qt::black, nPen));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawPolygon(polygon);
    painter.setBrush(Qt::NoBrush);
}

CGraphView::SheetFn& SheetHook()
{
    static CGraphView::SheetFn fn;
    return fn;
}

} // namespace

CGraphView::CGraphView(CCofferDoc& doc, QWidget* pParent, CGraphView* pSource)
    : QAbstractScrollArea(pParent)
    , m_doc(doc)
{
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    // The drawing covers the whole area.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_tipTimer.setSingleShot(true);
    m_tipTimer.setInterval(TIP_DELAY_MS);
    connect(&m_tipTimer, &QTimer::timeout, this, [this] {
        if (!m_strTip.isEmpty())
            QToolTip::showText(viewport()->mapToGlobal(m_tipPos), m_strTip, viewport(), QRect(), 32767);
    });
    RegisterCommands();
    m_doc.AddView(this);
    InitialUpdate(pSource);
}

CGraphView::~CGraphView()
{
    m_doc.RemoveView(this);
}

void CGraphView::SetBarGapProvider(std::function<int()> provider)
{
    BarGapProvider() = std::move(provider);
}

void CGraphView::InitialUpdate(CGraphView* pSource)
{
    if (m_nMode < PERIOD_MONTH || m_nMode > PERIOD_QUARTER)
        m_nMode = PERIOD_MONTH;
    m_nCur = 0;
    m_period = CCalendar::Today();
    if (m_doc.GetLastMonth() != 0 && m_period > m_doc.GetLastMonth())
        m_period = m_doc.GetLastMonth();
    m_period = MakeDate(DateYear(m_period), DateMonth(m_period), 0);
    if (pSource != nullptr) {
        m_nMode = pSource->m_nMode;
        m_nCur = pSource->m_nCur;
        m_period = pSource->m_period;
    }
    m_nColumn = CGraphSeries::DefaultColumn(CGraphSeries::ColumnKeys(m_doc.Categories()));
    if (pSource != nullptr) {
        m_nColumn = pSource->m_nColumn;
        m_bSpecified = pSource->m_bSpecified;
        m_userScale = pSource->m_userScale;
    }
    UpdateScrollBars();
    Recompute();
}

void CGraphView::RegisterCommands()
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
    AddCommand(ID_MOVE_PREV_CATEGORY, ID_MOVE_NEXT_CATEGORY,
               [this](int nID) { StepColumn(nID == ID_MOVE_NEXT_CATEGORY ? 1 : -1); },
               [this](CCmdUI& ui) { ui.Enable(!m_series.GetColumnKeys().empty()); });
    AddCommand(ID_MOVE_NEXT_CURRENCY, [this](int) { NextCurrency(); }, [](CCmdUI& ui) { ui.Enable(true); });
    AddCommand(ID_VIEW_FORMAT, [this](int) { OnFormat(); }, [](CCmdUI& ui) { ui.Enable(true); });
}

// --- updates -----------------------------------------------------------------------------------

void CGraphView::OnUpdate(IDocView*, const UpdateHint& hint)
{
    bool bIgnore = false;
    std::visit(Overloaded{
                   [&](const SRefresh&) {
                       m_nColumn = CGraphSeries::DefaultColumn(CGraphSeries::ColumnKeys(m_doc.Categories()));
                   },
                   [&](const SCategoriesRemapped& h) {
                       // The graph keeps showing the same category at its new place.
                       m_nColumn = CGraphSeries::ColumnAfterRemap(m_series.GetKey(), h.table,
                                                                  CGraphSeries::ColumnKeys(m_doc.Categories()));
                   },
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
        Recompute();
}

void CGraphView::Recompute()
{
    m_series.Compute(m_doc, m_nColumn, m_nCur, m_nMode, m_period, m_bSpecified, m_userScale);
    // The series brings an unknown column or currency back to 0 and the date within the ledger.
    m_nColumn = m_series.GetColumn();
    m_nCur = m_series.GetCurrency();
    m_period = m_series.GetPeriodDate();
    // No tooltip until the next drawing has placed the bars.
    m_bHitTest = false;
    UpdateTip(QPoint(-1, -1));
    viewport()->update();
}

void CGraphView::SetScale(bool bSpecified, const CGraphScale& scale)
{
    m_bSpecified = bSpecified;
    m_userScale = scale;
    Recompute();
}

// --- drawing -----------------------------------------------------------------------------------

QSize CGraphView::AreaSize() const
{
    return QSize(std::max(viewport()->width(), MIN_WIDTH), std::max(viewport()->height(), MIN_HEIGHT));
}

void CGraphView::UpdateScrollBars()
{
    const QSize area = AreaSize();
    horizontalScrollBar()->setRange(0, area.width() - viewport()->width());
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(64);
    verticalScrollBar()->setRange(0, area.height() - viewport()->height());
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(40);
}

void CGraphView::DrawGraph(QPainter& painter, const QRect& rc, bool bScreen)
{
    const QFontMetrics fm(painter.font(), painter.device());
    CGraphLayout::SMetrics metrics;
    metrics.m_nTextHeight = fm.height();
    metrics.m_textWidth = [&fm](const QString& str) { return fm.horizontalAdvance(str); };
    metrics.m_nCellGap = CGridSettings::Current().CellGap();
    metrics.m_nBarGap = BarGapProvider() ? BarGapProvider()() : 50;
    CGraphLayout printLayout;
    CGraphLayout& layout = bScreen ? m_layout : printLayout;
    layout.Lay(m_series, rc.width(), rc.height(), metrics);
    if (bScreen)
        m_bHitTest = !layout.IsEmpty();

    painter.save();
    painter.setClipRect(rc, Qt::IntersectClip);
    painter.translate(rc.topLeft());
    const QRect rcArea(0, 0, rc.width(), rc.height());
    painter.fillRect(rcArea, CCofferView::AppColor(CGraphLayout::SLOT_BACKGROUND));
    if (layout.IsEmpty()) {
        painter.restore();
        return;
    }
    const int nPen = std::max(1, painter.device()->logicalDpiX() / 96);
    const QColor textColor = CCofferView::AppColor(CGraphLayout::SLOT_TEXT);
    const QPen gridPen(CCofferView::AppColor(CGraphLayout::SLOT_GRID), nPen);
    const QPen averagePen(CCofferView::AppColor(CGraphLayout::SLOT_AVERAGE), nPen);
    const QPen budgetPen(CCofferView::AppColor(CGraphLayout::SLOT_BUDGET), nPen);
    const QRect& rcPlot = layout.Plot();
    painter.fillRect(rcPlot, CCofferView::AppColor(CGraphLayout::SLOT_PLOT));

    painter.setPen(textColor);
    DrawText(painter, fm, layout.Title());

    // Legend.
    for (const CGraphLayout::SLegendEntry& entry : layout.Legend()) {
        const QRect& rcSample = entry.m_rcSample;
        if (entry.m_nKind == CGraphLayout::SAMPLE_BAR) {
            const QColor color = entry.m_nPalette >= 0 ? Rgb(CGraphSeries::PaletteColor(entry.m_nPalette))
                                                       : CCofferView::AppColor(entry.m_nSlot);
            FillBar(painter, rcSample, RgbOf(color), nPen);
        } else {
            painter.setPen(entry.m_nKind == CGraphLayout::SAMPLE_LINE_BUDGET ? budgetPen : averagePen);
            const int y = rcSample.top() + rcSample.height() / 2;
            painter.drawLine(rcSample.left(), y, rcSample.left() + rcSample.width(), y);
        }
        painter.setPen(textColor);
        DrawText(painter, fm, entry.m_text);
    }

    painter.setPen(gridPen);
    painter.drawLines(layout.GridLines().data(), int(layout.GridLines().size()));
    painter.setPen(textColor);
    for (const CGraphLayout::SText& label : layout.Labels())
        DrawText(painter, fm, label);

    for (const CGraphLayout::SBar& bar : layout.Bars()) {
        const QColor color = bar.m_nPalette >= 0 ? Rgb(CGraphSeries::PaletteColor(bar.m_nPalette))
                                                 : CCofferView::AppColor(bar.m_nSlot);
        FillBar(painter, bar.m_rc, RgbOf(color), nPen);
    }
    if (layout.ClippedAtTop())
        DrawMark(painter, layout.TopMark(), nPen);
    if (layout.ClippedAtBottom())
        DrawMark(painter, layout.BottomMark(), nPen);

    painter.setPen(averagePen);
    painter.drawLines(layout.AverageLine().data(), int(layout.AverageLine().size()));
    if (m_series.HasBudget()) {
        painter.setPen(budgetPen);
        painter.drawLines(layout.BudgetLine().data(), int(layout.BudgetLine().size()));
    }

    painter.setPen(textColor);
    DrawText(painter, fm, layout.Total());
    painter.restore();
}

void CGraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(CGridSettings::Current().ViewFont());
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    painter.translate(-offset);
    DrawGraph(painter, QRect(QPoint(0, 0), AreaSize()), true);
}

void CGraphView::resizeEvent(QResizeEvent* pEvent)
{
    QAbstractScrollArea::resizeEvent(pEvent);
    UpdateScrollBars();
    m_bHitTest = false;
    viewport()->update();
}

void CGraphView::scrollContentsBy(int, int)
{
    viewport()->update();
}

// --- tooltip -----------------------------------------------------------------------------------

void CGraphView::mouseMoveEvent(QMouseEvent* pEvent)
{
    UpdateTip(pEvent->position().toPoint());
    QAbstractScrollArea::mouseMoveEvent(pEvent);
}

void CGraphView::leaveEvent(QEvent* pEvent)
{
    UpdateTip(QPoint(-1, -1));
    QAbstractScrollArea::leaveEvent(pEvent);
}

void CGraphView::UpdateTip(const QPoint& pos)
{
    QString strText;
    if (m_bHitTest && pos.x() >= 0 && pos.y() >= 0) {
        const QPoint at = pos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
        strText = m_layout.TipText(m_series, at.x(), at.y());
    }
    if (strText.isEmpty()) {
        if (!m_strTip.isEmpty()) {
            m_strTip.clear();
            m_tipTimer.stop();
            QToolTip::hideText();
        }
        return;
    }
    m_tipPos = pos;
    if (strText != m_strTip) {
        m_strTip = strText;
        if (QToolTip::isVisible())
            QToolTip::showText(viewport()->mapToGlobal(pos), m_strTip, viewport(), QRect(), 32767);
        else
            m_tipTimer.start();
    }
}

// --- commands ----------------------------------------------------------------------------------

void CGraphView::SetPeriodMode(int nMode)
{
    if (nMode < PERIOD_MONTH || nMode > PERIOD_QUARTER)
        return;
    m_nMode = nMode;
    Recompute();
}

void CGraphView::StepPeriod(int nStep)
{
    if (!CSumCellLayout::IsStepEnabled(m_nMode, nStep))
        return;
    const CSumSource src(m_doc);
    m_period = CSumCellLayout::Step(m_period, nStep, src.FirstDate(), src.LastDate());
    Recompute();
}

void CGraphView::StepColumn(int nDelta)
{
    const int nCount = int(m_series.GetColumnKeys().size());
    if (nCount == 0)
        return;
    m_nColumn = ((m_nColumn + nDelta) % nCount + nCount) % nCount;
    Recompute();
}

void CGraphView::NextCurrency()
{
    const int nCount = int(m_doc.Currencies().size());
    m_nCur = m_nCur + 1 < nCount ? m_nCur + 1 : 0;
    Recompute();
}

void CGraphView::SetSheetHook(SheetFn fn)
{
    SheetHook() = std::move(fn);
}

void CGraphView::OnFormat()
{
    if (SheetHook()) {
        SheetHook()(*this);
        return;
    }
    CGraphPropSheet sheet(*this, this);
    sheet.exec();
}

// --- navigation pane ---------------------------------------------------------------------------

SNaviState CGraphView::NaviState() const
{
    SNaviState state;
    state.nKind = VIEW_GRAPH;
    state.nMode = std::min(m_nMode, int(PERIOD_ALL));
    // Where every period is shown the pane names the ledger's start.
    state.date = m_nMode >= PERIOD_ALL ? m_series.GetFirstDate() : m_period;
    state.nCurrency = m_nCur;
    state.nCategory = m_nColumn;
    state.syncDate = m_period;
    return state;
}

int CGraphView::NaviCurrencyStamp() const
{
    return int(m_doc.GetCurrencyStamp());
}

QStringList CGraphView::NaviCurrencyNames() const
{
    QStringList names;
    for (const CCurFmt& cur : m_doc.Currencies())
        names << (cur.m_strName.isEmpty() ? cur.m_strSymbol : cur.m_strName);
    return names;
}

int CGraphView::NaviCategoryStamp() const
{
    return int(m_doc.GetCategoryStamp());
}

QStringList CGraphView::NaviCategoryTitles() const
{
    QStringList titles;
    for (std::uint32_t nKey : m_series.GetColumnKeys())
        titles << CSumCalc::GetSummaryTitle(m_doc.Categories(), int(nKey));
    return titles;
}

void CGraphView::OnNaviDate(PackedDate date)
{
    const CSumSource src(m_doc);
    m_period = CSumTable::ClampPeriod(date, src.FirstDate(), src.LastDate());
    Recompute();
}

void CGraphView::OnNaviCurrency(int nValue)
{
    if (nValue < 0 || nValue >= int(m_doc.Currencies().size()))
        return;
    m_nCur = nValue;
    Recompute();
}

void CGraphView::OnNaviCategory(int nValue)
{
    if (nValue < 0)
        return;
    m_nColumn = nValue;
    Recompute();
}
