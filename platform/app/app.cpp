#include "platform/app/app.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// Without a display there is nothing to dispatch, and a message box goes to stderr.
class HeadlessBackend final : public AppBackend {
 public:
  void DoEvents() override {}

  [[noreturn]] void End(int status) override { _exit(status); }

  int MsgBox(const Text& prompt, int /*style*/, const Text& title) override {
    std::fprintf(stderr, "%s: %s\n", ToUtf8(title).c_str(), ToUtf8(prompt).c_str());
    return kMsgBoxOk;
  }
};

HeadlessBackend headless_backend;
AppBackend* current_backend = &headless_backend;

}  // namespace

AppBackend* SetAppBackend(AppBackend* backend) {
  AppBackend* previous = current_backend;
  current_backend = backend != nullptr ? backend : &headless_backend;
  return previous == &headless_backend ? nullptr : previous;
}

void DoEvents() { current_backend->DoEvents(); }

void End(int status) {
  current_backend->End(status);
  std::abort();  // a backend's End never returns
}

int MsgBox(const Text& prompt, int style, const Text& title) {
  return current_backend->MsgBox(prompt, style, title);
}

std::vector<ScreenArea> Screens() { return current_backend->Screens(); }

void ReportRuntimeError(const Text& caption, const std::exception& error) {
  MsgBox(FromUtf8(error.what()), kMsgBoxStop, caption);
  End(1);
}

}  // namespace platform
