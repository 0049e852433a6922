#include "platform/MessageBox.h"

#include "platform/StringTable.h"

#include <cstdio>

namespace {
IMessageSink* g_pSink = nullptr;
}

int CMessageBox::Show(int nID, unsigned nType)
{
    return ShowText(CStringTable::Load(nID), nType);
}

int CMessageBox::ShowText(const QString& strText, unsigned nType)
{
    if (g_pSink)
        return g_pSink->Show(strText, nType);
    std::fprintf(stderr, "%s\n", strText.toUtf8().constData());
    return DefaultAnswer(nType);
}

IMessageSink* CMessageBox::SetSink(IMessageSink* pSink)
{
    IMessageSink* pOld = g_pSink;
    g_pSink = pSink;
    return pOld;
}

int CMessageBox::DefaultAnswer(unsigned nType)
{
    switch (nType & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}
