// The real program's window on a private Xvfb.
#include <filesystem>
#include <sstream>
#include <thread>

#include "tests/harness/desktop_test.h"

namespace view_test {

using harness::DesktopTest;
using harness::kPatience;
namespace {

bool IsWhite(harness::Rgb c) { return c.r >= 245 && c.g >= 245 && c.b >= 245; }
bool IsGreen(harness::Rgb c) { return c.g > c.r + 60 && c.g > c.b + 40; }
bool IsOrange(harness::Rgb c) { return c.r > 200 && c.g > 80 && c.g < 170 && c.b < 90; }

// The labels' boxes in the window at 96 DPI.
struct Box {
  int x, y, w, h;
};
constexpr Box kDateLabel{56, 104, 217, 41};
constexpr Box kTimeLabel{56, 152, 217, 97};

// The values of an xprop line such as "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x13, 0x0".
std::vector<unsigned long> PropertyValues(const std::string& line) {
  std::vector<unsigned long> values;
  const std::size_t equals = line.find(" = ");
  if (equals == std::string::npos) return values;
  std::istringstream list(line.substr(equals + 3));
  std::string value;
  while (std::getline(list, value, ',')) values.push_back(std::stoul(value, nullptr, 0));
  return values;
}

using SignWindowTest = DesktopTest;

TEST_F(SignWindowTest, ComesUpAtItsPlaceWithoutFrameOrTaskbarEntry) {
  const harness::WindowId window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  const harness::WindowGeometry geometry = desktop_.Geometry(window);
  EXPECT_EQ(geometry.x, 433);
  EXPECT_EQ(geometry.y, 265);
  EXPECT_EQ(geometry.width, 284);
  EXPECT_EQ(geometry.height, 284);
  EXPECT_EQ(geometry.border, 0);
  EXPECT_TRUE(geometry.viewable);
  EXPECT_EQ(desktop_.Name(window), "Orvanta");

  const std::vector<std::string> state = desktop_.NetWmState(window);
  EXPECT_NE(std::find(state.begin(), state.end(), "_NET_WM_STATE_SKIP_TASKBAR"), state.end());
  EXPECT_NE(std::find(state.begin(), state.end(), "_NET_WM_STATE_SKIP_PAGER"), state.end());

  // Motif hints: flags, functions, decorations, ...; the decorations flag set and none asked.
  const std::vector<unsigned long> hints =
      PropertyValues(desktop_.Property(window, "_MOTIF_WM_HINTS"));
  ASSERT_GE(hints.size(), 3u);
  EXPECT_TRUE(hints[0] & 2);
  EXPECT_EQ(hints[2], 0u);
}

TEST_F(SignWindowTest, ComesUpAtItsPlaceEvenPartlyOffTheScreen) {
  // At 192 DPI the sign is 568 pixels high at Top 530: its foot lies below this 1024-pixel
  // screen, and it must not be pulled up.
  const harness::WindowId window = Start(ORVANTA_PROGRAM, 192);
  ASSERT_NE(window, 0u);
  const harness::WindowGeometry geometry = desktop_.Geometry(window);
  EXPECT_EQ(geometry.x, 866);
  EXPECT_EQ(geometry.y, 530);
}

TEST_F(SignWindowTest, PaintsThePictureAndTextInBothLabels) {
  const harness::WindowId window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  const harness::WindowGeometry g = desktop_.Geometry(window);
  const harness::Screenshot shot = Shot();
  const auto at = [&](int x, int y) { return shot.At(g.x + x, g.y + y); };
  EXPECT_TRUE(IsGreen(at(5, 140))) << ToString(at(5, 140));
  EXPECT_TRUE(IsGreen(at(45, 5))) << ToString(at(45, 5));
  EXPECT_TRUE(IsWhite(at(270, 270))) << ToString(at(270, 270));
  EXPECT_TRUE(IsWhite(at(100, 5))) << ToString(at(100, 5));
  EXPECT_TRUE(IsOrange(at(79, 38))) << ToString(at(79, 38));
  // The picture has no dark pixels: dark ones in a label's box are its text.
  for (const Box& label : {kDateLabel, kTimeLabel}) {
    EXPECT_GT(shot.CountDark(g.x + label.x, g.y + label.y, label.w, label.h), 100)
        << "label at " << label.x << "," << label.y;
  }
}

TEST_F(SignWindowTest, ADoubleClickOverALabelIsLostAndOneOverThePictureEndsTheProgram) {
  const harness::WindowId window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  const harness::WindowGeometry g = desktop_.Geometry(window);
  // Over the labels first: a move over the picture would set off the bounce, and the labels
  // would fly away from under the pointer.
  for (const Box& label : {kDateLabel, kTimeLabel}) {
    desktop_.Click(g.x + label.x + 20, g.y + label.y + 10, 1, 2);
    // Two clock ticks later the double-click has surely been handled.
    const int paints = CountLog("paint ");
    ASSERT_TRUE(WaitForLog("paint ", paints + 2)) << Log();
    EXPECT_TRUE(program_->Running())
        << "ended on a double-click over the label at " << label.x << "," << label.y;
  }
  desktop_.Click(g.x + 20, g.y + 20, 1, 2);
  EXPECT_EQ(program_->WaitFor(kPatience), std::optional<int>(0)) << Log();
  EXPECT_TRUE(std::filesystem::exists(folder_ / "setting.dat"));
}

// A screen large enough for the whole sign at 192 DPI.
class HighDpiSignWindowTest : public DesktopTest {
 protected:
  HighDpiSignWindowTest() : DesktopTest(1920, 1200) {}
};

TEST_F(HighDpiSignWindowTest, TheWindowDoublesAndWhiteShowsBesideThePicture) {
  const harness::WindowId window = Start(ORVANTA_PROGRAM, 192);
  ASSERT_NE(window, 0u);
  const harness::WindowGeometry g = desktop_.Geometry(window);
  // 7.5 twips to a pixel: the same twips give twice the pixels.
  EXPECT_EQ(g.x, 866);
  EXPECT_EQ(g.y, 530);
  EXPECT_EQ(g.width, 568);
  EXPECT_EQ(g.height, 568);
  const harness::Screenshot shot = Shot();
  const auto at = [&](int x, int y) { return shot.At(g.x + x, g.y + y); };
  // The picture keeps its own 285 x 284 pixels ...
  EXPECT_TRUE(IsGreen(at(45, 5))) << ToString(at(45, 5));
  EXPECT_TRUE(IsWhite(at(60, 5))) << ToString(at(60, 5));
  EXPECT_TRUE(IsOrange(at(79, 38))) << ToString(at(79, 38));
  // ... and the white ground shows to its right and below it.
  for (const auto& [x, y] :
       {std::pair{400, 100}, std::pair{100, 400}, std::pair{560, 560}, std::pair{20, 300}}) {
    EXPECT_TRUE(IsWhite(at(x, y))) << x << "," << y << ": " << ToString(at(x, y));
  }
}

TEST_F(SignWindowTest, AQuickDragBringsTheGrabbedPointUnderThePointer) {
  const harness::WindowId window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  // Pressed at 20,20 of the picture, released 100 right and 40 down with no pause between.
  desktop_.Drag(433 + 20, 265 + 20, 533 + 20, 305 + 20);
  const harness::WindowGeometry g = WaitForPlace(window, 533, 305);
  EXPECT_EQ(g.x, 533);
  EXPECT_EQ(g.y, 305);
}

// A tick rewrites both labels, but the date's text changes only at midnight: only the time's
// box (and then the date's) is drawn again, never the whole window.
TEST_F(SignWindowTest, AnIdleClockTickRepaintsOnlyTheLabelBoxes) {
  ASSERT_NE(Start(ORVANTA_PROGRAM), 0u);
  const int paints = CountLog("paint ");
  ASSERT_TRUE(WaitForLog("paint ", paints + 2)) << Log();
  std::istringstream lines(Log());
  std::string line;
  int full_paints = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("paint full", 0) == 0) {
      ++full_paints;
    } else if (line.rfind("paint ", 0) == 0) {
      EXPECT_TRUE(line == "paint part label-boxes=1" || line == "paint part label-boxes=2") << line;
    }
  }
  EXPECT_EQ(full_paints, 1) << Log();
}

TEST_F(SignWindowTest, TheBounceLeavesNoTrailOfTheLabels) {
  const harness::WindowId window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  const harness::WindowGeometry g = desktop_.Geometry(window);
  // A move over the picture sends both labels out of the sign; once they are out, their old
  // boxes show the picture again, with no dark pixel left over.
  desktop_.MovePointer(g.x + 20, g.y + 20);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  int dark = -1;
  while (dark != 0 && std::chrono::steady_clock::now() < deadline) {
    const harness::Screenshot shot = Shot();
    dark = shot.CountDark(g.x + kDateLabel.x, g.y + kDateLabel.y, kDateLabel.w,
                          kTimeLabel.y + kTimeLabel.h - kDateLabel.y);
  }
  EXPECT_EQ(dark, 0);
}

}  // namespace
}  // namespace view_test
