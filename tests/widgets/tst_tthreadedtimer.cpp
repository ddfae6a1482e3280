#include "widgets/tthreadedtimer.h"

#include "tests/support/testmain.h"
#include "toolkit/error.h"
#include "toolkit/tapplication.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

using Clock = std::chrono::steady_clock;
using TimerAction = std::function<void(TThreadedTimer &)>;
Q_DECLARE_METATYPE(TimerAction)

namespace {

// Keeps the CPU busy for ms milliseconds: a handler's own running time.
void work(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
    }
}

struct TickLog {
    QMutex mutex;
    std::vector<Clock::time_point> starts;
    std::vector<Clock::time_point> ends;
    std::atomic<int> count{0};
    std::atomic<int> running{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> onGuiThread{0};
};

// Counts ticks of a second timer so that a test can let a span of time pass without sleeping.
struct Probe {
    explicit Probe(std::uint32_t interval)
    {
        timer.setInterval(interval);
        timer.setOnTimer([this](TThreadedTimer *) { ++ticks; });
    }
    std::atomic<int> ticks{0};
    TThreadedTimer timer;
};

// Processes events until pred holds (true) or 5 s have passed (false); for waits far shorter
// than QTRY's polling step.
template <typename Pred>
bool spinUntil(Pred pred)
{
    QDeadlineTimer deadline(5000);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QThread::yieldCurrentThread();
    }
    return true;
}

double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

