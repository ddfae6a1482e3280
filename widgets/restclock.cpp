#include "widgets/restclock.h"

#include <algorithm>

namespace {

constexpr RestClock::Clock::time_point never = RestClock::Clock::time_point::max();

} // namespace

void RestClock::start(int pos, Clock::time_point lastTick, std::uint32_t interval, bool timerWasRunning)
{
    m_pos = pos;
    m_interval = interval;
    m_nextTick = interval == 0 ? never : lastTick + std::chrono::milliseconds(interval);
    m_heldTickAt = timerWasRunning ? m_nextTick : never;
}

std::uint64_t RestClock::ticksBy(Clock::time_point t) const
{
    if (t < m_nextTick)
        return 0;
    return 1 + std::uint64_t((t - m_nextTick) / std::chrono::milliseconds(m_interval));
}

int RestClock::position(Clock::time_point t, int scrollExtent) const
{
    return positionAfter(m_pos, ticksBy(t), scrollExtent);
}

void RestClock::settle(Clock::time_point t, int scrollExtent)
{
    const std::uint64_t ticks = ticksBy(t);
    m_pos = positionAfter(m_pos, ticks, scrollExtent);
    if (ticks > 0)
        m_nextTick += std::chrono::milliseconds(m_interval) * ticks;
}

void RestClock::setInterval(std::uint32_t interval, Clock::time_point t, int scrollExtent)
{
    settle(t, scrollExtent);
    if (interval == 0)
        m_nextTick = never;
    else if (m_interval == 0)
        m_nextTick = t + std::chrono::milliseconds(interval);
    m_interval = interval;
}

RestClock::Waking RestClock::wake(Clock::time_point t, int scrollExtent) const
{
    std::uint64_t ticks = ticksBy(t);
    if (t >= m_heldTickAt && ticks > 0)
        --ticks;
    Waking w;
    w.scrollPos = positionAfter(m_pos, ticks, scrollExtent);
    w.lastTick = t < m_heldTickAt && m_heldTickAt != never ? m_heldTickAt - std::chrono::milliseconds(m_interval) : t;
    return w;
}

int RestClock::positionAfter(int pos, std::uint64_t ticks, int scrollExtent)
{
    if (ticks == 0)
        return pos;
    const std::uint64_t cycle = std::uint64_t(std::max(scrollExtent, 0)) + 1;
    // A position beyond the extent (the panel shrank) starts the pass again at the next tick.
    if (pos < 0 || pos > scrollExtent)
        return int((ticks - 1) % cycle);
    return int((std::uint64_t(pos) + ticks) % cycle);
}
