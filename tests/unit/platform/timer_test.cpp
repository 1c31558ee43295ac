#include "platform/forms/timer.h"

#include <gtest/gtest.h>

#include "platform/forms/form.h"

namespace platform {
namespace {

class CountingObserver : public FormObserver {
 public:
  void FormShown(Form&) override {}
  void FormMoved(Form&) override {}
  void LabelChanged(Label&, float) override {}
  void TimerChanged(Timer&) override { ++timer_changes; }
  int timer_changes = 0;
};

TEST(Timer, StartingARunningTimerChangesNothing) {
  CountingObserver observer;
  Timer timer(20, false, [] {});
  timer.SetObserver(&observer);
  timer.Start();
  timer.Start();
  EXPECT_TRUE(timer.Running());
  EXPECT_EQ(observer.timer_changes, 1);
}

TEST(Timer, ATickThatWasWaitingWhenTheTimerStoppedIsDropped) {
  int ticks = 0;
  Timer timer(20, true, [&] { ++ticks; });
  timer.Tick();
  timer.Stop();
  timer.Tick();
  EXPECT_EQ(ticks, 1);
}

TEST(Label, TopReadsBackExactlyWhatWasSetAndTellsTheView) {
  struct Observer : CountingObserver {
    void LabelChanged(Label&, float old) override { old_tops.push_back(old); }
    std::vector<float> old_tops;
  } observer;
  Label label(840, 1560, 3255, 615, {u"Impact", 24}, u"Label1");
  label.SetObserver(&observer);
  label.SetTop(-8490.0F);
  label.SetCaption(u"x");
  label.SetCaption(u"x");  // the same text again needs no redraw
  EXPECT_EQ(label.Top(), -8490.0F);
  EXPECT_EQ(observer.old_tops, (std::vector<float>{1560.0F, -8490.0F}));
}

}  // namespace
}  // namespace platform
