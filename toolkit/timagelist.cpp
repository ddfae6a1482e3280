#include "toolkit/timagelist.h"

#include "toolkit/error.h"

#include <QApplication>
#include <QFileInfo>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace tk {

namespace {

// The list's pictures are pixel art. A screen at a whole multiple of the scale gets the rendering
// made for it; at any other scale (1.5 asks for 24 x 24) the picture is enlarged pixel for pixel to
// the size asked for. A smoothed copy, what an icon does by default, would blur every edge.
class PixelArtIconEngine : public QIconEngine {
public:
    explicit PixelArtIconEngine(std::vector<QImage> renderings) : m_renderings(std::move(renderings)) {}

    QIconEngine *clone() const override { return new PixelArtIconEngine(m_renderings); }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return m_renderings.front().size().scaled(size, Qt::KeepAspectRatio);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const QImage &image : m_renderings)
            sizes << image.size();
        return sizes;
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap = QPixmap::fromImage(rendering(actualSize(size, mode, state)));
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap picture = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), picture);
    }

private:
    QImage rendering(const QSize &size) const
    {
        for (const QImage &image : m_renderings)
            if (image.size() == size)
                return image;
        return m_renderings.front().scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    std::vector<QImage> m_renderings; // the picture at its own size first, larger ones after
};

} // namespace

TImageList::TImageList(QSize imageSize, QObject *parent) : QObject(parent), m_imageSize(imageSize) {}

TImageList::~TImageList() = default;

int TImageList::addFile(const QString &path)
{
    const QImage image(path);
    if (image.isNull() || image.size() != m_imageSize)
        throw Error(QStringLiteral("Invalid image: %1").arg(path).toStdString());
    std::vector<QImage> renderings{image};
    const QFileInfo info(path);
    const QString doubled = info.path() + u'/' + info.completeBaseName() + QStringLiteral("@2x.") + info.suffix();
    const QImage large(doubled);
    if (!large.isNull() && large.size() == m_imageSize * 2)
        renderings.push_back(large);
    m_images.push_back(QIcon(new PixelArtIconEngine(std::move(renderings))));
    return count() - 1;
}

QIcon TImageList::icon(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_images[std::size_t(index)];
}

} // namespace tk
