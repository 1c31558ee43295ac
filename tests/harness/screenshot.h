// A picture of the screen, with its pixels' colours for checks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace harness {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;

  bool operator==(const Rgb&) const = default;
  // True when every channel is within `tolerance` of `other`.
  bool Near(const Rgb& other, int tolerance) const;
  // True for text-like pixels: every channel below `limit`.
  bool Dark(int limit = 100) const { return r < limit && g < limit && b < limit; }
};

std::string ToString(const Rgb& colour);

class Screenshot {
 public:
  // Reads a binary PPM (P6, 8 bits per channel); throws std::runtime_error when it is not one.
  static Screenshot FromPpm(const std::string& bytes);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The colour at x, y; throws std::out_of_range outside the picture.
  Rgb At(int x, int y) const;
  // How many pixels of the rectangle are dark.
  int CountDark(int x, int y, int w, int h, int limit = 100) const;
  // Writes the picture as a PPM, to look at when a check fails.
  void Save(const std::filesystem::path& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace harness
