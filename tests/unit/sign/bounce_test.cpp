#include <gtest/gtest.h>

#include "sign/form1.h"
#include "tests/unit/sign/scripted_app.h"
#include "tests/unit/sign/sign_fixture.h"

namespace sign {
namespace {

using BounceTest = testing::SignFixture;

// Runs Timer2's ticks the way the message loop delivers them: only while it runs.
int TickUntilStopped(Form1& form, int limit = 10000) {
  int ticks = 0;
  while (form.Timer2.Running() && ticks < limit) {
    form.Timer2.Tick();
    ++ticks;
  }
  return ticks;
}

TEST_F(BounceTest, AMoveSetsOffOneCycleOf402TicksThatEndsExactlyHome) {
  Form1& form = LoadedForm();
  form.Form_MouseMove(0, 0, 100, 100);
  ASSERT_TRUE(form.Timer2.Running());

  struct Checkpoint {
    int tick;
    float label1_top;
    float label2_top;
    int bounce_tick;
  };
  const Checkpoint checkpoints[] = {
      {1, 1510, 2330, 1},       {40, -440, 4280, 40},   {201, -8490, 12330, 201},
      {202, -8440, 12280, 202}, {401, 1510, 2330, 401}, {402, 1560, 2280, 0},
  };
  int ticks = 0;
  for (const Checkpoint& c : checkpoints) {
    while (ticks < c.tick) {
      ASSERT_TRUE(form.Timer2.Running()) << "stopped early, after tick " << ticks;
      form.Timer2.Tick();
      ++ticks;
      // Label2 always lies as far below its home as Label1 lies above its own.
      ASSERT_EQ(form.Label2.Top() - 2280, 1560 - form.Label1.Top()) << "tick " << ticks;
    }
    EXPECT_EQ(form.Label1.Top(), c.label1_top) << "after tick " << c.tick;
    EXPECT_EQ(form.Label2.Top(), c.label2_top) << "after tick " << c.tick;
    EXPECT_EQ(form.BounceTick, c.bounce_tick) << "after tick " << c.tick;
  }
  EXPECT_FALSE(form.Timer2.Running());
}

TEST_F(BounceTest, MovesDuringACycleNeitherRestartNorLengthenIt) {
  Form1& form = LoadedForm();
  form.Form_MouseMove(0, 0, 100, 100);
  int ticks = 0;
  while (form.Timer2.Running()) {
    if (ticks % 7 == 0) form.Form_MouseMove(0, 0, 100 + ticks, 100);
    if (ticks == 300) {  // a whole drag in the return half leaves the cycle alone too
      form.Form_MouseDown(platform::kLeftButton, 0, 50, 50);
      form.Form_MouseMove(platform::kLeftButton, 0, 80, 20);
      form.Form_MouseUp(platform::kLeftButton, 0, 80, 20);
    }
    form.Timer2.Tick();
    ++ticks;
  }
  EXPECT_EQ(ticks, 402);
  EXPECT_EQ(form.Label1.Top(), 1560);
  EXPECT_EQ(form.Label2.Top(), 2280);
}

TEST_F(BounceTest, TheNextMoveAfterACycleStartsAnotherOne) {
  Form1& form = LoadedForm();
  form.Form_MouseMove(0, 0, 100, 100);
  EXPECT_EQ(TickUntilStopped(form), 402);
  form.Form_MouseMove(0, 0, 101, 100);
  EXPECT_EQ(TickUntilStopped(form), 402);
  EXPECT_EQ(form.Label1.Top(), 1560);
}

// The window is visible while the setting file is read at start-up, and the read lets waiting
// events run. Moves and ticks handled then must not shift the labels' resting place.
TEST_F(BounceTest, EventsDuringTheStartUpReadLeaveTheLabelsHome) {
  WriteSettingFile("1200\r\n300\r\n");
  Form1 form;
  app.on_yield = [&] {
    form.Form_MouseMove(0, 0, 100, 100);
    for (int i = 0; i < 5; ++i) form.Timer2.Tick();
    form.Timer1.Tick();
  };
  form.Form_Load();
  app.on_yield = nullptr;
  ASSERT_GT(app.yields, 0) << "the start-up read should yield";
  EXPECT_EQ(form.Left(), 1200);
  EXPECT_EQ(form.Label1HomeTop, 1560);
  EXPECT_EQ(form.Label1.Top(), 1560);
  EXPECT_EQ(form.Label2.Top(), 2280);

  form.Form_MouseMove(0, 0, 100, 100);
  EXPECT_EQ(TickUntilStopped(form), 402);
  EXPECT_EQ(form.Label1.Top(), 1560);
  EXPECT_EQ(form.Label2.Top(), 2280);
}

}  // namespace
}  // namespace sign
