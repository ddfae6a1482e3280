#include "gif/tgifimage.h"

#include "gif/tgifcursor.h"
#include "gif/tgifencoder.h"
#include "gif/tgifreader.h"
#include "toolkit/error.h"

#include <QIODevice>
#include <QPainter>

#include <atomic>
#include <new>

namespace {

std::atomic<std::uint64_t> pictureLimitBytes{TGIFImage::MaxPictureBytes};

// The 32-bit little-endian count that leads stored form data.
std::uint32_t storedCount(const char *bytes)
{
    const auto *p = reinterpret_cast<const std::uint8_t *>(bytes);
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// The GIF bytes of form data, after a count that must not run past them.
QByteArrayView formBytes(QByteArrayView formData)
{
    if (formData.size() < 4)
        TGIFCursor::fail();
    const std::uint32_t count = storedCount(formData.data());
    if (count > std::uint64_t(formData.size() - 4))
        TGIFCursor::fail();
    return formData.sliced(4, qsizetype(count));
}

} // namespace

std::uint64_t TGIFImage::pictureLimit()
{
    return pictureLimitBytes.load(std::memory_order_relaxed);
}

void TGIFImage::setPictureLimit(std::uint64_t bytes)
{
    pictureLimitBytes.store(std::min(bytes, MaxPictureBytes), std::memory_order_relaxed);
}

TGIFImage::TGIFImage(QObject *parent) : QObject(parent), m_data(std::make_shared<TGIFData>()) {}

TGIFImage::~TGIFImage() = default;

void TGIFImage::reset()
{
    m_data = std::make_shared<TGIFData>();
    m_frameList.clear();
    m_header = Header();
    m_selectedFrame = -1;
}

void TGIFImage::loadBuffer(QByteArray bytes)
{
    reset();
    m_data->SourceBytes = bytes;
    if (!bytes.isEmpty()) {
        try {
            TGIFReader::read(bytes, this, m_header, *m_data, m_frameList);
            if (!m_frameList.empty()) {
                try {
                    m_frameList.front()->bitmap();
                } catch (...) {
                    m_frameList.erase(m_frameList.begin());
                    throw;
                }
                m_selectedFrame = 0;
            }
        } catch (const std::bad_alloc &) {
            throw tk::Error("Not enough memory to read the GIF image");
        }
    }
    m_paletteModified = true;
    Q_EMIT changed();
}

void TGIFImage::loadFromBytes(QByteArrayView bytes)
{
    loadBuffer(bytes.toByteArray());
}

void TGIFImage::loadFromBytes(const QByteArray &bytes)
{
    // An array that owns its bytes is shared. One that only points at bytes owned elsewhere
    // (made by QByteArray::fromRawData; it has no capacity of its own) is copied, since the frames
    // keep using the bytes after the load and their owner may free them.
    if (bytes.capacity() >= bytes.size())
        loadBuffer(bytes);
    else
        loadBuffer(QByteArray(bytes.constData(), bytes.size()));
}

void TGIFImage::loadFromStream(QIODevice &device)
{
    loadBuffer(device.readAll());
}

void TGIFImage::loadFromFormData(QByteArrayView formData)
{
    loadBuffer(formBytes(formData).toByteArray());
}

void TGIFImage::loadFromCompiledFormData(QByteArrayView formData)
{
    const QByteArrayView bytes = formBytes(formData);
    loadBuffer(QByteArray::fromRawData(bytes.data(), bytes.size()));
}

void TGIFImage::readData(QIODevice &device)
{
    const QByteArray head = device.read(4);
    if (head.size() < 4)
        TGIFCursor::fail();
    const std::uint32_t count = storedCount(head.constData());
    // Read in pieces: a forged count must not reserve gigabytes before the data proves it is there.
    QByteArray bytes;
    while (std::uint32_t(bytes.size()) < count) {
        const qint64 want = std::min<qint64>(qint64(count) - bytes.size(), 1 << 20);
        const QByteArray piece = device.read(want);
        if (piece.isEmpty())
            TGIFCursor::fail();
        bytes.append(piece);
    }
    loadBuffer(std::move(bytes));
}

QByteArray TGIFImage::formData() const
{
    return formDataOf(m_data->SourceBytes);
}

QByteArray TGIFImage::formDataOf(QByteArrayView gif)
{
    const std::uint32_t count = std::uint32_t(gif.size());
    QByteArray out;
    out.reserve(gif.size() + 4);
    for (int i = 0; i < 4; ++i)
        out.append(char(count >> (8 * i) & 0xFF));
    out.append(gif);
    return out;
}

void TGIFImage::writeData(QIODevice &device) const
{
    device.write(formData());
}

void TGIFImage::assign(const TGIFImage &other)
{
    if (&other == this)
        return;
    m_data = other.m_data;
    m_frameList.clear();
    for (const auto &source : other.m_frameList)
        m_frameList.push_back(std::make_unique<TGIFFrame>(this, *source));
    m_header = other.m_header;
    m_selectedFrame = other.m_selectedFrame;
    m_transparent = other.m_transparent;
    m_paletteModified = true;
    Q_EMIT changed();
}

void TGIFImage::setSelectedFrame(int index)
{
    if (index == m_selectedFrame)
        return;
    m_selectedFrame = index;
    Q_EMIT changed();
}

bool TGIFImage::isEmpty() const
{
    if (m_selectedFrame < 0 || m_selectedFrame >= FrameCount())
        return true;
    const TGIFFrame &frame = Frames(m_selectedFrame);
    return !frame.isDecoded() && !frame.hasCodedData();
}

void TGIFImage::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Q_EMIT changed();
}

bool TGIFImage::isTransparent() const
{
    if (!m_transparent)
        return false;
    for (const auto &frame : m_frameList)
        if (!frame->KeyColor().isNone())
            return true;
    return false;
}

QList<QRgb> TGIFImage::palette() const
{
    if (isEmpty())
        return {};
    return Frames(m_selectedFrame).bitmap().colorTable();
}

int TGIFImage::width() const
{
    return isEmpty() ? 0 : Frames(m_selectedFrame).width();
}

int TGIFImage::height() const
{
    return isEmpty() ? 0 : Frames(m_selectedFrame).height();
}

void TGIFImage::setWidth(int)
{
    throw tk::Error("Cannot change the Size of a GIF image");
}

void TGIFImage::setHeight(int)
{
    throw tk::Error("Cannot change the Size of a GIF image");
}

void TGIFImage::draw(QPainter &painter, const QRect &rect) const
{
    if (m_selectedFrame < 0 || m_selectedFrame >= FrameCount())
        return;
    Frames(m_selectedFrame).draw(painter, rect, isTransparent());
}

QByteArray TGIFImage::saveToBytes(TGIFVersion version, int loopCount) const
{
    TGIFEncoder encoder(version, m_header.logicalWidth, m_header.logicalHeight);
    if (loopCount >= 0)
        encoder.setLoopCount(loopCount);
    for (const auto &frame : m_frameList) {
        const QImage &picture = frame->bitmap();
        if (picture.isNull())
            continue;
        TGIFEncoder::FrameOptions options;
        options.x = frame->OffsetX();
        options.y = frame->OffsetY();
        options.delayCs = frame->DelayMs() / 10;
        options.disposal = frame->DisposalMode();
        options.interlaced = frame->IsInterlaced();
        encoder.addFrame(frame->KeyColor().isNone() ? picture : frame->transparentImage(), options);
    }
    return encoder.finish();
}
