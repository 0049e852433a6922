#pragma once

#include "command/CommandTarget.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class CChildFrame;
class CCofferDoc;

// One open ledger as the application tracks it: its document, the windows
// showing it, and the commands that belong to the ledger rather than to one
// of its views (view switching, the calendar). It closes with its last window.
class CLedgerSession : public QObject, public CCommandTarget
{
    Q_OBJECT

public:
    explicit CLedgerSession(QObject* pParent = nullptr);
    ~CLedgerSession() override;

    CCofferDoc& Document() const { return *m_pDoc; }

    // The path it was opened from or saved to; empty for a new ledger.
    const QString& Path() const;
    void SetPath(const QString& strPath);
    // The file name, or the untitled name (Pennyfold1, Pennyfold2, ...).
    const QString& Title() const;
    void SetTitle(const QString& strTitle);
    bool IsModified() const;
    void SetModified(bool bModified);
    // Asked before the ledger's last window closes; false keeps it open.
    void SetCloseGuard(std::function<bool()> fn) { m_fnCloseGuard = std::move(fn); }
    bool CanClose() const { return !m_fnCloseGuard || m_fnCloseGuard(); }
    // Asks once for closing all windows of the ledger together (close, exit): after a
    // yes the windows close without asking again; false changes nothing.
    bool ConfirmClose()
    {
        m_bCloseConfirmed = m_bCloseConfirmed || CanClose();
        return m_bCloseConfirmed;
    }
    bool IsCloseConfirmed() const { return m_bCloseConfirmed; }
    void CancelClose() { m_bCloseConfirmed = false; }
    // The document's title or modified state changed.
    void NotifyTitleChanged() { Q_EMIT TitleChanged(); }

    // Windows in the order they were opened; a window's number in its title
    // is its position here.
    QList<CChildFrame*> Frames() const;
    void AddFrame(CChildFrame* pFrame);
    void RemoveFrame(CChildFrame* pFrame);
    int FrameNumber(const CChildFrame* pFrame) const;
    // The first window of a kind, or nullptr.
    CChildFrame* FindFrame(int nKind) const;

Q_SIGNALS:
    void TitleChanged();
    // The last window went: the session is about to be deleted.
    void Closed(CLedgerSession* pSession);

private:
    std::unique_ptr<CCofferDoc> m_pDoc;
    std::function<bool()> m_fnCloseGuard;
    bool m_bCloseConfirmed = false;
    QList<QPointer<CChildFrame>> m_frames;
};
