// Feeds arbitrary bytes to the line-file store as the content of a file and checks what every
// read must give: at least one entry, no entry holding a CR, one entry and one yield per line,
// and, for ASCII content, the same entries again after a write and a second read.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/app/app.h"
#include "support/my_function_lv02.h"

namespace {

using platform::Text;
using platform::TextList;

class CountingBackend final : public platform::AppBackend {
 public:
  void DoEvents() override { ++yields; }
  [[noreturn]] void End(int status) override { _Exit(status); }
  int MsgBox(const Text&, int, const Text&) override { return platform::kMsgBoxOk; }
  long yields = 0;
};

class Workspace {
 public:
  Workspace() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    platform::SetAppBackend(&backend_);
  }
  ~Workspace() {
    platform::SetAppBackend(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string OsPath(const char* name) const { return (folder_ / name).string(); }
  // Joined with a backslash, as the system builds its paths.
  Text StorePath(const char* name) const {
    return platform::FromUtf8(folder_.string()) + u"\\" + platform::FromUtf8(name);
  }
  CountingBackend& backend() { return backend_; }

 private:
  std::filesystem::path folder_;
  CountingBackend backend_;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

// Lines as the format defines them, counted without the code under test: every CR LF or lone
// CR ends one, and bytes after the last line end make one more.
std::size_t CountLines(std::string_view bytes) {
  std::size_t lines = 0;
  bool open_line = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      ++lines;
      open_line = false;
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      open_line = true;
    }
  }
  return lines + (open_line ? 1 : 0);
}

bool IsAscii(std::string_view bytes) {
  for (const char byte : bytes) {
    if (static_cast<unsigned char>(byte) >= 0x80) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Workspace workspace;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  {
    std::FILE* file = std::fopen(workspace.OsPath("fuzz.dat").c_str(), "wb");
    Check(file != nullptr);
    Check(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    Check(std::fclose(file) == 0);
  }

  TextList list = {u"stale", u"entries"};
  workspace.backend().yields = 0;
  MyFunction_Lv02::SettingFile(workspace.StorePath("fuzz.dat"), list, u"S_Read", u"normal");

  Check(!list.empty());
  for (const Text& entry : list) Check(entry.find(u'\r') == Text::npos);
  const std::size_t lines = CountLines(bytes);
  if (lines == 0) {
    Check(list == TextList{u""});
  } else {
    Check(list.size() == lines);
  }
  Check(workspace.backend().yields == static_cast<long>(lines));

  // ASCII survives the C locale's code page both ways, so a write and a read give back the
  // entries that the write kept.
  if (IsAscii(bytes)) {
    TextList written = list;
    MyFunction_Lv02::SettingFile(workspace.StorePath("copy.dat"), written, u"S_Write", u"normal");
    TextList read_back;
    MyFunction_Lv02::SettingFile(workspace.StorePath("copy.dat"), read_back, u"S_Read", u"normal");
    Check(read_back == written);
  }
  return 0;
}
