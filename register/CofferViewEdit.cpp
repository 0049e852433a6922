#include "register/CofferView.h"

#include "command/AppStatus.h"
#include "command/CmdUI.h"
#include "command/CommandIds.h"
#include "command/CommandTable.h"
#include "dialogs/PasteSelDlg.h"
#include "grid/GridOleDropTarget.h"
#include "grid/PrintJob.h"
#include "grid/InplaceEdit.h"
#include "model/CofferDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "register/RegClipboard.h"
#include "register/RegColumns.h"
#include "register/RegEdit.h"
#include "register/RegPrinter.h"
#include "register/RecEditDlg.h"
#include "register/RecEditEntry.h"
#include "register/RecEditLoop.h"
#include "register/RegRefusal.h"
#include "summary/PeriodMode.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

// The drag in progress from a register: its document, and where a move within that
// document landed (the source carries the move out as one action). The target's column
// kinds come back with it: another view of the ledger may lay out its columns otherwise.
struct SDragRecord
{
    CCofferDoc* pDoc = nullptr;
    bool bTargetSet = false;
    int nCol = 0;
    int nLine = 0;
    std::vector<int> targetKinds;
};

SDragRecord& DragRecord()
{
    static SDragRecord record;
    return record;
}

bool HasPrivate(const QMimeData* pData)
{
    return pData != nullptr && pData->hasFormat(CRegClipboard::PrivateMime());
}

bool HasText(const QMimeData* pData)
{
    return pData != nullptr && pData->hasText();
}

} // namespace

void CCofferView::RegisterCommands()
{
    const auto always = [](CCmdUI& ui) { ui.Enable(true); };
    AddCommand(ID_EDIT_CLEAR, [this](int) { OnEditClear(); }, always);
    AddCommand(ID_EDIT_CUT, [this](int) { OnEditCut(); }, always);
    AddCommand(ID_EDIT_COPY, [this](int) { OnEditCopy(); }, always);
    AddCommand(ID_EDIT_PASTE, [this](int) { OnEditPaste(); }, [this](CCmdUI& ui) { ui.Enable(CanPaste()); });
    AddCommand(ID_EDIT_PASTE_SPECIAL, [this](int) { OnEditPasteSpecial(); },
               [this](CCmdUI& ui) { ui.Enable(CanPasteSpecial()); });
    // Enabled always: a refusal (more than one range) says why.
    AddCommand(ID_EDIT_INPUT, ID_EDIT_MODIFY_ROW, [this](int nID) { OnEditRecord(nID); }, always);
    // Printing draws the shown lines through the screen's cell renderer.
    AddCommand(ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, [this](int nID) {
        CRegPrinter printer(*this);
        CPrintJob::EResult result = CPrintJob::PRINTED;
        if (nID == ID_FILE_PRINT)
            result = CPrintJob::Print(printer, this);
        else if (nID == ID_FILE_PRINT_DIRECT)
            result = CPrintJob::QuickPrint(printer, this);
        else
            CPrintJob::Preview(printer, this);
        if (result == CPrintJob::FAILED)
            CMessageBox::ShowText(CPrintJob::LastError(), MB_ICONEXCLAMATION);
    }, always);
    AddCommand(ID_PERIOD_MONTH, ID_PERIOD_ALL, [this](int nID) { SetPeriodMode(nID - ID_PERIOD_MONTH); },
               [this](CCmdUI& ui) {
                   const int nMode = ui.m_nID - ID_PERIOD_MONTH;
                   ui.Enable(nMode == PERIOD_ALL || !IsOnlyWholePeriod());
                   ui.SetCheck(nMode == m_nPeriodMode);
               });
    AddCommand(ID_VIEW_YEN, [this](int) { SetYenDisplay(!m_bYen); }, [this](CCmdUI& ui) {
        ui.Enable(true);
        ui.SetCheck(m_bYen);
    });
    AddCommand(ID_INDICATOR_TOTAL, {}, [this](CCmdUI& ui) {
        bool bEnabled = false;
        const QString strText = SelectionTotal(bEnabled);
        ui.Enable(bEnabled);
        ui.SetText(strText);
    });
}

