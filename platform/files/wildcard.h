// The file-name wildcards of the directory listing.
#pragma once

#include <string_view>

namespace platform {

// True when `name` matches `pattern` as a whole: '*' stands for any run of characters, the
// empty run among them, and '?' for exactly one character (one 16-bit unit). Every other
// character, '[' and '.' among them, stands for itself, compared case-sensitively.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name);

}  // namespace platform
