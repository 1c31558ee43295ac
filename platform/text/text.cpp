#include "platform/text/text.h"

#include <climits>
#include <cwchar>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Splits a UTF-16 text into code points; a lone surrogate becomes U+FFFD.
template <typename Sink>
void ForEachCodePoint(std::u16string_view text, Sink&& sink) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      sink(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      sink(kReplacement);
    } else {
      sink(unit);
    }
  }
}

void AppendUtf16(Text& out, char32_t code_point) {
  if (code_point >= 0x10000) {
    code_point -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code_point >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code_point & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(code_point));
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
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
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  Text out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t extra = 0;
    char32_t cp = lead;
    if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07;
    }
    bool valid = (lead < 0x80 || extra > 0) && i + extra < utf8.size();
    for (std::size_t k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0) == 0x80;
      cp = (cp << 6) | (next & 0x3F);
    }
    valid = valid && cp >= kSmallest[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    // A malformed sequence costs one replacement character and one byte, so decoding resumes
    // at the next byte.
    AppendUtf16(out, valid ? cp : kReplacement);
    i += valid ? extra + 1 : 1;
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