bool CCofferView::CheckSingleRange() const
{
    if (Selection().GetRangeCount() <= 1)
        return true;
    AppMessageBox(IDS_MULTI_RANGE);
    return false;
}

QMimeData* CCofferView::CreateMimeData(const CRange& range, int nGrabCol, int nGrabRow) const
{
    const CLineRange lines = ToLineRange(range);
    if (lines.IsEmpty())
        return nullptr;
    const std::uint32_t nStatus = AppStatus();
    auto* pData = new QMimeData;
    pData->setText(CRegClipboard::BuildText(m_doc, m_layout, lines, (nStatus & AS_COPY_HEADER) != 0,
                                            (nStatus & AS_COPY_CURRENCY_SYMBOL) != 0));
    pData->setData(CRegClipboard::PrivateMime(),
                   CRegClipboard::BuildPrivate(m_doc, m_layout, lines, nGrabCol, nGrabRow));
    return pData;
}

// Every editing command ends with OnSelChange, refused or not.

void CCofferView::OnEditCopy()
{
    if (CheckSingleRange()) {
        if (QMimeData* pData = CreateMimeData(Selection().GetPrimaryRange(), 0, 0))
            QApplication::clipboard()->setMimeData(pData);
    }
    OnSelChange();
}

void CCofferView::OnEditClear()
{
    if (CheckSingleRange())
        CRegEdit::DeleteRange(m_doc, ToLineRange(Selection().GetPrimaryRange()), LayoutKinds(), false);
    OnSelChange();
}

void CCofferView::OnEditCut()
{
    if (CheckSingleRange()) {
        const CRange range = Selection().GetPrimaryRange();
        if (QMimeData* pData = CreateMimeData(range, 0, 0)) {
            QApplication::clipboard()->setMimeData(pData);
            CRegEdit::DeleteRange(m_doc, ToLineRange(range), LayoutKinds(), true);
        }
    }
    OnSelChange();
}

bool CCofferView::CanPaste() const
{
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    return HasPrivate(pData) || HasText(pData);
}

int CCofferView::PasteMime(const QMimeData* pData, int nCol, int nRow, int nTargetCols, int nTargetRows)
{
    CRegPasteBuffer buffer;
    bool bFound = false;
    if (HasPrivate(pData))
        bFound = buffer.ReadPrivate(m_doc, pData->data(CRegClipboard::PrivateMime()));
    else if (HasText(pData))
        bFound = buffer.ReadText(pData->text());
    if (!bFound)
        return IDS_CLIPBOARD_FAILED;
    const int nLine = m_nFirstLine + std::max(nRow, 0);
    return CRegEdit::Paste(m_doc, buffer, LayoutKinds(), nCol, nLine, nTargetCols, nTargetRows);
}

