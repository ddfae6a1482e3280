#pragma once

#include <QIcon>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <vector>

namespace tk {

// An image list: pictures of one size with transparent masks, addressed by index, that tool bars
// take their button images from.
class TImageList : public QObject {
    Q_OBJECT
public:
    explicit TImageList(QSize imageSize, QObject *parent = nullptr);
    ~TImageList() override;

    QSize imageSize() const { return m_imageSize; }
    int count() const { return int(m_images.size()); }

    // Adds a picture and, when there is one, its double-size rendering. A picture that is missing
    // or not of the list's size raises tk::Error, which names it.
    int add(const QString &name, const QImage &image, const QImage &doubled = {});

    // The picture at index; an index outside the list yields a null icon (a button without image).
    QIcon icon(int index) const;

private:
    QSize m_imageSize;
    std::vector<QIcon> m_images;
};

} // namespace tk
