#include "platform/text/text.h"

#include <climits>
#include <cwchar>

#include "platform/text/utf.h"

namespace platform {
namespace {

using utf::AppendUtf16;
using utf::AppendUtf8;
using utf::kReplacement;

// Splits a UTF-16 text into code points; a lone surrogate becomes U+FFFD.
template <typename Sink>
void ForEachCodePoint(std::u16string_view text, Sink&& sink) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    i += utf::DecodeUtf16(text.substr(i), cp);
    sink(utf::IsSurrogate(cp) ? kReplacement : cp);
  }
}

// Every code page the C library offers agrees with ASCII on its 128 characters, so plain ASCII,
// which is all a clock in most locales writes, needs no conversion call per character.
bool IsAscii(std::u16string_view text) {
  for (const char16_t c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(text, [&](char32_t cp) { AppendUtf8(out, cp); });
  return out;
}

Text FromUtf8(std::string_view utf8) {
  Text out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    char32_t cp = 0;
    const std::size_t length = utf::DecodeUtf8(utf8, cp);
    // A malformed sequence costs one replacement character and one byte, so decoding resumes
    // at the next byte.
    AppendUtf16(out, length > 0 ? cp : kReplacement);
    utf8.remove_prefix(length > 0 ? length : 1);
  }
  return out;
}

std::string ToCodePage(std::u16string_view text) {
  if (IsAscii(text)) return std::string(text.begin(), text.end());
  std::string out;
  std::mbstate_t state{};
  char buffer[MB_LEN_MAX];
  ForEachCodePoint(text, [&](char32_t cp) {
    std::size_t length = static_cast<std::size_t>(-1);
    if constexpr (sizeof(wchar_t) == 4) {
      length = std::wcrtomb(buffer, static_cast<wchar_t>(cp), &state);
    }
    if (length == static_cast<std::size_t>(-1)) {
      state = std::mbstate_t{};
      out.push_back('?');
    } else {
      out.append(buffer, length);
    }
  });
  return out;
}

Text FromCodePage(std::string_view bytes) {
  if (IsAscii(bytes)) return Text(bytes.begin(), bytes.end());
  Text out;
  out.reserve(bytes.size());
  std::mbstate_t state{};
  std::size_t i = 0;
  while (i < bytes.size()) {
    wchar_t wide = 0;
    const std::size_t length = std::mbrtowc(&wide, bytes.data() + i, bytes.size() - i, &state);
    if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2)) {
      // An undecodable or cut-off sequence: one replacement character per byte.
      state = std::mbstate_t{};
      AppendUtf16(out, kReplacement);
      ++i;
    } else if (length == 0) {  // an embedded NUL byte
      out.push_back(u'\0');
      ++i;
    } else {
      AppendUtf16(out, static_cast<char32_t>(wide));
      i += length;
    }
  }
  return out;
}

}  // namespace platform