namespace {

CCofferView::PasteMethodFn& PasteMethodAsk()
{
    static CCofferView::PasteMethodFn fn;
    return fn;
}

bool AskPasteMethod(QWidget* pParent, PackedDate date, CRegEdit::SPasteMethod& method)
{
    if (const CCofferView::PasteMethodFn& fn = PasteMethodAsk())
        return fn(date, method);
    CPasteSelDlg dlg(date, pParent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    method.nMethod = dlg.Method();
    method.bUseDate = dlg.UseDate();
    method.date = dlg.Date();
    method.bDate = dlg.PartDate();
    method.bCurrency = dlg.PartCurrency();
    method.bAmounts = dlg.PartAmounts();
    method.bDesc = dlg.PartDesc();
    return true;
}

} // namespace

void CCofferView::SetPasteMethodAsk(PasteMethodFn fn)
{
    PasteMethodAsk() = std::move(fn);
}

bool CCofferView::CanPasteSpecial() const
{
    return HasPrivate(QApplication::clipboard()->mimeData());
}

void CCofferView::OnEditPasteSpecial()
{
    if (!CheckSingleRange()) {
        OnSelChange();
        return;
    }
    CRange range;
    if (Selection().GetRangeCount() == 1)
        range = Selection().GetPrimaryRange();
    int nTargetCols = 0;
    int nTargetRows = 0;
    int nRow = Selection().CursorRow();
    if (!range.IsEmpty()) {
        const QSize size = range.GetSize();
        nTargetCols = range.IsWholeRows() ? -1 : size.width();
        nTargetRows = range.IsWholeColumns() ? m_nLineCount : size.height();
        nRow = range.IsWholeColumns() ? 0 : range.top;
    }
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    CRegPasteBuffer buffer;
    int nMessage = 0;
    if (!HasPrivate(pData) || !buffer.ReadPrivate(m_doc, pData->data(CRegClipboard::PrivateMime())))
        nMessage = IDS_CLIPBOARD_FAILED;
    else
        nMessage = CRegEdit::CheckPasteSpecial(buffer, nTargetCols, nTargetRows);
    if (nMessage == 0) {
        const int nLine = m_nFirstLine + std::max(nRow, 0);
        const CReceipt* pTarget = m_doc.GetLine(nLine);
        CRegEdit::SPasteMethod method;
        if (AskPasteMethod(this, pTarget != nullptr ? pTarget->m_date : 0, method)) {
            CRegEdit::SPastePlan plan = CRegEdit::PlanPasteSpecial(m_doc, buffer, nLine, method);
            nMessage = CRegEdit::ExecutePaste(m_doc, plan);
        }
    }
    if (nMessage != 0)
        AppMessageBox(nMessage);
    OnSelChange();
}

void CCofferView::OnEditPaste()
{
    if (CheckSingleRange())
        PasteClipboard();
    OnSelChange();
}

void CCofferView::PasteClipboard()
{
    CRange range;
    if (Selection().GetRangeCount() == 1)
        range = Selection().GetPrimaryRange();
    int nTargetCols = 0;
    int nTargetRows = 0;
    int nCol = Selection().CursorCol();
    int nRow = Selection().CursorRow();
    if (!range.IsEmpty()) {
        const QSize size = range.GetSize();
        nTargetCols = range.IsWholeRows() ? -1 : size.width();
        nTargetRows = range.IsWholeColumns() ? m_nLineCount : size.height();
        nCol = range.left;
        nRow = range.IsWholeColumns() ? 0 : range.top;
    }
    const int nMessage = PasteMime(QApplication::clipboard()->mimeData(), nCol, nRow, nTargetCols, nTargetRows);
    if (nMessage != 0)
        AppMessageBox(nMessage);
}

namespace {

CCofferView::RecEditFn& RecEditAsk()
{
    static CCofferView::RecEditFn fn;
    return fn;
}

} // namespace

void CCofferView::SetRecEditAsk(RecEditFn fn)
{
    RecEditAsk() = std::move(fn);
}

int CCofferView::EditLine(int nCmd, int nLine, bool bFirst)
{
    CRecEditEntry entry;
    if (!entry.Begin(m_doc, nCmd, nLine, bFirst))
        return CRecEditEntry::RESULT_NONE;
    int nResult = CRecEditEntry::RESULT_CANCEL;
    if (const RecEditFn& fn = RecEditAsk()) {
        nResult = fn(entry);
    } else {
        CRecEditDlg dlg(entry, &m_doc.GetRecItems(), (AppStatus() & AS_ASSIST_MANUAL) != 0, this);
        nResult = dlg.exec();
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    nResult = entry.Finish(m_doc, nResult);
    QGuiApplication::restoreOverrideCursor();
    return nResult;
}

void CCofferView::OnEditRecord(int nCmd)
{
    if (!CheckSingleRange()) {
        OnSelChange();
        return;
    }
    const CRange range = Selection().GetPrimaryRange();
    const bool bModify = nCmd == ID_EDIT_MODIFY || nCmd == ID_EDIT_MODIFY_ROW;
    if (bModify && range.IsEmpty()) {
        OnSelChange();
        return;
    }
    if (nCmd == ID_EDIT_MODIFY && !range.IsWholeRows() && !range.IsWholeColumns() && range.left == range.right
        && range.top == range.bottom) {
        OnEditModify();
        return;
    }
    int nTop = range.IsEmpty() ? Selection().CursorRow() : range.top;
    const int nRows = range.IsEmpty() ? 1 : range.IsWholeColumns() ? m_nLineCount : range.GetSize().height();
    if (range.IsWholeColumns())
        nTop = bModify ? 0 : -1;
    // Above the first row (an empty register): input goes to the first shown line, add
    // after the line before it.
    int nLine = m_nFirstLine + nTop;
    if (nTop < 0)
        nLine = nCmd == ID_EDIT_ADD ? m_nFirstLine - 1 : m_nFirstLine;
    CRecEditLoop::Run(
        nCmd, nLine, nRows, [this](int nEditCmd, int nAt, bool bFirst) { return EditLine(nEditCmd, nAt, bFirst); },
        [this](int nAt) { GoToRow(0, std::clamp(nAt - m_nFirstLine, 0, std::max(m_nLineCount - 1, 0))); },
        [this] { return m_doc.GetLineCount(); });
    // Without a window manager nothing gives the activation back after a modal dialog, and
    // the keys (Ctrl+Z right after an entry) would reach no window.
    if (QWidget* pWindow = window(); pWindow != nullptr && !pWindow->isActiveWindow())
        pWindow->activateWindow();
    setFocus();
    OnSelChange();
}

bool CCofferView::OnEditModify()
{
    const bool bStarted = CheckSingleRange() && StartCellEdit();
    OnSelChange();
    return bStarted;
}

bool CCofferView::StartCellEdit()
{
    const CRange range = Selection().GetPrimaryRange();
    if (range.IsEmpty() || range.IsWholeRows() || range.IsWholeColumns() || range.left != range.right
        || range.top != range.bottom)
        return false;
    const QPoint cell = Selection().FrameCell();
    if (cell.x() < 0 || cell.x() >= int(m_layout.size()) || cell.y() < 0 || cell.y() >= m_nLineCount)
        return false;
    m_nEditCol = cell.x();
    m_nEditRow = m_nFirstLine + cell.y();
    EnsureVisible(cell.x(), cell.y(), 0);
    QRect rc = CellToRect(cell.x(), cell.y(), false);
    rc.setTop(rc.top() + m_nVMargin);
    rc.setRight(rc.right() - 2);
    rc.setBottom(rc.bottom() - 2);
    rc.setLeft(rc.left() + 4 * m_nTextInset / 5);
    const int nKind = CRegColumns::KindOf(m_layout[std::size_t(cell.x())]);
    m_pEdit->Start(m_doc.GetCellText(m_nEditRow, nKind, false, false), rc);
    return true;
}

void CCofferView::OnEditCommitted(const QString& strText)
{
    OnSelChange();
    if (m_nEditCol < 0 || m_nEditCol >= int(m_layout.size()))
        return;
    const int nKind = CRegColumns::KindOf(m_layout[std::size_t(m_nEditCol)]);
    if (CRegEdit::ApplyCellText(m_doc, m_nEditRow, m_nEditCol, nKind, strText))
        return;
    // A refusal is no message box: the status bar says why the cell kept its value.
    if (const CReceipt* pLine = m_doc.GetLine(m_nEditRow)) {
        const QString strReason = CRegRefusal::Reason(*pLine, nKind, strText, m_doc.Categories());
        if (!strReason.isEmpty())
            ShowStatusMessage(strReason);
    }
}

void CCofferView::ShowStatusMessage(const QString& strText)
{
    m_strLastStatus = strText;
    // The frame's message pane takes status tips from any widget inside it.
    QStatusTipEvent event(strText);
    QCoreApplication::sendEvent(window(), &event);
}

// --- mouse -------------------------------------------------------------------------------

void CCofferView::mousePressEvent(QMouseEvent* pEvent)
{
    UpdateTip(pEvent->position().toPoint());
    HideTip();
    const QPoint pt = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton && IsOnSelectionBorder(pt.x(), pt.y())) {
        StartDrag(pt);
        OnSelChange();
        pEvent->accept();
        return;
    }
    CGridViewEx::mousePressEvent(pEvent);
    Q_EMIT StatusChanged();
}

void CCofferView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    const QPoint hit = HitTest(pt.x(), pt.y());
    if (pEvent->button() == Qt::LeftButton && Selection().GetPrimaryRange().Contains(hit.x(), hit.y())) {
        ExecuteCommand(ID_EDIT_MODIFY);
        pEvent->accept();
        return;
    }
    pEvent->accept();
}

