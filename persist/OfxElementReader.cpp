#include "persist/OfxElementReader.h"

#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

const char* Find(const char* p, const char* pEnd, char c)
{
    if (p >= pEnd)
        return nullptr;
    return static_cast<const char*>(std::memchr(p, c, static_cast<size_t>(pEnd - p)));
}

} // namespace

COfxElementReader::COfxElementReader(QByteArrayView text)
    : m_p(text.data()), m_pEnd(text.data() + text.size())
{
}

void COfxElementReader::StartLine()
{
    // A line ends at CR or LF (the CR of a CR LF pair goes with it), and at a
    // zero byte, which no value may hold.
    const char* p = m_p;
    while (p < m_pEnd && *p != '\n' && *p != '\r' && *p != '\0')
        ++p;
    m_pLineEnd = p;
    m_pLastGt = nullptr;
    for (const char* q = m_pLineEnd; q > m_p;) {
        --q;
        if (*q == '>') {
            m_pLastGt = q;
            break;
        }
    }
}

bool COfxElementReader::IsOpen(QByteArrayView tag) const
{
    auto it = m_openCount.constFind(tag);
    return it != m_openCount.constEnd() && it.value() > 0;
}

void COfxElementReader::Close(QByteArrayView tag)
{
    if (!IsOpen(tag))
        return;
    // Closing an aggregate closes whatever was left open inside it.
    while (!m_open.empty()) {
        const QByteArrayView top = m_open.back();
        m_open.pop_back();
        auto it = m_openCount.find(top);
        if (--it.value() == 0)
            m_openCount.erase(it);
        if (top == tag)
            break;
    }
}

bool COfxElementReader::Next(QByteArrayView& tag, QByteArrayView& value)
{
    for (;;) {
        while (m_p < m_pEnd && IsBlank(*m_p))
            ++m_p;
        if (m_p >= m_pEnd)
            return false;
        if (m_pLineEnd == nullptr || m_p >= m_pLineEnd)
            StartLine();

        if (*m_p != '<') {
            // Text outside any element (header lines, stray words): skip to the next "<".
            const char* pLt = Find(m_p, m_pLineEnd, '<');
            m_p = pLt ? pLt : m_pLineEnd;
            continue;
        }
        const char* pGt = (m_pLastGt && m_pLastGt > m_p) ? Find(m_p + 1, m_pLineEnd, '>') : nullptr;
        if (!pGt) {
            // A "<" without a ">" on its line: nothing on the rest of the line is an element.
            m_p = m_pLineEnd;
            continue;
        }
        tag = QByteArrayView(m_p + 1, pGt - (m_p + 1));

        if (tag.startsWith('/')) {
            Close(tag.sliced(1));
            value = QByteArrayView();
            m_p = pGt + 1;
            return true;
        }

        const char* v = pGt + 1;
        while (v < m_pLineEnd && IsSpace(*v))
            ++v;
        const char* pValueEnd = m_pLineEnd;
        const char* pNext = m_pLineEnd;
        bool bOwnClose = false;
        bool bStray = false;
        const char* q = v;
        for (;;) {
            const char* pLt = Find(q, m_pLineEnd, '<');
            if (!pLt || !m_pLastGt || m_pLastGt < pLt)
                break; // no further element on this line: the value runs to its end
            if (pLt + 1 < m_pLineEnd && pLt[1] == '/') {
                const char* pGt2 = Find(pLt + 2, m_pLineEnd, '>');
                const QByteArrayView closing(pLt + 2, pGt2 - (pLt + 2));
                if (closing == tag) {
                    pValueEnd = pLt;
                    pNext = pGt2 + 1;
                    bOwnClose = true;
                    break;
                }
                if (IsOpen(closing)) {
                    pValueEnd = pLt;
                    pNext = pLt;
                    break;
                }
                bStray = true;
                q = pGt2 + 1;
                continue;
            }
            pValueEnd = pLt;
            pNext = pLt;
            break;
        }
        if (bOwnClose || !bStray) {
            while (pValueEnd > v && IsSpace(pValueEnd[-1]))
                --pValueEnd;
        }
        value = QByteArrayView(v, pValueEnd - v);
        m_p = pNext;

        // An element without a value opens an aggregate that a closing tag may end later.
        if (value.isEmpty() && !bOwnClose && !tag.isEmpty() && tag.front() != '?'
            && tag.front() != '!' && !tag.endsWith('/')) {
            m_open.push_back(tag);
            ++m_openCount[tag];
        }
        return true;
    }
}
