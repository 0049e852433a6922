#pragma once

#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Receipt.h"

#include <QString>
#include <QStringView>

#include <vector>

// One ledger line as register CSV: date, currency symbol, attribute,
// category, amount, the counter category's attribute, name and amount, and
// the description.
class CRegisterCsv
{
public:
    // Lists never grow beyond this many entries.
    static constexpr size_t MaxListSize = 121;

    // The line's text with its CR LF. A field that holds "," or '"' is
    // quoted with inner quotes doubled; control characters other than TAB
    // become spaces, so that every written line reads back.
    static QString FormatCsvLine(const CReceipt& line, const std::vector<CCurFmt>& curs,
                                 const std::vector<CCategory>& cats);

    // Reads one line (without line end) into a new line. Currencies and
    // categories it names that the lists lack are appended, but only once the
    // whole line has been read. A line that cannot be read, or would need a
    // 122nd currency or category, becomes a raw line (flag 0x80, the text as
    // its description) and the result is false.
    static bool ParseCsvLine(QStringView text, std::vector<CCurFmt>& curs, std::vector<CCategory>& cats,
                             CReceipt& line);

    // The raw line that keeps an unreadable text: control characters other
    // than TAB become spaces.
    static CReceipt RawLine(QStringView text);
};
