#pragma once

#include "platform/MessageBox.h"

#include <QStringList>

// The command-line tool's message boxes: nobody can answer them, so each is
// kept to be printed and answered with its first button.
class CCliMessageSink : public IMessageSink
{
public:
    int Show(const QString& strText, unsigned nType) override
    {
        m_texts.append(strText);
        return CMessageBox::DefaultAnswer(nType);
    }

    QStringList m_texts;
};
