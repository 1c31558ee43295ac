#include "sign/rounding.h"

#include <cmath>
#include <limits>

#include "platform/app/app.h"

namespace sign {
namespace {

template <typename Int>
std::optional<Int> RoundTo(double value) {
  // nearbyint rounds in the current mode, which is round-half-to-even unless someone changed it.
  const double rounded = std::nearbyint(value);
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    return std::nullopt;
  }
  return static_cast<Int>(rounded);
}

}  // namespace

std::optional<std::int32_t> RoundToInt32(double value) { return RoundTo<std::int32_t>(value); }

std::int16_t RoundToInt16(double value) {
  const auto rounded = RoundTo<std::int16_t>(value);
  if (!rounded) throw platform::RuntimeError("Overflow: a label position does not fit 16 bits");
  return *rounded;
}

}  // namespace sign
