#include "platform/Clock.h"

#include <QElapsedTimer>
#include <optional>

namespace {
std::optional<QDateTime> g_fixedNow;
std::optional<std::uint32_t> g_fixedTicks;

QElapsedTimer& Timer()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}
} // namespace

QDateTime CClock::Now()
{
    return g_fixedNow ? *g_fixedNow : QDateTime::currentDateTime();
}

std::uint32_t CClock::TickCount()
{
    if (g_fixedTicks)
        return *g_fixedTicks;
    return static_cast<std::uint32_t>(Timer().elapsed());
}

void CClock::SetNow(const QDateTime& now)
{
    if (now.isValid())
        g_fixedNow = now;
    else
        g_fixedNow.reset();
}

void CClock::SetTickCount(std::uint32_t nTicks)
{
    g_fixedTicks = nTicks;
}

void CClock::Advance(std::int64_t nMilliseconds)
{
    if (g_fixedNow)
        g_fixedNow = g_fixedNow->addMSecs(nMilliseconds);
    if (g_fixedTicks)
        g_fixedTicks = static_cast<std::uint32_t>(*g_fixedTicks + static_cast<std::uint64_t>(nMilliseconds));
}

void CClock::Reset()
{
    g_fixedNow.reset();
    g_fixedTicks.reset();
}
