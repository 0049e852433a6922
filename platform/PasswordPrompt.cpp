#include "platform/PasswordPrompt.h"

namespace {
IPasswordPrompt* g_pPrompt = nullptr;
}

bool CPasswordPrompt::Ask(const QString& strPath, QString& strPassword)
{
    if (!g_pPrompt)
        return false;
    return g_pPrompt->Ask(strPath, strPassword);
}

IPasswordPrompt* CPasswordPrompt::SetPrompt(IPasswordPrompt* pPrompt)
{
    IPasswordPrompt* pPrevious = g_pPrompt;
    g_pPrompt = pPrompt;
    return pPrevious;
}

IPasswordPrompt* CPasswordPrompt::Prompt()
{
    return g_pPrompt;
}
