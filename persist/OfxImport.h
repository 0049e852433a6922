#pragma once

#include "model/Category.h"
#include "model/Receipt.h"
#include "persist/OfxProp.h"

#include <QByteArrayView>

#include <vector>

// Where a statement's text begins when the bytes are an OFX statement: the
// SGML form "OFXHEADER:100" (followed by at least one more byte) or the XML form
// with its "<?OFX …?>" declaration, after leading blanks and an optional UTF-8
// byte-order mark. -1 when the bytes are no statement.
qsizetype FindOfxStatement(QByteArrayView bytes);

// Turns every statement transaction into a ledger line and every ledger or
// available balance into a carry-over line, appending them to lines in file
// order, and appends the balance, bank and card categories to cats (in that
// order, whether used or not). Unknown elements and unreadable values are
// skipped; the import itself never fails. The currency list is not touched:
// every line is in currency 0.
//
// The first form reads the categories from the settings store.
bool ImportOfx(QByteArrayView text, std::vector<CReceipt>& lines, std::vector<CCategory>& cats);
bool ImportOfx(QByteArrayView text, const COfxProp& prop, std::vector<CReceipt>& lines,
               std::vector<CCategory>& cats);
