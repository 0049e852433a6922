#pragma once

#include <QFile>
#include <QIODevice>

#include <algorithm>

// Stands in front of a file and takes only the first nLimit bytes; every
// write after them fails, as on a disk that has just become full.
class CFailingDevice : public QIODevice
{
public:
    CFailingDevice(QFile& file, qint64 nLimit) : m_file(file), m_nLimit(nLimit) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* pData, qint64 nSize) override
    {
        if (m_nWritten >= m_nLimit)
            return -1;
        const qint64 nTake = std::min(nSize, m_nLimit - m_nWritten);
        const qint64 nDone = m_file.write(pData, nTake);
        if (nDone > 0)
            m_nWritten += nDone;
        return nDone;
    }

private:
    QFile& m_file;
    qint64 m_nLimit;
    qint64 m_nWritten = 0;
};
