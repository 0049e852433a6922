#pragma once

#include <QMdiSubWindow>
#include <QPointer>

#include "app/LedgerSession.h"

class CCommandTarget;
class CLedgerSession;
class INaviTarget;

// A document window: one view of one ledger, titled by the ledger's title,
// " *" when modified, and ":n" when the ledger has several windows.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT

public:
    CChildFrame(CLedgerSession& session, int nKind, QWidget* pView, QWidget* pParent = nullptr);
    ~CChildFrame() override;

    CLedgerSession* Session() const { return m_pSession; }
    int Kind() const { return m_nKind; }
    QWidget* View() const { return widget(); }
    // The view's command target and navigation side, when it has them.
    CCommandTarget* ViewTarget() const;
    INaviTarget* NaviTarget() const;

    QString FrameTitle() const;
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    QPointer<CLedgerSession> m_pSession;
    int m_nKind;
    bool m_bRemoved = false;
};
