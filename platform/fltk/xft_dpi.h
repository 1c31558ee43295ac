// The desktop's DPI setting as X clients see it: the Xft.dpi resource.
#pragma once

#include <optional>

#include <X11/Xlib.h>

namespace platform::desktop {

// The value of Xft.dpi in the display's resource database; nothing when it is not set or is
// not a positive number.
std::optional<double> ReadXftDpi(Display* display);

}  // namespace platform::desktop
