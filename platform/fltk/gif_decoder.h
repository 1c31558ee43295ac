// Decodes a GIF held in memory (FLTK 1.3 reads GIFs only from files).
#pragma once

#include <cstdint>
#include <span>

#include "platform/fltk/rgb_image.h"

namespace platform::desktop {

// The first frame of `gif` at the size of the GIF's logical screen. Pixels that the frame does
// not cover, or that have the transparent colour, take `ground` (0xRRGGBB). Throws
// platform::RuntimeError when the bytes are not a readable GIF.
RgbImage DecodeGif(std::span<const std::uint8_t> gif, std::uint32_t ground = 0xFFFFFF);

}  // namespace platform::desktop
