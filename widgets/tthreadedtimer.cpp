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

// What the timer and its worker share; the worker keeps it alive after the timer is gone.
struct TThreadedTimer::Shared {
    std::mutex mutex;
    std::condition_variable cv;
    bool armed = false;      // the worker may wait and tick
    bool quit = false;       // the timer is being destroyed
    bool ended = false;      // the worker has left its loop
    bool inWorkerTick = false;
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
};

namespace {

struct Call {
    bool done = false;
    std::exception_ptr error;
};

QString messageOf(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
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
    m_worker = std::thread(&TThreadedTimer::workerLoop, this, m_shared);
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
        Shared &sh = *m_shared;
        std::lock_guard lock(sh.mutex);
        if (sh.quit)
            return;
        m_context->post([this, shared = m_shared] {
            {
                std::lock_guard innerLock(shared->mutex);
                if (shared->quit)
                    return;
            }
            tk::Application::guarded([this] { rearm(); });
        });
        return;
    }

    ++m_rearmCount;
    const bool run = shouldRun();
    Shared &sh = *m_shared;
    if (m_threaded) {
        m_context->stopTimer();
        std::lock_guard lock(sh.mutex);
        ++sh.armGeneration;
        sh.workerInterval = m_interval;
        sh.priority = m_threadPriority;
        sh.armed = run;
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

void TThreadedTimer::workerLoop(TThreadedTimer *timer, const std::shared_ptr<Shared> &shared)
{
    // The timer is used only under the lock while quit is false, or during a worker tick (which
    // its destruction waits for); the worker may even start after the timer is gone.
    Shared &sh = *shared;
    Priority applied = Priority::tpNormal;
    std::unique_lock lock(sh.mutex);
    for (;;) {
        sh.cv.wait(lock, [&] { return sh.quit || sh.armed; });
        if (sh.quit)
            break;
        if (sh.priority != applied) {
            applied = sh.priority;
            applyPriority(applied);
        }
        // The wait is not restarted by re-arming; only destruction cuts it short.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(sh.workerInterval);
        if (sh.cv.wait_until(lock, deadline, [&] { return sh.quit; }))
            break;
        // A worker disarmed during its wait stays here until it is armed again.
        sh.cv.wait(lock, [&] { return sh.quit || sh.armed; });
        if (sh.quit)
            break;
        // The properties themselves, not only the arming: a change made on this worker reaches
        // the arming only once the owner thread has run the re-arm handed to it.
        if (!timer->shouldRun())
            continue;
        sh.tickGeneration = sh.armGeneration;
        if (timer->m_syncEvent) {
            std::exception_ptr error;
            const bool ran = handOff(lock, shared, timer->m_context, [timer] { timer->tick(); }, &error);
            if (ran && error) {
                // The tick failed on the owner thread: report it and deliver no further ticks.
                tk::Application::showError(messageOf(error));
                break;
            }
        } else {
            sh.inWorkerTick = true;
            lock.unlock();
            try {
                timer->tick();
            } catch (...) {
                tk::Application::showError(messageOf(std::current_exception()));
            }
            lock.lock();
            sh.inWorkerTick = false;
            sh.cv.notify_all();
        }
    }
    sh.ended = true;
}
