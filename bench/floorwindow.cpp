// The start-up and idle floors: an empty Qt window of the main window's size, built in the same
// tree, so that the program's figures can be read as ratios against what Qt itself costs. With
// --label the window holds one label, and so pays for the font system as every program with
// text does; without it the window draws no text at all.
//   usage: floorwindow [--label]
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    const bool label = argc > 1 && std::strcmp(argv[1], "--label") == 0;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QWidget window;
    window.setWindowTitle(label ? QStringLiteral("label window") : QStringLiteral("floor window"));
    window.setFixedSize(769, 479);
    if (label)
        new QLabel(QStringLiteral("Periyodik Cetvel"), &window);
    window.show();
    return app.exec();
}
