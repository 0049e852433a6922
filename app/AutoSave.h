#pragma once

#include "persist/RecoveryStore.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

class CCofferApp;
class CLedgerSession;

// Keeps a copy of every ledger with unsaved changes in the recovery store, so
// that a crash of the program or of the machine loses at most one interval of
// typing, and offers the copies a dead process left behind at the next start.
class CAutoSave : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultInterval = 5 * 60 * 1000;

    // strFolder is the store's root, shared by every running instance.
    CAutoSave(CCofferApp& app, const QString& strFolder, QObject* pParent = nullptr);
    ~CAutoSave() override;

    void SetInterval(int nMilliseconds) { m_timer.start(nMilliseconds); }
    int Interval() const { return m_timer.interval(); }
    CRecoveryStore& Store() { return m_store; }

    // Copies each modified ledger; drops the copy of one that is saved again.
    // Returns how many copies are kept.
    int SaveModified();
    // Asks whether to restore what a dead process left. Restored ledgers open
    // where they belong, modified; a copy that cannot be opened stays on disk.
    // Returns how many were restored.
    int RestoreLeftovers();
    // The clean end: the store goes with everything in it, unless a ledger is
    // still open with changes (the desktop session ended under it), whose copy stays.
    void Finish();

    static QString RestoreQuestion()
    {
        return QStringLiteral("前回、保存されないまま終了した出納帳があります。復元しますか？");
    }

private:
    QString KeyFor(CLedgerSession& session);
    void OnSessionClosed(CLedgerSession* pSession);

    CCofferApp& m_app;
    CRecoveryStore m_store;
    QTimer m_timer;
    QHash<const CLedgerSession*, QString> m_keys;
    int m_nLastKey = 0;
};
