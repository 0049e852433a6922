#pragma once

#include "platform/MessageBox.h"

#include <QList>
#include <QStringList>

// The command-line tool's message boxes: nobody can answer them, so each is
// kept to be printed and answered with its first button.
class CCliMessageSink : public IMessageSink
{
public:
    int Show(const QString& strText, unsigned nType) override
    {
        m_texts.append(strText);
        m_types.append(nType);
        return CMessageBox::DefaultAnswer(nType);
    }

    QStringList m_texts;
    QList<unsigned> m_types;
};
