// Two threads, each running its own event loop, write one plain counter from their timer handlers
// without a lock, and the program ends. Run under the suite's thread-sanitizer settings, its report
// must name that race: it shows that the suppressions cannot hide a race of our own code between
// two event loops, as the threaded timer's workers and the GUI thread are.

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace {

constexpr int TicksEach = 20;

long racedCounter = 0;

// Kept out of line so that it names the racing frame in the report.
[[gnu::noinline]] void tsanCanaryBump()
{
    racedCounter = racedCounter + 1;
}

// A thread whose event loop bumps the counter on a timer, then stops.
class BumpingThread : public QThread {
protected:
    void run() override
    {
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            tsanCanaryBump();
            if (++ticks == TicksEach)
                quit();
        });
        timer.start(1);
        exec();
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BumpingThread first, second;
    first.start();
    second.start();
    first.wait();
    second.wait();
    return 0;
}
