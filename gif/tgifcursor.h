#pragma once

#include "toolkit/error.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// A read position in a byte buffer that never moves past its end; short reads raise the
// reader's "Stream read error".
class TGIFCursor {
public:
    TGIFCursor(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_size - m_pos; }
    const std::uint8_t *at(std::size_t pos) const { return m_data + pos; }

    std::uint8_t byte()
    {
        if (atEnd())
            fail();
        return m_data[m_pos++];
    }
    std::uint16_t word()
    {
        const std::uint8_t *p = take(2);
        return std::uint16_t(p[0] | p[1] << 8);
    }
    // The next n bytes, all of which must be there.
    const std::uint8_t *take(std::size_t n)
    {
        if (n > remaining())
            fail();
        const std::uint8_t *p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    // Up to n bytes: what is left when fewer remain.
    QByteArray takeUpTo(std::size_t n)
    {
        const std::size_t got = n < remaining() ? n : remaining();
        QByteArray bytes(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(got));
        m_pos += got;
        return bytes;
    }

    [[noreturn]] static void fail() { throw tk::Error("Stream read error"); }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
