#include "tests/harness/temp_dir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace harness {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder: " +
                             std::string(std::strerror(errno)));
  }
  path_ = pattern;
}

TempDir::~TempDir() {
  if (keep_) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::CopyIn(const std::filesystem::path& file) const {
  const std::filesystem::path target = path_ / file.filename();
  std::filesystem::copy_file(file, target, std::filesystem::copy_options::overwrite_existing);
  return target;
}

}  // namespace harness
