#include "tests/support/testmain.h"
#include "widgets/restclock.h"

#include <chrono>

namespace {

using Clock = RestClock::Clock;
using std::chrono::milliseconds;

// An arbitrary moment of the clock: the end of the last tick before the panel came to rest.
const Clock::time_point T0 = Clock::time_point() + std::chrono::hours(1);

Clock::time_point at(int ms)
{
    return T0 + milliseconds(ms);
}

} // namespace

class TestRestClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void positionAfterTicks_data();
    void positionAfterTicks();
    void positionFollowsTheTime_data();
    void positionFollowsTheTime();
    void wakingLeavesTheKeptTickToTheTimer_data();
    void wakingLeavesTheKeptTickToTheTimer();
    void intervalChangeWhileResting_data();
    void intervalChangeWhileResting();
};

void TestRestClock::positionAfterTicks_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("extent");
    QTest::addColumn<qulonglong>("ticks");
    QTest::newRow("no tick") << 5 << 100 << 0ull;
    QTest::newRow("within the pass") << 5 << 100 << 20ull;
    QTest::newRow("up to the extent") << 0 << 100 << 100ull;
    QTest::newRow("the tick at the extent starts again") << 0 << 100 << 101ull;
    QTest::newRow("three passes and a bit") << 7 << 100 << 3 * 101ull + 12;
    QTest::newRow("a day at 50 ms") << 0 << 526 << 24 * 3600 * 20ull;
    QTest::newRow("beyond the extent (shrunk)") << 130 << 100 << 1ull;
    QTest::newRow("beyond the extent, later") << 130 << 100 << 50ull;
    QTest::newRow("empty area") << 0 << 0 << 7ull;
}

void TestRestClock::positionAfterTicks()
{
    QFETCH(int, pos);
    QFETCH(int, extent);
    QFETCH(qulonglong, ticks);
    // What the ticks themselves do, one by one: one pixel, or back to 0 from the extent on.
    int ticked = pos;
    for (qulonglong i = 0; i < ticks; ++i)
        ticked = ticked < extent ? ticked + 1 : 0;
    QCOMPARE(RestClock::positionAfter(pos, ticks, extent), ticked);
}

void TestRestClock::positionFollowsTheTime_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("ms"); // since the last tick
    QTest::addColumn<int>("expected");
    QTest::newRow("before the next tick") << 5 << 50 << 49 << 5;
    QTest::newRow("the next tick, one interval after the last") << 5 << 50 << 50 << 6;
    QTest::newRow("two and a half intervals") << 5 << 50 << 125 << 7;
    QTest::newRow("round the end of the pass") << 99 << 50 << 150 << 1;
    QTest::newRow("no interval, no ticks") << 5 << 0 << 10'000 << 5;
}

void TestRestClock::positionFollowsTheTime()
{
    QFETCH(int, pos);
    QFETCH(int, interval);
    QFETCH(int, ms);
    QFETCH(int, expected);
    RestClock clock;
    clock.start(pos, T0, std::uint32_t(interval), true);
    QCOMPARE(clock.position(at(ms), 100), expected);
}

void TestRestClock::wakingLeavesTheKeptTickToTheTimer_data()
{
    QTest::addColumn<bool>("timerWasRunning");
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("lastTickMs");
    // The kept tick comes as soon as the timer runs again: the position leaves it out, and the
    // wait before the next one counts from when the kept one was due.
    QTest::newRow("running, woken before the kept tick was due") << true << 20 << 5 << 0;
    QTest::newRow("running, woken two intervals later") << true << 120 << 6 << 120;
    QTest::newRow("stopped, woken two intervals later") << false << 120 << 7 << 120;
    QTest::newRow("stopped, woken before a tick") << false << 20 << 5 << 20;
}

void TestRestClock::wakingLeavesTheKeptTickToTheTimer()
{
    QFETCH(bool, timerWasRunning);
    QFETCH(int, ms);
    QFETCH(int, pos);
    QFETCH(int, lastTickMs);
    RestClock clock;
    clock.start(5, T0, 50, timerWasRunning);
    const RestClock::Waking w = clock.wake(at(ms), 100);
    QCOMPARE(w.scrollPos, pos);
    QCOMPARE(w.lastTick, at(lastTickMs));
}

void TestRestClock::intervalChangeWhileResting_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("changedAt");
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("expected");
    // From 0 at T0: two ticks of 50 ms before the change at 120, the third due at 150.
    QTest::newRow("shorter: the wait under way ends as it was") << 50 << 10 << 120 << 149 << 2;
    QTest::newRow("shorter: the waits after it take the new one") << 50 << 10 << 120 << 170 << 5;
    QTest::newRow("to none: no more ticks") << 50 << 0 << 120 << 10'000 << 2;
    QTest::newRow("from none: the first wait starts at the change") << 0 << 20 << 100 << 119 << 0;
    QTest::newRow("from none: then every interval") << 0 << 20 << 100 << 140 << 2;
}

void TestRestClock::intervalChangeWhileResting()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, changedAt);
    QFETCH(int, ms);
    QFETCH(int, expected);
    RestClock clock;
    clock.start(0, T0, std::uint32_t(from), true);
    clock.setInterval(std::uint32_t(to), at(changedAt), 100);
    QCOMPARE(clock.position(at(ms), 100), expected);
}

PC_TEST_MAIN(TestRestClock)
#include "tst_restclock.moc"
