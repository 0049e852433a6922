#include "model/AmountText.h"
#include "model/CurFmt.h"
#include "model/NewLedger.h"
#include "model/Receipt.h"

#include <QStringList>
#include <benchmark/benchmark.h>

#include <random>

namespace {

// Typical typed amounts: plain numbers, decorated numbers and small sums.
QStringList Expressions(int nCount)
{
    const QStringList patterns = {
        QStringLiteral("%1"), QStringLiteral("\\%1"), QStringLiteral("%1円"), QStringLiteral("%1.5"),
        QStringLiteral("%1+%2"), QStringLiteral("(%1+%2)*3"), QStringLiteral("（%1＋%2）×３"),
        QStringLiteral("%1/3"), QStringLiteral("%1,%2"),
    };
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> value(1, 99999);
    QStringList list;
    for (int n = 0; n < nCount; ++n)
    {
        QString text = patterns[n % patterns.size()];
        text.replace(QLatin1String("%1"), QString::number(value(rng)));
        text.replace(QLatin1String("%2"), QString::number(value(rng)));
        list << text;
    }
    return list;
}

void BM_ParseExpression(benchmark::State& state)
{
    const QStringList texts = Expressions(1000);
    std::int64_t nChars = 0;
    for (const QString& t : texts)
        nChars += t.size();
    for (auto _ : state) {
        for (const QString& t : texts) {
            Amount v = 0;
            benchmark::DoNotOptimize(CAmountText::ParseExpression(t, v));
            benchmark::DoNotOptimize(v);
        }
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
    state.SetBytesProcessed(state.iterations() * nChars * 2);
}
BENCHMARK(BM_ParseExpression);

void BM_Format(benchmark::State& state)
{
    const CCurFmt cur(QStringLiteral("$"), 2, QStringLiteral("米ドル"));
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<Amount> value(-100000000LL * 10000, 100000000LL * 10000);
    std::vector<Amount> values(1000);
    for (Amount& v : values)
        v = value(rng);
    for (auto _ : state) {
        for (Amount v : values)
            benchmark::DoNotOptimize(cur.Format(v, true));
    }
    state.SetItemsProcessed(state.iterations() * values.size());
}
BENCHMARK(BM_Format);

void BM_FormatPlain(benchmark::State& state)
{
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<Amount> value(-100000000LL * 10000, 100000000LL * 10000);
    std::vector<Amount> values(1000);
    for (Amount& v : values)
        v = value(rng);
    for (auto _ : state) {
        for (Amount v : values)
            benchmark::DoNotOptimize(CAmountText::FormatPlain(v));
    }
    state.SetItemsProcessed(state.iterations() * values.size());
}
BENCHMARK(BM_FormatPlain);

// Descriptions of the kind households write: items, quantities, headings and a counter part.
void BM_Tokenize(benchmark::State& state)
{
    const QStringList descs = {
        QStringLiteral("パン（牛乳，卵）；ATM"), QStringLiteral("りんご×3，みかん×5"),
        QStringLiteral("スーパー（野菜，肉，魚，調味料）"), QStringLiteral("電車代"),
        QStringLiteral("昼食；クレジットカード"), QStringLiteral("本（技術書＊2，雑誌）；ポイント"),
    };
    std::vector<CReceipt> lines(descs.size());
    for (qsizetype n = 0; n < descs.size(); ++n) {
        lines[n].m_nCat = 3;
        lines[n].m_nCat2 = 14;
        lines[n].m_strDesc = descs[n];
    }
    std::vector<CDescToken> tokens;
    std::int64_t nChars = 0;
    for (const QString& d : descs)
        nChars += d.size();
    for (auto _ : state) {
        for (const CReceipt& line : lines) {
            line.Tokenize(tokens);
            benchmark::DoNotOptimize(tokens.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
    state.SetBytesProcessed(state.iterations() * nChars * 2);
}
BENCHMARK(BM_Tokenize);

void BM_ColumnText(benchmark::State& state)
{
    const std::vector<CCurFmt> curs = CNewLedger::Currencies();
    const std::vector<CCategory> cats = CNewLedger::Categories();
    CReceipt line;
    line.m_nCat = 3;
    line.m_nCat2 = 14;
    line.m_nAmount = -123456LL * 10000;
    line.m_nAmount2 = 123456LL * 10000;
    line.m_nBalance = 9876543LL * 10000;
    line.m_date = MakeDate(2020, 1, 5);
    line.m_nFlags = CReceipt::RF_NEW_MONTH;
    for (auto _ : state) {
        for (int kind = 0; kind < COL_KIND_COUNT; ++kind)
            benchmark::DoNotOptimize(line.GetColumnText(kind, curs, cats, true));
    }
    state.SetItemsProcessed(state.iterations() * COL_KIND_COUNT);
}
BENCHMARK(BM_ColumnText);

} // namespace

BENCHMARK_MAIN();