void CCofferView::contextMenuEvent(QContextMenuEvent* pEvent)
{
    HideTip();
    QMenu menu(this);
    BuildContextMenu(menu);
    menu.exec(pEvent->globalPos());
}

void CCofferView::BuildContextMenu(QMenu& menu)
{
    // The register's popup ("-Coffer-"); 0 is a separator. Its commands come back to this view.
    const struct {
        int nID;
        const char16_t* pszText;
    } items[] = { { ID_EDIT_CUT, nullptr },
                  { ID_EDIT_COPY, nullptr },
                  { ID_EDIT_PASTE, nullptr },
                  { ID_EDIT_PASTE_SPECIAL, u"指定張り付け(&S)..." },
                  { ID_EDIT_CLEAR, nullptr },
                  { 0, nullptr },
                  { ID_EDIT_INPUT, nullptr },
                  { ID_EDIT_ADD, nullptr },
                  { ID_EDIT_MODIFY, nullptr },
                  { ID_EDIT_MODIFY_ROW, nullptr },
                  { 0, nullptr },
                  { ID_VIEW_YEN, u"円換算表示" } };
    for (const auto& item : items) {
        if (item.nID == 0) {
            menu.addSeparator();
            continue;
        }
        const SCommandInfo& info = CCommandTable::Info(item.nID);
        CCmdUI ui(item.nID);
        UpdateCommand(ui);
        QAction* pAction = menu.addAction(item.pszText != nullptr ? QString::fromUtf16(item.pszText) : info.strMenu);
        pAction->setData(item.nID);
        pAction->setEnabled(ui.m_bEnabled);
        if (info.bCheckable) {
            pAction->setCheckable(true);
            pAction->setChecked(ui.m_bChecked);
        }
        const int nID = item.nID;
        connect(pAction, &QAction::triggered, this, [this, nID]() { ExecuteCommand(nID); });
    }
}

