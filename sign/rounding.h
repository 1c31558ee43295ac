// Turning single- and double-precision twips into whole numbers: halves go to the even
// neighbour, as the forms runtime rounds.
#pragma once

#include <cstdint>
#include <optional>

namespace sign {

// Empty when the rounded value does not fit a signed 32-bit integer (or is not a number).
std::optional<std::int32_t> RoundToInt32(double value);

// Raises platform::RuntimeError ("Overflow") when the rounded value does not fit 16 bits.
std::int16_t RoundToInt16(double value);

}  // namespace sign
