// The message loop and the services around it: yielding to waiting events, ending the program,
// the message box and the report of a runtime error.
//
// The services go through a backend. The desktop view installs one that talks to the display;
// without it a headless backend serves, and tests install their own to inject events during a
// yield or to catch a message box.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text/text.h"

namespace platform {

// The platform's runtime error: an error that a handler does not trap. It ends the program with
// a message box. what() is UTF-8 and names the file and the reason where there is one.
class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Message box styles, as the system passes them.
constexpr int kMsgBoxStop = 16;  // stop icon, one OK button
constexpr int kMsgBoxOk = 1;     // the answer of the OK button

// A screen's area on the desktop, in twips.
struct ScreenArea {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

class AppBackend {
 public:
  virtual ~AppBackend() = default;
  // Dispatches every waiting event, then returns. Handlers may run nested inside it.
  virtual void DoEvents() = 0;
  // Ends the program at once: no further handler runs.
  [[noreturn]] virtual void End(int status) = 0;
  // Shows a modal message box and waits until the user closes it.
  virtual int MsgBox(const Text& prompt, int style, const Text& title) = 0;
  // The areas of the screens, in twips; empty when unknown (no display).
  virtual std::vector<ScreenArea> Screens() { return {}; }
};

// Installs a backend; nullptr restores the headless one. Returns the previous backend.
AppBackend* SetAppBackend(AppBackend* backend);

void DoEvents();
[[noreturn]] void End(int status = 0);
int MsgBox(const Text& prompt, int style, const Text& title);
std::vector<ScreenArea> Screens();

// Runs a handler the way the message loop does: a RuntimeError or any other exception that
// escapes it is shown in a stop box titled `caption`, and the program ends with status 1.
template <typename Handler>
void RunHandler(const Text& caption, Handler&& handler);

// Shows the runtime-error box for `error` and ends the program with status 1.
[[noreturn]] void ReportRuntimeError(const Text& caption, const std::exception& error);

template <typename Handler>
void RunHandler(const Text& caption, Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ReportRuntimeError(caption, error);
  }
}

}  // namespace platform
