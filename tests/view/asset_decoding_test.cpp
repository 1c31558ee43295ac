// The embedded sign picture and icon, and the decoders that read them from memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "assets/sign_assets.h"
#include "platform/app/app.h"
#include "platform/fltk/gif_decoder.h"
#include "platform/fltk/ico_decoder.h"

namespace platform::desktop {
namespace {

struct Colour {
  int r, g, b;
};

Colour PixelOf(const RgbImage& image, int x, int y) {
  const std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
  return Colour{p[0], p[1], p[2]};
}

bool IsWhite(Colour c) { return c.r >= 245 && c.g >= 245 && c.b >= 245; }
bool IsGreen(Colour c) { return c.g > c.r + 60 && c.g > c.b + 40; }
bool IsOrange(Colour c) { return c.r > 200 && c.g > 80 && c.g < 170 && c.b < 90; }
double Luminance(Colour c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// What the GIF file itself declares, read block by block.
struct GifFacts {
  int width = 0;
  int height = 0;
  int global_colours = 0;
  int frames = 0;
  bool transparent_colour = false;
};

GifFacts ReadGifFacts(std::span<const std::uint8_t> gif) {
  GifFacts facts;
  std::size_t at = 0;
  auto byte = [&](std::size_t offset) -> int {
    if (offset >= gif.size()) throw std::out_of_range("GIF ends early");
    return gif[offset];
  };
  auto skip_sub_blocks = [&] {
    while (byte(at) != 0) at += byte(at) + 1;
    ++at;
  };
  facts.width = byte(6) | (byte(7) << 8);
  facts.height = byte(8) | (byte(9) << 8);
  const int flags = byte(10);
  at = 13;
  if (flags & 0x80) {
    facts.global_colours = 1 << ((flags & 7) + 1);
    at += 3 * facts.global_colours;
  }
  while (byte(at) != 0x3B) {
    if (byte(at) == 0x21) {  // extension
      if (byte(at + 1) == 0xF9 && (byte(at + 3) & 1)) facts.transparent_colour = true;
      at += 2;
      skip_sub_blocks();
    } else if (byte(at) == 0x2C) {  // image
      ++facts.frames;
      const int image_flags = byte(at + 9);
      at += 10;
      if (image_flags & 0x80) at += 3 * (1 << ((image_flags & 7) + 1));
      ++at;  // LZW code size
      skip_sub_blocks();
    } else {
      ADD_FAILURE() << "unknown GIF block " << int(byte(at)) << " at " << at;
      break;
    }
  }
  return facts;
}

TEST(SignPictureTest, IsAnOpaqueOneFrameGifWithSixtyFourColours) {
  const GifFacts facts = ReadGifFacts(assets::SignPicture());
  EXPECT_EQ(facts.width, 285);
  EXPECT_EQ(facts.height, 284);
  EXPECT_EQ(facts.global_colours, 64);
  EXPECT_EQ(facts.frames, 1);
  EXPECT_FALSE(facts.transparent_colour);
}

TEST(SignPictureTest, ShowsTheGreenBandTheOrangeFigureAndAWhiteGround) {
  const RgbImage picture = DecodeGif(assets::SignPicture());
  ASSERT_EQ(picture.width, 285);
  ASSERT_EQ(picture.height, 284);
  // The band runs down the whole left edge, about 51 pixels wide.
  for (int y : {0, 140, 283}) EXPECT_TRUE(IsGreen(PixelOf(picture, 2, y))) << "y " << y;
  for (int x = 0; x < 48; ++x) EXPECT_TRUE(IsGreen(PixelOf(picture, x, 5))) << "x " << x;
  EXPECT_TRUE(IsWhite(PixelOf(picture, 54, 5)));
  // The name in white letters on the band.
  int white_in_band = 0;
  for (int y = 0; y < 284; ++y) {
    for (int x = 0; x < 48; ++x) white_in_band += IsWhite(PixelOf(picture, x, y)) ? 1 : 0;
  }
  EXPECT_GT(white_in_band, 500);
  // A raised fist, and white ground in the corners.
  EXPECT_TRUE(IsOrange(PixelOf(picture, 79, 38)));
  EXPECT_TRUE(IsWhite(PixelOf(picture, 270, 270)));
  EXPECT_TRUE(IsWhite(PixelOf(picture, 100, 5)));
}

TEST(SignPictureTest, StaysLightWhereTheLabelsSit) {
  const RgbImage picture = DecodeGif(assets::SignPicture());
  double darkest = 255;
  for (int y = 104; y <= 249; ++y) {
    for (int x = 56; x <= 273; ++x) darkest = std::min(darkest, Luminance(PixelOf(picture, x, y)));
  }
  EXPECT_GT(darkest, 150);
}

TEST(GifDecoderTest, PaintsTheTransparentColourWithTheGround) {
  // A 1 x 1 GIF of colour index 0 (black), with and without a transparent colour 0.
  const auto tiny_gif = [](bool transparent) {
    return std::vector<std::uint8_t>{
        'G',  'I',  'F',  '8',
        '9',  'a',  1,    0,
        1,    0,    0x80, 0,
        0,  // screen
        0,    0,    0,    255,
        255,  255,  // colours
        0x21, 0xF9, 4,    static_cast<std::uint8_t>(transparent ? 1 : 0),
        0,    0,    0,    0,  // control
        0x2C, 0,    0,    0,
        0,    1,    0,    1,
        0,    0,  // image
        2,    2,    0x44, 0x01,
        0,  // pixels
        0x3B};
  };
  const struct {
    bool transparent;
    Colour expected;
  } cases[] = {{false, {0, 0, 0}}, {true, {0x12, 0x34, 0x56}}};
  for (const auto& c : cases) {
    const RgbImage image = DecodeGif(tiny_gif(c.transparent), 0x123456);
    ASSERT_EQ(image.width, 1);
    const Colour pixel = PixelOf(image, 0, 0);
    EXPECT_EQ(pixel.r, c.expected.r) << "transparent " << c.transparent;
    EXPECT_EQ(pixel.g, c.expected.g) << "transparent " << c.transparent;
    EXPECT_EQ(pixel.b, c.expected.b) << "transparent " << c.transparent;
  }
}

TEST(GifDecoderTest, DamagedBytesRaiseARuntimeErrorNamingThePicture) {
  const std::span<const std::uint8_t> picture = assets::SignPicture();
  const std::vector<std::uint8_t> cut(picture.begin(), picture.begin() + 200);
  const std::vector<std::uint8_t> not_a_gif = {'P', 'N', 'G', 0, 1, 2, 3};
  for (const auto& bytes : {cut, not_a_gif}) {
    try {
      DecodeGif(bytes);
      ADD_FAILURE() << "no error for " << bytes.size() << " bytes";
    } catch (const platform::RuntimeError& error) {
      EXPECT_NE(std::string(error.what()).find("GIF"), std::string::npos) << error.what();
    }
  }
}

TEST(SignIconTest, IsOneOpaque48PixelImageIn24BitColour) {
  const std::span<const std::uint8_t> ico = assets::SignIcon();
  ASSERT_GT(ico.size(), 22u + 40u);
  EXPECT_EQ(ico[4] | (ico[5] << 8), 1);     // one image
  EXPECT_EQ(ico[6], 48);                    // width
  EXPECT_EQ(ico[7], 48);                    // height
  EXPECT_EQ(ico[12] | (ico[13] << 8), 24);  // bits per pixel
  const std::size_t offset = ico[18] | (ico[19] << 8) | (ico[20] << 16) | (ico[21] << 24);
  EXPECT_EQ(ico[offset], 40);  // a BITMAPINFOHEADER, not a PNG

  const RgbImage icon = DecodeIco(ico);
  ASSERT_EQ(icon.width, 48);
  ASSERT_EQ(icon.height, 48);
  // Rows are stored bottom-up: the band must still be on the left, the ground white at the
  // bottom right.
  EXPECT_TRUE(IsGreen(PixelOf(icon, 1, 2)));
  EXPECT_TRUE(IsGreen(PixelOf(icon, 1, 45)));
  EXPECT_TRUE(IsWhite(PixelOf(icon, 46, 46)));
}

TEST(IcoDecoderTest, DamagedBytesGiveNoIcon) {
  const std::span<const std::uint8_t> ico = assets::SignIcon();
  const std::vector<std::vector<std::uint8_t>> damaged = {
      {},
      std::vector<std::uint8_t>(ico.begin(), ico.begin() + 6),
      std::vector<std::uint8_t>(ico.begin(), ico.begin() + 100),
  };
  for (const auto& bytes : damaged) EXPECT_TRUE(DecodeIco(bytes).Empty()) << bytes.size();
}

}  // namespace
}  // namespace platform::desktop
