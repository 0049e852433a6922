#include "dialogs/AssistDlg.h"
#include "register/DescMatcher.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <random>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int kCategories = 40;
constexpr int kPrefixLength = 6;

std::vector<CCategory> Categories()
{
    std::vector<CCategory> cats{ CCategory(ATTR_REMARK) };
    for (int i = 1; i < kCategories; ++i)
        cats.emplace_back(1 + i % 7, QStringLiteral("費目%1").arg(i, 2, 10, QChar(u'0')));
    return cats;
}

// Distinct descriptions of a few words each, from heads of shop and goods names, kana and
// kanji syllables and a few endings, with one to four uses under categories drawn unevenly
// (a household uses a handful of categories most), now and then inside parentheses.
std::vector<CRecItem> Index(int nCount)
{
    static const char16_t* const heads[] = {
        u"スーパー", u"コンビニ", u"パン", u"牛乳", u"電気代", u"ガス", u"水道", u"本屋", u"薬局", u"電車",
        u"バス", u"外食", u"やさい", u"くだもの", u"文具", u"雑貨", u"衣料品", u"靴", u"理容", u"映画",
        u"タクシー", u"ガソリン", u"保険", u"家賃", u"携帯", u"ネット", u"病院", u"歯医者", u"学費", u"習い事",
        u"お菓子", u"コーヒー", u"弁当", u"肉", u"魚", u"米", u"酒", u"たばこ", u"新聞", u"雑誌",
        u"クリーニング", u"プレゼント", u"ご祝儀", u"香典", u"町内会", u"寄付", u"駐車場", u"高速", u"宅配", u"郵便",
    };
    static const char16_t syllables[] = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん"
                                        u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"
                                        u"田中山川本村松井上木下林森石原大小東西南北金銀";
    static const char16_t* const tails[] = { u"", u"店", u"代", u"料", u"セット", u"ほか", u"分", u"駅前" };
    const int nSyllables = int(std::size(syllables)) - 1;

    std::mt19937 random(11);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    std::unordered_set<QString> seen;
    std::vector<CRecItem> items;
    items.reserve(std::size_t(nCount));
    while (int(items.size()) < nCount) {
        QString strText = QString::fromUtf16(heads[pick(int(std::size(heads)))]);
        const int nLength = 1 + pick(3);
        for (int i = 0; i < nLength; ++i)
            strText += QChar(syllables[pick(nSyllables)]);
        strText += QString::fromUtf16(tails[pick(int(std::size(tails)))]);
        if (!seen.insert(strText).second)
            continue;
        CRecItem item;
        item.m_strText = strText;
        const int nUses = 1 + pick(4);
        for (int i = 0; i < nUses; ++i) {
            const int nCat = pick(3) == 0 ? pick(kCategories) : pick(8);
            const std::uint32_t nKey = std::uint32_t(nCat) | (pick(6) == 0 ? 0x100u : 0u);
            item.AddUse(nKey);
            for (int n = pick(40); n > 0; --n)
                item.AddUse(nKey);
        }
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(), [](const CRecItem& a, const CRecItem& b) { return a.m_strText < b.m_strText; });
    return items;
}

const std::vector<CRecItem>& SharedIndex()
{
    static const std::vector<CRecItem> items = Index(100000);
    return items;
}

