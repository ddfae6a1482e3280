#include "widgets/tthreadedtimer.h"

#include "toolkit/error.h"
#include "toolkit/tapplication.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

using Priority = TThreadedTimer::TThreadPriority;

namespace {
// A worker that has had nothing to do for this long ends; the next tick that needs one starts
// another. An idle program keeps no threads of its own.
constexpr std::chrono::seconds WorkerIdleLimit{30};
} // namespace

// What the timer and its worker share; the worker keeps it alive after the timer is gone.
struct TThreadedTimer::Shared {
    // Where the threaded mode stands between two ticks. A wait or a tick belongs to one side: the
    // owner thread (timed by its event loop) or the worker.
    enum class Phase {
        Idle,    // no wait under way: the next arming starts one
        Waiting, // a wait is under way
        Pending, // a wait ended while the timer was disarmed: its tick comes with the next arming
        Ticking, // a tick is due or running
    };
    enum class Side { Owner, Worker };

    std::mutex mutex;
    std::condition_variable cv;
    bool armed = false;      // the timer may wait and tick
    bool quit = false;       // the timer is being destroyed
    bool workerRunning = false; // a worker thread runs its loop
    bool failed = false;     // a tick on the owner thread raised an error: no further ticks
    bool inWorkerTick = false;
    Phase phase = Phase::Idle;
    Side side = Side::Owner;
    bool workerTickNow = false; // a tick handed to the worker without a wait of its own
    std::chrono::steady_clock::time_point deadline; // end of a wait on the worker
    std::uint32_t workerInterval = 1000;
    Priority priority = Priority::tpNormal;
    std::uint64_t armGeneration = 0;
    std::uint64_t tickGeneration = 0;
    // Work handed to the owner thread. The jobs travel under this mutex rather than inside Qt's
    // event, so that what they carry is published by a lock both threads take.
    std::deque<std::function<void()>> mailbox;
    bool mailPosted = false;
};

// Lives on the owner thread: receives the worker's hand-offs and, in the non-threaded mode,
// the Qt timer's events. Deleting it discards hand-offs that have not run yet.
class TThreadedTimer::Context : public QObject {
public:
    Context(TThreadedTimer *timer, std::shared_ptr<Shared> shared) : m_timer(timer), m_shared(std::move(shared)) {}

    // Called with the shared mutex held: queues a job for the owner thread.
    void post(std::function<void()> job)
    {
        m_shared->mailbox.push_back(std::move(job));
        if (!m_shared->mailPosted) {
            m_shared->mailPosted = true;
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        }
    }

    // The non-threaded mode's timer.
    void stopTimer()
    {
        if (m_timerId != 0) {
            killTimer(m_timerId);
            m_timerId = 0;
        }
    }
    bool startOwnTimer(std::uint32_t interval)
    {
        stopTimer();
        m_timerId = startTimer(std::chrono::milliseconds(interval));
        return m_timerId != 0;
    }
    bool timerRunning() const { return m_timerId != 0; }

    // A wait of the threaded mode timed here, on the owner thread: one shot.
    bool startWait(std::uint32_t interval)
    {
        stopWait();
        m_waitId = startTimer(std::chrono::milliseconds(interval), Qt::PreciseTimer);
        return m_waitId != 0;
    }
    void stopWait()
    {
        if (m_waitId != 0) {
            killTimer(m_waitId);
            m_waitId = 0;
        }
    }

    TThreadedTimer *m_timer;
    int m_busy = 0; // > 0 while a hand-off or a timer event runs in this object

protected:
    // Only the mail event is ever posted here. Its fields are not read: it was made on the
    // worker, and the jobs it announces are published by the shared mutex instead.
    void customEvent(QEvent *) override
    {
        std::deque<std::function<void()>> jobs;
        {
            std::lock_guard lock(m_shared->mutex);
            jobs.swap(m_shared->mailbox);
            m_shared->mailPosted = false;
        }
        ++m_busy;
        for (const auto &job : jobs)
            job();
        --m_busy;
    }

    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() == m_waitId && m_waitId != 0) {
            stopWait();
            if (m_timer == nullptr)
                return;
            ++m_busy;
            m_timer->ownerWaitEnded();
            --m_busy;
            return;
        }
        if (event->timerId() != m_timerId)
            return;
        // One shot per tick, started again after the tick: period = interval + handler time.
        stopTimer();
        if (m_timer == nullptr)
            return;
        ++m_busy;
        tk::Application::guarded([this] { m_timer->ownerTimerFired(); });
        --m_busy;
    }

private:
    std::shared_ptr<Shared> m_shared;
    int m_timerId = 0;
    int m_waitId = 0;
};

