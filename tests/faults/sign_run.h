// Runs the sign's start-up, and optionally its save, in a child process with a stand-in for the
// message loop, and reports what the user would have seen: where the sign stood, the message
// boxes, and the status the program ended with.
//
// The child may drop root's privileges first, so that permissions apply to it as they do to a
// user; it also keeps one case's open files and shared listing away from the next case.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace faults {

// How long a run may take before it counts as hung; generous, since a loaded machine is slow.
constexpr std::chrono::seconds kPatience(60);

// The user the sign runs as when a case asks for an ordinary user and the tests run as root.
constexpr unsigned kNobody = 65534;

struct ShownBox {
  std::string title;   // UTF-8
  std::string prompt;  // UTF-8
  int style = 0;
};

struct SignOutcome {
  float left = 0;  // the window's place once the start-up has run, in twips
  float top = 0;
  std::vector<ShownBox> boxes;
  std::optional<int> status;  // set when the program ended, at start-up or at the save
  std::string failure;        // what went wrong in the child itself, if anything
};

struct SignRun {
  std::filesystem::path program_folder;
  bool save = false;            // double-click once the start-up is done
  bool as_user = false;         // drop root's privileges, if there are any, to kNobody
  const char* code_page = "C";  // LC_CTYPE for the setting file's bytes
};

// Runs Form_Load (and Form_DblClick when `save`) the way the message loop does: an error that
// escapes a handler shows the stop box titled with the caption and ends with status 1. A run
// that crashes or does not end within kPatience comes back with `failure` set.
SignOutcome RunSign(const SignRun& run);

bool RunningAsRoot();

}  // namespace faults
