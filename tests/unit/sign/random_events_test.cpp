// Feeds the sign a long random mix of mouse events and timer ticks and checks the invariants of
// dragging and bouncing after every one. The seed is printed; set ORVANTA_SEED to replay a run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "platform/forms/mouse_router.h"
#include "sign/form1.h"
#include "tests/unit/sign/sign_fixture.h"

namespace sign {
namespace {

using RandomEventsTest = testing::SignFixture;
using platform::MouseAction;

constexpr int kEvents = 1'000'000;
constexpr float kLabel1Home = 1560;
constexpr float kLabel2Home = 2280;

std::uint64_t ChooseSeed() {
  if (const char* text = std::getenv("ORVANTA_SEED")) return std::stoull(text);
  return std::random_device{}();
}

TEST_F(RandomEventsTest, DragAndBounceKeepTheirInvariants) {
  const std::uint64_t seed = ChooseSeed();
  std::cout << "ORVANTA_SEED=" << seed << "\n";
  RecordProperty("seed", std::to_string(seed));
  std::mt19937_64 random(seed);

  Form1& form = LoadedForm();
  platform::MouseRouter router(form);
  std::uniform_int_distribution<int> kind(0, 99);
  std::uniform_int_distribution<int> button_bit(0, 2);
  std::uniform_int_distribution<int> coordinate(-1500, 5800);
  int completed_cycles = 0;

  for (int event = 0; event < kEvents; ++event) {
    const bool was_dragging = form.DragActive != kFalse;
    const bool was_bouncing = form.Timer2.Running();
    const float left = form.Left();
    const float top = form.Top();

    const int roll = kind(random);
    const int button = 1 << button_bit(random);
    const auto x = static_cast<float>(coordinate(random));
    const auto y = static_cast<float>(coordinate(random));
    if (roll < 10) {
      router.Deliver(MouseAction::kPress, button, 0, x, y);
    } else if (roll < 25) {
      router.Deliver(MouseAction::kMove, button, 0, x, y);
    } else if (roll < 35) {
      router.Deliver(MouseAction::kRelease, button, 0, x, y);
    } else if (roll < 37) {
      form.Timer1.Tick();
    } else {
      form.Timer2.Tick();
    }

    ASSERT_EQ(form.Label2.Top() - kLabel2Home, kLabel1Home - form.Label1.Top())
        << "event " << event << ", seed " << seed;
    ASSERT_TRUE(form.BounceTick >= 0 && form.BounceTick <= 402)
        << "BounceTick " << form.BounceTick << " at event " << event << ", seed " << seed;
    if (!was_dragging) {
      ASSERT_TRUE(form.Left() == left && form.Top() == top)
          << "the window moved without a drag at event " << event << ", seed " << seed;
    }
    if (was_bouncing && !form.Timer2.Running()) {
      ++completed_cycles;
      ASSERT_EQ(form.Label1.Top(), kLabel1Home) << "event " << event << ", seed " << seed;
      ASSERT_EQ(form.Label2.Top(), kLabel2Home) << "event " << event << ", seed " << seed;
      ASSERT_EQ(form.BounceTick, 0) << "event " << event << ", seed " << seed;
    }
  }
  EXPECT_GT(completed_cycles, 100) << "the mix should complete many cycles";
}

}  // namespace
}  // namespace sign
