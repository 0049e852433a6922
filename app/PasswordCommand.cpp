#include "app/PasswordCommand.h"

#include "app/PwdDlg.h"
#include "model/CofferDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

void CPasswordCommand::Run(CCofferDoc& doc, const AskFn& ask)
{
    const QString strCurrent = doc.m_strPassword;
    const int nMode = strCurrent.isEmpty() ? CPwdDlg::MODE_SET : CPwdDlg::MODE_CHANGE;
    QString strResult = strCurrent;
    for (;;) {
        if (!ask(nMode, strResult) || strResult == strCurrent)
            return;
        if (!strResult.isEmpty()) {
            QString strAgain;
            if (!ask(CPwdDlg::MODE_CONFIRM, strAgain))
                return;
            if (strAgain == strResult) {
                doc.m_strPassword = strResult;
                doc.SetModifiedFlag(true);
                return;
            }
            AppMessageBox(IDS_PASSWORD_CONFIRM_MISMATCH);
        } else if (AppMessageBox(IDS_PASSWORD_REMOVE, MB_YESNO | MB_ICONQUESTION) == IDYES) {
            doc.m_strPassword.clear();
            doc.SetModifiedFlag(true);
            return;
        }
        strResult = strCurrent;
    }
}

CPasswordCommand::AskFn CPasswordCommand::DialogAsk(QWidget* pParent)
{
    return [pParent](int nMode, QString& strResult) {
        CPwdDlg dlg(nMode, pParent);
        dlg.m_strResult = strResult;
        if (dlg.DoModal() != IDOK)
            return false;
        strResult = dlg.m_strResult;
        return true;
    };
}
