#pragma once

#include "model/LineRange.h"
#include "register/RegClipData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class CCofferDoc;

// The two clipboard forms of register cells: text for other programs and the private
// archive form with the lines, their currencies and categories. Ranges are in ledger
// line positions and layout columns.
class CRegClipboard
{
public:
    static QString TextMime() { return QStringLiteral("text/plain"); }
    static QString PrivateMime()
    {
        return QStringLiteral("application/x-qt-windows-mime;value=\"Coffer_B3A66048_8A56_4C69\"");
    }

    // The range cut to the ledger's lines (whole columns: every line); empty when nothing remains.
    static CLineRange ClipRows(const CLineRange& range, int nLineCount);

    // Tab-separated cell texts. Whole rows copy every column (with the titles first when
    // bHeader); rows end with CR LF unless a single row of cells is copied. bSymbol: amounts
    // with their currency symbols. Never converted to yen.
    static QString BuildText(const CCofferDoc& doc, const std::vector<std::uint32_t>& layout, const CLineRange& range,
                             bool bHeader, bool bSymbol);
    // The private form; empty for an empty range.
    static QByteArray BuildPrivate(const CCofferDoc& doc, const std::vector<std::uint32_t>& layout,
                                   const CLineRange& range, int nGrabCol, int nGrabRow);

    // Reads the private form with every count, size, kind and position checked. With
    // bProbe only the shape, grab offsets and columns are read. False: no usable data.
    static bool ReadPrivate(QByteArrayView bytes, CRegClipData& data, bool bProbe = false);

    // The lines of text from another program: split at CR LF, LF or CR (a last line only
    // when not empty); control characters other than TAB become spaces.
    static QStringList SplitText(const QString& strText);
};
