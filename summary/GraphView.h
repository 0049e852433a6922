#pragma once

#include "command/CommandTarget.h"
#include "command/NaviTarget.h"
#include "model/DocView.h"
#include "model/PackedDate.h"
#include "summary/GraphLayout.h"
#include "summary/GraphScale.h"
#include "summary/GraphSeries.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>

#include <functional>

class CCofferDoc;
class QPainter;

// The graph (グラフ): the sums of one summary column in one currency as bars over the periods
// of the chosen mode, with the running average, the budget and a legend. A thin shell on
// CGraphSeries and CGraphLayout: every update recomputes the series, every paint lays it out
// for the area and paints what the layout holds.
// The scroll area is at least 640 × 400 pixels; a smaller window scrolls over it.
class CGraphView : public QAbstractScrollArea, public IDocView, public CCommandTarget, public INaviTarget
{
    Q_OBJECT

public:
    static constexpr int MIN_WIDTH = 640;
    static constexpr int MIN_HEIGHT = 400;
    static constexpr int TIP_DELAY_MS = 200;

    // With pSource (a second window on the same ledger) the new view takes its period,
    // currency, column and scale.
    explicit CGraphView(CCofferDoc& doc, QWidget* pParent = nullptr, CGraphView* pSource = nullptr);
    ~CGraphView() override;

    // The bar gap setting (percent of a bar's width left free in its slot); the program installs
    // its settings, nullptr returns to 50.
    static void SetBarGapProvider(std::function<int()> provider);

    CCofferDoc& Document() const { return m_doc; }
    const CGraphSeries& Series() const { return m_series; }
    int PeriodMode() const { return m_nMode; }
    int Currency() const { return m_nCur; }
    int Column() const { return m_nColumn; }
    PackedDate PeriodDate() const { return m_period; }
    bool IsSpecified() const { return m_bSpecified; }
    const CGraphScale& UserScale() const { return m_userScale; }
    // The user scale and whether it is drawn instead of the automatic one.
    void SetScale(bool bSpecified, const CGraphScale& scale);

    // The layout of the last screen drawing (the tooltip's hit test), in scroll-area coordinates.
    const CGraphLayout& ScreenLayout() const { return m_layout; }
    bool HasHitTest() const { return m_bHitTest; }
    // The size the graph is drawn in: the viewport, but not below 640 × 400.
    QSize AreaSize() const;

    // Draws the graph into rc of painter's device in the painter's font; bScreen keeps the
    // layout for the tooltip. Printing calls it with the page's drawing rectangle.
    void DrawGraph(QPainter& painter, const QRect& rc, bool bScreen);

    // The tooltip: its text and whether it waits for or shows that text.
    QString TipText() const { return m_strTip; }
    bool IsTipActive() const { return !m_strTip.isEmpty(); }
    const QTimer& TipTimer() const { return m_tipTimer; }

    // --- IDocView --------------------------------------------------------------------------
    void OnUpdate(IDocView* pSender, const UpdateHint& hint) override;

    // --- INaviTarget -----------------------------------------------------------------------
    SNaviState NaviState() const override;
    int NaviCurrencyStamp() const override;
    QStringList NaviCurrencyNames() const override;
    int NaviCategoryStamp() const override;
    QStringList NaviCategoryTitles() const override;
    void OnNaviDate(PackedDate date) override;
    void OnNaviCurrency(int nValue) override;
    void OnNaviCategory(int nValue) override;

    // --- commands --------------------------------------------------------------------------
    void SetPeriodMode(int nMode);
    // A period step (CSumCellLayout::STEP_*); ignored where the mode does not allow it.
    void StepPeriod(int nStep);
    // The previous (nDelta -1) or next column, wrapping at both ends.
    void StepColumn(int nDelta);
    void NextCurrency();
    // 書式設定: the graph's settings sheet, modal; a test answers through the hook instead.
    using SheetFn = std::function<void(CGraphView&)>;
    static void SetSheetHook(SheetFn fn);
    void OnFormat();

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void RegisterCommands();
    void InitialUpdate(CGraphView* pSource);
    void Recompute();
    void UpdateScrollBars();
    void UpdateTip(const QPoint& pos);

    CCofferDoc& m_doc;
    CGraphSeries m_series;
    CGraphLayout m_layout;
    bool m_bHitTest = false;
    int m_nMode = -1;
    int m_nCur = 0;
    int m_nColumn = 0;
    PackedDate m_period = 0;
    bool m_bSpecified = false;
    CGraphScale m_userScale;
    QString m_strTip;
    QPoint m_tipPos;
    QTimer m_tipTimer;
};
