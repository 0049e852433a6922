#include "persist/DocumentFile.h"

#include "model/CofferDoc.h"
#include "persist/ArchiveException.h"
#include "persist/LedgerFile.h"
#include "persist/LedgerHeader.h"
#include "persist/LegacyImport.h"
#include "persist/OfxImport.h"
#include "persist/SafeFile.h"
#include "persist/TextFile.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <QFile>
#include <QStringList>

#include <utility>

namespace {

bool Fail(int nOwnMessage, unsigned nOwnType, int nReport)
{
    if (nOwnMessage != 0)
        AppMessageBox(nOwnMessage, nOwnType);
    // A refusal the user already read (a wrong password) needs no second box.
    if (nReport != 0)
        AppMessageBox(nReport);
    return false;
}

} // namespace

bool CDocumentFile::Open(CCofferDoc& doc, const QString& strPath, bool* pbBalanceEntry)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(0, MB_OK, AFX_IDP_FAILED_TO_OPEN_DOC);
    // Read into memory, not mapped: a mapped file that another program shortens while it is
    // read would end the program instead of giving a format error.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Fail(0, MB_OK, AFX_IDP_FAILED_TO_OPEN_DOC);
    return Load(doc, bytes, strPath, pbBalanceEntry);
}

bool CDocumentFile::Load(CCofferDoc& doc, QByteArrayView bytes, const QString& strPath, bool* pbBalanceEntry)
{
    CLedgerData data;
    QString strPassword;
    qsizetype nStart = 0;
    CLedgerFile::Result result = CLedgerFile::NeedsOfxImport;
    // Statements in the newer XML form are recognised too, so that users of banks that
    // send only that form can open them like the SGML ones.
    const CLedgerHeader::Kind kind = CLedgerHeader::Recognise(bytes);
    const qsizetype nOfx =
        kind == CLedgerHeader::Native || kind == CLedgerHeader::Legacy ? -1 : FindOfxStatement(bytes);
    if (nOfx >= 0) {
        CLedgerFile::AddTextDefaults(data);
        nStart = nOfx;
    } else {
        result = CLedgerFile::Read(bytes, strPath, data, strPassword, &nStart);
    }
    switch (result) {
    case CLedgerFile::Ok:
        break;
    case CLedgerFile::NeedsLegacyImport: {
        // The legacy import shows its own password message.
        const LegacyResult legacy = ImportLegacyLedger(strPath, bytes, data.m_lines, data.m_curs, data.m_cats);
        if (legacy == LegacyResult::WrongPassword)
            return Fail(0, MB_OK, 0);
        if (legacy != LegacyResult::Ok)
            return Fail(0, MB_OK, LegacyResultMessage(legacy));
        break;
    }
    case CLedgerFile::NeedsOfxImport:
        ImportOfx(bytes.sliced(nStart), data.m_lines, data.m_cats);
        try {
            CLedgerFile::SortCategories(data);
        } catch (const CArchiveException&) {
            return Fail(0, MB_OK, AFX_IDP_FAILED_INVALID_FORMAT);
        }
        break;
    case CLedgerFile::VersionTooNew:
        return Fail(IDS_VERSION_TOO_NEW, MB_OK | MB_ICONSTOP, AFX_IDP_FAILED_TO_OPEN_DOC);
    case CLedgerFile::WrongPassword:
        return Fail(IDS_PASSWORD_MISMATCH, MB_OK | MB_ICONSTOP, 0);
    case CLedgerFile::Cancelled:
        return Fail(0, MB_OK, AFX_IDP_FAILED_TO_OPEN_DOC);
    case CLedgerFile::FormatError:
        return Fail(0, MB_OK, AFX_IDP_FAILED_INVALID_FORMAT);
    }

    doc.Load(std::move(data));
    doc.m_strPassword = strPassword;
    const bool bBalanceEntry = doc.FinishOpen();
    doc.SetPathName(strPath);
    if (pbBalanceEntry)
        *pbBalanceEntry = bBalanceEntry;
    return true;
}

bool CDocumentFile::ConfirmReadBack(const CCofferDoc& doc, CLedgerFile::Kind nKind)
{
    if (nKind == CLedgerFile::KIND_NATIVE)
        return true;
    constexpr size_t kNamed = 5;
    const CTextFile::CReadBack check = nKind == CLedgerFile::KIND_CSV
                                           ? CTextFile::CheckRegisterCsv(doc.Lines(), doc.Currencies(), doc.Categories(), kNamed)
                                           : CTextFile::CheckMemoText(doc.m_memo.m_daily, kNamed);
    if (check.m_nCount == 0)
        return true;
    // Lines of the file as a text editor counts them; the memo text starts with its header line.
    const size_t nFirst = nKind == CLedgerFile::KIND_CSV ? 1 : 2;
    QStringList names;
    for (size_t nPos : check.m_first)
        names << QStringLiteral("%1行目").arg(nPos + nFirst);
    QString strLines = names.join(QStringLiteral("、"));
    if (check.m_nCount > check.m_first.size())
        strLines += QStringLiteral(" ほか %1 行").arg(check.m_nCount - check.m_first.size());
    return CMessageBox::ShowText(CStringTable::Load(IDS_TEXT_NOT_READ_BACK).arg(strLines),
                                 MB_OKCANCEL | MB_ICONEXCLAMATION)
           == IDOK;
}

bool CDocumentFile::Save(CCofferDoc& doc, const QString& strPath)
{
    const CLedgerFile::Kind nKind = CLedgerFile::KindForPath(strPath);
    if (!ConfirmReadBack(doc, nKind))
        return false;
    QByteArray bytes;
    doc.LendContent([&](const CLedgerContent& content) {
        bytes = CLedgerFile::Write(nKind, content, doc.m_strPassword);
    });
    if (bytes.isEmpty() || !CSafeFile::Write(strPath, bytes)) {
        AppMessageBox(AFX_IDP_FAILED_TO_SAVE_DOC);
        return false;
    }
    if (nKind == CLedgerFile::KIND_NATIVE) {
        doc.SetPathName(strPath);
        doc.m_memo.SetSaved();
        doc.SetModifiedFlag(false);
    }
    return true;
}

bool CDocumentFile::ExportMemo(const CCofferDoc& doc, const QString& strPath)
{
    if (!ConfirmReadBack(doc, CLedgerFile::KIND_CSD))
        return false;
    if (!CSafeFile::Write(strPath, CTextFile::WriteMemoText(doc.m_memo.m_daily))) {
        AppMessageBox(IDS_EXPORT_FAILED);
        return false;
    }
    return true;
}

QByteArray CDocumentFile::NativeBytes(CCofferDoc& doc)
{
    QByteArray bytes;
    doc.LendContent([&](const CLedgerContent& content) {
        bytes = CLedgerFile::Write(CLedgerFile::KIND_NATIVE, content, doc.m_strPassword);
    });
    return bytes;
}
