#include "platform/files/os_error.h"

#include <system_error>

#include "platform/app/app.h"
#include "platform/files/os_path.h"

namespace platform {

void ThrowFileError(std::string_view action, const std::string& os_path, std::string_view detail,
                    int error_number) {
  ThrowFileError(action, os_path, detail, std::generic_category().message(error_number));
}

void ThrowFileError(std::string_view action, const std::string& os_path, std::string_view detail,
                    std::string_view reason) {
  std::string message(action);
  message += " \"";
  message += os_path;
  message += '"';
  message += detail;
  message += ": ";
  message += reason;
  throw RuntimeError(message);
}

}  // namespace platform

namespace platform {

std::string OsPathFor(std::u16string_view path, std::string_view action, std::string_view detail) {
  std::string os_path = ToOsPath(path);
  if (os_path.find('\0') != std::string::npos) {
    ThrowFileError(action, os_path, detail, "The path holds a NUL character");
  }
  return os_path;
}

}  // namespace platform
