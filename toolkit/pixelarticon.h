#pragma once

#include <QIcon>
#include <QImage>

#include <vector>

namespace tk {

// An icon for a pixel-art picture that stays sharp at any scale: renderings holds the picture at
// its own size first, then any larger renderings made for whole multiples of the scale; disabled,
// when given, is the picture drawn for the disabled state (else one is made from the picture).
QIcon pixelArtIcon(std::vector<QImage> renderings, QImage disabled = {});

} // namespace tk
