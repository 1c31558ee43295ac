#include "platform/fltk/gif_decoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "platform/app/app.h"

namespace platform::desktop {
namespace {

struct MemoryReader {
  std::span<const std::uint8_t> bytes;
  std::size_t offset = 0;
};

int ReadFromMemory(GifFileType* file, GifByteType* buffer, int wanted) {
  auto* reader = static_cast<MemoryReader*>(file->UserData);
  const std::size_t left = reader->bytes.size() - reader->offset;
  const std::size_t count = std::min(left, static_cast<std::size_t>(std::max(wanted, 0)));
  std::memcpy(buffer, reader->bytes.data() + reader->offset, count);
  reader->offset += count;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* file) const {
    int error = 0;
    DGifCloseFile(file, &error);
  }
};

[[noreturn]] void Fail(const char* what, int error) {
  const char* reason = GifErrorString(error);
  throw RuntimeError(std::string("embedded GIF picture: ") + what + ": " +
                     (reason != nullptr ? reason : "unknown error"));
}

}  // namespace

RgbImage DecodeGif(std::span<const std::uint8_t> gif, std::uint32_t ground) {
  MemoryReader reader{gif};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> file(DGifOpen(&reader, ReadFromMemory, &error));
  if (!file) Fail("cannot open", error);
  if (DGifSlurp(file.get()) != GIF_OK) Fail("cannot decode", file->Error);
  if (file->ImageCount < 1) Fail("cannot decode", D_GIF_ERR_NO_IMAG_DSCR);

  RgbImage image;
  image.width = file->SWidth;
  image.height = file->SHeight;
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  for (std::size_t i = 0; i < image.pixels.size(); i += 3) {
    image.pixels[i] = static_cast<std::uint8_t>(ground >> 16);
    image.pixels[i + 1] = static_cast<std::uint8_t>(ground >> 8);
    image.pixels[i + 2] = static_cast<std::uint8_t>(ground);
  }

  const SavedImage& frame = file->SavedImages[0];
  const ColorMapObject* colours =
      frame.ImageDesc.ColorMap != nullptr ? frame.ImageDesc.ColorMap : file->SColorMap;
  if (colours == nullptr) Fail("cannot decode", D_GIF_ERR_NO_COLOR_MAP);
  GraphicsControlBlock control{};
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(file.get(), 0, &control);

  // DGifSlurp has already put interlaced rows in order.
  const GifImageDesc& place = frame.ImageDesc;
  for (int row = 0; row < place.Height; ++row) {
    const int y = place.Top + row;
    if (y < 0 || y >= image.height) continue;
    for (int column = 0; column < place.Width; ++column) {
      const int x = place.Left + column;
      if (x < 0 || x >= image.width) continue;
      const int index = frame.RasterBits[static_cast<std::size_t>(row) * place.Width + column];
      if (index == control.TransparentColor || index >= colours->ColorCount) continue;
      const GifColorType& colour = colours->Colors[index];
      std::uint8_t* pixel = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
      pixel[0] = colour.Red;
      pixel[1] = colour.Green;
      pixel[2] = colour.Blue;
    }
  }
  return image;
}

}  // namespace platform::desktop