namespace {

struct Call {
    bool done = false;
    std::exception_ptr error;
};

void nameThread(const QByteArray &name)
{
#ifdef __linux__
    // Shown by the system's per-thread accounting; the kernel keeps 15 characters.
    pthread_setname_np(pthread_self(), name.left(15).constData());
#else
    (void)name;
#endif
}

void applyPriority(Priority priority)
{
#ifdef __linux__
    // Linux only ranks ordinary threads by their nice value; raising it needs privileges, and a
    // refusal leaves the thread as it was.
    static constexpr int niceOf[] = {19, 10, 5, 0, -5, -10, -15};
    sched_param param{};
    param.sched_priority = 0;
    pthread_setschedparam(pthread_self(), priority == Priority::tpIdle ? SCHED_IDLE : SCHED_OTHER, &param);
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), niceOf[int(priority)]);
#else
    (void)priority;
#endif
}

} // namespace

TThreadedTimer::TThreadedTimer(QObject *parent)
    : QObject(parent), m_onTimer(std::make_shared<const TNotifyEvent>()), m_shared(std::make_shared<Shared>()),
      m_ownerThread(std::this_thread::get_id())
{
    m_context = new Context(this, m_shared);
}

TThreadedTimer::~TThreadedTimer()
{
    shutdown();
}

void TThreadedTimer::shutdown()
{
    Shared &sh = *m_shared;
    const bool onWorker = std::this_thread::get_id() == m_worker.get_id();
    std::deque<std::function<void()>> unsent;
    {
        std::unique_lock lock(sh.mutex);
        if (sh.quit)
            return;
        sh.quit = true;
        m_enabled = false;
        m_onTimer = std::make_shared<const TNotifyEvent>();
        m_hasHandler = false;
        sh.cv.notify_all();
        // A tick running on the worker may still be using the owner; let it finish.
        if (!onWorker)
            sh.cv.wait(lock, [&] { return !sh.inWorkerTick; });
        // Jobs never run now; they hold the shared state, so they must not outlive the timer.
        unsent.swap(sh.mailbox);
    }
    // Not joined: a worker woken by quit may wait for the scheduler before it ends, and it
    // touches nothing but the shared state from here on.
    if (m_worker.joinable())
        m_worker.detach();
    if (m_context != nullptr) {
        m_context->stopTimer();
        m_context->stopWait();
        m_context->m_timer = nullptr;
        if (m_context->m_busy > 0)
            m_context->deleteLater();
        else
            delete m_context;
        m_context = nullptr;
    }
}

bool TThreadedTimer::onOwnerThread() const
{
    return std::this_thread::get_id() == m_ownerThread;
}

bool TThreadedTimer::shouldRun() const
{
    return m_interval.load() != 0 && m_enabled.load() && m_hasHandler.load();
}

void TThreadedTimer::setEnabled(bool enabled)
{
    if (m_enabled.exchange(enabled) == enabled)
        return;
    rearm();
}

void TThreadedTimer::setInterval(std::uint32_t interval)
{
    if (m_interval.exchange(interval) == interval)
        return;
    rearm();
}

void TThreadedTimer::setSyncEvent(bool syncEvent)
{
    m_syncEvent = syncEvent;
}

void TThreadedTimer::setThreaded(bool threaded)
{
    if (m_threaded.exchange(threaded) == threaded)
        return;
    rearm();
}

void TThreadedTimer::setThreadPriority(TThreadPriority priority)
{
    if (m_threadPriority.exchange(priority) == priority)
        return;
    if (m_threaded)
        rearm();
}

void TThreadedTimer::setOnTimer(TNotifyEvent handler)
{
    const bool assigned = bool(handler);
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->quit)
            return;
        m_onTimer = std::make_shared<const TNotifyEvent>(std::move(handler));
    }
    if (m_hasHandler.exchange(assigned) != assigned)
        rearm();
}

const TThreadedTimer::TNotifyEvent &TThreadedTimer::onTimer() const
{
    return *m_onTimer;
}

bool TThreadedTimer::tickIsCurrent() const
{
    std::lock_guard lock(m_shared->mutex);
    return !m_shared->quit && m_shared->tickGeneration == m_shared->armGeneration;
}

void TThreadedTimer::rearm()
{
    if (!onOwnerThread()) {
        // Only the owner thread re-arms (the Qt timer of the non-threaded mode lives there).
        post([this] { rearm(); });
        return;
    }

    ++m_rearmCount;
    const bool run = shouldRun();
    Shared &sh = *m_shared;
    if (m_threaded) {
        m_context->stopTimer();
        std::unique_lock lock(sh.mutex);
        ++sh.armGeneration;
        sh.workerInterval = m_interval;
        sh.priority = m_threadPriority;
        sh.armed = run;
        if (run && !sh.failed) {
            if (sh.phase == Shared::Phase::Idle)
                startWait(lock);
            else if (sh.phase == Shared::Phase::Pending)
                tickAtOnce(lock);
        }
        sh.cv.notify_all();
        return;
    }
    {
        std::lock_guard lock(sh.mutex);
        ++sh.armGeneration;
        sh.armed = false;
        sh.cv.notify_all();
    }
    m_context->stopTimer();
    if (run && !m_context->startOwnTimer(m_interval))
        throw tk::Error("Not enough timers available");
}

