#include "app/AutoSave.h"

#include "app/CofferApp.h"
#include "app/LedgerSession.h"
#include "platform/MessageBox.h"

CAutoSave::CAutoSave(CCofferApp& app, const QString& strFolder, QObject* pParent)
    : QObject(pParent), m_app(app), m_store(strFolder)
{
    if (!m_store.IsReady())
        qWarning("autosave: cannot keep copies under %s", qPrintable(strFolder));
    connect(&m_timer, &QTimer::timeout, this, &CAutoSave::SaveModified);
    m_timer.start(DefaultInterval);
}

CAutoSave::~CAutoSave() = default;

QString CAutoSave::KeyFor(CLedgerSession& session)
{
    auto it = m_keys.constFind(&session);
    if (it != m_keys.constEnd())
        return *it;
    const QString strKey = QString::number(++m_nLastKey);
    m_keys.insert(&session, strKey);
    connect(&session, &CLedgerSession::Closed, this, &CAutoSave::OnSessionClosed);
    return strKey;
}

void CAutoSave::OnSessionClosed(CLedgerSession* pSession)
{
    // Closing without saving was the user's choice: nothing of it is to come back.
    const QString strKey = m_keys.take(pSession);
    if (!strKey.isEmpty())
        m_store.Remove(strKey);
}

int CAutoSave::SaveModified()
{
    int nKept = 0;
    for (CLedgerSession* pSession : m_app.Sessions()) {
        const QString strKey = KeyFor(*pSession);
        if (!pSession->IsModified())
            m_store.Remove(strKey);
        else if (m_store.Save(pSession->Document(), strKey))
            ++nKept;
        else
            qWarning("autosave: could not keep a copy of %s", qPrintable(pSession->Title()));
    }
    return nKept;
}

int CAutoSave::RestoreLeftovers()
{
    const QList<CRecoveryStore::CEntry> entries = m_store.Leftovers();
    if (entries.isEmpty())
        return 0;
    if (CMessageBox::ShowText(RestoreQuestion(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        for (const CRecoveryStore::CEntry& entry : entries)
            m_store.Discard(entry);
        return 0;
    }
    int nRestored = 0;
    for (const CRecoveryStore::CEntry& entry : entries) {
        // The open reports its own failures; the copy is kept for another try.
        CLedgerSession* pSession = m_app.RestoreDocument(entry.m_strFile, entry.m_strOriginalPath, entry.m_strTitle);
        if (!pSession)
            continue;
        // The copy becomes this process's own until the ledger is saved.
        const QString strKey = KeyFor(*pSession);
        if (!m_store.TakeOver(entry, strKey) && m_store.Save(pSession->Document(), strKey))
            m_store.Discard(entry);
        ++nRestored;
    }
    return nRestored;
}

void CAutoSave::Finish()
{
    m_timer.stop();
    if (SaveModified() > 0)
        return;
    m_keys.clear();
    m_store.RemoveAll();
}
