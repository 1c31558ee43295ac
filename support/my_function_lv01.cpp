#include "support/my_function_lv01.h"

#include "platform/app/app.h"
#include "platform/files/files.h"

namespace MyFunction_Lv01 {

using platform::Text;
using platform::TextList;

Text PathJoin(const Text& folder, const Text& name) {
  // One pass that drops every backslash following another gives the same text as searching
  // again and again for the first pair and dropping its second half, without the quadratic
  // cost on long runs.
  Text joined;
  joined.reserve(folder.size() + 1 + name.size());
  auto append = [&joined](char16_t c) {
    if (c == u'\\' && !joined.empty() && joined.back() == u'\\') return;
    joined.push_back(c);
  };
  for (const char16_t c : folder) append(c);
  append(u'\\');
  for (const char16_t c : name) append(c);
  return joined;
}

Text ParentFolder(const Text& path) {
  if (path.empty() || path.back() == u'\\') return path;
  const std::size_t last_backslash = path.rfind(u'\\');
  if (last_backslash == Text::npos) return path;
  return path.substr(0, last_backslash);
}

Text FileCheck(const Text& path, const Text& message_switch) {
  if (!platform::Dir(path).empty()) return u"OK";
  if (message_switch == u"ON") {
    platform::MsgBox(u"ファイルが存在しません。", platform::kMsgBoxStop, u"ディスクエラー");
  }
  return u"ERROR";
}

void ListReset(TextList& list) {
  list.resize(1);
  list[0].clear();
}

void ListCompact(TextList& list) {
  const std::size_t count = list.size();
  TextList kept(count);
  std::size_t kept_count = 0;
  for (std::size_t i = 0; i < count; ++i) {
    // The bound check costs nothing and keeps a handler that breaks the rule and shrinks the
    // list during a yield from making us read past its end.
    if (i < list.size() && !list[i].empty()) kept[kept_count++] = list[i];
    platform::DoEvents();
  }
  // With nothing kept, the list stays at its length, all entries empty.
  if (kept_count > 0) kept.resize(kept_count);

  for (std::size_t j = 0; j < kept.size(); ++j) {
    list.resize(j + 1);
    list[j] = std::move(kept[j]);
    platform::DoEvents();
  }
}

}  // namespace MyFunction_Lv01
