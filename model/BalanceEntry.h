#pragma once

#include "model/Action.h"
#include "model/Amount.h"
#include "model/CurFmt.h"
#include "model/PackedDate.h"
#include "model/Receipt.h"

#include <functional>
#include <vector>

class CCofferDoc;

// The balance entry (残高の入力): a carry-over line that states the money actually in the
// purse. Worked out without a window; the dialog is reached through an ask hook.
class CBalanceEntry
{
public:
    // What the balance dialog shows and returns.
    struct SValues
    {
        PackedDate date = 0;
        int nCur = 0;
        Amount nAmount = 0;
        bool bAskOnOpen = false;
    };
    // Shows the dialog for the document (which may gain a currency meanwhile); false on cancel.
    using AskFn = std::function<bool(CCofferDoc& doc, SValues& values)>;

    // The dates a balance line may take.
    static constexpr PackedDate MIN_DATE = MakeDate(1959, 1, 1);
    static constexpr PackedDate MAX_DATE = MakeDate(2060, 12, 31);
    static PackedDate ClampDate(PackedDate date);

    // The last category with the carry-over attribute; -1 when there is none.
    static int CarryOverCategory(const CCofferDoc& doc);
    // The new line dated today: a copy of today's carry-over line when the last line dated
    // on or before today is one.
    static CReceipt StartLine(const CCofferDoc& doc, PackedDate today, int nCarryCat);
    // Where the finished line goes: it replaces a carry-over line of its date and currency,
    // follows the latest carry-over line of its date in another currency, or else follows
    // the last line dated on or before it that is not a carry-over line of that date.
    static CAction PlaceLine(const CCofferDoc& doc, CReceipt line, int nCarryCat);
    // The amount cut toward zero to a number of decimals (0..4).
    static Amount CutToDecimals(Amount nAmount, int nDecimals);
    // Appends a currency to the document's list; false when the list is full.
    static bool AppendCurrency(CCofferDoc& doc, const CCurFmt& cur);

    // The whole command: 4108 without a carry-over category, the dialog, then one action.
    // Returns whether a line was entered.
    static bool Run(CCofferDoc& doc, const AskFn& ask);
};
