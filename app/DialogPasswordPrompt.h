#pragma once

#include "platform/PasswordPrompt.h"

class QWidget;

// Asks for the password of an enciphered file with the password dialog.
class CDialogPasswordPrompt : public IPasswordPrompt
{
public:
    explicit CDialogPasswordPrompt(QWidget* pParent = nullptr) : m_pParent(pParent) {}
    bool Ask(const QString& strPath, QString& strPassword) override;
    void SetParent(QWidget* pParent) { m_pParent = pParent; }

private:
    QWidget* m_pParent;
};
