// A fresh folder for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace harness {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // Copies `file` into the folder, keeping its name and permissions; returns the copy's path.
  // Programs that keep files beside themselves are run from such a copy.
  std::filesystem::path CopyIn(const std::filesystem::path& file) const;

  // Leaves the folder in place, to look at what a failed test left behind.
  void Keep() { keep_ = true; }

 private:
  std::filesystem::path path_;
  bool keep_ = false;
};

}  // namespace harness
