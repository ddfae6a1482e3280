#include "gif/tlzwencoder.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Collects codes least-significant bit first into 255-byte sub-blocks.
class BitSink {
public:
    explicit BitSink(QByteArray &out) : m_out(out) {}

    void put(int code, int bits)
    {
        m_acc |= std::uint32_t(code) << m_bits;
        m_bits += bits;
        while (m_bits >= 8) {
            pushByte(std::uint8_t(m_acc));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    void finish()
    {
        if (m_bits > 0)
            pushByte(std::uint8_t(m_acc));
        flushBlock();
        m_out.append('\0');
    }

private:
    void pushByte(std::uint8_t b)
    {
        m_block[m_blockSize++] = b;
        if (m_blockSize == 255)
            flushBlock();
    }
    void flushBlock()
    {
        if (m_blockSize == 0)
            return;
        m_out.append(char(m_blockSize));
        m_out.append(reinterpret_cast<const char *>(m_block.data()), m_blockSize);
        m_blockSize = 0;
    }

    QByteArray &m_out;
    std::uint32_t m_acc = 0;
    int m_bits = 0;
    std::array<std::uint8_t, 255> m_block{};
    int m_blockSize = 0;
};

constexpr int MaxCodes = 4096;
constexpr int HashSize = 8192;  // a power of two, twice the table

} // namespace

QByteArray TLZWEncoder::encode(const std::uint8_t *indices, std::size_t count, int minCodeSize)
{
    minCodeSize = std::clamp(minCodeSize, 2, 8);
    QByteArray out;
    out.reserve(qsizetype(count / 2 + 16));
    out.append(char(minCodeSize));
    BitSink sink(out);

    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    std::vector<std::uint32_t> keys(HashSize);
    std::vector<std::uint16_t> values(HashSize);
    int nextCode = clearCode + 2;

    // The decoder's view: its code size and next free code lag one code behind ours.
    int codeSize = minCodeSize + 1;
    int decoderNext = clearCode + 2;
    bool firstAfterClear = true;
    auto emit = [&](int code) {
        sink.put(code, codeSize);
        if (code == clearCode) {
            codeSize = minCodeSize + 1;
            decoderNext = clearCode + 2;
            firstAfterClear = true;
            return;
        }
        if (!firstAfterClear && decoderNext < MaxCodes) {
            ++decoderNext;
            if (decoderNext == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        }
        firstAfterClear = false;
    };
    auto resetTable = [&] {
        std::fill(keys.begin(), keys.end(), 0u);
        nextCode = clearCode + 2;
    };

    emit(clearCode);
    resetTable();
    if (count > 0) {
        int prefix = indices[0] & (clearCode - 1);
        for (std::size_t i = 1; i < count; ++i) {
            const int pixel = indices[i] & (clearCode - 1);
            // Keys store (prefix, pixel) + 1 so that 0 marks an empty slot.
            const std::uint32_t key = (std::uint32_t(prefix) << 8 | std::uint32_t(pixel)) + 1;
            std::uint32_t slot = (key * 2654435761u) >> 19;
            while (keys[slot] != 0 && keys[slot] != key)
                slot = (slot + 1) & (HashSize - 1);
            if (keys[slot] == key) {
                prefix = values[slot];
                continue;
            }
            emit(prefix);
            keys[slot] = key;
            values[slot] = std::uint16_t(nextCode);
            if (++nextCode == MaxCodes) {
                emit(clearCode);
                resetTable();
            }
            prefix = pixel;
        }
        emit(prefix);
    }
    emit(endCode);
    sink.finish();
    return out;
}