// --- drag and drop -----------------------------------------------------------------------

void CCofferView::StartDrag(const QPoint& pt)
{
    CLineRange lines;
    QMimeData* pData = BeginDrag(pt, lines);
    if (pData == nullptr)
        return;
    QPointer<CCofferView> self(this);
    auto* pDrag = new QDrag(this);
    pDrag->setMimeData(pData);
    const Qt::DropAction action = pDrag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    if (self)
        EndDrag(action, lines);
    else
        DragRecord() = SDragRecord();
}

QMimeData* CCofferView::BeginDrag(const QPoint& pt, CLineRange& lines)
{
    const CRange range = Selection().GetPrimaryRange();
    const QPoint hit = HitTest(pt.x(), pt.y(), true, true);
    const int nGrabCol = range.IsWholeRows() ? 0 : range.left - hit.x();
    // Whole columns are copied from the first row on.
    const int nGrabRow = (range.IsWholeColumns() ? 0 : range.top) - hit.y();
    QMimeData* pData = CreateMimeData(range, nGrabCol, nGrabRow);
    if (pData == nullptr)
        return nullptr;
    lines = ToLineRange(range);
    SDragRecord& record = DragRecord();
    record = SDragRecord();
    record.pDoc = &m_doc;
    return pData;
}

void CCofferView::EndDrag(Qt::DropAction action, const CLineRange& lines)
{
    const SDragRecord done = DragRecord();
    DragRecord() = SDragRecord();
    if (action != Qt::MoveAction)
        return;
    if (done.bTargetSet)
        m_doc.MoveRange(lines, LayoutKinds(), done.targetKinds, done.nCol, done.nLine);
    else
        CRegEdit::DeleteRange(m_doc, lines, LayoutKinds(), true);
}

