#include "gif/tgifreader.h"

#include "gif/tgifcursor.h"
#include "gif/tgifimage.h"

#include <QByteArrayList>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr std::uint8_t ExtensionIntroducer = 0x21;
constexpr std::uint8_t ImageIntroducer = 0x2C;
constexpr std::uint8_t Trailer = 0x3B;

void readColorTable(TGIFCursor &in, TGIFColorTable &table, int bits)
{
    const std::uint32_t count = 1u << bits;
    const std::uint8_t *p = in.take(count * 3);
    table.clear();
    table.Count = count;
    std::memcpy(table.Entries.data(), p, count * 3);
}

QByteArrayList readSubBlocks(TGIFCursor &in)
{
    QByteArrayList blocks;
    while (!in.atEnd()) {
        const std::uint8_t len = in.byte();
        if (len == 0)
            break;
        blocks.append(in.takeUpTo(len));
    }
    return blocks;
}

bool equalsNoCase(const std::uint8_t *p, const char *text)
{
    for (int i = 0; i < 3; ++i)
        if (std::tolower(p[i]) != text[i])
            return false;
    return true;
}

bool isLoopIdentifier(const QByteArray &fixed)
{
    const QByteArray id = fixed.mid(1, std::uint8_t(fixed[0]));
    return id == "NETSCAPE2.0" || id == "ANIMEXTS1.0";
}

} // namespace

class TGIFReader::Parser {
public:
    Parser(const QByteArray &bytes, TGIFImage *owner, TGIFImage::Header &header, TGIFData &data,
           std::vector<std::unique_ptr<TGIFFrame>> &frames)
        : m_owner(owner), m_header(header), m_data(data), m_frames(frames), m_bytes(bytes),
          m_in(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()))
    {
    }

    void run();

private:
    std::uint8_t nextIntroducer() { return m_in.atEnd() ? Trailer : m_in.byte(); }
    void readExtension(std::vector<TExtension> &kept);
    void readFrame(std::vector<TExtension> extensionBlocks);

    TGIFImage *m_owner;
    TGIFImage::Header &m_header;
    TGIFData &m_data;
    std::vector<std::unique_ptr<TGIFFrame>> &m_frames;
    const QByteArray &m_bytes;
    TGIFCursor m_in;
};

void TGIFReader::Parser::run()
{
    const std::uint8_t *signature = m_in.take(3);
    if (!equalsNoCase(signature, "gif"))
        throw tk::Error("Unknown GIF version");
    const std::uint8_t *version = m_in.take(3);
    if (equalsNoCase(version, "87a"))
        m_header.formatVersion = TGIFVersion::V87a;
    else if (equalsNoCase(version, "89a"))
        m_header.formatVersion = TGIFVersion::V89a;
    else
        throw tk::Error("Unknown GIF version");

    const std::uint8_t *screen = m_in.take(7);
    m_header.logicalWidth = std::uint16_t(screen[0] | screen[1] << 8);
    m_header.logicalHeight = std::uint16_t(screen[2] | screen[3] << 8);
    const std::uint8_t packed = screen[4];
    const std::uint8_t background = screen[5];
    m_data.AspectByte = screen[6];
    m_data.GlobalTableBits = (packed & 7) + 1;
    m_data.ColorResolution = ((packed >> 4) & 7) + 1;
    if (std::uint64_t(m_header.logicalWidth) * m_header.logicalHeight * 4 > TGIFImage::pictureLimit())
        throw tk::Error(QStringLiteral("GIF logical screen too large: %1 x %2 pixels")
                            .arg(m_header.logicalWidth)
                            .arg(m_header.logicalHeight)
                            .toStdString());
    if (packed & 0x80) {
        readColorTable(m_in, m_data.GlobalColorTable, m_data.GlobalTableBits);
        if (background < m_data.GlobalColorTable.Count)
            m_header.screenBackground = m_data.GlobalColorTable.color(background);
    }

    std::uint8_t introducer = m_in.byte();
    while (introducer != 0 && introducer != Trailer && !m_in.atEnd()) {
        std::vector<TExtension> kept;
        while (introducer == ExtensionIntroducer) {
            readExtension(kept);
            introducer = nextIntroducer();
        }
        if (introducer == ImageIntroducer) {
            readFrame(std::move(kept));
            if (m_in.atEnd()) {
                introducer = Trailer;
            } else {
                do
                    introducer = m_in.byte();
                while (introducer == 0 && !m_in.atEnd());
                if (introducer != ExtensionIntroducer && introducer != ImageIntroducer && introducer != Trailer)
                    introducer = 0;
            }
        } else {
            if ((!m_data.ImageComment.isEmpty() || kept.empty()) && introducer != 0 && introducer != Trailer)
                m_in.fail();
            for (const TExtension &extension : kept) {
                if (extension.ExtensionKind != TExtensionKind::Comment)
                    continue;
                if (!m_data.ImageComment.isEmpty())
                    m_data.ImageComment.append(QByteArrayLiteral("\r\n\r\n"));
                m_data.ImageComment.append(extension.SubBlocks);
            }
        }
    }
}

