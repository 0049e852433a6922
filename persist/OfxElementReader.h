#pragma once

#include <QByteArrayView>
#include <QHash>

#include <vector>

// Splits statement text into elements: a tag between "<" and ">" and the value
// that follows it. An element is recognised by its "<" wherever it stands, so
// files that put a whole body on one line read like files with one element per
// line. A value runs to the end of its line or to the next element, or ends at
// the element's own closing tag; spaces around it are dropped.
//
// A closing tag inside a value ends the value only when it closes the element
// itself or an aggregate still open; a stray closing tag of anything else stays
// in the value, untrimmed, as statement readers have always kept it.
class COfxElementReader
{
public:
    explicit COfxElementReader(QByteArrayView text);

    // The next element; false at the end of the text. Closing tags come back as
    // tags beginning with "/" and an empty value. Both views point into the text.
    bool Next(QByteArrayView& tag, QByteArrayView& value);

private:
    void StartLine();
    bool IsOpen(QByteArrayView tag) const;
    void Close(QByteArrayView tag);

    const char* m_p;
    const char* m_pEnd;
    // The current line, [m_pLine, m_pLineEnd), and its last ">" (nullptr: none).
    const char* m_pLineEnd = nullptr;
    const char* m_pLastGt = nullptr;
    // Aggregates opened and not yet closed, innermost last.
    std::vector<QByteArrayView> m_open;
    QHash<QByteArrayView, int> m_openCount;
};
