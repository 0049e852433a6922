#pragma once

#include "command/CommandOwner.h"

#include <QKeySequence>
#include <QString>

// The menu text, prompt, toolbar glyph and shortcut of every command the
// frame shows.
struct SCommandInfo
{
    int nID = 0;
    QString strMenu;
    // Shown in the message pane while the command is highlighted; the part
    // after "\n" is the toolbar tip.
    QString strPrompt;
    QString strGlyph;
    // The freedesktop icon name of the desktop's theme; the glyph stands in where the theme lacks it.
    QString strIconName;
    QKeySequence shortcut;
    // A second key for the same command (redo answers both Ctrl+Y and Ctrl+Shift+Z).
    QKeySequence shortcut2;
    bool bCheckable = false;
    // The feature behind the command is not built yet: it stays disabled and says so.
    bool bPending = false;
    // The one target that answers the command's state and runs it.
    ECommandOwner owner = ECommandOwner::None;
};

class CCommandTable
{
public:
    // The entry of nID; an entry with nID 0 when the table lacks it.
    static const SCommandInfo& Info(int nID);
    static bool Contains(int nID);

    // The toolbar tip and the status prompt of an entry.
    static QString Tip(const SCommandInfo& info);
    static QString Prompt(const SCommandInfo& info);
    // Appended to the prompt and tip of a pending command.
    static QString PendingSuffix();
    // The keys of an entry, the primary one first.
    static QList<QKeySequence> Shortcuts(const SCommandInfo& info);
};
