#include "tests/faults/listing_hook.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace faults {
namespace {

struct PendingRemoval {
  bool armed = false;
  dev_t folder_device = 0;
  ino_t folder_inode = 0;
  std::string file;
  int listings_left = 0;
};

PendingRemoval pending;

void OnListingClosed(DIR* folder) {
  if (!pending.armed) return;
  struct stat status {};
  if (fstat(dirfd(folder), &status) != 0) return;
  if (status.st_dev != pending.folder_device || status.st_ino != pending.folder_inode) return;
  if (--pending.listings_left > 0) return;
  unlink(pending.file.c_str());
  pending.armed = false;
}

}  // namespace

void RemoveAfterListing(const std::filesystem::path& file, int nth) {
  struct stat status {};
  if (stat(file.parent_path().c_str(), &status) != 0) {
    throw std::runtime_error("cannot watch the listings of " + file.parent_path().string());
  }
  pending = PendingRemoval{true, status.st_dev, status.st_ino, file.string(), nth};
}

void DisarmListingHook() { pending = PendingRemoval{}; }

}  // namespace faults

extern "C" int __real_closedir(DIR* folder);

extern "C" int __wrap_closedir(DIR* folder) {
  faults::OnListingClosed(folder);
  return __real_closedir(folder);
}
