// The probe form (view_probe.cpp) on a private Xvfb: fallback faces, and the runtime error.
#include <algorithm>

#include "tests/harness/desktop_test.h"

namespace view_test {

using harness::DesktopTest;
using harness::kPatience;
namespace {

class ProbeWindowTest : public DesktopTest {
 protected:
  // Double-clicks the probe's picture, which raises its runtime error, and returns the message
  // box that comes up, or 0 after a test failure.
  harness::WindowId RaiseErrorBox(harness::WindowId window) {
    const harness::WindowGeometry g = desktop_.Geometry(window);
    desktop_.Click(g.x + 20, g.y + 20, 1, 2);
    const std::vector<harness::WindowId> windows =
        desktop_.WaitForWindows(program_->Pid(), 2, kPatience);
    EXPECT_EQ(windows.size(), 2u) << Log();
    if (windows.size() != 2) return 0;
    return windows[0] == window ? windows[1] : windows[0];
  }
};

TEST_F(ProbeWindowTest, KanjiAreDrawnNotAsTheBoxesOfMissingGlyphs) {
  const harness::WindowId window = Start(ORVANTA_VIEW_PROBE);
  ASSERT_NE(window, 0u);
  const harness::WindowGeometry g = desktop_.Geometry(window);
  const harness::Screenshot shot = Shot();
  // The kanji label at 56,104 and the label of missing glyphs at 56,152, both 217 x 41 and
  // in the same face. Were the kanji missing from the face they are drawn in, both would show
  // the same four boxes.
  const int left = g.x + 56, kanji_top = g.y + 104, missing_top = g.y + 152;
  EXPECT_GT(shot.CountDark(left, kanji_top, 217, 41), 100);
  int differing = 0;
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 217; ++x) {
      const bool kanji_dark = shot.At(left + x, kanji_top + y).Dark();
      const bool missing_dark = shot.At(left + x, missing_top + y).Dark();
      differing += kanji_dark != missing_dark ? 1 : 0;
    }
  }
  EXPECT_GT(differing, 100);
}

TEST_F(ProbeWindowTest, ARuntimeErrorInAHandlerShowsTheBoxThenEndsWithStatusOne) {
  const harness::WindowId window = Start(ORVANTA_VIEW_PROBE);
  ASSERT_NE(window, 0u);
  const harness::WindowId box = RaiseErrorBox(window);
  ASSERT_NE(box, 0u);
  EXPECT_EQ(desktop_.Name(box), "Probe");
  // The box waits for the user, and the timers keep ticking meanwhile.
  const int ticks = CountLog("tick");
  EXPECT_TRUE(WaitForLog("tick", ticks + 3));
  EXPECT_TRUE(program_->Running());

  // OK sits in the middle of the bottom edge.
  const harness::WindowGeometry b = desktop_.Geometry(box);
  Shot();
  desktop_.Click(b.x + b.width / 2, b.y + b.height - 27);
  EXPECT_EQ(program_->WaitFor(kPatience), std::optional<int>(1)) << Log();
}

// The display is opened with the input method under the C locale, to spare its Compose table.
// The form must still run under the user's locale, and keys must still reach the box.
TEST_F(ProbeWindowTest, TheUsersLocaleStaysAndTheBoxAnswersTheReturnKey) {
  const harness::WindowId window = Start(ORVANTA_VIEW_PROBE, 0, {"env", "LC_ALL=ja_JP.UTF-8"});
  EXPECT_TRUE(WaitForLog("ctype ja_JP.UTF-8")) << Log();
  ASSERT_NE(window, 0u);
  const harness::WindowId box = RaiseErrorBox(window);
  ASSERT_NE(box, 0u);
  desktop_.Key(box, "Return");
  EXPECT_EQ(program_->WaitFor(kPatience), std::optional<int>(1)) << Log();
}

}  // namespace
}  // namespace view_test
