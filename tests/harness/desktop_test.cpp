#include "tests/harness/desktop_test.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace harness {

DesktopTest::DesktopTest(int width, int height)
    : server_(width, height), desktop_(server_.Display()) {
  // The pointer starts in the middle of the screen, over the sign: a window that comes up
  // under it gets a mouse move, which sets off the label bounce. Keep it out of the way.
  desktop_.MovePointer(0, 0);
}

void DesktopTest::TearDown() {
  if (HasFailure()) {
    folder_.Keep();
    std::cerr << "test files kept in " << folder_.Path() << "\n";
  }
}

WindowId DesktopTest::Start(const std::string& program, int dpi,
                            const std::vector<std::string>& launcher) {
  if (dpi > 0) server_.SetXftDpi(dpi);
  SpawnOptions options;
  options.argv = launcher;
  options.argv.push_back(folder_.CopyIn(program).string());
  options.env = server_.Environment();
  options.env["ORVANTA_PAINT_LOG"] = "1";
  options.working_dir = folder_.Path().string();
  options.stderr_path = (folder_ / "stderr.log").string();
  program_ = std::make_unique<Process>(options);

  const std::vector<WindowId> windows = desktop_.WaitForWindows(program_->Pid(), 1, kPatience);
  if (windows.empty()) {
    ADD_FAILURE() << "no window came up; stderr:\n" << Log();
    return 0;
  }
  if (!WaitForLog("first-paint")) {
    ADD_FAILURE() << "the window was never painted; stderr:\n" << Log();
    return 0;
  }
  return windows.front();
}

std::string DesktopTest::Log() const {
  std::ifstream in(folder_ / "stderr.log");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int DesktopTest::CountLog(const std::string& prefix) const {
  std::istringstream lines(Log());
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) count += line.rfind(prefix, 0) == 0 ? 1 : 0;
  return count;
}

bool DesktopTest::WaitForLog(const std::string& prefix, int count) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (CountLog(prefix) < count) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

WindowGeometry DesktopTest::WaitForPlace(WindowId window, int x, int y) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  WindowGeometry g = desktop_.Geometry(window);
  while ((g.x != x || g.y != y) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    g = desktop_.Geometry(window);
  }
  return g;
}

Screenshot DesktopTest::Shot() {
  Screenshot shot = desktop_.TakeScreenshot();
  shot.Save(folder_ / "screen.ppm");
  return shot;
}

}  // namespace harness
