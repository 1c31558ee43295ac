// A small tmpfs mounted on a folder for one test, to see what a full disk does. Mounting needs
// root (CAP_SYS_ADMIN); without it the disk is not mounted and WhyNot() says why, so the test
// can skip with that reason.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace faults {

class SmallDisk {
 public:
  SmallDisk(std::filesystem::path folder, std::size_t bytes);
  // Detaches the disk even while a program still runs from it; its files go with it.
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& WhyNot() const { return why_not_; }

  // Writes a filler file until not one more byte fits.
  void FillUp() const;

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
  std::string why_not_;
};

}  // namespace faults
