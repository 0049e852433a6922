#include "app/DialogPasswordPrompt.h"

#include "app/PwdDlg.h"

bool CDialogPasswordPrompt::Ask(const QString& strPath, QString& strPassword)
{
    return CPwdDlg::AskForFile(strPath, strPassword, m_pParent);
}
