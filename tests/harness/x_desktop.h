// Looks at and drives one X display through the usual tools: xdotool for the pointer and
// window searches, xwininfo and xprop for window facts, ImageMagick's import for screenshots.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/harness/process.h"
#include "tests/harness/screenshot.h"

namespace harness {

using WindowId = unsigned long;

struct WindowGeometry {
  int x = 0;  // upper-left corner on the screen
  int y = 0;
  int width = 0;
  int height = 0;
  int border = 0;
  bool viewable = false;
};

class XDesktop {
 public:
  explicit XDesktop(std::string display) : display_(std::move(display)) {}

  const std::string& Display() const { return display_; }

  // Runs a tool against the display; throws std::runtime_error when it fails.
  std::string Tool(const std::vector<std::string>& argv) const;
  CommandResult TryTool(const std::vector<std::string>& argv) const;

  // The visible top-level windows of a process (by _NET_WM_PID) or with a matching name
  // (a regular expression, as xdotool takes it).
  std::vector<WindowId> WindowsOfProcess(pid_t pid) const;
  std::vector<WindowId> WindowsNamed(const std::string& pattern) const;
  // Waits until the process shows at least `count` windows; returns them, or an empty list
  // when they do not come within `limit`.
  std::vector<WindowId> WaitForWindows(pid_t pid, std::size_t count,
                                       std::chrono::milliseconds limit) const;

  WindowGeometry Geometry(WindowId window) const;
  std::string Name(WindowId window) const;
  // The raw xprop line of one property, such as "_NET_WM_STATE(ATOM) = ...".
  std::string Property(WindowId window, const std::string& name) const;
  // The atoms in the window's _NET_WM_STATE.
  std::vector<std::string> NetWmState(WindowId window) const;

  // The pointer moves without xdotool's --sync, which waits for a motion that never comes when
  // the pointer already stands at the target. The X server handles one client's requests in
  // order, so a click after a move still lands where the move went.
  void MovePointer(int x, int y) const;
  // Clicks `count` times in a row at x, y with `button` (1 left, 2 middle, 3 right).
  void Click(int x, int y, int button = 1, int count = 1) const;
  // Presses a button at `from`, moves to `to` and releases it there.
  void Drag(int from_x, int from_y, int to_x, int to_y, int button = 1) const;
  // Gives `window` the input focus and types `key` (an xdotool key name such as "Return").
  void Key(WindowId window, const std::string& key) const;

  Screenshot TakeScreenshot() const;

 private:
  std::string display_;
};

}  // namespace harness
