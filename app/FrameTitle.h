#pragma once

#include <QString>

// The title rules of the main window and of the document windows.
class CFrameTitle
{
public:
    static QString ProgramTitle() { return QStringLiteral("ペニーフォールド"); }

    // The main window: the active document's title (with " *" when it is
    // modified) and the program title, unless no document window is active or
    // the active one is maximised, when the program title stands alone.
    static QString MainTitle(bool bHasActive, bool bMaximised, const QString& strDocTitle,
                             bool bModified);

    // A document window: the document title, " *" when modified, and ":n"
    // (1-based) when the document has more than one window.
    static QString GetFrameTitle(const QString& strDocTitle, bool bModified, int nWindow,
                                 int nWindowCount);
};
