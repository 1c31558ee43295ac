// A real folder under the system's temporary folder, removed with everything in it at the end
// of the test, and a few helpers to put bytes into files and read them back.
#pragma once

#include <sys/stat.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "platform/text/text.h"

namespace orvanta_test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // The folder as the system writes it, and a file in it joined with a backslash, the way
  // PathJoin builds the paths that the system hands to the file services.
  platform::Text Text() const { return platform::FromUtf8(path_.string()); }
  platform::Text Text(const std::string& name) const {
    return Text() + u"\\" + platform::FromUtf8(name);
  }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + name);
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  bool Exists(const std::string& name) const {
    return std::filesystem::exists(std::filesystem::symlink_status(path_ / name));
  }

  void SetMode(const std::string& name, mode_t mode) const {
    if (chmod((path_ / name).c_str(), mode) != 0) throw std::runtime_error("chmod failed");
  }

  mode_t Mode(const std::string& name) const {
    struct stat status {};
    if (stat((path_ / name).c_str(), &status) != 0) throw std::runtime_error("stat failed");
    return status.st_mode & 07777;
  }

 private:
  std::filesystem::path path_;
};

// Switches LC_CTYPE, the code page of line files, for one test and back afterwards.
class ScopedCodePage {
 public:
  explicit ScopedCodePage(const char* locale) : previous_(std::setlocale(LC_CTYPE, nullptr)) {
    if (std::setlocale(LC_CTYPE, locale) == nullptr) {
      throw std::runtime_error(std::string("locale not available: ") + locale);
    }
  }
  ScopedCodePage(const ScopedCodePage&) = delete;
  ScopedCodePage& operator=(const ScopedCodePage&) = delete;
  ~ScopedCodePage() { std::setlocale(LC_CTYPE, previous_.c_str()); }

 private:
  std::string previous_;
};

}  // namespace orvanta_test
