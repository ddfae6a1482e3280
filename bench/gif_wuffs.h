#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Decodes every frame of the GIF file held in data[0, size) with Wuffs's GIF decoder, each frame
// into a pixel buffer of its own (indices and the frame's palette), kept until the whole file is
// done. Returns the number of pixels of all frames, or 0 when the file does not decode.
int64_t pc_wuffs_gif_decode(const uint8_t *data, size_t size);

#ifdef __cplusplus
}
#endif
