#include "tests/faults/small_disk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace faults {

SmallDisk::SmallDisk(std::filesystem::path folder, std::size_t bytes) : folder_(std::move(folder)) {
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    why_not_ = "cannot mount a tmpfs on " + folder_.string() + ": " + std::strerror(errno) +
               " (needs root)";
    return;
  }
  mounted_ = true;
}

SmallDisk::~SmallDisk() {
  if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
}

void SmallDisk::FillUp() const {
  const std::string filler = (folder_ / "filler").string();
  const int descriptor = open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (descriptor < 0) throw std::runtime_error("cannot create " + filler);
  // Large pieces first, then single bytes, until the disk refuses even one.
  const std::vector<char> block(4096, 'f');
  for (const std::size_t piece : {block.size(), std::size_t{1}}) {
    for (;;) {
      const ssize_t count = write(descriptor, block.data(), piece);
      if (count > 0) continue;
      if (count < 0 && errno == EINTR) continue;
      if (count < 0 && errno == ENOSPC) break;
      const int error = errno;
      close(descriptor);
      throw std::runtime_error("filling " + filler + ": " + std::strerror(error));
    }
  }
  close(descriptor);
}

}  // namespace faults
