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
    // byte-order mark and is UTF-16LE; otherwise it is UTF-8 when it is valid
    // UTF-8 as a whole (or starts with the UTF-8 mark), else code page 932.
    // Bytes that stand for no character become U+FFFD and their register line
    // a raw line, so that the user sees which lines to check. A line with a
    // control character other than TAB throws CArchiveException; a memo line
    // whose date is no real day is skipped.
    static void ReadTextLines(QByteArrayView text, bool bUtf16, CLedgerData& data);
    // One line of text, without its line end. bUndecodable: the text holds
    // replacement characters for bytes that could not be decoded.
    static void ReadTextLine(QStringView line, bool& bMemoMode, CLedgerData& data, bool bUndecodable = false);
    // One line of code page 932; bUndecodable tells whether some byte had no character.
    static QString DecodeCp932Line(QByteArrayView bytes, bool& bUndecodable);

    // Which entries the text forms would not give back as they are, counted,
    // with the positions of the first nKeep of them.
    struct CReadBack
    {
        std::vector<size_t> m_first;
        size_t m_nCount = 0;
    };
    // Ledger lines whose register CSV line reads back as another line, as a
    // raw line, not at all, or merged with another currency or category.
    static CReadBack CheckRegisterCsv(const std::vector<CReceipt>& lines, const std::vector<CCurFmt>& curs,
                                      const std::vector<CCategory>& cats, size_t nKeep);
    // Memo records whose memo line reads back as another record or not at all.
    static CReadBack CheckMemoText(const std::vector<CDailyRec>& daily, size_t nKeep);

    // UTF-16LE bytes of a text, with the byte-order mark in front.
    static QByteArray EncodeUtf16(const QString& str);
};