class TestThreadedTimer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_messages.clear();
        m_previousDisplay = tk::Application::setErrorDisplay([this](const QString &m) { m_messages << m; });
    }
    void cleanup() { tk::Application::setErrorDisplay(m_previousDisplay); }

    void defaults()
    {
        TThreadedTimer timer;
        QCOMPARE(timer.enabled(), true);
        QCOMPARE(timer.interval(), 1000u);
        QCOMPARE(timer.syncEvent(), true);
        QCOMPARE(timer.threaded(), true);
        QCOMPARE(timer.threadPriority(), TThreadedTimer::TThreadPriority::tpNormal);
        QVERIFY(!timer.onTimer());
    }

    void periodIsIntervalPlusHandlerTime_data()
    {
        QTest::addColumn<bool>("threaded");
        QTest::addColumn<bool>("syncEvent");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("handlerMs");
        QTest::newRow("gui ticks, quick handler") << true << true << 20 << 0;
        QTest::newRow("gui ticks, 15 ms handler") << true << true << 20 << 15;
        QTest::newRow("worker ticks, quick handler") << true << false << 20 << 0;
        QTest::newRow("worker ticks, 15 ms handler") << true << false << 20 << 15;
        QTest::newRow("qt timer, 15 ms handler") << false << true << 20 << 15;
    }
    void periodIsIntervalPlusHandlerTime()
    {
        QFETCH(bool, threaded);
        QFETCH(bool, syncEvent);
        QFETCH(int, interval);
        QFETCH(int, handlerMs);
        constexpr int ticks = 15;
        TickLog log;
        TThreadedTimer timer;
        timer.setThreaded(threaded);
        timer.setSyncEvent(syncEvent);
        timer.setInterval(std::uint32_t(interval));
        timer.setOnTimer([&](TThreadedTimer *t) {
            if (log.count >= ticks)
                return;
            const auto start = Clock::now();
            work(handlerMs);
            QMutexLocker lock(&log.mutex);
            log.starts.push_back(start);
            log.ends.push_back(Clock::now());
            if (++log.count == ticks)
                t->setEnabled(false);
        });
        QTRY_COMPARE_WITH_TIMEOUT(log.count.load(), ticks, 20000);

        QMutexLocker lock(&log.mutex);
        std::vector<double> periods, gaps;
        for (std::size_t i = 1; i < log.starts.size(); ++i) {
            const double gap = std::chrono::duration<double, std::milli>(log.starts[i] - log.ends[i - 1]).count();
            periods.push_back(std::chrono::duration<double, std::milli>(log.starts[i] - log.starts[i - 1]).count());
            gaps.push_back(gap);
            // Each wait starts only when the previous tick has ended (1 ms for clock granularity).
            QVERIFY2(gap >= interval - 1, qPrintable(QStringLiteral("gap %1 ms").arg(gap)));
        }
        const double expected = interval + handlerMs;
        QVERIFY2(medianMs(periods) >= expected - 1, qPrintable(QString::number(medianMs(periods))));
        // Generous upper bound: two loaded cores may delay a wake-up, but not every one of them.
        QVERIFY2(medianMs(periods) <= expected + 40, qPrintable(QString::number(medianMs(periods))));
    }

    void ticksRunOnTheChosenThread_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::newRow("SyncEvent true: GUI thread") << true;
        QTest::newRow("SyncEvent false: worker") << false;
    }
    void ticksRunOnTheChosenThread()
    {
        QFETCH(bool, syncEvent);
        TickLog log;
        TThreadedTimer timer;
        timer.setSyncEvent(syncEvent);
        timer.setInterval(5);
        QThread *gui = QThread::currentThread();
        timer.setOnTimer([&](TThreadedTimer *) {
            if (QThread::currentThread() == gui)
                ++log.onGuiThread;
            ++log.count;
        });
        QTRY_VERIFY(log.count >= 5);
        timer.setEnabled(false);
        QCOMPARE(log.onGuiThread.load() == log.count.load(), syncEvent);
        QCOMPARE(log.onGuiThread.load() == 0, !syncEvent);
    }

    void aWorkerStartsOnlyForTicksThatRunOnIt_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::newRow("SyncEvent true: no worker") << true;
        QTest::newRow("SyncEvent false: a worker") << false;
    }
    void aWorkerStartsOnlyForTicksThatRunOnIt()
    {
        QFETCH(bool, syncEvent);
        std::atomic<int> ticks{0};
        TThreadedTimer timer;
        timer.setSyncEvent(syncEvent);
        timer.setInterval(2);
        QVERIFY(!timer.hasWorker());
        timer.setOnTimer([&](TThreadedTimer *) { ++ticks; });
        QTRY_VERIFY(ticks >= 5);
        QCOMPARE(timer.hasWorker(), !syncEvent);
    }

    void syncEventChangeAppliesAtTheNextTick()
    {
        std::atomic<int> guiTicks{0}, workerTicks{0};
        TThreadedTimer timer;
        timer.setInterval(5);
        QThread *gui = QThread::currentThread();
        timer.setOnTimer([&](TThreadedTimer *) {
            if (QThread::currentThread() == gui)
                ++guiTicks;
            else
                ++workerTicks;
        });
        QTRY_VERIFY(guiTicks >= 2);
        const auto rearms = timer.rearmCount();
        timer.setSyncEvent(false);
        QCOMPARE(timer.rearmCount(), rearms);
        QTRY_VERIFY(workerTicks >= 2);
    }

    void ticksNeverOverlap_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::newRow("gui") << true;
        QTest::newRow("worker") << false;
    }
    void ticksNeverOverlap()
    {
        QFETCH(bool, syncEvent);
        TickLog log;
        TThreadedTimer timer;
        timer.setSyncEvent(syncEvent);
        timer.setInterval(1);
        timer.setOnTimer([&](TThreadedTimer *) {
            if (log.running.fetch_add(1) != 0)
                ++log.overlaps;
            work(3);
            --log.running;
            ++log.count;
        });
        QTRY_VERIFY(log.count >= 30);
        timer.setEnabled(false);
        QCOMPARE(log.overlaps.load(), 0);
    }

    void disablingFromInsideTheHandlerStopsTicks_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::newRow("gui") << true;
        QTest::newRow("worker") << false;
    }
    void disablingFromInsideTheHandlerStopsTicks()
    {
        QFETCH(bool, syncEvent);
        std::atomic<int> ticks{0};
        TThreadedTimer timer;
        timer.setSyncEvent(syncEvent);
        timer.setInterval(10);
        timer.setOnTimer([&](TThreadedTimer *t) {
            if (++ticks == 1)
                t->setEnabled(false);
        });
        QTRY_COMPARE(ticks.load(), 1);
        QVERIFY(!timer.enabled());
        Probe probe(10);
        QTRY_VERIFY(probe.ticks >= 8);
        QCOMPARE(ticks.load(), 1);

        timer.setEnabled(true);
        QTRY_VERIFY(ticks >= 2);
    }

    void disablingWhileTheWorkerSleepsSuppressesTheTick()
    {
        std::atomic<int> ticks{0};
        TThreadedTimer timer;
        timer.setInterval(60);
        timer.setOnTimer([&](TThreadedTimer *) { ++ticks; });
        timer.setEnabled(false);
        Probe probe(20);
        QTRY_VERIFY(probe.ticks >= 8);
        QCOMPARE(ticks.load(), 0);
    }

    void intervalZeroNeverTicks_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::addColumn<bool>("threaded");
        QTest::newRow("gui") << true << true;
        QTest::newRow("worker") << false << true;
        QTest::newRow("qt timer") << true << false;
    }
    void intervalZeroNeverTicks()
    {
        QFETCH(bool, syncEvent);
        QFETCH(bool, threaded);
        std::atomic<int> ticks{0};
        TThreadedTimer timer;
        timer.setSyncEvent(syncEvent);
        timer.setThreaded(threaded);
        timer.setInterval(0);
        timer.setOnTimer([&](TThreadedTimer *) { ++ticks; });
        Probe probe(5);
        QTRY_VERIFY(probe.ticks >= 10);
        QCOMPARE(ticks.load(), 0);
    }

    void rearmsOnlyOnRealChange_data()
    {
        QTest::addColumn<TimerAction>("action");
        QTest::addColumn<int>("rearms");
        const auto a = [](TThreadedTimer *) {};
        QTest::newRow("Enabled true again") << TimerAction([](TThreadedTimer &t) { t.setEnabled(true); }) << 0;
        QTest::newRow("Enabled false") << TimerAction([](TThreadedTimer &t) { t.setEnabled(false); }) << 1;
        QTest::newRow("Interval 1000 again") << TimerAction([](TThreadedTimer &t) { t.setInterval(1000); }) << 0;
        QTest::newRow("Interval 50") << TimerAction([](TThreadedTimer &t) { t.setInterval(50); }) << 1;
        QTest::newRow("Threaded true again") << TimerAction([](TThreadedTimer &t) { t.setThreaded(true); }) << 0;
        QTest::newRow("Threaded false") << TimerAction([](TThreadedTimer &t) { t.setThreaded(false); }) << 1;
        QTest::newRow("priority normal again")
            << TimerAction([](TThreadedTimer &t) { t.setThreadPriority(TThreadedTimer::TThreadPriority::tpNormal); })
            << 0;
        QTest::newRow("priority lower")
            << TimerAction([](TThreadedTimer &t) { t.setThreadPriority(TThreadedTimer::TThreadPriority::tpLower); })
            << 1;
        QTest::newRow("priority lower while not threaded") << TimerAction([](TThreadedTimer &t) {
            t.setThreaded(false);
            t.setThreadPriority(TThreadedTimer::TThreadPriority::tpLower);
        }) << 1;
        QTest::newRow("SyncEvent false") << TimerAction([](TThreadedTimer &t) { t.setSyncEvent(false); }) << 0;
        QTest::newRow("handler replaced by another")
            << TimerAction([](TThreadedTimer &t) { t.setOnTimer([](TThreadedTimer *) {}); }) << 0;
        QTest::newRow("handler removed") << TimerAction([](TThreadedTimer &t) { t.setOnTimer({}); }) << 1;
        QTest::newRow("handler removed and assigned") << TimerAction([a](TThreadedTimer &t) {
            t.setOnTimer({});
            t.setOnTimer(a);
        }) << 2;
    }
    void rearmsOnlyOnRealChange()
    {
        QFETCH(TimerAction, action);
        QFETCH(int, rearms);
        TThreadedTimer timer;
        timer.setOnTimer([](TThreadedTimer *) {});
        const auto before = timer.rearmCount();
        action(timer);
        QCOMPARE(int(timer.rearmCount() - before), rearms);
    }

    void destructionIsPromptAndFinal_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("handlerMs");
        QTest::newRow("gui ticks, worker asleep in a long wait") << true << 1000 << 0;
        QTest::newRow("worker ticks, worker asleep in a long wait") << false << 1000 << 0;
        QTest::newRow("gui ticks, worker asleep between short ticks") << true << 20 << 0;
        QTest::newRow("worker ticks, a tick under way") << false << 1 << 20;
    }
    void destructionIsPromptAndFinal()
    {
        QFETCH(bool, syncEvent);
        QFETCH(int, interval);
        QFETCH(int, handlerMs);
        auto ticks = std::make_shared<std::atomic<int>>(0);
        auto destroyed = std::make_shared<std::atomic<bool>>(false);
        auto late = std::make_shared<std::atomic<int>>(0);
        auto timer = std::make_unique<TThreadedTimer>();
        timer->setSyncEvent(syncEvent);
        timer->setInterval(std::uint32_t(interval));
        timer->setOnTimer([=](TThreadedTimer *) {
            ++*ticks;
            work(handlerMs);
            if (*destroyed)
                ++*late;
        });
        if (interval < 100)
            QTRY_VERIFY(*ticks >= 3);
        const int before = *ticks;
        QElapsedTimer clock;
        clock.start();
        timer.reset();
        const qint64 took = clock.elapsed();
        *destroyed = true;
        const int at = *ticks;
        // Prompt: destruction finishes at most the tick already under way (or just starting) and
        // starts no other. Counted rather than timed, so that a busy machine's scheduling delays
        // do not count against it; only a long wait, which it must not sit out, is a bound in time.
        QVERIFY2(at - before <= 1, qPrintable(QStringLiteral("%1 ticks during destruction").arg(at - before)));
        if (interval >= 100)
            QVERIFY2(took < interval / 2, qPrintable(QStringLiteral("%1 ms of a %2 ms wait").arg(took).arg(interval)));
        Probe probe(std::uint32_t(std::max(interval, 10)) / 2);
        QTRY_VERIFY(probe.ticks >= (interval < 100 ? 10 : 3));
        QCOMPARE(ticks->load(), at);
        QCOMPARE(late->load(), 0);
    }

    void destroyingTheTimerFromItsOwnGuiTick()
    {
        auto ticks = std::make_shared<std::atomic<int>>(0);
        TThreadedTimer *timer = new TThreadedTimer;
        timer->setInterval(5);
        timer->setOnTimer([=](TThreadedTimer *t) {
            ++*ticks;
            delete t;
        });
        QTRY_COMPARE(ticks->load(), 1);
        Probe probe(5);
        QTRY_VERIFY(probe.ticks >= 10);
        QCOMPARE(ticks->load(), 1);
    }

    void handlerErrors_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("worker tick: shown, timer goes on") << false << true;
        QTest::newRow("gui tick: shown, timer ends") << true << false;
    }
    void handlerErrors()
    {
        QFETCH(bool, syncEvent);
        QFETCH(bool, goesOn);
        std::atomic<int> ticks{0};
        TThreadedTimer timer;
        timer.setSyncEvent(syncEvent);
        timer.setInterval(5);
        timer.setOnTimer([&](TThreadedTimer *) {
            if (++ticks == 1)
                throw tk::Error("Tick failed");
        });
        QTRY_COMPARE(m_messages, QStringList{QStringLiteral("Tick failed")});
        if (goesOn) {
            QTRY_VERIFY(ticks >= 4);
        } else {
            Probe probe(5);
            QTRY_VERIFY(probe.ticks >= 10);
            QCOMPARE(ticks.load(), 1);
        }
    }

    void synchronizeRunsOnTheOwnerThread()
    {
        TThreadedTimer timer;
        QThread *gui = QThread::currentThread();
        std::atomic<bool> ranOnGui{false}, returned{false}, caught{false};
        std::thread other([&] {
            timer.synchronize([&] { ranOnGui = QThread::currentThread() == gui; });
            try {
                timer.synchronize([] { throw tk::Error("from the GUI thread"); });
            } catch (const tk::Error &) {
                caught = true;
            }
            returned = true;
        });
        QTRY_VERIFY(returned);
        other.join();
        QVERIFY(ranOnGui);
        QVERIFY(caught);

        bool direct = false;
        timer.synchronize([&] { direct = QThread::currentThread() == gui; });
        QVERIFY(direct);
    }

    void postRunsJobsLaterOnTheOwnerThreadInOrder_data()
    {
        QTest::addColumn<bool>("fromOwner");
        QTest::newRow("posted from another thread") << false;
        QTest::newRow("posted from the owner thread") << true;
    }
    void postRunsJobsLaterOnTheOwnerThreadInOrder()
    {
        QFETCH(bool, fromOwner);
        TThreadedTimer timer;
        QThread *gui = QThread::currentThread();
        QList<int> order; // only the owner thread touches these two
        bool allOnOwner = true;
        const auto postAll = [&] {
            for (int i = 0; i < 50; ++i) {
                timer.post([&, i] {
                    order << i;
                    allOnOwner = allOnOwner && QThread::currentThread() == gui;
                });
            }
            timer.post([] { throw tk::Error("Job failed"); });
            timer.post([&] { order << 50; });
        };
        if (fromOwner) {
            postAll();
            QVERIFY(order.isEmpty());
        } else {
            std::thread(postAll).join();
        }
        QTRY_COMPARE(order.size(), 51);
        for (int i = 0; i < order.size(); ++i)
            QCOMPARE(order[i], i);
        QVERIFY(allOnOwner);
        // A failing job is shown and does not stop the ones after it.
        QCOMPARE(m_messages, QStringList{QStringLiteral("Job failed")});
    }

    void postedJobsAreDroppedWithTheTimer()
    {
        bool ran = false;
        {
            TThreadedTimer timer;
            std::thread([&] { timer.post([&] { ran = true; }); }).join();
        }
        // The owner thread gets to the wake-ups in the order they were posted: once a later
        // timer's job has run, the dropped one would have run too.
        TThreadedTimer later;
        bool laterRan = false;
        later.post([&] { laterRan = true; });
        QTRY_VERIFY(laterRan);
        QVERIFY(!ran);
    }

    void changesMadeOnTheWorkerReachTheOwner()
    {
        std::atomic<int> ticks{0};
        TThreadedTimer timer;
        timer.setSyncEvent(false);
        timer.setInterval(5);
        timer.setOnTimer([&](TThreadedTimer *t) {
            if (++ticks == 3)
                t->setInterval(0);
        });
        const auto rearms = timer.rearmCount();
        QTRY_COMPARE(timer.interval(), 0u);
        // The re-arm is handed to the owner thread and counted there.
        QTRY_COMPARE(timer.rearmCount(), rearms + 1);
        Probe probe(5);
        QTRY_VERIFY(probe.ticks >= 10);
        QCOMPARE(ticks.load(), 3);
    }

    void noQtTimerOnAThreadWithoutEventLoop()
    {
        QTest::ignoreMessage(QtWarningMsg, "QObject::startTimer: Timers can only be used with threads started with QThread");
        QString message;
        std::thread plain([&] {
            TThreadedTimer timer;
            timer.setThreaded(false);
            timer.setInterval(10);
            try {
                timer.setOnTimer([](TThreadedTimer *) {});
            } catch (const tk::Error &e) {
                message = QString::fromUtf8(e.what());
            }
        });
        plain.join();
        QCOMPARE(message, QStringLiteral("Not enough timers available"));
    }

    void stressCreateArmChangeDestroy_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::newRow("gui ticks") << true;
        QTest::newRow("worker ticks") << false;
    }
    void stressCreateArmChangeDestroy()
    {
        QFETCH(bool, syncEvent);
        constexpr int cycles = 3000;
        auto late = std::make_shared<std::atomic<int>>(0);
        std::atomic<int> ticks{0};
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < cycles; ++i) {
            auto destroyed = std::make_shared<std::atomic<bool>>(false);
            auto timer = std::make_unique<TThreadedTimer>();
            timer->setSyncEvent(syncEvent);
            timer->setInterval(1);
            auto mine = std::make_shared<std::atomic<int>>(0);
            timer->setOnTimer([&ticks, late, destroyed, mine](TThreadedTimer *) {
                ++ticks;
                ++*mine;
                if (*destroyed)
                    ++*late;
            });
            if (i % 10 == 0)
                QVERIFY(spinUntil([&] { return *mine >= 1; }));
            else if (i % 3 == 0)
                QCoreApplication::processEvents();
            timer->setInterval(std::uint32_t(i % 4));
            if (i % 5 == 0)
                timer->setEnabled(false);
            if (i % 7 == 0)
                timer->setSyncEvent(!syncEvent);
            if (i % 2 == 0)
                QCoreApplication::processEvents();
            const qint64 before = clock.elapsed();
            timer.reset();
            *destroyed = true;
            QVERIFY2(clock.elapsed() - before < 50, qPrintable(QStringLiteral("cycle %1").arg(i)));
        }
        QCoreApplication::processEvents();
        QCOMPARE(late->load(), 0);
        QVERIFY(ticks >= cycles / 10);
        qInfo("%d cycles, %d ticks, %lld ms", cycles, ticks.load(), clock.elapsed());
    }

private:
    QStringList m_messages;
    tk::Application::ErrorDisplay m_previousDisplay;
};

PC_TEST_MAIN(TestThreadedTimer)
#include "tst_tthreadedtimer.moc"