// What the user types: the first six characters of an item that begins with the most
// common first character, so that the first key matches the most items.
QString TypedText()
{
    const std::vector<CRecItem>& items = SharedIndex();
    std::unordered_map<char16_t, int> firsts;
    for (const CRecItem& item : items)
        ++firsts[item.m_strText.at(0).unicode()];
    const auto top = std::max_element(firsts.begin(), firsts.end(),
                                      [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const CRecItem& item : items) {
        if (item.m_strText.at(0).unicode() == top->first && item.m_strText.size() > kPrefixLength)
            return item.m_strText.left(kPrefixLength);
    }
    return items.front().m_strText.left(kPrefixLength);
}

// The first key of an item, from scratch: every index item is looked at.
void MatchFirstKey(benchmark::State& state)
{
    const std::vector<CRecItem>& items = SharedIndex();
    const QString strTyped = TypedText();
    std::size_t nFound = 0;
    for (auto _ : state) {
        CDescMatcher matcher;
        matcher.SetItems(&items);
        nFound = matcher.Match(QStringView(strTyped).left(1), 3).size();
        benchmark::DoNotOptimize(nFound);
    }
    state.counters["index"] = double(items.size());
    state.counters["listed"] = double(nFound);
}

// The whole prefix typed key by key, as one item is typed: the first key from scratch,
// each further one narrowing the candidates of the one before. The counters are the mean
// time of each key in milliseconds.
void MatchTyping(benchmark::State& state)
{
    const std::vector<CRecItem>& items = SharedIndex();
    const QString strTyped = TypedText();
    double adSeconds[kPrefixLength] = {};
    std::size_t anListed[kPrefixLength] = {};
    for (auto _ : state) {
        CDescMatcher matcher;
        matcher.SetItems(&items);
        for (int i = 0; i < kPrefixLength; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const std::vector<int> found = matcher.Match(QStringView(strTyped).left(i + 1), 3);
            adSeconds[i] += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            anListed[i] = found.size();
            benchmark::DoNotOptimize(found.data());
        }
    }
    state.counters["key1_matches"] = double(std::count_if(items.begin(), items.end(), [&strTyped](const CRecItem& item) {
        return item.m_strText.startsWith(strTyped.at(0));
    }));
    for (int i = 0; i < kPrefixLength; ++i) {
        state.counters["key" + std::to_string(i + 1) + "_ms"] = adSeconds[i] * 1e3 / double(state.iterations());
        state.counters["key" + std::to_string(i + 1) + "_listed"] = double(anListed[i]);
    }
}

struct SPad
{
    SPad()
    {
        pad.resize(520, 300);
        pad.ShowPad(cats, &SharedIndex(), nullptr);
        QCoreApplication::processEvents();
    }

    std::vector<CCategory> cats = Categories();
    CAssistDlg pad{ nullptr };
};

// The refill for a category chosen after another one; with layout the view's deferred
// layout of the new rows and the events it posts are processed too.
void PadFilterCategory(benchmark::State& state)
{
    SPad fx;
    const bool bLayout = state.range(0) != 0;
    int nValue = 3;
    for (auto _ : state) {
        nValue = nValue == 3 ? 5 : 3;
        fx.pad.SetFilter(nValue, true);
        if (bLayout)
            QCoreApplication::processEvents();
    }
    state.counters["listed"] = double(fx.pad.Listed().size());
}

// Back and forth between a category and every item: the time is that of both refills,
// the counters that of each (milliseconds).
void PadFilterAll(benchmark::State& state)
{
    SPad fx;
    const bool bLayout = state.range(0) != 0;
    double dToAll = 0;
    double dToCategory = 0;
    const auto timed = [&](int nValue, double& dSum) {
        const auto start = std::chrono::steady_clock::now();
        fx.pad.SetFilter(nValue, true);
        if (bLayout)
            QCoreApplication::processEvents();
        dSum += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    for (auto _ : state) {
        timed(3, dToCategory);
        timed(0, dToAll);
    }
    state.counters["to_all_ms"] = dToAll * 1e3 / double(state.iterations());
    state.counters["to_category_ms"] = dToCategory * 1e3 / double(state.iterations());
    state.counters["listed"] = double(fx.pad.Listed().size());
}

} // namespace

BENCHMARK(MatchFirstKey)->Unit(benchmark::kMillisecond);
BENCHMARK(MatchTyping)->Unit(benchmark::kMillisecond);
BENCHMARK(PadFilterCategory)->ArgName("layout")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PadFilterAll)->ArgName("layout")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