void TThreadedTimer::ownerTimerFired()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->tickGeneration = m_shared->armGeneration;
    }
    Context *context = m_context;
    std::exception_ptr error;
    try {
        tick();
    } catch (...) {
        error = std::current_exception();
    }
    // The handler may have destroyed the timer; the context then no longer points at it.
    if (context->m_timer == this && !m_threaded && shouldRun() && !context->timerRunning()
        && !context->startOwnTimer(m_interval))
        error = std::make_exception_ptr(tk::Error("Not enough timers available"));
    if (error)
        std::rethrow_exception(error);
}

void TThreadedTimer::tick()
{
    std::shared_ptr<const TNotifyEvent> handler;
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->quit)
            return;
        handler = m_onTimer;
    }
    if (m_enabled && *handler)
        (*handler)(this);
}

bool TThreadedTimer::runOnOwner(const std::function<void()> &fn, std::exception_ptr *error)
{
    std::unique_lock lock(m_shared->mutex);
    return handOff(lock, m_shared, m_context, fn, error);
}

bool TThreadedTimer::handOff(std::unique_lock<std::mutex> &lock, const std::shared_ptr<Shared> &shared,
                             Context *context, const std::function<void()> &fn, std::exception_ptr *error)
{
    // With the lock held and quit false the timer, and so its context, still exists.
    if (shared->quit)
        return false;
    auto call = std::make_shared<Call>();
    context->post([shared, call, fn] {
        {
            std::lock_guard innerLock(shared->mutex);
            if (shared->quit) {
                call->done = true;
                shared->cv.notify_all();
                return;
            }
        }
        std::exception_ptr failure;
        try {
            fn();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard innerLock(shared->mutex);
        call->error = failure;
        call->done = true;
        shared->cv.notify_all();
    });
    // Released by the call having run, or by the timer's destruction (which never waits for
    // us). The timer may be gone once the wait ends.
    shared->cv.wait(lock, [&] { return call->done || shared->quit; });
    if (error != nullptr)
        *error = call->error;
    return call->done;
}

void TThreadedTimer::synchronize(const std::function<void()> &fn)
{
    if (onOwnerThread()) {
        fn();
        return;
    }
    std::exception_ptr error;
    if (runOnOwner(fn, &error) && error)
        std::rethrow_exception(error);
}

void TThreadedTimer::post(std::function<void()> fn)
{
    std::lock_guard lock(m_shared->mutex);
    // With quit false the timer, and so its context, still exists.
    if (m_shared->quit)
        return;
    m_context->post([shared = m_shared, fn = std::move(fn)] {
        {
            std::lock_guard innerLock(shared->mutex);
            if (shared->quit)
                return;
        }
        tk::Application::guarded(fn);
    });
}

bool TThreadedTimer::hasWorker() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->workerRunning;
}

void TThreadedTimer::ensureWorker()
{
    // Called with the shared lock held.
    if (m_shared->workerRunning)
        return;
    // A worker that ended for want of work touches nothing of ours any more; let it finish alone.
    if (m_worker.joinable())
        m_worker.detach();
    QByteArray name = objectName().toUtf8();
    if (name.isEmpty())
        name = QByteArrayLiteral("TThreadedTimer");
    m_shared->workerRunning = true;
    m_worker = std::thread(&TThreadedTimer::workerLoop, this, m_shared, name);
}

void TThreadedTimer::startWait(std::unique_lock<std::mutex> &lock)
{
    Shared &sh = *m_shared;
    (void)lock;
    sh.phase = Shared::Phase::Waiting;
    // The side that will run the tick times the wait: the owner's event loop, so that a tick on
    // the owner thread costs one wake-up; or the worker. An owner thread without an event loop
    // cannot time anything, and the worker waits instead.
    if (m_syncEvent && m_context->startWait(sh.workerInterval)) {
        sh.side = Shared::Side::Owner;
        return;
    }
    sh.side = Shared::Side::Worker;
    sh.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(sh.workerInterval);
    ensureWorker();
    sh.cv.notify_all();
}

void TThreadedTimer::tickAtOnce(std::unique_lock<std::mutex> &lock)
{
    Shared &sh = *m_shared;
    (void)lock;
    if (m_syncEvent && m_context->startWait(0)) {
        sh.phase = Shared::Phase::Waiting;
        sh.side = Shared::Side::Owner;
        return;
    }
    tickOnWorker();
}

