// The start-up floor: an empty Qt window of the main window's size, built in the same tree, so
// that the program's start-up time can be read as a ratio against what Qt itself costs.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor window"));
    window.setFixedSize(769, 479);
    window.show();
    return app.exec();
}
