// Decode throughput of the program's GIF reader against giflib and, when built with it, Wuffs, on
// the same files, in MPixel/s. Each does the same work per file: read it from memory, decode every
// frame into its pixel indices and keep them with the frame's colour table until the file is done;
// none composes frames onto the logical screen.
#include "gif/tgifimage.h"
#ifdef PC_HAVE_WUFFS
#include "bench/gif_wuffs.h"
#endif

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <QDir>
#include <QFile>

#include <cstring>

namespace {

QString inputDir()
{
    const QByteArray env = qgetenv("PC_GIF_BENCH_INPUTS");
    return env.isEmpty() ? QStringLiteral("gif-bench-inputs") : QString::fromLocal8Bit(env);
}

QByteArray input(const char *kind)
{
    QFile file(inputDir() + QStringLiteral("/%1.gif").arg(QLatin1String(kind)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::int64_t oursOnce(const QByteArray &bytes)
{
    TGIFImage image;
    image.loadFromBytes(bytes);
    std::int64_t pixels = 0;
    for (int i = 0; i < image.FrameCount(); ++i) {
        const QImage &picture = image.Frames(i).bitmap();
        benchmark::DoNotOptimize(picture.constBits());
        pixels += std::int64_t(picture.width()) * picture.height();
    }
    return pixels;
}

struct Source {
    const QByteArray *bytes;
    qsizetype at;
};

int readFromMemory(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *source = static_cast<Source *>(gif->UserData);
    const int n = int(std::min<qsizetype>(length, source->bytes->size() - source->at));
    std::memcpy(buffer, source->bytes->constData() + source->at, std::size_t(n));
    source->at += n;
    return n;
}

std::int64_t giflibOnce(const QByteArray &bytes)
{
    Source source{&bytes, 0};
    int error = 0;
    GifFileType *gif = DGifOpen(&source, readFromMemory, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) {
        if (gif)
            DGifCloseFile(gif, &error);
        return 0;
    }
    std::int64_t pixels = 0;
    for (int i = 0; i < gif->ImageCount; ++i) {
        benchmark::DoNotOptimize(gif->SavedImages[i].RasterBits);
        pixels += std::int64_t(gif->SavedImages[i].ImageDesc.Width) * gif->SavedImages[i].ImageDesc.Height;
    }
    DGifCloseFile(gif, &error);
    return pixels;
}

#ifdef PC_HAVE_WUFFS
std::int64_t wuffsOnce(const QByteArray &bytes)
{
    return pc_wuffs_gif_decode(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
}
#endif

template <std::int64_t (*Decode)(const QByteArray &)>
void decode(benchmark::State &state, const char *kind)
{
    const QByteArray bytes = input(kind);
    if (bytes.isEmpty()) {
        state.SkipWithError("input missing: run bench/gif_bench.sh or gif_make_inputs first");
        return;
    }
    std::int64_t pixels = 0;
    for (auto _ : state)
        pixels = Decode(bytes);
    if (pixels == 0)
        state.SkipWithError("decoding failed");
    state.counters["MPixel/s"] = benchmark::Counter(double(pixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void ours(benchmark::State &state, const char *kind)
{
    decode<oursOnce>(state, kind);
}

void giflib(benchmark::State &state, const char *kind)
{
    decode<giflibOnce>(state, kind);
}

#ifdef PC_HAVE_WUFFS
void wuffs(benchmark::State &state, const char *kind)
{
    decode<wuffsOnce>(state, kind);
}
#define PC_GIF_BENCH_WUFFS(kind) BENCHMARK_CAPTURE(wuffs, kind, #kind)->Unit(benchmark::kMillisecond);
#else
#define PC_GIF_BENCH_WUFFS(kind)
#endif

} // namespace

#define PC_GIF_BENCH(kind)                                                                         \
    BENCHMARK_CAPTURE(ours, kind, #kind)->Unit(benchmark::kMillisecond);                           \
    BENCHMARK_CAPTURE(giflib, kind, #kind)->Unit(benchmark::kMillisecond);                         \
    PC_GIF_BENCH_WUFFS(kind)

PC_GIF_BENCH(plain)
PC_GIF_BENCH(interlaced)
PC_GIF_BENCH(local-tables)
PC_GIF_BENCH(1bit)
PC_GIF_BENCH(transparent)
PC_GIF_BENCH(noise)

BENCHMARK_MAIN();
