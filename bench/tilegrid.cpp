// Repaint cost of the periodic table's 114 tiles against 114 plain push buttons in the same grid.
#include "toolkit/tapplication.h"
#include "toolkit/tfont.h"
#include "widgets/ttilebutton.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

// The sanitizers bring allocators of their own; the count is taken in plain builds only.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PC_COUNT_ALLOCATIONS 0
#else
#define PC_COUNT_ALLOCATIONS 1
#endif

namespace {

thread_local bool t_counting = false;
std::atomic<long> g_allocations{0};

} // namespace

#if PC_COUNT_ALLOCATIONS
extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void __libc_free(void *);
}

// Counting wrappers around the C library's allocator; only the calling thread's counted section
// is recorded.
extern "C" void *malloc(size_t n)
{
    if (t_counting)
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
extern "C" void *calloc(size_t a, size_t b)
{
    if (t_counting)
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(a, b);
}
extern "C" void *realloc(void *p, size_t n)
{
    if (t_counting)
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
extern "C" void free(void *p)
{
    __libc_free(p);
}
#endif

namespace {

constexpr int kTiles = 114;
constexpr int kCell = 39;
constexpr int kColumns = 18;

QPoint cellOrigin(int i)
{
    return QPoint(2 + (i % kColumns) * kCell, 2 + (i / kColumns) * kCell);
}

QString caption(int z)
{
    static const char *const symbols[] = {"H", "He", "Li", "Be", "B", "C", "N", "O", "F", "Ne", "Na", "Mg"};
    return QString::number(z) + QStringLiteral("\r\n") + QLatin1String(symbols[(z - 1) % 12]);
}

QFont tileFont()
{
    return tk::makeFont(u"MS Sans Serif", 11, tk::FontStyle::Bold);
}

struct Grid {
    QWidget window;
    QImage target;
    explicit Grid(bool tiles)
    {
        window.resize(769, 479);
        for (int i = 0; i < kTiles; ++i) {
            const int z = i + 1;
            QWidget *w = nullptr;
            if (tiles) {
                auto *t = new TTileButton(&window);
                t->setTileFont(tileFont());
                t->setFontColor(z % 3 ? tk::clRed : tk::clNavy);
                t->setCaption(caption(z));
                t->setHint(QStringLiteral("element %1").arg(z));
                t->setTag(z);
                w = t;
            } else {
                auto *b = new QPushButton(caption(z).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), &window);
                b->setFont(tileFont());
                b->setToolTip(QStringLiteral("element %1").arg(z));
                w = b;
            }
            w->setGeometry(QRect(cellOrigin(i), QSize(35, 35)));
        }
        window.show();
        const qreal dpr = qApp->devicePixelRatio();
        target = QImage((QSizeF(window.size()) * dpr).toSize(), QImage::Format_RGB32);
        target.setDevicePixelRatio(dpr);
        render();
    }
    void render()
    {
        QPainter p(&target);
        window.render(&p);
    }
};

Grid *g_tiles = nullptr;
Grid *g_buttons = nullptr;

void BM_TileGrid(benchmark::State &state)
{
    for (auto _ : state) {
        g_tiles->render();
        benchmark::DoNotOptimize(g_tiles->target.constBits());
    }
    state.counters["widgets/s"] = benchmark::Counter(double(kTiles), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_TileGrid)->Unit(benchmark::kMicrosecond);

void BM_PushButtonGrid(benchmark::State &state)
{
    for (auto _ : state) {
        g_buttons->render();
        benchmark::DoNotOptimize(g_buttons->target.constBits());
    }
    state.counters["widgets/s"] = benchmark::Counter(double(kTiles), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PushButtonGrid)->Unit(benchmark::kMicrosecond);

// Face of a single tile into its own bitmap, the part of a repaint the tile owns.
void BM_TileFace(benchmark::State &state)
{
    auto *tile = g_tiles->window.findChild<TTileButton *>();
    for (auto _ : state) {
        tile->renderFace();
        benchmark::DoNotOptimize(tile->buffer().constBits());
    }
}
BENCHMARK(BM_TileFace)->Unit(benchmark::kNanosecond);

long allocationsDuring(const std::function<void()> &fn)
{
    g_allocations = 0;
    t_counting = true;
    fn();
    t_counting = false;
    return g_allocations.load();
}

} // namespace

int main(int argc, char **argv)
{
    tk::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    auto tiles = std::make_unique<Grid>(true);
    auto buttons = std::make_unique<Grid>(false);
    g_tiles = tiles.get();
    g_buttons = buttons.get();

    // Allocation check: every tile face is drawn once above; further paints must allocate nothing.
    auto *tile = tiles->window.findChild<TTileButton *>();
    tile->renderFace();
    const uchar *bits = tile->buffer().constBits();
    const long faceAllocs = allocationsDuring([&] {
        for (int i = 0; i < 100; ++i)
            tile->renderFace();
    });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(tile, &press);
    tile->renderFace(); // the first paint of the pressed face
    const long pressedAllocs = allocationsDuring([&] {
        for (int i = 0; i < 100; ++i)
            tile->renderFace();
    });
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(tile, &release);
    tile->setEnabled(false);
    tile->renderFace(); // the first paint of the embossed face
    const long disabledAllocs = allocationsDuring([&] {
        for (int i = 0; i < 100; ++i)
            tile->renderFace();
    });
    tile->setEnabled(true);
    const long gridTiles = allocationsDuring([&] { tiles->render(); });
    const long gridButtons = allocationsDuring([&] { buttons->render(); });
    if (PC_COUNT_ALLOCATIONS)
        std::printf("allocations: 100 raised tile repaints %ld, 100 pressed %ld, 100 disabled %ld (bitmap %s), "
                    "whole tile grid render %ld, push-button grid render %ld\n",
                    faceAllocs, pressedAllocs, disabledAllocs, tile->buffer().constBits() == bits ? "reused" : "REPLACED",
                    gridTiles, gridButtons);
    else
        std::printf("allocations are not counted in sanitizer builds\n");

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return faceAllocs == 0 && pressedAllocs == 0 && disabledAllocs == 0 ? 0 : 1;
}
