#include "platform/files/os_path.h"

#include "platform/text/utf.h"

namespace platform {
namespace {

using utf::AppendUtf8;
using utf::kReplacement;

constexpr char16_t kEscapeBase = 0xDC00;  // an undecodable byte b is held as U+DC00 + b

}  // namespace

std::string ToOsPath(std::u16string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t i = 0; i < path.size();) {
    char32_t cp = 0;
    i += utf::DecodeUtf16(path.substr(i), cp);
    if (cp == u'\\') {
      out.push_back('/');
    } else if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
      out.push_back(static_cast<char>(cp - kEscapeBase));
    } else {
      AppendUtf8(out, utf::IsSurrogate(cp) ? kReplacement : cp);
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
