#include "tests/faults/sign_run.h"

#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "platform/app/app.h"
#include "platform/files/files.h"
#include "sign/form1.h"

namespace faults {
namespace {

struct Ended {
  int status;
};

// The message loop as far as the start-up and the save need it: nothing to dispatch, boxes are
// recorded instead of shown, and ending unwinds back to the runner.
class LoopStandIn final : public platform::AppBackend {
 public:
  explicit LoopStandIn(std::vector<ShownBox>& boxes) : boxes_(boxes) {
    previous_ = platform::SetAppBackend(this);
  }
  LoopStandIn(const LoopStandIn&) = delete;
  LoopStandIn& operator=(const LoopStandIn&) = delete;
  ~LoopStandIn() override { platform::SetAppBackend(previous_); }

  void DoEvents() override {}
  [[noreturn]] void End(int status) override { throw Ended{status}; }
  int MsgBox(const platform::Text& prompt, int style, const platform::Text& title) override {
    boxes_.push_back({platform::ToUtf8(title), platform::ToUtf8(prompt), style});
    return platform::kMsgBoxOk;
  }

 private:
  std::vector<ShownBox>& boxes_;
  platform::AppBackend* previous_ = nullptr;
};

// Returns false once the program has ended.
template <typename Handler>
bool Dispatch(const sign::Form1& form, SignOutcome& outcome, Handler&& handler) {
  try {
    platform::RunHandler(form.Caption(), handler);
  } catch (const Ended& ended) {
    outcome.status = ended.status;
    return false;
  }
  return true;
}

SignOutcome RunHere(const SignRun& run) {
  SignOutcome outcome;
  if (std::setlocale(LC_ALL, "C") == nullptr ||
      std::setlocale(LC_CTYPE, run.code_page) == nullptr) {
    outcome.failure = std::string("locale not available: ") + run.code_page;
    return outcome;
  }
  platform::SetProgramFolderForTesting(platform::FromUtf8(run.program_folder.string()));
  LoopStandIn loop(outcome.boxes);
  sign::Form1 form;
  const bool running = Dispatch(form, outcome, [&form] { form.Form_Load(); });
  outcome.left = form.Left();
  outcome.top = form.Top();
  if (running && run.save) {
    Dispatch(form, outcome, [&form] { form.Form_DblClick(); });
  }
  return outcome;
}

bool DropPrivileges() {
  return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

// One field per line; texts never hold a line break here.
std::string Encode(const SignOutcome& outcome) {
  std::ostringstream out;
  out.precision(9);
  out << outcome.left << '\n' << outcome.top << '\n';
  out << (outcome.status ? std::to_string(*outcome.status) : "-") << '\n';
  out << outcome.failure << '\n' << outcome.boxes.size() << '\n';
  for (const ShownBox& box : outcome.boxes) {
    out << box.style << '\n' << box.title << '\n' << box.prompt << '\n';
  }
  return out.str();
}

SignOutcome Decode(const std::string& text) {
  SignOutcome outcome;
  std::istringstream in(text);
  std::string line;
  const auto next = [&] {
    if (!std::getline(in, line)) throw std::runtime_error("short report from the child");
    return line;
  };
  outcome.left = std::stof(next());
  outcome.top = std::stof(next());
  if (next() != "-") outcome.status = std::stoi(line);
  outcome.failure = next();
  const std::size_t count = std::stoul(next());
  for (std::size_t i = 0; i < count; ++i) {
    ShownBox box;
    box.style = std::stoi(next());
    box.title = next();
    box.prompt = next();
    outcome.boxes.push_back(box);
  }
  return outcome;
}

void WriteAll(int descriptor, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = write(descriptor, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    done += static_cast<std::size_t>(count);
  }
}

}  // namespace

bool RunningAsRoot() { return geteuid() == 0; }

SignOutcome RunSign(const SignRun& run) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (child == 0) {
    close(pipe_ends[0]);
    SignOutcome outcome;
    if (run.as_user && RunningAsRoot() && !DropPrivileges()) {
      outcome.failure = std::string("cannot become nobody: ") + std::strerror(errno);
    } else {
      try {
        outcome = RunHere(run);
      } catch (const std::exception& error) {
        outcome.failure = std::string("escaped the loop: ") + error.what();
      }
    }
    WriteAll(pipe_ends[1], Encode(outcome));
    // No exit handlers: they belong to the test program that forked us.
    _exit(0);
  }

  close(pipe_ends[1]);
  std::string report;
  bool hung = false;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd waiting{pipe_ends[0], POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(std::max<long long>(0, left.count())));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) {
      hung = true;
      kill(child, SIGKILL);
      break;
    }
    char buffer[4096];
    const ssize_t count = read(pipe_ends[0], buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    report.append(buffer, static_cast<std::size_t>(count));
  }
  close(pipe_ends[0]);
  int wait_status = 0;
  while (waitpid(child, &wait_status, 0) < 0 && errno == EINTR) {
  }
  SignOutcome failed;
  if (hung) {
    failed.failure = "the sign hung: no end within " + std::to_string(kPatience.count()) + " s";
    return failed;
  }
  if (!WIFEXITED(wait_status) || WEXITSTATUS(wait_status) != 0) {
    failed.failure = "the sign crashed (wait status " + std::to_string(wait_status) + ")";
    return failed;
  }
  return Decode(report);
}

}  // namespace faults
