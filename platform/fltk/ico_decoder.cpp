#include "platform/fltk/ico_decoder.h"

#include <cstddef>
#include <optional>

namespace platform::desktop {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::uint32_t U16(std::size_t offset) const { return bytes_[offset] | (bytes_[offset + 1] << 8); }
  std::uint32_t U32(std::size_t offset) const { return U16(offset) | (U16(offset + 2) << 16); }
  std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  std::uint8_t Byte(std::size_t offset) const { return bytes_[offset]; }

 private:
  std::span<const std::uint8_t> bytes_;
};

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB

// One bitmap image of the icon: a BITMAPINFOHEADER, then the colour rows from the bottom up.
// The height in the header counts the AND mask too, so it is twice the image's height.
std::optional<RgbImage> DecodeBitmap(const Reader& reader, std::size_t offset, std::size_t size) {
  if (!reader.Has(offset, size) || size < kBitmapHeaderSize) return std::nullopt;
  if (reader.U32(offset) < kBitmapHeaderSize) return std::nullopt;
  const std::int32_t width = reader.I32(offset + 4);
  const std::int32_t double_height = reader.I32(offset + 8);
  const std::uint32_t bits = reader.U16(offset + 14);
  const std::uint32_t compression = reader.U32(offset + 16);
  if ((bits != 24 && bits != 32) || compression != kUncompressed) return std::nullopt;
  if (width <= 0 || width > 1024 || double_height <= 0 || double_height > 2048) {
    return std::nullopt;
  }
  const int height = double_height / 2;
  if (height == 0) return std::nullopt;

  const std::size_t bytes_per_pixel = bits / 8;
  const std::size_t stride = (static_cast<std::size_t>(width) * bytes_per_pixel + 3) / 4 * 4;
  const std::size_t rows_start = offset + reader.U32(offset);
  if (!reader.Has(rows_start, stride * height) || rows_start + stride * height > offset + size) {
    return std::nullopt;
  }

  RgbImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const std::size_t row = rows_start + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::size_t source = row + x * bytes_per_pixel;  // blue, green, red
      std::uint8_t* target = &image.pixels[(static_cast<std::size_t>(y) * width + x) * 3];
      target[0] = reader.Byte(source + 2);
      target[1] = reader.Byte(source + 1);
      target[2] = reader.Byte(source);
    }
  }
  return image;
}

}  // namespace

RgbImage DecodeIco(std::span<const std::uint8_t> ico) {
  const Reader reader(ico);
  if (!reader.Has(0, kDirectorySize) || reader.U16(0) != 0 || reader.U16(2) != 1) return {};
  const std::uint32_t count = reader.U16(4);

  RgbImage best;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirectorySize + i * kEntrySize;
    if (!reader.Has(entry, kEntrySize)) break;
    const std::size_t size = reader.U32(entry + 8);
    const std::size_t offset = reader.U32(entry + 12);
    std::optional<RgbImage> image = DecodeBitmap(reader, offset, size);
    if (image && image->width * image->height > best.width * best.height) {
      best = std::move(*image);
    }
  }
  return best;
}

}  // namespace platform::desktop