void CCofferView::dragEnterEvent(QDragEnterEvent* pEvent)
{
    // The view's own document window becomes the active one, so that what the drop
    // inserts is selected here; a view outside the tabbed area activates its window.
    QMdiSubWindow* pFrame = nullptr;
    for (QWidget* p = parentWidget(); p != nullptr && pFrame == nullptr; p = p->parentWidget())
        pFrame = qobject_cast<QMdiSubWindow*>(p);
    if (pFrame != nullptr && pFrame->mdiArea() != nullptr)
        pFrame->mdiArea()->setActiveSubWindow(pFrame);
    else if (QWidget* pWindow = window())
        pWindow->activateWindow();
    const QMimeData* pData = pEvent->mimeData();
    m_bDropAllowed = false;
    if (HasPrivate(pData))
        m_bDropAllowed = m_dropProbe.ReadPrivate(m_doc, pData->data(CRegClipboard::PrivateMime()), true);
    else if (HasText(pData))
        m_bDropAllowed = m_dropProbe.ReadText(pData->text());
    if (!m_bDropAllowed) {
        pEvent->ignore();
        return;
    }
    SetDragShape(m_dropProbe.m_nCols, m_dropProbe.m_nRows, m_dropProbe.m_nGrabCol, m_dropProbe.m_nGrabRow);
    pEvent->accept();
    dragMoveEvent(pEvent);
}

void CCofferView::dragMoveEvent(QDragMoveEvent* pEvent)
{
    if (!m_bDropAllowed) {
        pEvent->ignore();
        return;
    }
    const QPoint pt = pEvent->position().toPoint();
    if (DropTarget() != nullptr && DropTarget()->DragOver(pt, pEvent->modifiers())) {
        pEvent->setDropAction(CGridOleDropTarget::ScrollAction(pEvent->modifiers()));
        pEvent->accept();
        return;
    }
    DrawDropFeedback(pt.x(), pt.y());
    pEvent->setDropAction((pEvent->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    pEvent->accept();
}

void CCofferView::dragLeaveEvent(QDragLeaveEvent*)
{
    if (DropTarget() != nullptr)
        DropTarget()->DragLeave();
    DrawDropFeedback(-32767, -32767);
    m_bDropAllowed = false;
}

void CCofferView::dropEvent(QDropEvent* pEvent)
{
    if (DropTarget() != nullptr)
        DropTarget()->DragLeave();
    const QPoint pt = pEvent->position().toPoint();
    const CRange target = m_bDropAllowed ? ComputeDropRange(pt.x(), pt.y()) : CRange();
    DrawDropFeedback(-32767, -32767);
    m_bDropAllowed = false;
    const Qt::DropAction action = (pEvent->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
    if (target.IsEmpty()) {
        pEvent->setDropAction(Qt::IgnoreAction);
        pEvent->ignore();
        return;
    }
    const int nRow = target.top < 0 ? 0 : target.top;
    SDragRecord& record = DragRecord();
    if (record.pDoc == &m_doc && action == Qt::MoveAction) {
        // A move within the ledger: the source makes it one action.
        record.bTargetSet = true;
        record.nCol = target.left;
        record.nLine = m_nFirstLine + nRow;
        record.targetKinds = LayoutKinds();
        pEvent->setDropAction(Qt::MoveAction);
        pEvent->accept();
        OnSelChange();
        return;
    }
    const int nMessage = PasteMime(pEvent->mimeData(), target.left, nRow, 0, 0);
    OnSelChange();
    if (nMessage != 0) {
        // Refused: no effect, so that the source keeps its lines; the message after the drag.
        pEvent->setDropAction(Qt::IgnoreAction);
        pEvent->ignore();
        QTimer::singleShot(0, this, [nMessage]() { AppMessageBox(nMessage); });
        return;
    }
    pEvent->setDropAction(action);
    pEvent->accept();
}
