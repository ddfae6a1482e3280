// libFuzzer entry: decodes arbitrary code data with the program's LZW decoder and with a plain
// string-table decoder; the pixels and what each says of the data must agree. The first byte gives
// the table bits, the next two the number of pixels, the rest is the code data.
#include "gif/tlzwdecoder.h"
#include "tests/gif/lzwstringtable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const int tableBits = data[0] % 10;
    const int total = int((data[1] | data[2] << 8) % 20000) + 1;
    const QByteArray stream(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3));
    // Exactly as many bytes as pixels, so that the sanitizer sees a write past the last one.
    const auto pixels = std::make_unique<std::uint8_t[]>(std::size_t(total));
    const TLZWDecoder::Result result = TLZWDecoder::decode(stream, tableBits, pixels.get(), std::size_t(total));
    const StringTableDecoded expected = stringTableDecode(stream, tableBits, total);
    if (std::memcmp(pixels.get(), expected.pixels.constData(), std::size_t(total)) != 0
        || result.pixelsWritten != expected.pixelsWritten || result.damaged != expected.damaged
        || result.sawEndCode != expected.sawEndCode)
        std::abort();
    return 0;
}
