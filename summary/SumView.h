#pragma once

#include "command/CommandTarget.h"
#include "command/NaviTarget.h"
#include "grid/GridViewEx.h"
#include "model/DocView.h"
#include "model/PackedDate.h"
#include "summary/SumTable.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

class CCofferDoc;
class QMenu;

// The summary table (集計表): one row per period of the chosen mode plus 合計 (and 予算 /
// 差引 when some budget is non-zero), one column per summary key, for one currency. A thin
// shell on CSumTable: the table is recomputed from the document on every update and the view
// only draws it, moves through periods and currencies and copies cells.
// Grid column 0 is a narrow header column, cell column c shows key c of the table (the date
// column first), cell row r shows table row r.
class CSumView : public CGridViewEx, public IDocView, public CCommandTarget, public INaviTarget
{
    Q_OBJECT

public:
    // With pSource (a second window on the same ledger) the new view takes its currency,
    // period, column widths, cursor and scroll positions.
    explicit CSumView(CCofferDoc& doc, QWidget* pParent = nullptr, CSumView* pSource = nullptr);
    ~CSumView() override;

    CCofferDoc& Document() const { return m_doc; }
    const CSumTable& Table() const { return m_table; }
    int Currency() const { return m_nCur; }
    int PeriodMode() const { return m_nMode; }
    PackedDate PeriodDate() const { return m_period; }
    int HorizontalMargin() const { return m_nHMargin; }
    int VerticalMargin() const { return m_nVMargin; }

    // --- IDocView --------------------------------------------------------------------------
    void OnUpdate(IDocView* pSender, const UpdateHint& hint) override;

    // --- INaviTarget -----------------------------------------------------------------------
    SNaviState NaviState() const override;
    int NaviCurrencyStamp() const override;
    QStringList NaviCurrencyNames() const override;
    void OnNaviDate(PackedDate date) override;
    void OnNaviCurrency(int nValue) override;

    // --- commands --------------------------------------------------------------------------
    void SetPeriodMode(int nMode);
    // A period step (CSumCellLayout::STEP_*); ignored where the mode does not allow it.
    void StepPeriod(int nStep);
    void NextCurrency();
    // The cursor to the first (bLast false) or last row, in the anchor's column.
    void MoveToEdgeRow(bool bLast);
    void OnEditCopy();
    // The popup menu of the view ("-Sum-"), with the commands' states of this moment.
    void BuildContextMenu(QMenu& menu);

    // --- grid ------------------------------------------------------------------------------
    int GetFitColWidth(int nCol) override;
    QColor GetGridColor(int nRole) const override;
    // Draws one cell as the screen shows it (the rectangle in viewport coordinates).
    void DrawCell(QPainter& painter, const QRect& rc, int nRow, int nCol, bool bSelected) const;

protected:
    void OnDraw(QPainter& painter, const QRect& rcClip) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;

private:
    void RegisterCommands();
    void InitialUpdate(CSumView* pSource);
    // Margins, row height and column widths from the view font; the widths start afresh.
    void ComputeLayout();
    void Recompute(bool bLayout);
    int ColumnCount() const { return m_table.GetColumnCount(); }

    CCofferDoc& m_doc;
    CSumTable m_table;
    int m_nCur = 0;
    int m_nMode = -1;
    PackedDate m_period = 0;
    int m_nHMargin = 0;
    int m_nVMargin = 0;
};
