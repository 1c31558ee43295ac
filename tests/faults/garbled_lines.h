// Setting-file content that a damaged disk or a stray program might leave behind.
#pragma once

#include <cstddef>
#include <string>

namespace faults {

// About `size` bytes of lines of random bytes (the same ones every time), each line starting
// with a byte that cannot begin a number and ended by CR LF or by a lone CR. Read as the
// remembered position, both of the first two lines give 0.
std::string GarbledLines(std::size_t size);

}  // namespace faults
