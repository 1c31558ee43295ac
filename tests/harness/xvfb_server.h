// A private X server for one test: Xvfb on a free display, stopped with the object.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>

namespace harness {

class XvfbServer {
 public:
  // Starts `Xvfb -screen 0 <width>x<height>x24` on the first free display (Xvfb picks it and
  // reports it through -displayfd). The server keeps its resources when clients disconnect.
  // Throws std::runtime_error when the server does not come up.
  explicit XvfbServer(int width = 1280, int height = 1024);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // The display's name, such as ":3".
  const std::string& Display() const { return display_; }
  // The environment that points a client at this server.
  std::map<std::string, std::string> Environment() const { return {{"DISPLAY", display_}}; }

  // Sets the Xft.dpi resource, the desktop's DPI setting, with xrdb.
  void SetXftDpi(double dpi) const;

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace harness
