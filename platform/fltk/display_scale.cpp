#include "platform/fltk/display_scale.h"

#include <charconv>
#include <cmath>

namespace platform::desktop {

DisplayScale::DisplayScale(double dpi) : dpi_(dpi > 0 ? dpi : kDefaultDpi) {}

int DisplayScale::ToPixels(double twips) const {
  return static_cast<int>(std::nearbyint(twips / TwipsPerPixel()));
}

int DisplayScale::FontPixels(double points) const {
  const int pixels = static_cast<int>(std::nearbyint(points * dpi_ / 72.0));
  return pixels < 1 ? 1 : pixels;
}

std::optional<double> ParseDpi(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  // from_chars, unlike strtod, ignores the locale: the resource always has a decimal point.
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value) || value <= 0) return std::nullopt;
  return value;
}

}  // namespace platform::desktop
