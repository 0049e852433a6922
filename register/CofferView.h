#pragma once

#include "command/CommandTarget.h"
#include "command/NaviTarget.h"
#include "grid/GridViewEx.h"
#include "model/DocView.h"
#include "model/LineRange.h"
#include "model/PackedDate.h"
#include "register/RegCellRenderer.h"
#include "register/RegEdit.h"
#include "register/RegPasteBuffer.h"
#include "register/RegWindowPlan.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

class CCofferDoc;
class CInplaceEdit;
class CRecEditEntry;
class QMenu;
class QMimeData;

// The register (出納記録): one grid row per ledger line of the shown period, one column
// per layout entry. It holds no ledger data: texts come from the document when drawn,
// and every change goes through a document action. Grid column 0 is the row header;
// cell column k shows layout entry k, cell row i shows line m_nFirstLine + i.
class CCofferView : public CGridViewEx, public IDocView, public CCommandTarget, public INaviTarget
{
    Q_OBJECT

public:
    using ColorFn = std::function<QColor(int nSlot)>;
    using StatusFn = std::function<std::uint32_t()>;

    // With pCloneSource (the new-window command of a register window) the new view
    // copies its layout, period, scroll position and cursor.
    CCofferView(CCofferDoc& doc, QWidget* pParent = nullptr, CCofferView* pCloneSource = nullptr);
    ~CCofferView() override;

    // The application's colour slots and AppStatus word; defaults until installed.
    static void SetColorProvider(ColorFn fn);
    static void SetAppStatusProvider(StatusFn fn);
    static QColor AppColor(int nSlot);
    static std::uint32_t AppStatus();

    CCofferDoc& Document() const { return m_doc; }

    // --- IDocView --------------------------------------------------------------------------
    void OnUpdate(IDocView* pSender, const UpdateHint& hint) override;

    // --- INaviTarget -------------------------------------------------------------------------
    SNaviState NaviState() const override;
    void OnNaviDate(PackedDate date) override;
    void OnNaviCurrency(int nValue) override;

    // --- state ---------------------------------------------------------------------------
    const std::vector<std::uint32_t>& Layout() const { return m_layout; }
    std::vector<int> LayoutKinds() const;
    int PeriodMode() const { return m_nPeriodMode; }
    PackedDate PeriodDate() const { return m_periodDate; }
    int FirstLine() const { return m_nFirstLine; }
    int LineCount() const { return m_nLineCount; }
    bool IsYenDisplay() const { return m_bYen; }
    int TextInset() const { return m_nTextInset; }
    int VerticalMargin() const { return m_nVMargin; }
    CInplaceEdit* Editor() const { return m_pEdit; }
    // The key and text of the tip now offered (0: none).
    std::int32_t TipKey() const { return m_nTipKey; }
    QString TipText() const { return m_strTip; }
    // Whether the tip waits for its delay to pass.
    bool IsTipPending() const { return m_tipTimer.isActive(); }

    // The period commands (PERIOD_MONTH, PERIOD_YEAR, PERIOD_ALL); false when ignored.
    bool SetPeriodMode(int nMode);
    // Yen display on is refused (message 4142) without an exchange from yen.
    bool SetYenDisplay(bool bOn);
    // The status pane's text; bEnabled false leaves the pane disabled and empty.
    QString SelectionTotal(bool& bEnabled) const;
    // A grid range as ledger lines.
    CLineRange ToLineRange(const CRange& range) const;

