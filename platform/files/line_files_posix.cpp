// Numbered sequential line files.
//
// A file opened for reading is taken in whole at Open and the OS file is closed at once: a
// later write into the same file, by a call nested in a yield for instance, cannot change what
// the reader goes on reading. Every line written goes to the OS at once, without a buffer of
// our own, so a program that ends in the middle of a write leaves the lines written so far and
// never writes an old buffer over what someone else wrote since.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <string>

#include "platform/app/app.h"
#include "platform/files/files.h"
#include "platform/files/os_error.h"

namespace platform {
namespace {

// As many as the Windows runtime hands out.
constexpr int kHighestFileNumber = 255;

struct OpenFile {
  FileMode mode = FileMode::kInput;
  std::string os_path;
  std::string content;       // kInput: the whole file
  std::size_t position = 0;  // kInput: where the next line starts
  int descriptor = -1;       // kOutput
};

std::map<int, OpenFile>& OpenFiles() {
  static std::map<int, OpenFile> files;
  return files;
}

std::string FileNumberText(int handle) { return "File number " + std::to_string(handle); }

OpenFile& FindOpenFile(int handle, FileMode mode) {
  auto found = OpenFiles().find(handle);
  if (found == OpenFiles().end()) throw RuntimeError(FileNumberText(handle) + " is not open");
  if (found->second.mode != mode) {
    throw RuntimeError(FileNumberText(handle) + " is not open for " +
                       (mode == FileMode::kInput ? "reading" : "writing") + " (\"" +
                       found->second.os_path + "\")");
  }
  return found->second;
}

class DescriptorCloser {
 public:
  explicit DescriptorCloser(int descriptor) : descriptor_(descriptor) {}
  DescriptorCloser(const DescriptorCloser&) = delete;
  DescriptorCloser& operator=(const DescriptorCloser&) = delete;
  ~DescriptorCloser() { close(descriptor_); }

 private:
  int descriptor_;
};

// Opens without waiting: a named pipe would otherwise block the open until another program
// comes to its other end, freezing the sign on the screen. Once open, the descriptor blocks
// again as usual.
int OpenWithoutWaiting(const std::string& os_path, int flags, std::string_view detail) {
  const int descriptor = open(os_path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    struct stat status {};
    if (errno == ENXIO && stat(os_path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode)) {
      ThrowFileError("Cannot open", os_path, detail,
                     "it is a named pipe that no program is reading from");
    }
    ThrowFileError("Cannot open", os_path, detail, errno);
  }
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  return descriptor;
}

std::string ReadWholeFile(const std::string& os_path) {
  const int descriptor = OpenWithoutWaiting(os_path, O_RDONLY, " for reading");
  DescriptorCloser closer(descriptor);
  struct stat status {};
  if (fstat(descriptor, &status) != 0)
    ThrowFileError("Cannot open", os_path, " for reading", errno);
  // Linux lets a folder be opened for reading; only read() would then fail.
  if (S_ISDIR(status.st_mode)) ThrowFileError("Cannot open", os_path, " for reading", EISDIR);

  std::string content;
  char buffer[65536];
  for (;;) {
    const ssize_t count = read(descriptor, buffer, sizeof buffer);
    if (count < 0) {
      if (errno == EINTR) continue;
      ThrowFileError("Cannot read", os_path, "", errno);
    }
    if (count == 0) break;
    content.append(buffer, static_cast<std::size_t>(count));
  }
  return content;
}

void WriteAll(int descriptor, const std::string& os_path, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(descriptor, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      ThrowFileError("Cannot write", os_path, "", errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
}

}  // namespace

int FreeFile() {
  for (int handle = 1; handle <= kHighestFileNumber; ++handle) {
    if (!OpenFiles().contains(handle)) return handle;
  }
  throw RuntimeError("Too many files are open: no file number is free");
}

void Open(const Text& path, FileMode mode, int handle) {
  const std::string_view detail = mode == FileMode::kInput ? " for reading" : " for writing";
  const std::string os_path = OsPathFor(path, "Cannot open", detail);
  if (handle < 1 || handle > kHighestFileNumber) {
    ThrowFileError("Cannot open", os_path, detail, "Bad file number " + std::to_string(handle));
  }
  if (auto open_file = OpenFiles().find(handle); open_file != OpenFiles().end()) {
    ThrowFileError(
        "Cannot open", os_path, detail,
        FileNumberText(handle) + " is already open for \"" + open_file->second.os_path + "\"");
  }

  OpenFile file;
  file.mode = mode;
  file.os_path = os_path;
  if (mode == FileMode::kInput) {
    file.content = ReadWholeFile(os_path);
  } else {
    file.descriptor = OpenWithoutWaiting(os_path, O_WRONLY | O_CREAT | O_TRUNC, detail);
  }
  OpenFiles().emplace(handle, std::move(file));
}

bool Eof(int handle) {
  const OpenFile& file = FindOpenFile(handle, FileMode::kInput);
  return file.position >= file.content.size();
}

Text LineInput(int handle) {
  OpenFile& file = FindOpenFile(handle, FileMode::kInput);
  const std::string& content = file.content;
  if (file.position >= content.size()) {
    ThrowFileError("Cannot read", file.os_path, "", "Input past end of file");
  }
  std::size_t end = content.find('\r', file.position);
  if (end == std::string::npos) end = content.size();
  const std::string_view line(content.data() + file.position, end - file.position);
  file.position = end;
  if (file.position < content.size()) {
    ++file.position;  // the CR
    if (file.position < content.size() && content[file.position] == '\n') ++file.position;
  }
  return FromCodePage(line);
}

void PrintLine(int handle, const Text& line) {
  const OpenFile& file = FindOpenFile(handle, FileMode::kOutput);
  std::string bytes = ToCodePage(line);
  bytes += "\r\n";
  WriteAll(file.descriptor, file.os_path, bytes);
}

void Close(int handle) {
  auto found = OpenFiles().find(handle);
  if (found == OpenFiles().end()) throw RuntimeError(FileNumberText(handle) + " is not open");
  const OpenFile file = std::move(found->second);
  OpenFiles().erase(found);
  // Some file systems (NFS among them) report a failed write only here. Linux frees the
  // descriptor even when close fails, so the file number is free either way.
  if (file.descriptor >= 0 && close(file.descriptor) != 0 && errno != EINTR) {
    ThrowFileError("Cannot close", file.os_path, "", errno);
  }
}

}  // namespace platform
