// Code-point level UTF-8 and UTF-16 pieces, shared by the text conversions and the OS path
// encoding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text/text.h"

namespace platform::utf {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t code_point);
// Appends one code point, as a surrogate pair beyond U+FFFF.
void AppendUtf16(Text& out, char32_t code_point);

bool IsSurrogate(char32_t unit);

// The code point at the start of `units` (which is not empty) and its length in code units: 2
// for a surrogate pair, else 1. A lone surrogate comes back as itself; callers decide what it
// stands for.
std::size_t DecodeUtf16(std::u16string_view units, char32_t& code_point);

// The length of the valid UTF-8 sequence at the start of `bytes` (which is not empty) and its
// code point, or 0 when the first byte does not start one. Overlong forms, surrogates and values
// beyond Unicode are not valid.
std::size_t DecodeUtf8(std::string_view bytes, char32_t& code_point);

}  // namespace platform::utf
