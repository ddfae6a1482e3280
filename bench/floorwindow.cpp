// The start-up and idle floors: an empty Qt window of the main window's size, built in the same
// tree, so that the program's figures can be read as ratios against what Qt itself costs. With
// --label the window holds one label, and so pays for the font system as every program with
// text does; without it the window draws no text at all. With --animate it also repaints a
// 93 x 80 square at the logo's place ten times a second: what any Qt program showing such an
// animation pays. Its pixels reach the X server as Qt hands them over by default (through shared
// memory where the server offers it), or, with --no-shm, over the connection.
//   usage: floorwindow [--label] [--animate [--no-shm]]
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <memory>

namespace {

class Square : public QWidget {
public:
    using QWidget::QWidget;
    int frame = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromHsv(frame * 10 % 360, 255, 255));
    }
};

} // namespace

int main(int argc, char **argv)
{
    bool label = false, animate = false, noShm = false;
    for (int i = 1; i < argc; ++i) {
        label = label || std::strcmp(argv[i], "--label") == 0;
        animate = animate || std::strcmp(argv[i], "--animate") == 0;
        noShm = noShm || std::strcmp(argv[i], "--no-shm") == 0;
    }
    if (noShm)
        qputenv("QT_XCB_NO_MITSHM", "1");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QWidget window;
    window.setWindowTitle(animate ? QStringLiteral("animated window")
                                  : label ? QStringLiteral("label window") : QStringLiteral("floor window"));
    window.setFixedSize(769, 479);
    if (label || animate)
        new QLabel(QStringLiteral("Periyodik Cetvel"), &window);
    QTimer timer;
    if (animate) {
        auto *square = new Square(&window);
        square->setGeometry(3, 367, 93, 80);
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        timer.setInterval(100);
        // Re-armed after each frame, as the program's timer is.
        QObject::connect(&timer, &QTimer::timeout, square, [&timer, square] {
            ++square->frame;
            square->repaint();
            timer.start();
        });
        timer.start();
    }
    window.show();
    return app.exec();
}
