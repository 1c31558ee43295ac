#include "platform/fltk/xft_dpi.h"

#include <X11/Xresource.h>

#include <cstring>
#include <string_view>

#include "platform/fltk/display_scale.h"

namespace platform::desktop {

std::optional<double> ReadXftDpi(Display* display) {
  // The resource manager string is what xrdb loaded onto the root window.
  const char* resources = XResourceManagerString(display);
  if (resources == nullptr) return std::nullopt;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return std::nullopt;
  std::optional<double> dpi;
  char* type = nullptr;
  XrmValue value{};
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr &&
      type != nullptr && std::strcmp(type, "String") == 0) {
    dpi = ParseDpi(std::string_view(value.addr, std::strlen(value.addr)));
  }
  XrmDestroyDatabase(database);
  return dpi;
}

}  // namespace platform::desktop
