#pragma once

#include "model/Amount.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/PackedDate.h"
#include "model/Receipt.h"

#include <QString>
#include <QStringView>
#include <vector>

class CCofferDoc;

// One run of the record dialog without its window: the line it starts from, the fields the
// dialog edits, the currencies and categories it may append, and the action that an accepted
// entry becomes. Begin, let the dialog edit the fields, then Finish with its result.
class CRecEditEntry
{
public:
    enum : int {
        CMD_INPUT = 32827,
        CMD_ADD = 32828,
        CMD_MODIFY = 32829,
        CMD_MODIFY_ROW = 32830,

        CAPTION_MODIFY = 335,
        CAPTION_INPUT = 336,
        CAPTION_ADD = 337,

        RESULT_NONE = -1,
        RESULT_OK = 1,
        RESULT_CANCEL = 2,
        RESULT_NEXT = 1006,

        MAX_AMOUNT_TEXT = 128,
        MAX_DESCRIPTION = 80,
    };

    // Fills the fields for the command at line nLine. False when there is nothing to edit
    // (modify without a line); Finish then does nothing.
    bool Begin(const CCofferDoc& doc, int nCmd, int nLine, bool bFirst);

    // Appends the entries the dialog added, and for OK or "次へ" with a non-empty entry
    // pushes one action. Returns the result the command loop goes on with (an empty entry
    // counts as cancel).
    int Finish(CCofferDoc& doc, int nResult);

    // Whether the fields hold nothing worth a line.
    bool IsEmpty() const { return m_nCat == 0 && m_nAmount == 0 && m_strDesc.isEmpty(); }

    // The amount text the dialog shows for a line.
    static QString LoadAmountText(const CReceipt& line);
    // Reads one or two amounts (";" or "；" between them), cut to the currency's decimals.
    // Returns 0, or 4127 when a character is left over or a value is not an amount.
    static int ParseAmounts(const QString& strText, bool bCounter, int nDecimals, Amount& nAmount1,
                            Amount& nAmount2);
    // An amount cut to a number of decimals, towards zero.
    static Amount CutToDecimals(Amount nValue, int nDecimals);
    // The description pad's filter value for the caret: 0 without a category, otherwise the
    // key of the description part the caret is in, plus 1.
    static int FilterAtCaret(int nCat, int nCat2, QStringView textBeforeCaret);

    // The lines's fields as the dialog edits them.
    int m_nCaption = CAPTION_MODIFY;
    PackedDate m_date = 0;
    int m_nCur = 0;
    int m_nCat = 0;
    int m_nCat2 = 0;
    Amount m_nAmount = 0;
    Amount m_nAmount2 = 0;
    QString m_strInput; // the amount text as typed
    QString m_strDesc;

    // Copies of the document's lists; the dialog may append to them.
    std::vector<CCurFmt> m_curs;
    std::vector<CCategory> m_cats;

    // What Begin worked out.
    int m_nCmd = CMD_MODIFY;
    int m_nLine = 0;
    bool m_bValid = false;
    CReceipt m_line;

private:
    std::size_t m_nOldCurs = 0;
    std::size_t m_nOldCats = 0;
};
