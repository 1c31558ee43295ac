// A decoded picture: rows from the top, three bytes (red, green, blue) per pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::desktop {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 3 bytes

  bool Empty() const { return width <= 0 || height <= 0; }
};

}  // namespace platform::desktop
