#include "platform/RecordingMessageSink.h"

#include "platform/StringTable.h"

CRecordingMessageSink::CRecordingMessageSink()
    : m_pPrevious(CMessageBox::SetSink(this))
{
}

CRecordingMessageSink::~CRecordingMessageSink()
{
    CMessageBox::SetSink(m_pPrevious);
}

int CRecordingMessageSink::Show(const QString& strText, unsigned nType)
{
    m_boxes.append({strText, nType});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return CMessageBox::DefaultAnswer(nType);
}

bool CRecordingMessageSink::LastWas(int nID) const
{
    return !m_boxes.isEmpty() && m_boxes.last().strText == CStringTable::Load(nID);
}
