// Decodes a Windows icon file held in memory, for the window's icon.
#pragma once

#include <cstdint>
#include <span>

#include "platform/fltk/rgb_image.h"

namespace platform::desktop {

// The largest image in `ico` that is an uncompressed 24- or 32-bit bitmap, opaque. An empty
// image when there is none or the bytes are damaged: the icon is decoration and its absence is
// not an error.
RgbImage DecodeIco(std::span<const std::uint8_t> ico);

}  // namespace platform::desktop
