#include "toolkit/timagelist.h"

#include "toolkit/error.h"

#include "toolkit/pixelarticon.h"
#include "toolkit/timage.h"

#include <QFileInfo>
#include <QImage>

namespace tk {


TImageList::TImageList(QSize imageSize, QObject *parent) : QObject(parent), m_imageSize(imageSize) {}

TImageList::~TImageList() = default;

int TImageList::addFile(const QString &path)
{
    const QImage image = loadPicture(path);
    if (image.isNull() || image.size() != m_imageSize)
        throw Error(QStringLiteral("Invalid image: %1").arg(path).toStdString());
    std::vector<QImage> renderings{image};
    const QFileInfo info(path);
    const QString doubled = info.path() + u'/' + info.completeBaseName() + QStringLiteral("@2x.") + info.suffix();
    const QImage large = loadPicture(doubled);
    if (!large.isNull() && large.size() == m_imageSize * 2)
        renderings.push_back(large);
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
