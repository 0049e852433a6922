// Saving and opening large ledgers as bytes: the native file (plain and
// enciphered) and register CSV. Run from a release build.
#include "persist/LedgerFile.h"
#include "persist/NativeFile.h"
#include "platform/PasswordPrompt.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

CLedgerData MakeLedger(int nLines)
{
    CLedgerData data;
    data.m_curs = {CCurFmt(QStringLiteral("\\"), 0, QStringLiteral("日本円")),
                   CCurFmt(QStringLiteral("$"), 2, QStringLiteral("米ドル"))};
    data.m_cats = {CCategory(0, QStringLiteral("備考")), CCategory(8, QStringLiteral("繰越")),
                   CCategory(2, QStringLiteral("食料")), CCategory(3, QStringLiteral("預貯金")),
                   CCategory(1, QStringLiteral("収入"))};
    const QString descs[] = {QStringLiteral("パン（牛乳，卵）"), QStringLiteral("スーパー；ATM"),
                             QStringLiteral("給与"), QStringLiteral("電車 定期代 6か月分")};
    data.m_lines.reserve(size_t(nLines));
    for (int i = 0; i < nLines; ++i) {
        CReceipt line;
        line.m_date = MakeDate(1990 + i / 30000, 1 + (i / 2500) % 12, 1 + (i / 100) % 28);
        line.m_nCur = std::uint8_t(i % 17 == 0 ? 1 : 0);
        line.m_nCat = std::uint8_t(2 + i % 3);
        line.m_nCat2 = std::uint8_t(i % 5 == 0 ? 3 : 0);
        line.m_nAmount = Amount((i % 997) - 600) * (i % 7 == 0 ? 1234 : AMOUNT_UNIT);
        line.m_nAmount2 = line.m_nCat2 ? -line.m_nAmount : 0;
        line.m_strDesc = descs[i % 4];
        data.m_lines.push_back(std::move(line));
    }
    return data;
}

const CLedgerData& Ledger(int nLines)
{
    static std::map<int, CLedgerData> cache;
    auto it = cache.find(nLines);
    if (it == cache.end())
        it = cache.emplace(nLines, MakeLedger(nLines)).first;
    return it->second;
}

void SaveNative(benchmark::State& state)
{
    const CLedgerData& data = Ledger(int(state.range(0)));
    const QString strPassword = state.range(1) ? QStringLiteral("secret") : QString();
    for (auto _ : state)
        benchmark::DoNotOptimize(CNativeFile::Write(data, strPassword));
}

void OpenNative(benchmark::State& state)
{
    const QString strPassword = state.range(1) ? QStringLiteral("secret") : QString();
    const QByteArray file = CNativeFile::Write(Ledger(int(state.range(0))), strPassword);
    CFixedPasswordPrompt prompt(strPassword);
    CScopedPasswordPrompt scope(&prompt);
    for (auto _ : state) {
        CLedgerData data;
        QString strEntered;
        if (CNativeFile::Read(file, QString(), data, strEntered) != CNativeFile::Ok)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(data.m_lines.data());
    }
}

void SaveCsv(benchmark::State& state)
{
    const CLedgerData& data = Ledger(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CLedgerFile::Write(CLedgerFile::KIND_CSV, data, QString()));
}

void OpenCsv(benchmark::State& state)
{
    const QByteArray file = CLedgerFile::Write(CLedgerFile::KIND_CSV, Ledger(int(state.range(0))), QString());
    for (auto _ : state) {
        CLedgerData data;
        QString strPassword;
        if (CLedgerFile::Read(file, QString(), data, strPassword) != CLedgerFile::Ok)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(data.m_lines.data());
    }
}

} // namespace

BENCHMARK(SaveNative)->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(OpenNative)->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(SaveCsv)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenCsv)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
