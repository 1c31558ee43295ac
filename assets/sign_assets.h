// The sign picture and the sign icon, built into the program so that nothing of the window is
// read from disk at run time.
#pragma once

#include <cstdint>
#include <span>

namespace assets {

// The sign picture: a GIF of 285 x 284 pixels, one frame, a 64-colour palette, opaque.
std::span<const std::uint8_t> SignPicture();

// The sign icon: an ICO holding one 48 x 48 image in 24-bit colour.
std::span<const std::uint8_t> SignIcon();

}  // namespace assets
