#pragma once

#include "persist/LedgerData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class CArchiveReader;
class CArchiveWriter;

// The native ledger file: the 64-byte header and the archive payload,
// enciphered as a whole when the ledger has a password.
class CNativeFile
{
public:
    enum Result {
        Ok,
        VersionTooNew,  // 4132
        Cancelled,      // the password prompt was cancelled: no message
        WrongPassword,  // 4121
        FormatError,    // the framework's format message
    };

    // The whole file: header, payload, and with a password the trailer,
    // enciphered.
    static QByteArray Write(const CLedgerData& data, const QString& strPassword);

    // Reads a file that CLedgerHeader recognises as native. An enciphered
    // payload asks CPasswordPrompt for the password, with strPath as the
    // title; the answer is returned in strPassword so that a later save
    // enciphers with it again. On any failure data is left untouched.
    static Result Read(QByteArrayView file, const QString& strPath, CLedgerData& data, QString& strPassword);

    // The payload items, without header and trailer. ReadPayload throws
    // CArchiveException on any damage, including a line whose currency or
    // category position lies outside the lists read after it.
    static void WritePayload(CArchiveWriter& ar, const CLedgerData& data, bool bMemo);
    static void ReadPayload(CArchiveReader& ar, CLedgerData& data, bool bMemo);
};
