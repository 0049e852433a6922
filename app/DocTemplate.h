#pragma once

#include <QString>
#include <functional>

class CLedgerSession;
class QWidget;

// One kind of document window: how its view is made. A template without a
// factory stands for a view that is not available in this build; its
// commands stay disabled and say why.
class CDocTemplate
{
public:
    using ViewFactory = std::function<QWidget*(CLedgerSession& session, QWidget* pParent)>;

    CDocTemplate(int nKind, ViewFactory fnCreate, QString strPendingPrompt = QString())
        : m_nKind(nKind), m_fnCreate(std::move(fnCreate)), m_strPendingPrompt(std::move(strPendingPrompt))
    {
    }

    int Kind() const { return m_nKind; }
    bool IsAvailable() const { return bool(m_fnCreate); }
    QWidget* CreateView(CLedgerSession& session, QWidget* pParent) const
    {
        return m_fnCreate ? m_fnCreate(session, pParent) : nullptr;
    }
    void SetFactory(ViewFactory fnCreate) { m_fnCreate = std::move(fnCreate); }
    const QString& PendingPrompt() const { return m_strPendingPrompt; }

private:
    int m_nKind;
    ViewFactory m_fnCreate;
    QString m_strPendingPrompt;
};