    // --- commands ------------------------------------------------------------------------
    void OnEditClear();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    // Command 32829 of a single cell: the in-place editor on the frame cell.
    bool OnEditModify();
    bool CanPaste() const;
    // Command 32823: copied lines pasted with the method dialog.
    void OnEditPasteSpecial();
    bool CanPasteSpecial() const;
    // Answers the method dialog in its place (tests); an empty hook restores the dialog.
    using PasteMethodFn = std::function<bool(PackedDate date, CRegEdit::SPasteMethod& method)>;
    static void SetPasteMethodAsk(PasteMethodFn fn);
    // Commands 32827 .. 32830: lines entered or changed through the record dialog, one
    // dialog per line while the user goes on with "次へ".
    void OnEditRecord(int nCmd);
    // One record dialog for the line, as the command loop runs it; each accepted entry is
    // one action. Returns 1 (OK), 1006 ("次へ") or another value for cancel.
    int EditLine(int nCmd, int nLine, bool bFirst);
    // Answers the record dialog in its place (tests): edits the entry's fields and returns
    // the dialog's result. An empty hook restores the dialog.
    using RecEditFn = std::function<int(CRecEditEntry& entry)>;
    static void SetRecEditAsk(RecEditFn fn);
    // The mime data of a copy of the range (both forms); nullptr for an empty range.
    QMimeData* CreateMimeData(const CRange& range, int nGrabCol, int nGrabRow) const;
    // Pastes mime data at a grid cell as a drop does; returns 0 or the message number.
    int PasteMime(const QMimeData* pData, int nCol, int nRow, int nTargetCols, int nTargetRows);

    // The popup menu of the view, with the commands' states of this moment.
    void BuildContextMenu(QMenu& menu);

    int GetFitColWidth(int nCol) override;
    QColor GetGridColor(int nRole) const override;
    void OnSelChange() override;

    // The two halves of a drag from this view around the platform's drag loop: the data
    // of the selection grabbed at pt, and what the loop's result does to the source lines.
    QMimeData* BeginDrag(const QPoint& pt, CLineRange& lines);
    void EndDrag(Qt::DropAction action, const CLineRange& lines);

    // Computes row height, insets and (with bAutoWidths) the column widths from the view font.
    void ComputeMetrics(bool bAutoWidths);
    // How the cells are drawn on the screen now: font, insets, colours (a printer takes its own).
    CRegCellRenderer::SStyle CellStyle() const;
    // A note for the frame's message pane (why a typed cell was refused); the last one is kept.
    void ShowStatusMessage(const QString& strText);
    const QString& LastStatusMessage() const { return m_strLastStatus; }

Q_SIGNALS:
    // A selection or document change may have changed the status-bar total.
    void StatusChanged();

protected:
    void OnDraw(QPainter& painter, const QRect& rcClip) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dragLeaveEvent(QDragLeaveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    bool viewportEvent(QEvent* pEvent) override;

private:
    void RegisterCommands();
    void InitialUpdate(CCofferView* pCloneSource);
    void ApplyTitles();
    // The first column's title follows the first visible line: called whenever that may change.
    void UpdateFirstTitle();
    void SetRowCount(int nCount);
    int TopRow() const;
    // The window the plan decides on, and the plan's decisions applied to grid and selection.
    CRegWindowPlan::SWindow Window() const;
    void ApplyPlan(const CRegWindowPlan::SResult& plan);
    // The rows of the period looked up again; bClear drops the selection.
    void RebuildRows(bool bClear);
    bool CheckSingleRange() const;
    void PasteClipboard();
    bool StartCellEdit();
    bool IsOnlyWholePeriod() const;

    void UpdateTip(const QPoint& pt);
    void InitTip();
    void ShowTip();
    void HideTip();
    void OnEditCommitted(const QString& strText);
    void StartDrag(const QPoint& pt);

    CCofferDoc& m_doc;
    std::vector<std::uint32_t> m_layout;
    int m_nPeriodMode = -1;
    PackedDate m_periodDate = 0;
    int m_nFirstLine = 0;
    int m_nLineCount = 0;
    PackedDate m_nShownTitle = -1;
    bool m_bYen = false;
    int m_nTextInset = 0;
    int m_nVMargin = 0;
    PackedDate m_targetDate = 0;
    int m_nEditCol = -1;
    int m_nEditRow = -1;
    bool m_bDropAllowed = false;
    CRegPasteBuffer m_dropProbe;
    int m_nTipCol = -1;
    int m_nTipRow = -1;
    std::int32_t m_nTipKey = 0;
    QString m_strTip;
    QTimer m_tipTimer;
    CInplaceEdit* m_pEdit = nullptr;
    QString m_strLastStatus;
};
