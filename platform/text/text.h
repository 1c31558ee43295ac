// Texts as the system sees them: strings of 16-bit characters, and lists of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

using Text = std::u16string;

// A growable list of texts with lower bound 0.
using TextList = std::vector<Text>;

// UTF-8 is used only at the edges: the view, the X11 strings and test output.
std::string ToUtf8(std::u16string_view text);
Text FromUtf8(std::string_view utf8);

// The user's locale encoding (LC_CTYPE) stands in for the Windows ANSI code page.
// A character that the code page cannot hold becomes '?'; a byte sequence that it cannot
// decode becomes U+FFFD.
std::string ToCodePage(std::u16string_view text);
Text FromCodePage(std::string_view bytes);

}  // namespace platform
