#include "platform/forms/mouse_router.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/form.h"

namespace platform {
namespace {

// A form with one label at (100..199, 100..149) that logs the events reaching its handlers.
class LoggingForm : public Form {
 public:
  LoggingForm() { AddLabel(label); }
  void Form_DblClick() override { log.push_back("dblclick"); }
  void Form_MouseDown(int button, int, float x, float y) override { Log("down", button, x, y); }
  void Form_MouseMove(int button, int, float x, float y) override { Log("move", button, x, y); }
  void Form_MouseUp(int button, int, float x, float y) override { Log("up", button, x, y); }

  Label label{100, 100, 100, 50, {u"Impact", 24}, u"x"};
  std::vector<std::string> log;

 private:
  void Log(const char* what, int button, float x, float y) {
    log.push_back(std::string(what) + " " + std::to_string(button) + " " +
                  std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
  }
};

struct Event {
  MouseAction action;
  int button;
  float x;
  float y;
};

struct Case {
  const char* name;
  std::vector<Event> events;
  std::vector<std::string> expected;
};

TEST(MouseRouter, DeliversOnlyWhatTheLabelsDoNotTake) {
  using enum MouseAction;
  const Case cases[] = {
      {"moves over the picture reach the form, over the label they are lost",
       {{kMove, 0, 10, 10}, {kMove, 0, 150, 120}, {kMove, 0, 20, 20}},
       {"move 0 10,10", "move 0 20,20"}},
      {"a press on the picture captures the mouse, over the label and off the window",
       {{kPress, 1, 10, 10},
        {kMove, 1, 150, 120},
        {kMove, 1, -500, 9000},
        {kRelease, 1, 150, 120},
        {kMove, 0, 150, 120}},
       {"down 1 10,10", "move 1 150,120", "move 1 -500,9000", "up 1 150,120"}},
      {"a press on the label is taken by the label up to its release",
       {{kPress, 2, 150, 120}, {kMove, 2, 10, 10}, {kRelease, 2, 10, 10}, {kMove, 0, 10, 10}},
       {"move 0 10,10"}},
      {"the capture lasts until the last held button is released",
       {{kPress, 1, 10, 10},
        {kPress, 4, 12, 12},
        {kRelease, 1, 150, 120},
        {kMove, 4, 150, 120},
        {kRelease, 4, 150, 120},
        {kMove, 0, 150, 120}},
       {"down 1 10,10", "down 4 12,12", "up 1 150,120", "move 4 150,120", "up 4 150,120"}},
      {"a double-click on the picture comes in place of the second press",
       {{kPress, 1, 10, 10},
        {kRelease, 1, 10, 10},
        {kDoubleClick, 1, 10, 10},
        {kRelease, 1, 10, 10}},
       {"down 1 10,10", "up 1 10,10", "dblclick", "up 1 10,10"}},
      {"a double-click on the label does nothing",
       {{kPress, 1, 150, 120},
        {kRelease, 1, 150, 120},
        {kDoubleClick, 1, 150, 120},
        {kRelease, 1, 150, 120}},
       {}},
  };
  for (const Case& c : cases) {
    LoggingForm form;
    MouseRouter router(form);
    for (const Event& e : c.events) router.Deliver(e.action, e.button, 0, e.x, e.y);
    EXPECT_EQ(form.log, c.expected) << c.name;
  }
}

TEST(MouseRouter, TheLabelsBoxMovesWithItsTop) {
  LoggingForm form;
  MouseRouter router(form);
  form.label.SetTop(-1000);
  router.Deliver(MouseAction::kMove, 0, 0, 150, 120);
  router.Deliver(MouseAction::kMove, 0, 0, 150, -980);
  EXPECT_EQ(form.log, std::vector<std::string>{"move 0 150,120"});
}

}  // namespace
}  // namespace platform
