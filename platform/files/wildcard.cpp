#include "platform/files/wildcard.h"

namespace platform {

bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
  // Greedy matching that, on a mismatch, lets the last '*' swallow one more character. Going
  // back to the last star is enough, since an earlier star could only make the same choices,
  // so the work stays at most pattern length times name length.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::u16string_view::npos;
  std::size_t star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      star_name = n;
    } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace platform
