#pragma once

#include "persist/LedgerData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <vector>

// The ledger's text forms: register CSV (ledger lines), memo text (".CSD"
// and the memo export), and the reader that takes either back, register
// lines first and memo lines after the header line "日付 曜日".
class CTextFile
{
public:
    static QStringView MemoHeader() { return u"日付 曜日"; }

    // Byte-order mark, then each line's CSV text, UTF-16LE.
    static QByteArray WriteRegisterCsv(const CLedgerData& data);
    // Byte-order mark, the header line, then one memo line per record.
    static QByteArray WriteMemoText(const std::vector<CDailyRec>& daily);

    // Reads text into the lists (which already hold currency 0 and category 0
    // when it comes from the file reader). bUtf16: the text starts with the
    // byte-order mark and is UTF-16LE; otherwise it is code page 932. A line
    // with a control character other than TAB throws CArchiveException; a
    // memo line whose date is no real day is skipped.
    static void ReadTextLines(QByteArrayView text, bool bUtf16, CLedgerData& data);
    // One line of text, without its line end.
    static void ReadTextLine(QStringView line, bool& bMemoMode, CLedgerData& data);

    // UTF-16LE bytes of a text, with the byte-order mark in front.
    static QByteArray EncodeUtf16(const QString& str);
};
