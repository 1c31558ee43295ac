#include "platform/fltk/display_scale.h"

#include <gtest/gtest.h>

namespace platform::desktop {
namespace {

TEST(DisplayScaleTest, AtTheUsualSettingFifteenTwipsMakeOnePixel) {
  const DisplayScale scale;
  EXPECT_EQ(scale.TwipsPerPixel(), 15);
  EXPECT_EQ(scale.ToPixels(6495), 433);
  EXPECT_EQ(scale.ToPixels(3975), 265);
  EXPECT_EQ(scale.ToPixels(4260), 284);
  EXPECT_EQ(scale.ToTwips(56), 840);
  // The labels' fonts: 24 and 44.25 points are 32 and 59 pixels.
  EXPECT_EQ(scale.FontPixels(24), 32);
  EXPECT_EQ(scale.FontPixels(44.25), 59);
}

TEST(DisplayScaleTest, DoubleDpiHalvesTheTwipsPerPixel) {
  const DisplayScale scale(192);
  EXPECT_EQ(scale.TwipsPerPixel(), 7.5);
  EXPECT_EQ(scale.ToPixels(4260), 568);
  EXPECT_EQ(scale.ToPixels(6495), 866);
  EXPECT_EQ(scale.FontPixels(24), 64);
}

TEST(DisplayScaleTest, HalfPixelsRoundToTheEvenNeighbour) {
  const DisplayScale scale;
  EXPECT_EQ(scale.ToPixels(22.5), 2);  // 1.5
  EXPECT_EQ(scale.ToPixels(37.5), 2);  // 2.5
  EXPECT_EQ(scale.ToPixels(-22.5), -2);
}

TEST(DisplayScaleTest, ANonPositiveDpiFallsBackToTheDefault) {
  EXPECT_EQ(DisplayScale(0).Dpi(), DisplayScale::kDefaultDpi);
  EXPECT_EQ(DisplayScale(-120).Dpi(), DisplayScale::kDefaultDpi);
}

TEST(ParseDpiTest, ReadsPositiveNumbersOnly) {
  const struct {
    const char* text;
    std::optional<double> dpi;
  } cases[] = {
      {"96", 96},
      {" 192 ", 192},
      {"144.5", 144.5},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"0", std::nullopt},
      {"-96", std::nullopt},
      {"96x", std::nullopt},
      {"nan", std::nullopt},
      {"inf", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDpi(c.text), c.dpi) << '"' << c.text << '"';
}

}  // namespace
}  // namespace platform::desktop