void TThreadedTimer::tickOnWorker()
{
    Shared &sh = *m_shared;
    sh.phase = Shared::Phase::Ticking;
    sh.side = Shared::Side::Worker;
    sh.workerTickNow = true;
    ensureWorker();
    sh.cv.notify_all();
}

void TThreadedTimer::ownerWaitEnded()
{
    Shared &sh = *m_shared;
    std::unique_lock lock(sh.mutex);
    if (sh.quit || sh.phase != Shared::Phase::Waiting || sh.side != Shared::Side::Owner)
        return;
    if (!sh.armed || !shouldRun()) {
        sh.phase = Shared::Phase::Pending;
        return;
    }
    if (m_syncEvent) {
        ownerTick(lock);
        return;
    }
    // SyncEvent was switched off during the wait: this tick, and the waits after it, are the worker's.
    tickOnWorker();
}

void TThreadedTimer::ownerTick(std::unique_lock<std::mutex> &lock)
{
    // The tick may destroy the timer: afterwards only the shared state is touched unless it is
    // still alive.
    const std::shared_ptr<Shared> shared = m_shared;
    shared->tickGeneration = shared->armGeneration;
    shared->phase = Shared::Phase::Ticking;
    shared->side = Shared::Side::Owner;
    lock.unlock();
    std::exception_ptr error;
    try {
        tick();
    } catch (...) {
        error = std::current_exception();
    }
    lock.lock();
    if (shared->quit)
        return;
    shared->phase = Shared::Phase::Idle;
    if (error) {
        // As a worker that hands its tick over and gets an error back: it reports it and ends.
        shared->failed = true;
        lock.unlock();
        tk::Application::showError(tk::messageOf(error));
        return;
    }
    if (shared->armed && shouldRun())
        startWait(lock);
}

void TThreadedTimer::workerLoop(TThreadedTimer *timer, std::shared_ptr<Shared> shared, QByteArray name)
{
    nameThread(name);
    // The timer is used only under the lock while quit is false, or during a worker tick (which
    // its destruction waits for).
    using Phase = Shared::Phase;
    using Side = Shared::Side;
    Shared &sh = *shared;
    Priority applied = Priority::tpNormal;
    std::unique_lock lock(sh.mutex);
    for (;;) {
        const bool work = sh.cv.wait_for(lock, WorkerIdleLimit, [&] {
            return sh.quit
                   || (sh.side == Side::Worker
                       && (sh.phase == Phase::Waiting || (sh.phase == Phase::Ticking && sh.workerTickNow)));
        });
        if (sh.quit || !work)
            break;
        if (sh.priority != applied) {
            applied = sh.priority;
            applyPriority(applied);
        }
        if (sh.phase == Phase::Waiting) {
            // The wait is not restarted by re-arming; only destruction cuts it short.
            if (sh.cv.wait_until(lock, sh.deadline, [&] { return sh.quit; }))
                break;
            // The properties themselves, not only the arming: a change made on this worker reaches
            // the arming only once the owner thread has run the re-arm handed to it.
            if (!sh.armed || !timer->shouldRun()) {
                sh.phase = Phase::Pending;
                continue;
            }
        }
        sh.workerTickNow = false;
        sh.tickGeneration = sh.armGeneration;
        if (timer->m_syncEvent) {
            // SyncEvent was switched on during the wait: the tick, and the waits after it, are the
            // owner thread's.
            sh.phase = Phase::Ticking;
            sh.side = Side::Owner;
            timer->m_context->post([timer, shared] {
                std::unique_lock innerLock(shared->mutex);
                if (shared->quit || shared->phase != Phase::Ticking || shared->side != Side::Owner)
                    return;
                timer->ownerTick(innerLock);
            });
            continue;
        }
        sh.phase = Phase::Ticking;
        sh.inWorkerTick = true;
        lock.unlock();
        try {
            timer->tick();
        } catch (...) {
            tk::Application::showError(tk::messageOf(std::current_exception()));
        }
        lock.lock();
        sh.inWorkerTick = false;
        sh.cv.notify_all();
        if (sh.quit)
            break;
        sh.phase = Phase::Idle;
        if (!sh.armed || !timer->shouldRun())
            continue;
        sh.phase = Phase::Waiting;
        if (!timer->m_syncEvent) {
            sh.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(sh.workerInterval);
            continue;
        }
        // The next tick is the owner thread's: so is the wait before it.
        sh.side = Side::Owner;
        timer->m_context->post([timer, shared] {
            std::unique_lock innerLock(shared->mutex);
            if (shared->quit || shared->phase != Phase::Waiting || shared->side != Side::Owner)
                return;
            if (!timer->m_context->startWait(shared->workerInterval)) {
                shared->side = Side::Worker;
                shared->deadline =
                    std::chrono::steady_clock::now() + std::chrono::milliseconds(shared->workerInterval);
                shared->cv.notify_all();
            }
        });
    }
    sh.workerRunning = false;
}
