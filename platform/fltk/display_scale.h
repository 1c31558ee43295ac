// Conversion between twips, pixels and points for one display. Twips per pixel follow the
// desktop's DPI setting, which desktops change for scaling; FLTK 1.3 scales nothing itself.
#pragma once

#include <optional>
#include <string_view>

namespace platform::desktop {

class DisplayScale {
 public:
  static constexpr double kDefaultDpi = 96;

  explicit DisplayScale(double dpi = kDefaultDpi);

  double Dpi() const { return dpi_; }
  double TwipsPerPixel() const { return 1440.0 / dpi_; }

  // Whole pixels for a position or size in twips, halves to the even neighbour.
  int ToPixels(double twips) const;
  double ToTwips(double pixels) const { return pixels * TwipsPerPixel(); }
  // The pixel size of a font of `points` points (at least 1).
  int FontPixels(double points) const;

 private:
  double dpi_;
};

// Reads a DPI resource value such as "96" or "144.5"; nothing for text that is not a positive
// number.
std::optional<double> ParseDpi(std::string_view text);

}  // namespace platform::desktop
