// Importing statements and older ledgers of realistic sizes: a statement of
// a decade of daily transactions, and an old ledger of many thousand lines.
#include "LegacyFileBuilder.h"

#include "persist/LegacyImport.h"
#include "persist/OfxImport.h"
#include "platform/PasswordPrompt.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray Statement(int nTransactions, bool bOneLine)
{
    const char* pEnd = bOneLine ? "" : "\r\n";
    QByteArray text = "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nENCODING:UTF-8\r\nCHARSET:NONE\r\n\r\n";
    text += "<OFX><SIGNONMSGSRSV1><SONRS><FI><ORG>みずなら銀行</FI></SONRS></SIGNONMSGSRSV1>";
    text += "<BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST>";
    text += pEnd;
    for (int i = 0; i < nTransactions; ++i) {
        const int nDay = i % 28 + 1;
        const int nMonth = (i / 28) % 12 + 1;
        const int nYear = 2000 + i / 336;
        text += QByteArray("<STMTTRN>") + pEnd + "<TRNTYPE>DEBIT" + pEnd + "<DTPOSTED>"
                + QByteArray::number(nYear * 10000 + nMonth * 100 + nDay) + "000000[+9:JST]" + pEnd
                + "<TRNAMT>-" + QByteArray::number(100 + i % 9000) + ".25" + pEnd + "<FITID>"
                + QByteArray::number(i) + pEnd + "<NAME>スーパー　ヒノキ" + pEnd + "<MEMO>カード払い"
                + pEnd + "</STMTTRN>" + pEnd;
    }
    text += "</BANKTRANLIST><LEDGERBAL><BALAMT>1000<DTASOF>20240101</LEDGERBAL></STMTRS></STMTTRNRS>"
            "</BANKMSGSRSV1></OFX>";
    return text;
}

void BM_ImportOfx(benchmark::State& state)
{
    const QByteArray text = Statement(static_cast<int>(state.range(0)), state.range(1) != 0);
    const COfxProp prop;
    for (auto _ : state) {
        std::vector<CReceipt> lines;
        std::vector<CCategory> cats{CCategory(0, QStringLiteral("備考"))};
        ImportOfx(text, prop, lines, cats);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportOfx)->Args({3650, 0})->Args({3650, 1})->Args({36500, 0})->Unit(benchmark::kMillisecond);

void BM_ImportLegacy(benchmark::State& state)
{
    CLegacyFileBuilder builder(state.range(1) != 0 ? "2.50" : "1.00");
    if (state.range(1) != 0)
        builder.SetPassword("pw");
    builder.AddSample();
    for (int i = 0; i < state.range(0); ++i) {
        builder.AddLine({CLegacyFileBuilder::PackDate(1990 + i / 4000, i % 12 + 1, i % 28 + 1), 0xC8, 0, 2, 3,
                         -(i % 30000), 0, QByteArray("\x90\x48\x94\xef\x81\x40\x83\x58\x81\x5b\x83\x70\x81\x5b")});
    }
    const QByteArray file = builder.Build();
    CFixedPasswordPrompt prompt(QStringLiteral("pw"));
    CScopedPasswordPrompt scope(&prompt);
    for (auto _ : state) {
        std::vector<CReceipt> lines;
        std::vector<CCurFmt> curs;
        std::vector<CCategory> cats;
        if (ImportLegacyLedger(QStringLiteral("bench.ldr"), file, lines, curs, cats) != LegacyResult::Ok)
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportLegacy)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
