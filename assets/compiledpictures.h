#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <string_view>

// The pictures start-up needs, the program's icon and the details dialog's tool-bar pictures with
// their double-size renderings ("book", "book@2x"), are compiled into the program as pixels
// (made at build time from the PNG files in assets/). Reading them needs no image decoder, so a
// run that never opens the about dialog loads none.
struct CompiledPicture {
    const char *name;
    int width;
    int height;
    const std::uint32_t *pixels; // 32-bit ARGB, row by row
};

// The picture of that name, referring to the compiled-in pixels without a copy (a change to the
// image detaches it); a null image for a name that is not among them.
QImage compiledPicture(std::string_view name);
