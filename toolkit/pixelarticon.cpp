#include "toolkit/pixelarticon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace tk {

namespace {

// A screen at a whole multiple of the scale gets the rendering made for it; at any other scale
// (1.5 asks for 24 x 24) the picture is enlarged pixel for pixel to the size asked for. A smoothed
// copy, what an icon does by default, would blur every edge.
class PixelArtIconEngine : public QIconEngine {
public:
    PixelArtIconEngine(std::vector<QImage> renderings, QImage disabled)
        : m_renderings(std::move(renderings)), m_disabled(std::move(disabled))
    {
    }

    QIconEngine *clone() const override { return new PixelArtIconEngine(m_renderings, m_disabled); }

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
        // Buttons ask at every paint; a size and mode is made once.
        const QSize target = actualSize(size, mode, state);
        for (const Made &made : m_made)
            if (made.size == target && made.mode == mode)
                return made.pixmap;
        QPixmap pixmap;
        if (mode == QIcon::Disabled && !m_disabled.isNull()) {
            pixmap = QPixmap::fromImage(m_disabled.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        } else {
            pixmap = QPixmap::fromImage(rendering(target));
            if (mode != QIcon::Normal && mode != QIcon::Active) {
                QStyleOption option;
                option.palette = QApplication::palette();
                pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
            }
        }
        m_made.push_back({target, mode, pixmap});
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
    QImage m_disabled;                // drawn for the disabled state, at the picture's own size
    struct Made {
        QSize size;
        QIcon::Mode mode;
        QPixmap pixmap;
    };
    std::vector<Made> m_made; // a handful: one per scale and mode a button is shown at
};

} // namespace

QIcon pixelArtIcon(std::vector<QImage> renderings, QImage disabled)
{
    if (renderings.empty() || renderings.front().isNull())
        return {};
    return QIcon(new PixelArtIconEngine(std::move(renderings), std::move(disabled)));
}

} // namespace tk
