// Checks PathJoin and ParentFolder on arbitrary texts: the join leaves no two backslashes in a
// row and, on short texts, equals the join by repeated search; the folder part is always a
// prefix of the path and, where the path holds a backslash, the text before the last one.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/my_function_lv01.h"

namespace {

using platform::Text;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Bytes from 0x80 up stand for backslashes, so that runs of them are common; a NUL byte
// separates the folder from the name.
Text ToText(const std::uint8_t* data, std::size_t size) {
  Text text;
  for (std::size_t i = 0; i < size; ++i) {
    text.push_back(data[i] >= 0x80 ? u'\\' : static_cast<char16_t>(data[i]));
  }
  return text;
}

Text RepeatedSearchJoin(const Text& folder, const Text& name) {
  Text text = folder + u"\\" + name;
  for (std::size_t pair = text.find(u"\\\\"); pair != Text::npos; pair = text.find(u"\\\\")) {
    text.erase(pair + 1, 1);
  }
  return text;
}

void CheckParentFolder(const Text& path) {
  const Text folder = MyFunction_Lv01::ParentFolder(path);
  Check(path.compare(0, folder.size(), folder) == 0);
  const std::size_t last = path.rfind(u'\\');
  if (last != Text::npos && last + 1 < path.size()) Check(folder == path.substr(0, last));
  if (last == Text::npos || last + 1 == path.size()) Check(folder == path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t cut = 0;
  while (cut < size && data[cut] != 0) ++cut;
  const Text folder = ToText(data, cut);
  const Text name = cut < size ? ToText(data + cut + 1, size - cut - 1) : Text();

  const Text joined = MyFunction_Lv01::PathJoin(folder, name);
  Check(joined.find(u"\\\\") == Text::npos);
  Check(!joined.empty() && joined.size() <= folder.size() + 1 + name.size());
  if (folder.size() + name.size() <= 64) Check(joined == RepeatedSearchJoin(folder, name));

  CheckParentFolder(folder);
  CheckParentFolder(joined);
  return 0;
}
