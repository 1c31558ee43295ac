#include "support/my_function_lv02.h"

#include <vector>

#include "platform/app/app.h"
#include "platform/files/files.h"
#include "support/my_function_lv01.h"

namespace MyFunction_Lv02 {
namespace {

using platform::Text;
using platform::TextList;

// Closes a file that an error leaves open, so that its number is free again; the error itself
// goes on to the caller. Closing sends no data, since every line already went to the OS.
class CloseOnError {
 public:
  explicit CloseOnError(int handle) : handle_(handle) {}
  CloseOnError(const CloseOnError&) = delete;
  CloseOnError& operator=(const CloseOnError&) = delete;
  ~CloseOnError() {
    if (!armed_) return;
    try {
      platform::Close(handle_);
    } catch (const std::exception&) {
      // The error that is already on its way matters more than one from closing.
    }
  }
  void Disarm() { armed_ = false; }

 private:
  int handle_;
  bool armed_ = true;
};

// Every name is taken before the first file is read: a call nested in a yield starts a listing
// of its own, which would otherwise replace the rest of this one.
std::vector<Text> ListNames(const Text& path) {
  std::vector<Text> names;
  for (Text name = platform::Dir(path); !name.empty(); name = platform::Dir()) {
    names.push_back(std::move(name));
  }
  return names;
}

void ReadFiles(const Text& path, TextList& list, int handle) {
  MyFunction_Lv01::ListReset(list);
  std::size_t index = 0;
  for (const Text& name : ListNames(path)) {
    const Text full_path = MyFunction_Lv01::PathJoin(MyFunction_Lv01::ParentFolder(path), name);
    platform::Open(full_path, platform::FileMode::kInput, handle);
    CloseOnError close_on_error(handle);
    while (!platform::Eof(handle)) {
      platform::DoEvents();
      Text line = platform::LineInput(handle);
      list.resize(index + 1);
      list[index] = std::move(line);
      ++index;
    }
    close_on_error.Disarm();
    platform::Close(handle);
  }
}

void WriteFile(const Text& path, TextList& list, int handle) {
  MyFunction_Lv01::ListCompact(list);
  const std::size_t count = list.size();
  platform::Open(path, platform::FileMode::kOutput, handle);
  CloseOnError close_on_error(handle);
  for (std::size_t i = 0; i < count; ++i) {
    platform::DoEvents();
    // A handler may not touch the list during the yield; should one shrink it anyway, the
    // missing entries are written as empty lines rather than read from beyond its end.
    platform::PrintLine(handle, i < list.size() ? list[i] : Text());
  }
  close_on_error.Disarm();
  platform::Close(handle);
}

}  // namespace

void SettingFile(const Text& path, TextList& list, const Text& mode, const Text& /*encoding*/) {
  const Text first_name = platform::Dir(path);
  if (!first_name.empty()) {
    const Text name = u"\\" + first_name;
    platform::ClearAttributes(MyFunction_Lv01::PathJoin(MyFunction_Lv01::ParentFolder(path), name));
  }
  const int handle = platform::FreeFile();
  if (mode == u"S_Read") {
    ReadFiles(path, list, handle);
  } else if (mode == u"S_Write") {
    WriteFile(path, list, handle);
  }
}

}  // namespace MyFunction_Lv02
