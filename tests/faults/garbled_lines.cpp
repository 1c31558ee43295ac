#include "tests/faults/garbled_lines.h"

#include <random>

namespace faults {

std::string GarbledLines(std::size_t size) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> byte(0, 255);
  const std::string number_start = "0123456789+-. \t\r\n";
  std::string bytes;
  while (bytes.size() < size) {
    char first = 0;
    do {
      first = static_cast<char>(byte(random));
    } while (number_start.find(first) != std::string::npos);
    bytes += first;
    for (int i = byte(random); i > 0; --i) {
      const char next = static_cast<char>(byte(random));
      bytes += next == '\r' ? 'x' : next;
    }
    bytes += byte(random) % 2 ? "\r\n" : "\r";
  }
  return bytes;
}

}  // namespace faults
