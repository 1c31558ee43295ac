#include "tests/harness/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <tuple>

extern char** environ;

namespace harness {
namespace {

using Clock = std::chrono::steady_clock;

std::string Describe(const std::vector<std::string>& argv) {
  return argv.empty() ? std::string("(no program)") : argv.front();
}

[[noreturn]] void Throw(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

std::vector<std::string> Environment(const std::map<std::string, std::string>& overrides) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text(*entry);
    const std::string name = text.substr(0, text.find('='));
    if (overrides.count(name) == 0) entries.push_back(text);
  }
  for (const auto& [name, value] : overrides) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void ExecChild(const char* working_dir, const char* stdout_path,
                            const char* stderr_path, int stdin_fd, char** argv, char** envp) {
  if (stdin_fd >= 0 && dup2(stdin_fd, STDIN_FILENO) < 0) _exit(126);
  if (stdout_path != nullptr) {
    const int fd = open(stdout_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0) _exit(126);
  }
  if (stderr_path != nullptr) {
    const int fd = open(stderr_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || dup2(fd, STDERR_FILENO) < 0) _exit(126);
  }
  if (working_dir != nullptr && chdir(working_dir) != 0) _exit(126);
  // A new process group, so that the test can end the program with all its children.
  setpgid(0, 0);
  execve(argv[0], argv, envp);
  execvpe(argv[0], argv, envp);
  _exit(127);
}

}  // namespace

int StatusOf(int wait_status) {
  if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
  return -1;
}

Process::Process(const SpawnOptions& options) {
  if (options.argv.empty()) throw std::runtime_error("Process: no program given");
  std::vector<std::string> argv = options.argv;
  std::vector<std::string> env = Environment(options.env);
  std::vector<char*> argv_pointers = Pointers(argv);
  std::vector<char*> env_pointers = Pointers(env);
  const char* working_dir = options.working_dir.empty() ? nullptr : options.working_dir.c_str();
  const char* stdout_path = options.stdout_path.empty() ? nullptr : options.stdout_path.c_str();
  const char* stderr_path = options.stderr_path.empty() ? nullptr : options.stderr_path.c_str();

  pid_ = fork();
  if (pid_ < 0) Throw("cannot start " + Describe(options.argv));
  if (pid_ == 0) {
    ExecChild(working_dir, stdout_path, stderr_path, -1, argv_pointers.data(), env_pointers.data());
  }
}

Process::~Process() {
  if (!status_) Kill();
}

bool Process::Reap(bool block) {
  if (status_) return true;
  int wait_status = 0;
  pid_t result;
  do {
    result = waitpid(pid_, &wait_status, block ? 0 : WNOHANG);
  } while (result < 0 && errno == EINTR);
  if (result == pid_) {
    status_ = StatusOf(wait_status);
    return true;
  }
  if (result < 0) {
    status_ = -1;  // not our child any more: treat as ended
    return true;
  }
  return false;
}

bool Process::Running() { return !Reap(false); }

std::optional<int> Process::WaitFor(std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!Reap(false)) {
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return status_;
}

void Process::Kill() {
  if (status_) return;
  kill(pid_, SIGKILL);
  Reap(true);
}

CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& env, const std::string& input,
                         std::chrono::milliseconds limit) {
  if (argv.empty()) throw std::runtime_error("RunCommand: no program given");
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (pipe2(in_pipe, O_CLOEXEC) != 0 || pipe2(out_pipe, O_CLOEXEC) != 0 ||
      pipe2(err_pipe, O_CLOEXEC) != 0) {
    Throw("cannot make pipes for " + Describe(argv));
  }
  std::vector<std::string> args = argv;
  std::vector<std::string> environment = Environment(env);
  std::vector<char*> argv_pointers = Pointers(args);
  std::vector<char*> env_pointers = Pointers(environment);

  const pid_t pid = fork();
  if (pid < 0) Throw("cannot start " + Describe(argv));
  if (pid == 0) {
    if (dup2(out_pipe[1], STDOUT_FILENO) < 0 || dup2(err_pipe[1], STDERR_FILENO) < 0) _exit(126);
    ExecChild(nullptr, nullptr, nullptr, in_pipe[0], argv_pointers.data(), env_pointers.data());
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);

  // Feed the input and collect both outputs together, so that no pipe fills up and blocks. A
  // tool that exits without reading its input must not kill the test with SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
  CommandResult result;
  std::size_t written = 0;
  int in_fd = in_pipe[1];
  if (input.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  int out_fd = out_pipe[0];
  int err_fd = err_pipe[0];
  const auto deadline = Clock::now() + limit;
  while (out_fd >= 0 || err_fd >= 0 || in_fd >= 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      for (int fd : {in_fd, out_fd, err_fd}) {
        if (fd >= 0) close(fd);
      }
      throw std::runtime_error(Describe(argv) + " did not finish in time");
    }
    pollfd fds[3] = {{in_fd, POLLOUT, 0}, {out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    if (poll(fds, 3, static_cast<int>(left)) < 0 && errno != EINTR) Throw("poll");
    if (in_fd >= 0 && (fds[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t count = write(in_fd, input.data() + written, input.size() - written);
      if (count > 0) written += static_cast<std::size_t>(count);
      if (count < 0 || written == input.size()) {
        close(in_fd);
        in_fd = -1;
      }
    }
    for (auto [index, fd, text] :
         {std::tuple{1, &out_fd, &result.out}, std::tuple{2, &err_fd, &result.err}}) {
      if (*fd < 0 || !(fds[index].revents & (POLLIN | POLLERR | POLLHUP))) continue;
      char buffer[4096];
      const ssize_t count = read(*fd, buffer, sizeof buffer);
      if (count > 0) {
        text->append(buffer, static_cast<std::size_t>(count));
      } else if (count == 0 || errno != EINTR) {
        close(*fd);
        *fd = -1;
      }
    }
  }
  int wait_status = 0;
  while (waitpid(pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  result.status = StatusOf(wait_status);
  return result;
}

}  // namespace harness
