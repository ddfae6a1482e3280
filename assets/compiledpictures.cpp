#include "assets/compiledpictures.h"

// Made at build time by tools/embed_pictures.
extern const CompiledPicture kCompiledPictures[];
extern const std::size_t kCompiledPictureCount;

QImage compiledPicture(std::string_view name)
{
    for (std::size_t i = 0; i < kCompiledPictureCount; ++i) {
        const CompiledPicture &picture = kCompiledPictures[i];
        if (name == picture.name)
            return QImage(reinterpret_cast<const uchar *>(picture.pixels), picture.width, picture.height,
                          qsizetype(picture.width) * 4, QImage::Format_ARGB32);
    }
    return {};
}
