#include "platform/files/os_path.h"

#include "platform/text/utf.h"

namespace platform {
namespace {

using utf::AppendUtf8;
using utf::kReplacement;

constexpr char16_t kEscapeBase = 0xDC00;  // an undecodable byte b is held as U+DC00 + b

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string ToOsPath(std::u16string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char32_t unit = path[i];
    if (unit == u'\\') {
      out.push_back('/');
    } else if (IsHighSurrogate(unit) && i + 1 < path.size() && IsLowSurrogate(path[i + 1])) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (path[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
      out.push_back(static_cast<char>(unit - kEscapeBase));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

Text FromOsPath(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    char32_t cp = 0;
    std::size_t length = utf::DecodeUtf8(bytes, cp);
    if (length == 0) {
      out.push_back(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[0])));
      length = 1;
    } else {
      utf::AppendUtf16(out, cp);
    }
    bytes.remove_prefix(length);
  }
  return out;
}

}  // namespace platform
