#pragma once

#include "platform/MessageBox.h"

#include <QList>
#include <QString>

// A message sink for tests: records every box and answers from a queue
// (or with the default answer when the queue is empty). Installs itself on
// construction and restores the previous sink on destruction.
class CRecordingMessageSink : public IMessageSink
{
public:
    struct Box
    {
        QString strText;
        unsigned nType;
    };

    CRecordingMessageSink();
    ~CRecordingMessageSink() override;
    CRecordingMessageSink(const CRecordingMessageSink&) = delete;
    CRecordingMessageSink& operator=(const CRecordingMessageSink&) = delete;

    int Show(const QString& strText, unsigned nType) override;

    void QueueAnswer(int nAnswer) { m_answers.append(nAnswer); }
    // True when the last box shown carried the string-table text of nID.
    bool LastWas(int nID) const;
    void Clear() { m_boxes.clear(); }

    QList<Box> m_boxes;
    QList<int> m_answers;

private:
    IMessageSink* m_pPrevious;
};
