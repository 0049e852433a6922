#include "app/PendingView.h"

#include "app/CommandIds.h"
#include "app/LedgerSession.h"
#include "model/CofferDoc.h"

#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

CPendingView::CPendingView(CLedgerSession& session, QWidget* pParent)
    : QWidget(pParent), m_pSession(&session), m_pLabel(new QLabel(this))
{
    auto* pLayout = new QVBoxLayout(this);
    m_pLabel->setAlignment(Qt::AlignCenter);
    m_pLabel->setWordWrap(true);
    m_pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pLayout->addWidget(m_pLabel);
    setAutoFillBackground(true);
    session.Document().AddView(this);
    UpdateText();
    connect(&session, &CLedgerSession::TitleChanged, this, &CPendingView::UpdateText);

    // This window is the register's place: its command is checked here.
    AddCommand(ID_VIEW_REGISTER, {}, [](CCmdUI& ui) {
        ui.Enable(true);
        ui.SetCheck(true);
    });
}

CPendingView::~CPendingView()
{
    if (m_pSession)
        m_pSession->Document().RemoveView(this);
}

void CPendingView::OnUpdate(IDocView*, int, const HintData&)
{
    UpdateText();
}

void CPendingView::OnUpdateFrameTitle()
{
    if (m_pSession)
        m_pSession->NotifyTitleChanged();
}

QString CPendingView::Notice()
{
    return QStringLiteral("出納記録のビューはまだ作られていません。");
}

void CPendingView::UpdateText()
{
    if (!m_pSession)
        return;
    const CLedgerSession& session = *m_pSession;
    QString strText = Notice() + QStringLiteral("\n\nThe register view is not built yet.\n\n")
                      + session.Title();
    if (!session.Path().isEmpty())
        strText += QStringLiteral("\n") + QDir::toNativeSeparators(session.Path());
    strText += QStringLiteral("\n\n出納記録 %1 行、通貨 %2 種類、費目 %3 種類")
                   .arg(session.Document().GetLineCount())
                   .arg(session.Document().m_curs.size())
                   .arg(session.Document().m_cats.size());
    m_pLabel->setText(strText);
}

SNaviState CPendingView::NaviState() const
{
    SNaviState state;
    state.nKind = VIEW_REGISTER;
    return state;
}
