#include "tests/harness/screenshot.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace harness {
namespace {

// Reads the next number of a PPM header, skipping blanks and # comments.
int HeaderNumber(const std::string& bytes, std::size_t& at) {
  while (at < bytes.size()) {
    if (bytes[at] == '#') {
      while (at < bytes.size() && bytes[at] != '\n') ++at;
    } else if (std::isspace(static_cast<unsigned char>(bytes[at]))) {
      ++at;
    } else {
      break;
    }
  }
  const std::size_t start = at;
  while (at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at]))) ++at;
  if (start == at || at - start > 9) throw std::runtime_error("screenshot: bad PPM header");
  return std::atoi(bytes.substr(start, at - start).c_str());
}

}  // namespace

bool Rgb::Near(const Rgb& other, int tolerance) const {
  return std::abs(r - other.r) <= tolerance && std::abs(g - other.g) <= tolerance &&
         std::abs(b - other.b) <= tolerance;
}

std::string ToString(const Rgb& colour) {
  return "rgb(" + std::to_string(colour.r) + "," + std::to_string(colour.g) + "," +
         std::to_string(colour.b) + ")";
}

Screenshot Screenshot::FromPpm(const std::string& bytes) {
  if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') {
    throw std::runtime_error("screenshot: not a binary PPM");
  }
  std::size_t at = 2;
  Screenshot shot;
  shot.width_ = HeaderNumber(bytes, at);
  shot.height_ = HeaderNumber(bytes, at);
  const int maximum = HeaderNumber(bytes, at);
  if (maximum != 255) throw std::runtime_error("screenshot: PPM is not 8 bits per channel");
  ++at;  // the one blank after the header
  const std::size_t size = static_cast<std::size_t>(shot.width_) * shot.height_ * 3;
  if (bytes.size() < at + size) throw std::runtime_error("screenshot: PPM is cut short");
  shot.pixels_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
  return shot;
}

Rgb Screenshot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("screenshot: point " + std::to_string(x) + "," + std::to_string(y) +
                            " lies outside the picture");
  }
  const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
  return Rgb{pixels_[at], pixels_[at + 1], pixels_[at + 2]};
}

int Screenshot::CountDark(int x, int y, int w, int h, int limit) const {
  int count = 0;
  for (int row = y; row < y + h; ++row) {
    for (int column = x; column < x + w; ++column) {
      if (At(column, row).Dark(limit)) ++count;
    }
  }
  return count;
}

void Screenshot::Save(const std::filesystem::path& path) const {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width_ << " " << height_ << "\n255\n";
  out.write(reinterpret_cast<const char*>(pixels_.data()),
            static_cast<std::streamsize>(pixels_.size()));
}

}  // namespace harness
