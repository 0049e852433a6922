#pragma once

#include <QString>
#include <functional>

class CCofferDoc;
class QWidget;

// The password command (32771): sets, changes or removes the ledger's
// password. The change takes effect at the next save and is not undoable.
class CPasswordCommand
{
public:
    // Shows the password dialog in a mode with a starting result; returns false
    // on cancel, otherwise the result in strResult.
    using AskFn = std::function<bool(int nMode, QString& strResult)>;

    // The dialogs are CPwdDlg unless a test gives its own.
    static void Run(CCofferDoc& doc, const AskFn& ask);
    static AskFn DialogAsk(QWidget* pParent);
};
