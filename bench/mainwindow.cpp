// Repaint cost of the whole main window against a window of 114 plain push buttons in the same grid.
#include "toolkit/tapplication.h"
#include "toolkit/tfont.h"
#include "widgets/ttilebutton.h"
#include "windows/cetvelflayout.h"
#include "windows/tcetvelf.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QImage targetFor(const QWidget &w)
{
    const qreal dpr = w.devicePixelRatioF();
    QImage image((QSizeF(w.size()) * dpr).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    return image;
}

// The same 114 tile rectangles, captions, fonts and tool-tips, as QPushButtons on a white window.
std::unique_ptr<QWidget> pushButtonWindow()
{
    auto window = std::make_unique<QWidget>();
    window->resize(769, 479);
    window->setAutoFillBackground(true);
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Qt::white);
    window->setPalette(p);
    const QFont font = tk::makeFont(u"MS Sans Serif", 11, tk::FontStyle::Bold);
    for (const cetvelflayout::TileText &t : cetvelflayout::Tiles) {
        const cetvelflayout::Rect r = cetvelflayout::tileRect(t.z);
        auto *b = new QPushButton(QString::fromUtf8(t.caption.data(), qsizetype(t.caption.size()))
                                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                                  window.get());
        b->setFont(font);
        b->setToolTip(QString::fromUtf8(t.hint.data(), qsizetype(t.hint.size())));
        b->setGeometry(r.left, r.top, r.width, r.height);
    }
    return window;
}

QWidget *g_main = nullptr;
QWidget *g_buttons = nullptr;

void repaint(benchmark::State &state, QWidget *w)
{
    QImage target = targetFor(*w);
    for (auto _ : state) {
        QPainter painter(&target);
        w->render(&painter);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_MainWindow(benchmark::State &state) { repaint(state, g_main); }
void BM_PushButtonWindow(benchmark::State &state) { repaint(state, g_buttons); }

BENCHMARK(BM_MainWindow)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_PushButtonWindow)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    tk::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    auto main = std::make_unique<Tcetvelf>();
    auto buttons = pushButtonWindow();
    main->show();
    buttons->show();
    QCoreApplication::processEvents();
    g_main = main.get();
    g_buttons = buttons.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
