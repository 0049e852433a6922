#pragma once

#include "persist/LedgerFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class CCofferDoc;

// The open and save steps of a ledger document: reading a file of any form
// the program recognises into the document, and writing the document in the
// form its file name asks for. Failures are reported through the message-box
// seam with the framework's texts, after any message of the reader's own.
class CDocumentFile
{
public:
    // Reads the file at strPath into doc. On success the document holds the
    // file's ledger, recomputed and indexed, titled after the file and
    // unmodified; *pbBalanceEntry tells whether the file asks for the balance
    // entry. On failure the document is left as it was.
    static bool Open(CCofferDoc& doc, const QString& strPath, bool* pbBalanceEntry = nullptr);
    // The same for bytes already in memory; strPath names them in prompts and
    // becomes the document's path.
    static bool Load(CCofferDoc& doc, QByteArrayView bytes, const QString& strPath,
                     bool* pbBalanceEntry = nullptr);

    // Writes the document to strPath through a temporary file renamed over
    // the target; a failure (a full disk included) shows the save-failed
    // message and leaves the old file byte for byte as it was. The native form
    // makes strPath the document's file and marks it saved; the text forms
    // (".csv", ".csd") write the file only, because the ledger's other parts
    // are not in it, so closing must still offer to save. Before a text form
    // is written, lines it would not give back as they are get named in a
    // question (OK / Cancel); Cancel writes nothing and returns false.
    static bool Save(CCofferDoc& doc, const QString& strPath);

    // The memo export: every memo record as memo text, asked about as a
    // ".csd" save is; a failed write shows 4140.
    static bool ExportMemo(const CCofferDoc& doc, const QString& strPath);

    // The question about lines that the text form kind would not read back
    // as they are; true when there are none or the user goes on.
    static bool ConfirmReadBack(const CCofferDoc& doc, CLedgerFile::Kind nKind);

    // The native file of the document, enciphered with its password when it
    // has one, without touching its path or saved state.
    static QByteArray NativeBytes(CCofferDoc& doc);
};
