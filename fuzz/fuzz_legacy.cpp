// Older ledger files over arbitrary bytes, with a password prompt that always
// answers and message boxes that go nowhere. An accepted file must never hand
// the model a position outside its lists.
#include "persist/LegacyImport.h"
#include "platform/MessageBox.h"
#include "platform/PasswordPrompt.h"

#include <cstdlib>

namespace {

class CQuietSink : public IMessageSink
{
public:
    int Show(const QString&, unsigned nType) override { return CMessageBox::DefaultAnswer(nType); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CQuietSink sink;
    static CFixedPasswordPrompt prompt(QStringLiteral("pw"));
    static const bool bInstalled = [] {
        CMessageBox::SetSink(&sink);
        CPasswordPrompt::SetPrompt(&prompt);
        return true;
    }();
    (void)bInstalled;

    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::vector<CReceipt> lines;
    std::vector<CCurFmt> curs;
    std::vector<CCategory> cats;
    const LegacyResult result = ImportLegacyLedger(QStringLiteral("fuzz.ldr"), bytes, lines, curs, cats);
    if (result == LegacyResult::Ok) {
        for (const CReceipt& line : lines) {
            if (line.m_nCur >= curs.size() || line.m_nCat >= cats.size() || line.m_nCat2 >= cats.size())
                std::abort();
        }
        if (curs.size() > 121 || cats.size() > 121)
            std::abort();
    }
    return 0;
}
