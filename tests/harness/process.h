// Child processes for view and end-to-end tests: spawning a program with its own environment
// and working folder, waiting for it with a time limit, and running a tool for its output.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace harness {

// The exit status as a shell reports it: the exit code, or 128 + the signal that ended it.
int StatusOf(int wait_status);

struct SpawnOptions {
  std::vector<std::string> argv;           // argv[0] is the program's path
  std::map<std::string, std::string> env;  // set or replaced in the inherited environment
  std::string working_dir;                 // empty: the current one
  std::string stdout_path;                 // empty: inherited
  std::string stderr_path;                 // empty: inherited
};

class Process {
 public:
  // Starts the program; throws std::runtime_error when it cannot be started.
  explicit Process(const SpawnOptions& options);
  // Kills the process if it still runs, and reaps it.
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t Pid() const { return pid_; }
  bool Running();
  // The exit status once the process has ended, or nothing when it still runs after `limit`.
  std::optional<int> WaitFor(std::chrono::milliseconds limit);
  // Sends SIGKILL and reaps the process.
  void Kill();

 private:
  bool Reap(bool block);

  pid_t pid_ = -1;
  std::optional<int> status_;
};

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs a command to its end, with `input` on its standard input; throws std::runtime_error
// when it cannot be started or runs longer than `limit`.
CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& env = {},
                         const std::string& input = "",
                         std::chrono::milliseconds limit = std::chrono::seconds(30));

}  // namespace harness
