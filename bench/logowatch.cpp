// Watches a rectangle of the X screen and prints, one line each, the moments (milliseconds from
// the start) at which its pixels change: the logo's frame period read from outside the program.
//   usage: logowatch X Y W H DURATION_MS
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: logowatch X Y W H DURATION_MS\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]), w = std::atoi(argv[3]), h = std::atoi(argv[4]);
    const qint64 duration = std::atoll(argv[5]);
    QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return 1;
    QElapsedTimer clock;
    clock.start();
    QImage last = screen->grabWindow(0, x, y, w, h).toImage();
    while (clock.elapsed() < duration) {
        QThread::msleep(2);
        QImage now = screen->grabWindow(0, x, y, w, h).toImage();
        if (now != last) {
            std::printf("%lld\n", static_cast<long long>(clock.elapsed()));
            std::fflush(stdout);
            last = std::move(now);
        }
    }
    return 0;
}
