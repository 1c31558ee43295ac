// Removes a file at the moment a directory listing of its folder is finished, before whoever
// listed it gets to open what the listing gave: the window in which another program may delete
// the file. The test program is linked with -Wl,--wrap=closedir, so every listing that our code
// makes ends in the hook.
#pragma once

#include <filesystem>

namespace faults {

// Removes `file` when the `nth` listing of its folder (counting from 1) is closed. One removal
// can be pending at a time; arming again replaces it.
void RemoveAfterListing(const std::filesystem::path& file, int nth);
void DisarmListingHook();

}  // namespace faults
