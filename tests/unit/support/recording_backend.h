// A message-loop backend for tests: counts the yields, can run a handler inside one, and
// records message boxes instead of showing them.
#pragma once

#include <functional>
#include <vector>

#include "platform/app/app.h"

namespace orvanta_test {

struct ShownBox {
  platform::Text prompt;
  int style = 0;
  platform::Text title;
};

struct EndCalled {
  int status = 0;
};

class RecordingBackend final : public platform::AppBackend {
 public:
  RecordingBackend() : previous_(platform::SetAppBackend(this)) {}
  RecordingBackend(const RecordingBackend&) = delete;
  RecordingBackend& operator=(const RecordingBackend&) = delete;
  ~RecordingBackend() override { platform::SetAppBackend(previous_); }

  void DoEvents() override {
    ++yields;
    if (on_yield) on_yield();
  }
  [[noreturn]] void End(int status) override { throw EndCalled{status}; }
  int MsgBox(const platform::Text& prompt, int style, const platform::Text& title) override {
    boxes.push_back({prompt, style, title});
    return platform::kMsgBoxOk;
  }

  int yields = 0;
  std::function<void()> on_yield;  // a handler that runs during every yield
  std::vector<ShownBox> boxes;

 private:
  platform::AppBackend* previous_;
};

}  // namespace orvanta_test
