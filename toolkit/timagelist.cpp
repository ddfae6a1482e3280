#include "toolkit/timagelist.h"

#include "toolkit/error.h"
#include "toolkit/pixelarticon.h"

namespace tk {

TImageList::TImageList(QSize imageSize, QObject *parent) : QObject(parent), m_imageSize(imageSize) {}

TImageList::~TImageList() = default;

int TImageList::add(const QString &name, const QImage &image, const QImage &doubled)
{
    if (image.isNull() || image.size() != m_imageSize)
        throw Error(QStringLiteral("Invalid image: %1").arg(name).toStdString());
    std::vector<QImage> renderings{image};
    if (!doubled.isNull() && doubled.size() == m_imageSize * 2) {
        renderings.push_back(doubled);
        renderings.back().setDevicePixelRatio(2);
    }
    m_images.push_back(pixelArtIcon(std::move(renderings)));
    return count() - 1;
}

QIcon TImageList::icon(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_images[std::size_t(index)];
}

} // namespace tk
