#pragma once

#include <QIcon>
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

    // Adds the picture at path (a resource path), and its double-size rendering "<name>@2x.png" when
    // there is one. A picture that cannot be read or is not of the list's size raises tk::Error.
    int addFile(const QString &path);

    // The picture at index; an index outside the list yields a null icon (a button without image).
    QIcon icon(int index) const;

private:
    QSize m_imageSize;
    std::vector<QIcon> m_images;
};

} // namespace tk
