// A stand-in for the message loop while tests drive Form1's handlers directly: it counts yields
// and runs whatever the test injects into them, records message boxes, turns End into an
// exception the test can catch, and reports the screens the test chooses.
#pragma once

#include <functional>
#include <vector>

#include "platform/app/app.h"

namespace sign::testing {

struct Ended {
  int status;
};

struct ShownBox {
  platform::Text prompt;
  int style;
  platform::Text title;
};

class ScriptedApp : public platform::AppBackend {
 public:
  ScriptedApp() : previous_(platform::SetAppBackend(this)) {}
  ~ScriptedApp() override { platform::SetAppBackend(previous_); }
  ScriptedApp(const ScriptedApp&) = delete;
  ScriptedApp& operator=(const ScriptedApp&) = delete;

  void DoEvents() override {
    ++yields;
    if (on_yield) on_yield();
  }
  [[noreturn]] void End(int status) override { throw Ended{status}; }
  int MsgBox(const platform::Text& prompt, int style, const platform::Text& title) override {
    boxes.push_back({prompt, style, title});
    return platform::kMsgBoxOk;
  }
  std::vector<platform::ScreenArea> Screens() override { return screens; }

  std::function<void()> on_yield;
  int yields = 0;
  std::vector<ShownBox> boxes;
  std::vector<platform::ScreenArea> screens;

 private:
  platform::AppBackend* previous_;
};

}  // namespace sign::testing
