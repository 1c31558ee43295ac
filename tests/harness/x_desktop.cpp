#include "tests/harness/x_desktop.h"

#include <sstream>
#include <stdexcept>
#include <thread>

namespace harness {
namespace {

std::vector<WindowId> ParseIds(const std::string& text) {
  std::vector<WindowId> ids;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty()) ids.push_back(std::stoul(line, nullptr, 0));
  }
  return ids;
}

std::string Hex(WindowId window) {
  std::ostringstream text;
  text << "0x" << std::hex << window;
  return text.str();
}

// The number after `label` in xwininfo's report, such as "Width: 284".
int Field(const std::string& report, const std::string& label) {
  const std::size_t at = report.find(label);
  if (at == std::string::npos) throw std::runtime_error("xwininfo: no field " + label);
  return std::stoi(report.substr(at + label.size()));
}

}  // namespace

CommandResult XDesktop::TryTool(const std::vector<std::string>& argv) const {
  return RunCommand(argv, {{"DISPLAY", display_}});
}

std::string XDesktop::Tool(const std::vector<std::string>& argv) const {
  const CommandResult result = TryTool(argv);
  if (result.status != 0) {
    throw std::runtime_error(argv.front() + " failed (status " + std::to_string(result.status) +
                             "): " + result.err);
  }
  return result.out;
}

std::vector<WindowId> XDesktop::WindowsOfProcess(pid_t pid) const {
  // xdotool answers with status 1 when nothing matches.
  return ParseIds(
      TryTool({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid)}).out);
}

std::vector<WindowId> XDesktop::WindowsNamed(const std::string& pattern) const {
  return ParseIds(TryTool({"xdotool", "search", "--onlyvisible", "--name", pattern}).out);
}

std::vector<WindowId> XDesktop::WaitForWindows(pid_t pid, std::size_t count,
                                               std::chrono::milliseconds limit) const {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (true) {
    std::vector<WindowId> windows = WindowsOfProcess(pid);
    if (windows.size() >= count) return windows;
    if (std::chrono::steady_clock::now() >= deadline) return {};
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

WindowGeometry XDesktop::Geometry(WindowId window) const {
  const std::string report = Tool({"xwininfo", "-id", Hex(window)});
  WindowGeometry geometry;
  geometry.x = Field(report, "Absolute upper-left X:");
  geometry.y = Field(report, "Absolute upper-left Y:");
  geometry.width = Field(report, "Width:");
  geometry.height = Field(report, "Height:");
  geometry.border = Field(report, "Border width:");
  geometry.viewable = report.find("Map State: IsViewable") != std::string::npos;
  return geometry;
}

std::string XDesktop::Name(WindowId window) const {
  std::string name = Tool({"xdotool", "getwindowname", std::to_string(window)});
  while (!name.empty() && name.back() == '\n') name.pop_back();
  return name;
}

std::string XDesktop::Property(WindowId window, const std::string& name) const {
  std::string line = Tool({"xprop", "-id", Hex(window), name});
  while (!line.empty() && line.back() == '\n') line.pop_back();
  return line;
}

std::vector<std::string> XDesktop::NetWmState(WindowId window) const {
  const std::string line = Property(window, "_NET_WM_STATE");
  std::vector<std::string> atoms;
  const std::size_t equals = line.find(" = ");
  if (equals == std::string::npos) return atoms;  // "not found" or "no such atom"
  std::istringstream list(line.substr(equals + 3));
  std::string atom;
  while (std::getline(list, atom, ',')) {
    const std::size_t start = atom.find_first_not_of(' ');
    if (start != std::string::npos) atoms.push_back(atom.substr(start));
  }
  return atoms;
}

void XDesktop::MovePointer(int x, int y) const {
  Tool({"xdotool", "mousemove", std::to_string(x), std::to_string(y)});
}

void XDesktop::Click(int x, int y, int button, int count) const {
  Tool({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "--repeat",
        std::to_string(count), "--delay", "60", std::to_string(button)});
}

void XDesktop::Drag(int from_x, int from_y, int to_x, int to_y, int button) const {
  Tool({"xdotool", "mousemove", std::to_string(from_x), std::to_string(from_y), "mousedown",
        std::to_string(button), "mousemove", std::to_string(to_x), std::to_string(to_y), "mouseup",
        std::to_string(button)});
}

void XDesktop::Key(WindowId window, const std::string& key) const {
  // The key goes to the window with the input focus; xdotool's own --window option sends a
  // synthetic event that it cannot address while the focus is the pointer root.
  Tool({"xdotool", "windowfocus", std::to_string(window), "key", key});
}

Screenshot XDesktop::TakeScreenshot() const {
  return Screenshot::FromPpm(
      Tool({"import", "-silent", "-window", "root", "-depth", "8", "ppm:-"}));
}

}  // namespace harness
