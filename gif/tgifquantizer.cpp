#include "gif/tgifquantizer.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace {

struct Bin {
    std::uint64_t r = 0, g = 0, b = 0, count = 0;
};

int binOf(QRgb c)
{
    return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3);
}

// Median cut over 15-bit colour bins, weighted by pixel count.
QList<QRgb> medianCut(const std::vector<Bin> &bins, int maxColors)
{
    struct Box {
        std::vector<int> members;
    };
    std::vector<Box> boxes(1);
    for (int i = 0; i < int(bins.size()); ++i)
        if (bins[std::size_t(i)].count)
            boxes[0].members.push_back(i);
    auto channel = [](int bin, int axis) { return (bin >> (10 - 5 * axis)) & 31; };

    while (int(boxes.size()) < maxColors) {
        int best = -1, bestAxis = 0, bestRange = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            for (int axis = 0; axis < 3; ++axis) {
                int lo = 31, hi = 0;
                for (int m : boxes[std::size_t(i)].members) {
                    lo = std::min(lo, channel(m, axis));
                    hi = std::max(hi, channel(m, axis));
                }
                if (hi - lo > bestRange) {
                    bestRange = hi - lo;
                    best = i;
                    bestAxis = axis;
                }
            }
        }
        if (best < 0)
            break;
        std::vector<int> &members = boxes[std::size_t(best)].members;
        std::sort(members.begin(), members.end(),
                  [&](int a, int b) { return channel(a, bestAxis) < channel(b, bestAxis); });
        std::uint64_t total = 0;
        for (int m : members)
            total += bins[std::size_t(m)].count;
        std::uint64_t running = 0;
        std::size_t cut = 1;
        for (std::size_t i = 0; i + 1 < members.size(); ++i) {
            running += bins[std::size_t(members[i])].count;
            cut = i + 1;
            if (running * 2 >= total && channel(members[i], bestAxis) != channel(members[i + 1], bestAxis))
                break;
        }
        Box upper;
        upper.members.assign(members.begin() + std::ptrdiff_t(cut), members.end());
        members.resize(cut);
        boxes.push_back(std::move(upper));
    }
    QList<QRgb> colors;
    for (const Box &box : boxes) {
        Bin sum;
        for (int m : box.members) {
            const Bin &b = bins[std::size_t(m)];
            sum.r += b.r;
            sum.g += b.g;
            sum.b += b.b;
            sum.count += b.count;
        }
        if (sum.count)
            colors.append(qRgb(int(sum.r / sum.count), int(sum.g / sum.count), int(sum.b / sum.count)));
    }
    return colors;
}

int nearest(const QList<QRgb> &colors, QRgb c)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < colors.size(); ++i) {
        const int dr = qRed(colors[i]) - qRed(c), dg = qGreen(colors[i]) - qGreen(c), db = qBlue(colors[i]) - qBlue(c);
        const int d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace

TGIFQuantizer::Result TGIFQuantizer::quantize(const QImage &image, int maxColors)
{
    Result result;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width(), h = argb.height();
    result.indices.resize(std::size_t(w) * std::size_t(h));
    maxColors = std::clamp(maxColors, 2, 256);

    bool hasTransparent = false;
    QHash<QRgb, int> exact;
    bool fits = true;
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) < 128) {
                hasTransparent = true;
                continue;
            }
            if (fits && !exact.contains(line[x] | 0xFF000000u)) {
                if (exact.size() >= maxColors)
                    fits = false;
                else
                    exact.insert(line[x] | 0xFF000000u, int(exact.size()));
            }
        }
    }
    const int opaqueLimit = hasTransparent ? maxColors - 1 : maxColors;
    std::array<int, 32768> binIndex;
    binIndex.fill(-1);
    if (fits && exact.size() <= opaqueLimit) {
        result.colors.resize(exact.size());
        for (auto it = exact.cbegin(); it != exact.cend(); ++it)
            result.colors[it.value()] = it.key();
    } else {
        std::vector<Bin> bins(32768);
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (qAlpha(line[x]) < 128)
                    continue;
                Bin &b = bins[std::size_t(binOf(line[x]))];
                b.r += std::uint64_t(qRed(line[x]));
                b.g += std::uint64_t(qGreen(line[x]));
                b.b += std::uint64_t(qBlue(line[x]));
                ++b.count;
            }
        }
        result.colors = medianCut(bins, opaqueLimit);
        exact.clear();
    }
    if (result.colors.isEmpty())
        result.colors.append(qRgb(0, 0, 0));
    if (hasTransparent) {
        result.transparentIndex = int(result.colors.size());
        result.colors.append(qRgb(255, 255, 255));
    }

    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        std::uint8_t *out = result.indices.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x];
            if (qAlpha(c) < 128) {
                out[x] = std::uint8_t(result.transparentIndex);
            } else if (!exact.isEmpty()) {
                out[x] = std::uint8_t(exact.value(c | 0xFF000000u));
            } else {
                int &slot = binIndex[std::size_t(binOf(c))];
                if (slot < 0)
                    slot = nearest(result.colors.mid(0, opaqueLimit), c);
                out[x] = std::uint8_t(slot);
            }
        }
    }
    return result;
}