void TGIFReader::Parser::readExtension(std::vector<TExtension> &kept)
{
    const std::uint8_t label = m_in.byte();
    TExtension extension;
    switch (label) {
    case 0xF9:
        extension.ExtensionKind = TExtensionKind::GraphicControl;
        extension.FixedPart = QByteArray(reinterpret_cast<const char *>(m_in.take(6)), 6);
        kept.push_back(std::move(extension));
        return;
    case 0xFE:
        extension.ExtensionKind = TExtensionKind::Comment;
        extension.SubBlocks = readSubBlocks(m_in);
        kept.push_back(std::move(extension));
        return;
    case 0x01:
        m_in.take(13);
        readSubBlocks(m_in);
        // Text drawn over the screen ends what the kept blocks described.
        kept.clear();
        return;
    case 0xFF: {
        const QByteArray fixed(reinterpret_cast<const char *>(m_in.take(12)), 12);
        const QByteArrayList blocks = readSubBlocks(m_in);
        if (isLoopIdentifier(fixed) && !blocks.isEmpty() && blocks[0].size() >= 3 && blocks[0][0] == 1) {
            const int count = std::uint8_t(blocks[0][1]) | std::uint8_t(blocks[0][2]) << 8;
            m_header.hasLoopBlock = true;
            m_header.loopCount = std::uint16_t(std::min(count, 30000));
        }
        return;
    }
    default:
        throw tk::Error(QStringLiteral("Unrecognized extension block: %1")
                            .arg(label, 2, 16, QLatin1Char('0'))
                            .toStdString());
    }
}

void TGIFReader::Parser::readFrame(std::vector<TExtension> extensionBlocks)
{
    auto shared = std::make_shared<TGIFItem>();
    TGIFItem &item = *shared;
    if (m_data.GlobalColorTable.Count > 0)
        item.TableBits = TGIFColorTable::bitsFor(m_data.GlobalColorTable.Count);
    TGIFFrame::Header frame;
    const std::uint8_t *d = m_in.take(9);
    const std::uint16_t left = std::uint16_t(d[0] | d[1] << 8);
    const std::uint16_t top = std::uint16_t(d[2] | d[3] << 8);
    std::uint16_t width = std::uint16_t(d[4] | d[5] << 8);
    std::uint16_t height = std::uint16_t(d[6] | d[7] << 8);
    const std::uint8_t packed = d[8];
    frame.isInterlaced = packed & 0x40;
    if (packed & 0x80) {
        item.TableBits = (packed & 7) + 1;
        frame.hasLocalTable = true;
        readColorTable(m_in, item.ColorTable, item.TableBits);
    } else {
        frame.hasLocalTable = false;
        item.ColorTable.clear();
    }

    const std::size_t start = m_in.position();
    m_in.byte();
    while (!m_in.atEnd()) {
        const std::uint8_t len = m_in.byte();
        if (len > m_in.remaining()) {
            frame.isDamaged = true;
            break;
        }
        m_in.take(len);
        if (len == 0)
            break;
    }
    // The code data leaves out a sub-block whose stated length ran past the end, length byte
    // included. It stays in the loaded bytes, which the item holds on to.
    const std::size_t end = frame.isDamaged ? m_in.position() - 1 : m_in.position();
    item.Source = m_bytes;
    item.CodeStream = QByteArray::fromRawData(reinterpret_cast<const char *>(m_in.at(start)), qsizetype(end - start));

    if (width == 0)
        width = m_header.logicalWidth;
    if (height == 0)
        height = m_header.logicalHeight;
    frame.offsetX = left;
    frame.offsetY = top;
    item.StoredWidth = width;
    item.StoredHeight = height;
    item.DescriptorFlags = packed;
    if (!frame.hasLocalTable)
        item.ColorTable = m_data.GlobalColorTable;

    frame.delayMs = 0;
    for (const TExtension &extension : extensionBlocks) {
        if (extension.ExtensionKind != TExtensionKind::GraphicControl)
            continue;
        const std::uint8_t gcPacked = extension.gcPacked();
        if (gcPacked & 1) {
            if (extension.gcTransparentIndex() < item.ColorTable.Count)
                frame.keyColor = item.ColorTable.color(extension.gcTransparentIndex());
        } else {
            frame.keyColor = tk::clNone;
        }
        frame.delayMs = std::uint16_t(std::max<int>(extension.gcDelay() * 10, frame.delayMs));
        frame.disposalMode = TGIFDisposal((gcPacked >> 2) & 7);
    }
    m_frames.push_back(std::make_unique<TGIFFrame>(m_owner, std::move(shared), std::move(extensionBlocks), frame));
}

void TGIFReader::read(const QByteArray &bytes, TGIFImage *owner, TGIFImage::Header &header, TGIFData &data,
                      std::vector<std::unique_ptr<TGIFFrame>> &frames)
{
    Parser(bytes, owner, header, data, frames).run();
}
