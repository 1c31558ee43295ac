#include <gtest/gtest.h>

#include "platform/forms/mouse_router.h"
#include "sign/form1.h"
#include "tests/unit/sign/sign_fixture.h"

namespace sign {
namespace {

using DragTest = testing::SignFixture;
using platform::MouseAction;

TEST_F(DragTest, AnyButtonDragsTheGrabbedPointAlongWithThePointer) {
  struct Case {
    const char* name;
    int button;
    float dx;
    float dy;
  };
  const Case cases[] = {
      {"left button, down and right", platform::kLeftButton, 300, 150},
      {"right button, up and left", platform::kRightButton, -450, -6000},
      {"middle button, sideways only", platform::kMiddleButton, 15, 0},
  };
  for (const Case& c : cases) {
    Form1& form = LoadedForm();
    platform::MouseRouter router(form);
    const float left = form.Left();
    const float top = form.Top();
    // Grab the picture at (300, 300) and move the pointer by dx, dy in screen terms. After each
    // move the event's point is relative to the window where it now stands.
    router.Deliver(MouseAction::kPress, c.button, 0, 300, 300);
    float screen_x = left + 300;
    float screen_y = top + 300;
    for (int step = 1; step <= 3; ++step) {
      screen_x += c.dx / 3;
      screen_y += c.dy / 3;
      router.Deliver(MouseAction::kMove, c.button, 0, screen_x - form.Left(),
                     screen_y - form.Top());
      EXPECT_EQ(form.Left() + 300, screen_x) << c.name;
      EXPECT_EQ(form.Top() + 300, screen_y) << c.name;
    }
    router.Deliver(MouseAction::kRelease, c.button, 0, 300, 300);
    EXPECT_EQ(form.Left(), left + c.dx) << c.name;
    EXPECT_EQ(form.Top(), top + c.dy) << c.name;
    EXPECT_EQ(form.DragActive, kFalse) << c.name;
  }
}

TEST_F(DragTest, OnlyTheFlagDecidesWhetherAMoveDrags) {
  Form1& form = LoadedForm();
  form.Form_MouseDown(platform::kLeftButton, 0, 100, 100);
  EXPECT_EQ(form.DragActive, kTrue);

  // No button is held during this move, yet the drag flag is still set.
  form.Form_MouseMove(0, 0, 130, 90);
  EXPECT_EQ(form.Left(), 6495 + 30);
  EXPECT_EQ(form.Top(), 3975 - 10);

  form.Form_MouseUp(platform::kRightButton, 0, 0, 0);
  EXPECT_EQ(form.DragActive, kFalse);
  form.Form_MouseMove(0, 0, 500, 500);
  EXPECT_EQ(form.Left(), 6495 + 30);
  EXPECT_EQ(form.Top(), 3975 - 10);
  EXPECT_TRUE(form.Timer2.Running()) << "every move starts the bounce, drag or not";
}

TEST_F(DragTest, APressOverALabelStartsNoDrag) {
  Form1& form = LoadedForm();
  platform::MouseRouter router(form);
  const float label_x = form.Label2.Left() + 10;
  const float label_y = form.Label2.Top() + 10;
  router.Deliver(MouseAction::kPress, platform::kLeftButton, 0, label_x, label_y);
  router.Deliver(MouseAction::kMove, platform::kLeftButton, 0, 10, 10);
  EXPECT_EQ(form.DragActive, kFalse);
  EXPECT_EQ(form.Left(), 6495);
  EXPECT_EQ(form.Top(), 3975);
  EXPECT_FALSE(form.Timer2.Running()) << "the label took the move";
}

TEST_F(DragTest, AMoveBackToThePressPointLeavesTheWindowButStartsTheBounce) {
  Form1& form = LoadedForm();
  form.Form_MouseDown(platform::kLeftButton, 0, 100, 100);
  form.Form_MouseMove(platform::kLeftButton, 0, 100, 100);
  EXPECT_EQ(form.Left(), 6495);
  EXPECT_EQ(form.Top(), 3975);
  EXPECT_TRUE(form.Timer2.Running());
}

}  // namespace
}  // namespace sign
