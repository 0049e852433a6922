#pragma once

#include <QString>

// Where a reader asks for the password of an enciphered file. The desktop
// program installs a prompt that shows the password dialog; the command-line
// tool installs a fixed answer; without one every request is cancelled.
class IPasswordPrompt
{
public:
    virtual ~IPasswordPrompt() = default;
    // Asks for the password of the file at strPath. Returns false when the
    // user cancels; otherwise strPassword holds the answer (possibly empty).
    virtual bool Ask(const QString& strPath, QString& strPassword) = 0;
};

class CPasswordPrompt
{
public:
    // Asks the installed prompt; false (cancel) when none is installed.
    static bool Ask(const QString& strPath, QString& strPassword);

    // Installs a prompt; returns the one it replaces. nullptr restores the default.
    static IPasswordPrompt* SetPrompt(IPasswordPrompt* pPrompt);
    static IPasswordPrompt* Prompt();
};

// Always gives the same answer (or always cancels) and counts the requests:
// the command-line tool's --password, and the double the tests install.
class CFixedPasswordPrompt : public IPasswordPrompt
{
public:
    explicit CFixedPasswordPrompt(const QString& strAnswer, bool bCancel = false)
        : m_strAnswer(strAnswer), m_bCancel(bCancel)
    {
    }

    bool Ask(const QString& strPath, QString& strPassword) override
    {
        ++m_nAsked;
        m_strLastPath = strPath;
        if (m_bCancel)
            return false;
        strPassword = m_strAnswer;
        return true;
    }

    QString m_strAnswer;
    bool m_bCancel;
    int m_nAsked = 0;
    QString m_strLastPath;
};

// Installs a prompt for the lifetime of a scope and puts the previous one back.
class CScopedPasswordPrompt
{
public:
    explicit CScopedPasswordPrompt(IPasswordPrompt* pPrompt)
        : m_pPrevious(CPasswordPrompt::SetPrompt(pPrompt))
    {
    }
    ~CScopedPasswordPrompt() { CPasswordPrompt::SetPrompt(m_pPrevious); }
    CScopedPasswordPrompt(const CScopedPasswordPrompt&) = delete;
    CScopedPasswordPrompt& operator=(const CScopedPasswordPrompt&) = delete;

private:
    IPasswordPrompt* m_pPrevious;
};
