#pragma once

#include <chrono>
#include <cstdint>

// Where a cycled credits pass stands while nobody can see it. The panel's timer is off then; the
// position is worked out from the time that passes instead, one pixel per interval, as the ticks
// would have moved it. Not locked: the panel guards it with its frame lock.
class RestClock {
public:
    using Clock = std::chrono::steady_clock;

    // What the panel takes up again when it wakes: its position and when its last tick was.
    struct Waking {
        int scrollPos = 0;
        Clock::time_point lastTick;
    };

    // Comes to rest at pos, lastTick being the end of the last tick (or the activation). When
    // the timer was running, the wait it had under way still ends in a tick, which the timer
    // keeps and hands over as soon as it runs again.
    void start(int pos, Clock::time_point lastTick, std::uint32_t interval, bool timerWasRunning);

    // The position the ticks would have reached by t.
    int position(Clock::time_point t, int scrollExtent) const;
    // Counts the ticks up to t into the position; done before the extent or the interval change.
    void settle(Clock::time_point t, int scrollExtent);
    // The pass starts again from 0 (the lines or the direction changed).
    void restart() { m_pos = 0; }
    // The wait under way ends as it was; the waits after it take the new interval.
    void setInterval(std::uint32_t interval, Clock::time_point t, int scrollExtent);
    // Where the panel goes on from at t, leaving out the tick the timer kept (it comes at once).
    Waking wake(Clock::time_point t, int scrollExtent) const;

    // Where a cycled pass stands after `ticks` more ticks from pos: each tick moves it one pixel,
    // and the tick that finds it at scrollExtent starts the pass again at 0.
    static int positionAfter(int pos, std::uint64_t ticks, int scrollExtent);

private:
    std::uint64_t ticksBy(Clock::time_point t) const;

    int m_pos = 0;                 // the position at the last settling
    Clock::time_point m_nextTick;  // when the next tick would come
    std::uint32_t m_interval = 0;  // of the ticks after it; 0: none
    Clock::time_point m_heldTickAt; // when the kept tick was due; never when there is none
};
