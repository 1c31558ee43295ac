// A private Xvfb with one program on it, run from a copy in a fresh folder (the program keeps
// its setting file beside itself).
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/harness/process.h"
#include "tests/harness/screenshot.h"
#include "tests/harness/temp_dir.h"
#include "tests/harness/x_desktop.h"
#include "tests/harness/xvfb_server.h"

namespace harness {

// Generous, since a loaded machine may be slow; no check depends on the time taken.
constexpr std::chrono::seconds kPatience(20);

class DesktopTest : public ::testing::Test {
 protected:
  // The screen's size in pixels.
  explicit DesktopTest(int width = 1280, int height = 1024);
  // Keeps the test's folder (program copy, stderr log, last screenshot) when the test failed.
  void TearDown() override;

  // Starts the program (copied into the test's folder), with the paint log on, and waits
  // until its window has been painted once. Returns the window, or 0 after a test failure.
  // `launcher` goes before the program's path, e.g. to run it as another user.
  WindowId Start(const std::string& program, int dpi = 0,
                 const std::vector<std::string>& launcher = {});

  // Waits until the program's stderr holds `count` lines that start with `prefix`.
  bool WaitForLog(const std::string& prefix, int count = 1);
  int CountLog(const std::string& prefix) const;
  std::string Log() const;

  // Waits until the window stands at x, y; returns where it stands then (moves reach the X
  // server a little after the program makes them).
  WindowGeometry WaitForPlace(WindowId window, int x, int y);

  // A screenshot, also saved in the test's folder for a look when a check fails.
  Screenshot Shot();

  XvfbServer server_;
  XDesktop desktop_;
  TempDir folder_;
  std::unique_ptr<Process> program_;
};

}  // namespace harness
