// The process's one shared directory listing.
//
// A listing is taken in whole when it starts and then handed out name by name. Files that
// appear or vanish while a caller walks it therefore do not disturb the walk, and the folder is
// not held open between calls.

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/files/os_error.h"
#include "platform/files/os_path.h"
#include "platform/files/wildcard.h"

namespace platform {
namespace {

struct Listing {
  std::vector<Text> names;
  std::size_t next = 0;
};

Listing& SharedListing() {
  static Listing listing;
  return listing;
}

struct DirCloser {
  void operator()(DIR* folder) const { closedir(folder); }
};

constexpr std::string_view kListAction = "Cannot list";

std::vector<Text> ListMatchingFiles(const Text& pattern) {
  const std::size_t cut = pattern.find_last_of(u"\\/");
  const Text name_pattern = cut == Text::npos ? pattern : pattern.substr(cut + 1);
  // "folder\" names no file, and an empty pattern matches nothing.
  if (name_pattern.empty()) return {};
  Text folder = u".";
  if (cut == 0) {
    folder = u"/";
  } else if (cut != Text::npos) {
    folder = pattern.substr(0, cut);
  }

  const std::string os_pattern = OsPathFor(pattern, kListAction, "");
  const std::string os_folder = ToOsPath(folder);
  std::unique_ptr<DIR, DirCloser> handle(opendir(os_folder.c_str()));
  if (!handle) {
    // A folder that does not exist holds no matching file; that is no error.
    if (errno == ENOENT || errno == ENOTDIR) return {};
    ThrowFileError(kListAction, os_pattern, "", errno);
  }

  std::vector<Text> names;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(handle.get());
    if (entry == nullptr) {
      if (errno != 0) ThrowFileError(kListAction, os_pattern, "", errno);
      break;
    }
    if (entry->d_name[0] == '.') continue;  // hidden, and the "." and ".." entries
    Text name = FromOsPath(entry->d_name);
    if (!WildcardMatch(name_pattern, name)) continue;
    // The entry's type is taken through any symbolic link: a link to a file lists as a file.
    struct stat status {};
    if (fstatat(dirfd(handle.get()), entry->d_name, &status, 0) != 0) {
      // A dangling or looping link, or a file removed since the folder was read.
      if (errno == ENOENT || errno == ELOOP) continue;
      ThrowFileError(kListAction, os_pattern, "", errno);
    }
    if (S_ISREG(status.st_mode)) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

Text Dir(const Text& pattern) {
  Listing& listing = SharedListing();
  listing = Listing{};
  listing.names = ListMatchingFiles(pattern);
  return Dir();
}

Text Dir() {
  Listing& listing = SharedListing();
  if (listing.next >= listing.names.size()) return Text();
  return listing.names[listing.next++];
}

}  // namespace platform
