#pragma once

#include <QString>

// The state of one command as the targets on its route describe it. A
// command nobody answers stays disabled and unchecked.
class CCmdUI
{
public:
    explicit CCmdUI(int nID) : m_nID(nID) {}

    void Enable(bool bEnable = true)
    {
        m_bEnabled = bEnable;
        m_bEnableChanged = true;
    }
    void SetCheck(bool bCheck = true) { m_bChecked = bCheck; }
    // Used by status panes, whose state is a text.
    void SetText(const QString& strText)
    {
        m_strText = strText;
        m_bTextSet = true;
    }

    int m_nID;
    bool m_bEnabled = false;
    bool m_bChecked = false;
    // False when the answering target left enabling open: then the command
    // is enabled exactly when some target on the route can execute it.
    bool m_bEnableChanged = false;
    bool m_bTextSet = false;
    // True once a target on the route took the command.
    bool m_bHandled = false;
    QString m_strText;
};
