#pragma once

#include "persist/LedgerData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Opening and saving a ledger as bytes: the native file, its text forms,
// and the recognition of what a file holds. The document calls these from
// its open and save steps; the importers of other formats plug in where
// Read hands a file back to the caller.
class CLedgerFile
{
public:
    // Writers, chosen by the file name's extension.
    enum Kind : int {
        KIND_NATIVE = 0,
        KIND_CSV = 1,
        KIND_CSD = 2,
    };

    enum Result {
        Ok,
        NeedsLegacyImport, // an older release's file: hand it to the legacy import
        NeedsOfxImport,    // an OFX statement: the lists hold the text defaults,
                           // the import reads from nStart, then SortCategories
        VersionTooNew,     // 4132 (stop icon)
        Cancelled,         // password prompt cancelled: no message
        WrongPassword,     // 4121
        FormatError,       // the framework's format message
    };

    // ".CSV" (any case) → register CSV, ".CSD" → memo text, else native.
    static Kind KindForPath(const QString& strPath);

    // The bytes of a file of the given kind. Text kinds are never enciphered.
    static QByteArray Write(Kind nKind, const CLedgerData& data, const QString& strPassword);

    // Reads a whole file into data (which should arrive empty). Native files
    // ask for their password through CPasswordPrompt, strPassword receiving
    // the answer; text files get the text defaults and their categories
    // sorted by name. On failure data is left as it arrived.
    static Result Read(QByteArrayView file, const QString& strPath, CLedgerData& data, QString& strPassword,
                       qsizetype* pnStart = nullptr);

    // The message a failed read reports (0 for none); the caller shows it
    // (4132 with the stop icon) before the open fails.
    static int MessageFor(Result result);

    // Currency 0 (symbol "\", 日本円, no decimals) and category 0 (備考),
    // which a text or OFX import starts from.
    static void AddTextDefaults(CLedgerData& data);
    // Categories after the first sorted by name in UTF-16 code-unit order
    // (equal names keep their order), every line renumbered. A line whose
    // category lies outside the list throws CArchiveException.
    static void SortCategories(CLedgerData& data);
};
