#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/e2e/sign_geometry.h"
#include "tests/harness/desktop_test.h"

namespace e2e {
namespace {

using harness::kPatience;

class PositionMemoryTest : public harness::DesktopTest {
 protected:
  std::string SettingFileBytes() const {
    std::ifstream in(folder_ / "setting.dat", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
};

TEST_F(PositionMemoryTest, TheSignComesBackWhereItWasDoubleClicked) {
  harness::WindowId window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  harness::WindowGeometry g = desktop_.Geometry(window);
  EXPECT_EQ(g.x, kCreatedX);
  EXPECT_EQ(g.y, kCreatedY);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "setting.dat"));

  desktop_.Drag(kCreatedX + kPictureX, kCreatedY + kPictureY, kCreatedX + kPictureX + 100,
                kCreatedY + kPictureY + 50);
  g = WaitForPlace(window, 533, 315);
  ASSERT_EQ(g.x, 533);
  ASSERT_EQ(g.y, 315);
  desktop_.Click(g.x + kPictureX, g.y + kPictureY, 1, 2);
  ASSERT_EQ(program_->WaitFor(kPatience), std::optional<int>(0)) << Log();
  // 15 twips to the pixel at 96 DPI.
  EXPECT_EQ(SettingFileBytes(), "7995\r\n4725\r\n");

  window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  g = desktop_.Geometry(window);
  EXPECT_EQ(g.x, 533);
  EXPECT_EQ(g.y, 315);
}

}  // namespace
}  // namespace e2e
