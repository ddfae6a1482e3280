// Wuffs's GIF decoder as a third reader for the decode benchmark. Built only when the benchmark is
// given the path of Wuffs's single-file C release; its directory is a system include directory,
// so that the warnings of that generated file do not fail our builds.
#include "bench/gif_wuffs.h"

#define WUFFS_IMPLEMENTATION
#define WUFFS_CONFIG__MODULES
#define WUFFS_CONFIG__MODULE__BASE
#define WUFFS_CONFIG__MODULE__GIF
#define WUFFS_CONFIG__MODULE__LZW
#include PC_WUFFS_FILE

#include <stdlib.h>

int64_t pc_wuffs_gif_decode(const uint8_t *data, size_t size)
{
    const size_t decoderSize = sizeof__wuffs_gif__decoder();
    wuffs_gif__decoder *decoder = malloc(decoderSize);
    uint8_t **frames = NULL;
    size_t frameCount = 0;
    size_t frameCapacity = 0;
    uint8_t *workbuf = NULL;
    int64_t pixels = 0;
    if (!decoder)
        return 0;
    // The decoder's own tables are written before they are read; leaving them unset at start is
    // how Wuffs is meant to be used where speed matters.
    wuffs_base__status status = wuffs_gif__decoder__initialize(
        decoder, decoderSize, WUFFS_VERSION, WUFFS_INITIALIZE__LEAVE_INTERNAL_BUFFERS_UNINITIALIZED);
    if (status.repr)
        goto fail;
    wuffs_base__io_buffer source = wuffs_base__ptr_u8__reader((uint8_t *)data, size, true);
    wuffs_base__image_config image;
    status = wuffs_gif__decoder__decode_image_config(decoder, &image, &source);
    if (status.repr)
        goto fail;
    const uint32_t width = wuffs_base__pixel_config__width(&image.pixcfg);
    const uint32_t height = wuffs_base__pixel_config__height(&image.pixcfg);
    wuffs_base__pixel_config__set(&image.pixcfg, WUFFS_BASE__PIXEL_FORMAT__INDEXED__BGRA_BINARY,
                                  WUFFS_BASE__PIXEL_SUBSAMPLING__NONE, width, height);
    const size_t workbufSize = (size_t)wuffs_gif__decoder__workbuf_len(decoder).max_incl;
    workbuf = malloc(workbufSize ? workbufSize : 1);
    if (!workbuf)
        goto fail;
    // The palette's 1024 bytes come first, then the pixels.
    const size_t bufferSize = (size_t)width * height + WUFFS_BASE__PIXEL_FORMAT__INDEXED__PALETTE_BYTE_LENGTH;
    for (;;) {
        wuffs_base__frame_config frame;
        status = wuffs_gif__decoder__decode_frame_config(decoder, &frame, &source);
        if (status.repr == wuffs_base__note__end_of_data)
            break;
        if (status.repr)
            goto fail;
        if (frameCount == frameCapacity) {
            frameCapacity = frameCapacity ? 2 * frameCapacity : 64;
            uint8_t **more = realloc(frames, frameCapacity * sizeof *frames);
            if (!more)
                goto fail;
            frames = more;
        }
        uint8_t *buffer = malloc(bufferSize);
        if (!buffer)
            goto fail;
        frames[frameCount++] = buffer;
        wuffs_base__pixel_buffer pixelBuffer;
        status = wuffs_base__pixel_buffer__set_from_slice(&pixelBuffer, &image.pixcfg,
                                                          wuffs_base__make_slice_u8(buffer, bufferSize));
        if (status.repr)
            goto fail;
        status = wuffs_gif__decoder__decode_frame(decoder, &pixelBuffer, &source, WUFFS_BASE__PIXEL_BLEND__SRC,
                                                  wuffs_base__make_slice_u8(workbuf, workbufSize), NULL);
        if (status.repr)
            goto fail;
        const wuffs_base__rect_ie_u32 bounds = wuffs_base__frame_config__bounds(&frame);
        pixels += (int64_t)wuffs_base__rect_ie_u32__width(&bounds) * wuffs_base__rect_ie_u32__height(&bounds);
    }
    goto done;
fail:
    pixels = 0;
done:
    for (size_t i = 0; i < frameCount; ++i)
        free(frames[i]);
    free(frames);
    free(workbuf);
    free(decoder);
    return pixels;
}
