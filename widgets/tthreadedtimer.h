#pragma once

#include <QByteArray>
#include <QObject>

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// A timer whose ticks run either on the timer's own (GUI) thread or on a worker thread of its
// own. Each wait begins when the previous tick has ended, so the period is the interval plus the
// handler's running time, and ticks never overlap.
//
// A wait that ends in a tick for the owner thread is timed by the owner's event loop (one wake-up
// per tick, nothing in between); a wait that ends in a tick for the worker is slept by the worker,
// which is started the first time one is needed. A wait under way when the timer is re-armed is
// not restarted; one that ends while the timer is disarmed keeps its tick until the timer is
// armed again.
//
// The timer belongs to the thread that created it (normally the GUI thread): create, configure
// and destroy it there. A handler running on the worker may still change the properties; the
// re-arming that follows is handed to the owner thread.
class TThreadedTimer : public QObject {
    Q_OBJECT
public:
    enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
    using TNotifyEvent = std::function<void(TThreadedTimer *sender)>;

    explicit TThreadedTimer(QObject *parent = nullptr);
    // Returns at once, also while the worker sleeps or waits for the owner thread; no tick
    // starts once this has begun, and a tick already running on the worker is waited for
    // (unless the destructor runs on the worker itself).
    ~TThreadedTimer() override;

    bool enabled() const { return m_enabled.load(); }
    void setEnabled(bool enabled);

    // Milliseconds between the end of one tick and the start of the next; 0 stops the timer.
    std::uint32_t interval() const { return m_interval.load(); }
    void setInterval(std::uint32_t interval);

    // True: ticks run on the owner thread and the worker waits; False: ticks run on the worker.
    // Only stored; the next tick uses it.
    bool syncEvent() const { return m_syncEvent.load(); }
    void setSyncEvent(bool syncEvent);

    // False: the owner thread's own Qt timer replaces the worker (ticks on the owner thread).
    bool threaded() const { return m_threaded.load(); }
    void setThreaded(bool threaded);

    TThreadPriority threadPriority() const { return m_threadPriority.load(); }
    void setThreadPriority(TThreadPriority priority);

    const TNotifyEvent &onTimer() const;
    void setOnTimer(TNotifyEvent handler);

    // Runs fn on the owner thread and waits for it; on the owner thread it is simply called.
    // Dropped when the timer is being destroyed. An exception fn raises reaches the caller.
    void synchronize(const std::function<void()> &fn);

    // Queues fn to run on the owner thread and returns at once, from any thread; jobs run in the
    // order they were queued. Dropped when the timer is destroyed first. An exception fn raises
    // is shown as an error. The hand-over goes through a lock of our own, so that everything the
    // poster wrote before is visible to fn.
    void post(std::function<void()> fn);

    // For a handler that takes a lock of its own before acting: false when the timer has been
    // re-armed (enabled, disabled, new interval, ...) or is being destroyed since the tick now
    // being delivered was started, so that a tick already under way can be dropped.
    bool tickIsCurrent() const;

    // Number of re-arms so far: every real change of the arming properties adds one.
    std::uint64_t rearmCount() const { return m_rearmCount.load(); }
    // Whether the worker thread has been started (it is started for the first tick that runs on it).
    bool hasWorker() const;

    // Stops the worker for good (the destructor does it). A subclass that overrides tick()
    // calls it first in its own destructor, so that no tick reaches a half-destroyed object.
    void shutdown();

protected:
    // The tick: calls OnTimer with this timer as sender, provided the timer is enabled, is not
    // being destroyed and has a handler.
    virtual void tick();

private:
    struct Shared;
    class Context;
    friend class Context;

    void rearm();
    static void workerLoop(TThreadedTimer *timer, std::shared_ptr<Shared> shared, QByteArray name);
    bool runOnOwner(const std::function<void()> &fn, std::exception_ptr *error);
    static bool handOff(std::unique_lock<std::mutex> &lock, const std::shared_ptr<Shared> &shared, Context *context,
                        const std::function<void()> &fn, std::exception_ptr *error);
    void ownerTimerFired();
    // The waits and ticks of the threaded mode, on the owner thread, with the shared lock held.
    void startWait(std::unique_lock<std::mutex> &lock);
    void tickAtOnce(std::unique_lock<std::mutex> &lock);
    // Hands a due tick to the worker, which runs it at once and times the waits after it.
    void tickOnWorker();
    void ownerWaitEnded();
    void ownerTick(std::unique_lock<std::mutex> &lock);
    void ensureWorker();
    bool shouldRun() const;
    bool onOwnerThread() const;

    std::atomic<bool> m_enabled{true};
    std::atomic<std::uint32_t> m_interval{1000};
    std::atomic<bool> m_syncEvent{true};
    std::atomic<bool> m_threaded{true};
    std::atomic<TThreadPriority> m_threadPriority{TThreadPriority::tpNormal};
    std::atomic<bool> m_hasHandler{false};
    std::atomic<std::uint64_t> m_rearmCount{0};
    std::shared_ptr<const TNotifyEvent> m_onTimer;

    std::shared_ptr<Shared> m_shared;
    std::thread::id m_ownerThread;
    Context *m_context = nullptr;
    std::thread m_worker;
};
