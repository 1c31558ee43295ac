#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/e2e/sign_geometry.h"
#include "tests/harness/desktop_test.h"

namespace e2e {
namespace {

using harness::kPatience;

class DragAndBounceTest : public harness::DesktopTest {
 protected:
  // The dark pixels in the boxes that the labels cover at rest.
  int DarkInLabelBoxes(const harness::WindowGeometry& g) {
    return Shot().CountDark(g.x + kDateLabel.x, g.y + kDateLabel.y, kDateLabel.w,
                            kTimeLabel.y + kTimeLabel.h - kDateLabel.y);
  }
};

TEST_F(DragAndBounceTest, LeftAndRightButtonsDragTheSignByThePointersTravel) {
  struct Case {
    int button;  // as xdotool numbers them: 1 left, 3 right
    int dx;
    int dy;
  };
  const Case cases[] = {{1, 150, 120}, {3, -200, -90}};
  const harness::WindowId window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  int x = kCreatedX;
  int y = kCreatedY;
  for (const Case& c : cases) {
    desktop_.Drag(x + kPictureX, y + kPictureY, x + kPictureX + c.dx, y + kPictureY + c.dy,
                  c.button);
    x += c.dx;
    y += c.dy;
    const harness::WindowGeometry g = WaitForPlace(window, x, y);
    EXPECT_EQ(g.x, x) << "button " << c.button;
    EXPECT_EQ(g.y, y) << "button " << c.button;
  }
}

// A move over the picture sends the labels out of the sign; 402 ticks of 20 ms later they are
// back, drawn exactly as before. Waits are generous and polled, so a slow machine only makes the
// test longer.
TEST_F(DragAndBounceTest, AMoveSendsTheLabelsOutAndBringsThemBackHome) {
  const harness::WindowId window = Start(ORVANTA_PROGRAM);
  ASSERT_NE(window, 0u);
  const harness::WindowGeometry g = desktop_.Geometry(window);
  const harness::Screenshot before = Shot();
  ASSERT_GT(DarkInLabelBoxes(g), 100) << "the labels should show text at rest";

  desktop_.MovePointer(g.x + kPictureX, g.y + kPictureY);
  ASSERT_TRUE(WaitForLog("timer-start 20")) << Log();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_EQ(DarkInLabelBoxes(g), 0) << "one second in, both labels should be out of the sign";

  std::this_thread::sleep_for(std::chrono::milliseconds(7500));
  ASSERT_TRUE(WaitForLog("timer-stop 20")) << "the bounce never ended:\n" << Log();
  const harness::Screenshot after = Shot();
  int differing = 0;
  for (int y = 0; y < kDateLabel.h; ++y) {
    for (int x = 0; x < kDateLabel.w; ++x) {
      const int sx = g.x + kDateLabel.x + x;
      const int sy = g.y + kDateLabel.y + y;
      differing += before.At(sx, sy) == after.At(sx, sy) ? 0 : 1;
    }
  }
  EXPECT_EQ(differing, 0) << "the date label is not back home pixel for pixel";
}

}  // namespace
}  // namespace e2e
