// Feeds arbitrary bytes to the native-file reader: header recognition, the
// cipher path, the archive tags and every record decoder. A damaged file
// must come back as a result, never as a crash or an out-of-range position.
#include "persist/LedgerHeader.h"
#include "persist/NativeFile.h"
#include "platform/PasswordPrompt.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, size_t nSize)
{
    static CFixedPasswordPrompt prompt(QStringLiteral("fuzz"));
    CPasswordPrompt::SetPrompt(&prompt);

    // Without the header the payload reader alone; with it the whole file.
    QByteArray file = QByteArray(reinterpret_cast<const char*>(pData), qsizetype(nSize));
    if (!CLedgerHeader::IsNative(file))
        file.prepend(CLedgerHeader::Build(nSize % 2 == 0, false));

    CLedgerData data;
    QString strPassword;
    if (CNativeFile::Read(file, QString(), data, strPassword) == CNativeFile::Ok) {
        for (const CReceipt& line : data.m_lines) {
            if (line.m_nCur >= data.m_curs.size() || line.m_nCat >= data.m_cats.size()
                || line.m_nCat2 >= data.m_cats.size())
                std::abort();
        }
        for (const CCategory& cat : data.m_cats) {
            if (cat.m_nAttr < 0 || cat.m_nAttr > 9)
                std::abort();
        }
        // What was read writes and reads back to the same bytes.
        const QByteArray again = CNativeFile::Write(data, strPassword);
        CLedgerData back;
        QString strBack;
        if (CNativeFile::Read(again, QString(), back, strBack) != CNativeFile::Ok
            || CNativeFile::Write(back, strBack) != again)
            std::abort();
    }
    return 0;
}
