#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <string_view>

// The program's pictures (the icon, the details dialog's tool-bar pictures with their double-size
// renderings, "book" and "book@2x", and the about dialog's) are compiled into it as pixels, made at
// build time from the PNG files in assets/. Reading them needs no image decoder: the program loads
// none.
struct CompiledPicture {
    const char *name;
    int width;
    int height;
    const std::uint32_t *pixels; // 32-bit ARGB, row by row
};

// The picture of that name, referring to the compiled-in pixels without a copy (a change to the
// image detaches it); a null image for a name that is not among them.
QImage compiledPicture(std::string_view name);
