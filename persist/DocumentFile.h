#pragma once

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
    // the target, so a failure leaves the old file intact. The native form
    // makes strPath the document's file and marks it saved; the text forms
    // (".csv", ".csd") write the file only, because the ledger's other parts
    // are not in it, so closing must still offer to save.
    static bool Save(CCofferDoc& doc, const QString& strPath);

    // The native file of the document, enciphered with its password when it
    // has one, without touching its path or saved state.
    static QByteArray NativeBytes(CCofferDoc& doc);
};
