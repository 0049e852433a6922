#pragma once

#include "app/CofferApp.h"
#include "app/LedgerSession.h"
#include "app/MainFrame.h"
#include "model/CofferDoc.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "tests/support/LedgerBuilder.h"

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace support {

// The program as a user starts it with these arguments: the main frame shown at 1000×700 and
// idle once. Null when it does not start.
inline std::unique_ptr<CCofferApp> StartApp(const QStringList& arguments = {})
{
    auto pApp = std::make_unique<CCofferApp>();
    if (!pApp->InitInstance(arguments, false))
        return nullptr;
    pApp->MainFrame()->resize(1000, 700);
    pApp->MainFrame()->show();
    pApp->MainFrame()->OnIdle();
    return pApp;
}

// What a test of the running program needs around it: a settings store of its own in a
// temporary folder and "today" held at 2024/6/1 noon, both undone at the end.
class CAppTestEnv
{
public:
    CAppTestEnv() : m_store(m_dir.filePath(QStringLiteral("store.ini")))
    {
        CClock::SetNow(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    }
    ~CAppTestEnv() { CClock::Reset(); }
    CAppTestEnv(const CAppTestEnv&) = delete;
    CAppTestEnv& operator=(const CAppTestEnv&) = delete;

    const QTemporaryDir& Dir() const { return m_dir; }

private:
    QTemporaryDir m_dir;
    CScopedSettingsFile m_store;
};

// The started program with these lines in its new ledger, idle once.
inline std::unique_ptr<CCofferApp> StartAppWith(std::vector<CReceipt> lines, std::vector<CCurFmt> curs)
{
    auto pApp = StartApp();
    if (pApp == nullptr)
        return nullptr;
    Fill(pApp->Sessions().first()->Document(), std::move(lines), std::move(curs));
    pApp->MainFrame()->OnIdle();
    return pApp;
}

// Every command id of a menu, submenus included.
inline void CollectMenuIds(const QMenu* pMenu, QSet<int>& ids)
{
    for (const QAction* pAction : pMenu->actions()) {
        if (pAction->menu() != nullptr)
            CollectMenuIds(pAction->menu(), ids);
        else if (!pAction->isSeparator() && pAction->data().toInt() != 0)
            ids.insert(pAction->data().toInt());
    }
}

// The navigation pane's button of a command.
inline QPushButton* CommandButton(const QList<QPushButton*>& buttons, int nID)
{
    for (QPushButton* pButton : buttons) {
        if (pButton->property("commandId").toInt() == nID)
            return pButton;
    }
    return nullptr;
}

} // namespace support
