// Loaded into the built program with LD_PRELOAD by the fault tests. When the program closes its
// nth listing (ORVANTA_FAULT_AFTER_LISTING) of the folder that holds the file named by
// ORVANTA_FAULT_REMOVE, the file is removed: what another program might do between the moment
// the sign lists its setting file and the moment it opens it. Listings of other folders, such
// as the font folders, are not counted.
#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

int listings_seen = 0;

bool SameFolder(DIR* folder, const std::string& file) {
  const std::size_t cut = file.rfind('/');
  if (cut == std::string::npos) return false;
  const std::string parent = cut == 0 ? std::string("/") : file.substr(0, cut);
  struct stat listed {};
  struct stat wanted {};
  return fstat(dirfd(folder), &listed) == 0 && stat(parent.c_str(), &wanted) == 0 &&
         listed.st_dev == wanted.st_dev && listed.st_ino == wanted.st_ino;
}

}  // namespace

extern "C" int closedir(DIR* folder) {
  using Closedir = int (*)(DIR*);
  static const auto real_closedir = reinterpret_cast<Closedir>(dlsym(RTLD_NEXT, "closedir"));
  const char* file = std::getenv("ORVANTA_FAULT_REMOVE");
  const char* after = std::getenv("ORVANTA_FAULT_AFTER_LISTING");
  if (file != nullptr && after != nullptr && SameFolder(folder, file) &&
      ++listings_seen == std::atoi(after)) {
    unlink(file);
  }
  return real_closedir(folder);
}
