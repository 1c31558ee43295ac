#include "tests/harness/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tests/harness/process.h"

namespace harness {
namespace {

constexpr int kStartLimitMs = 30000;

void StopServer(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 500; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

XvfbServer::XvfbServer(int width, int height) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    throw std::runtime_error(std::string("Xvfb: cannot make a pipe: ") + std::strerror(errno));
  }
  const std::string report_fd = std::to_string(report[1]);
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  std::vector<std::string> args = {"Xvfb", "-displayfd", report_fd, "-screen", "0",
                                   screen, "-nolisten",  "tcp",     "-noreset"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_ = fork();
  if (pid_ < 0) {
    throw std::runtime_error(std::string("Xvfb: cannot start: ") + std::strerror(errno));
  }
  if (pid_ == 0) {
    // The write end must survive exec: it is how the server names its display.
    fcntl(report[1], F_SETFD, 0);
    // Nothing of the test's output stays open in the server, and the server goes with the
    // test: a test that crashes must not leave a server behind that holds the test runner's
    // pipe open and keeps it waiting.
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
    }
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    setpgid(0, 0);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(report[1]);

  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartLimitMs);
  while (number.empty() || number.back() != '\n') {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    pollfd fd{report[0], POLLIN, 0};
    if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) <= 0) break;
    char buffer[16];
    const ssize_t count = read(report[0], buffer, sizeof buffer);
    if (count <= 0) break;
    number.append(buffer, static_cast<std::size_t>(count));
  }
  close(report[0]);
  while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
  if (number.empty()) {
    StopServer(pid_);
    throw std::runtime_error("Xvfb did not report a display (is the xvfb package installed?)");
  }
  display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
  if (pid_ > 0) StopServer(pid_);
}

void XvfbServer::SetXftDpi(double dpi) const {
  std::ostringstream resources;
  resources << "Xft.dpi: " << dpi << "\n";
  const CommandResult result =
      RunCommand({"xrdb", "-nocpp", "-merge"}, Environment(), resources.str());
  if (result.status != 0) {
    throw std::runtime_error("xrdb failed on " + display_ + ": " + result.err);
  }
}

}  // namespace harness
