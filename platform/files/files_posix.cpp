// File attributes and the program's folder.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/files/files.h"
#include "platform/files/os_error.h"
#include "platform/files/os_path.h"

namespace platform {

void ClearAttributes(const Text& path) {
  constexpr std::string_view kAction = "Cannot clear the attributes of";
  const std::string os_path = OsPathFor(path, kAction, "");
  struct stat status {};
  if (stat(os_path.c_str(), &status) != 0) ThrowFileError(kAction, os_path, "", errno);
  // Read-only is the owner's missing write permission; hidden and system have no bits to clear.
  if ((status.st_mode & S_IWUSR) != 0) return;
  if (chmod(os_path.c_str(), (status.st_mode & 07777) | S_IWUSR) != 0) {
    ThrowFileError(kAction, os_path, "", errno);
  }
}

namespace {

Text& ProgramFolderOverride() {
  static Text folder;
  return folder;
}

}  // namespace

void SetProgramFolderForTesting(const Text& folder) { ProgramFolderOverride() = folder; }

Text ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  // The kernel gives the program file's real path here, with every symbolic link resolved.
  const std::string link = "/proc/self/exe";
  std::string target(256, '\0');
  for (;;) {
    const ssize_t length = readlink(link.c_str(), target.data(), target.size());
    if (length < 0) ThrowFileError("Cannot find the program file through", link, "", errno);
    if (static_cast<std::size_t>(length) < target.size()) {
      target.resize(static_cast<std::size_t>(length));
      break;
    }
    target.resize(target.size() * 2);  // possibly cut short: try again with more room
  }
  const std::size_t cut = target.rfind('/');
  if (cut == std::string::npos) return FromOsPath(target);
  return FromOsPath(cut == 0 ? std::string("/") : target.substr(0, cut));
}

}  // namespace platform
