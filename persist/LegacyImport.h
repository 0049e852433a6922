#pragma once

#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Receipt.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

// How an import of an older ledger file ended.
enum class LegacyResult {
    Ok,
    FormatError,   // not a readable file of versions 1.00 to 2.99
    Cancelled,     // the password prompt was cancelled
    WrongPassword, // the password did not match (message 4121 was shown)
};

// Reads a ledger file of versions 1.00 to 2.99 (the whole file, header
// included) into the lists, which arrive empty, in file order. A protected file
// asks for its password through the password prompt with strPath as the file
// named in the prompt; a wrong password shows message 4121 with the stop icon.
// On failure the lists hold whatever was read and are to be discarded.
LegacyResult ImportLegacyLedger(const QString& strPath, QByteArrayView file, std::vector<CReceipt>& lines,
                                std::vector<CCurFmt>& curs, std::vector<CCategory>& cats);

// The framework message an open reports after a failed import: the format
// error, or the general open failure; 0 for Ok.
int LegacyResultMessage(LegacyResult result);
