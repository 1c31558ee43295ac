// The runtime errors that the file services raise when the OS refuses an operation.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Raises a RuntimeError "<action> "<os_path>"<detail>: <reason of error_number>", for example
// Cannot open "/x/setting.dat" for writing: Permission denied.
[[noreturn]] void ThrowFileError(std::string_view action, const std::string& os_path,
                                 std::string_view detail, int error_number);

// The same with a reason of our own in place of the OS's.
[[noreturn]] void ThrowFileError(std::string_view action, const std::string& os_path,
                                 std::string_view detail, std::string_view reason);

}  // namespace platform

namespace platform {

// The byte path (see os_path.h) for an OS call that does `action` on `path`. A path that holds
// a NUL character is refused with an error: the OS would cut it at the NUL and act on another
// file than the one named.
std::string OsPathFor(std::u16string_view path, std::string_view action, std::string_view detail);

}  // namespace platform
