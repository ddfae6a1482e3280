#include "toolkit/devicegrid.h"

#include <algorithm>
#include <vector>

void DeviceGrid::drawScaled(QPainter &painter, const QRect &target, const QImage &image, QRect source)
{
    if (source.isNull())
        source = image.rect();
    if (target.isEmpty() || source.isEmpty() || image.isNull())
        return;
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxScale) {
        painter.drawImage(target, image, source);
        return;
    }
    const qreal left = device.m11() * target.left() + device.dx();
    const qreal right = device.m11() * (target.left() + target.width()) + device.dx();
    const qreal top = device.m22() * target.top() + device.dy();
    const qreal bottom = device.m22() * (target.top() + target.height()) + device.dy();
    const auto whole = [](qreal v) { return std::abs(v - std::round(v)) < kSlack; };
    const auto blocks = [&](qreal from, qreal to, int count) {
        return whole(from) && whole(to) && int(std::lround(to - from)) % count == 0;
    };
    if (blocks(left, right, source.width()) && blocks(top, bottom, source.height())) {
        painter.drawImage(target, image, source);
        return;
    }
    // Device pixels d whose centre d + 0.5 lies in [from, to), and the source pixel of each.
    const auto pixelMap = [](qreal from, qreal to, int count, int &first) {
        first = int(std::ceil(from - 0.5 - kSlack));
        const int end = int(std::ceil(to - 0.5 - kSlack));
        std::vector<int> map(std::size_t(std::max(0, end - first)));
        const qreal step = (to - from) / count;
        for (std::size_t i = 0; i < map.size(); ++i) {
            const int k = int(std::floor((first + int(i) + 0.5 - from) / step + kSlack));
            map[i] = std::clamp(k, 0, count - 1);
        }
        return map;
    };
    int x0 = 0, y0 = 0;
    const std::vector<int> columns = pixelMap(left, right, source.width(), x0);
    const std::vector<int> rows = pixelMap(top, bottom, source.height(), y0);
    if (columns.empty() || rows.empty())
        return;
    const QImage::Format format = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const QImage from = image.format() == format ? image : image.convertToFormat(format);
    QImage scaled(int(columns.size()), int(rows.size()), format);
    if (scaled.isNull())
        return;
    for (int y = 0; y < scaled.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(from.constScanLine(source.top() + rows[std::size_t(y)])) + source.left();
        auto *out = reinterpret_cast<QRgb *>(scaled.scanLine(y));
        for (int x = 0; x < scaled.width(); ++x)
            out[x] = in[columns[std::size_t(x)]];
    }
    painter.save();
    painter.setWorldTransform(QTransform::fromTranslate(x0, y0) * device.inverted() * painter.worldTransform());
    const QRectF all(0, 0, scaled.width(), scaled.height());
    painter.drawImage(all, scaled, all);
    painter.restore();
}
