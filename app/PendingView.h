#pragma once

#include "app/CommandTarget.h"
#include "app/NaviTarget.h"
#include "model/DocView.h"

#include <QPointer>
#include <QWidget>

#include "app/LedgerSession.h"

class QLabel;

// Stands in the register's window while the register view is not part of
// the build: it says so plainly and names the ledger it stands for.
class CPendingView : public QWidget, public CCommandTarget, public INaviTarget, public IDocView
{
    Q_OBJECT

public:
    explicit CPendingView(CLedgerSession& session, QWidget* pParent = nullptr);
    ~CPendingView() override;

    void OnUpdate(IDocView* pSender, int nHint, const HintData& data) override;
    void OnUpdateFrameTitle() override;

    SNaviState NaviState() const override;

    static QString Notice();

private:
    void UpdateText();

    // The ledger may go first when its last window closes.
    QPointer<CLedgerSession> m_pSession;
    QLabel* m_pLabel;
};
