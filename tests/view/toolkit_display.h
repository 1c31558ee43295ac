// FLTK's display, open on a private Xvfb for as long as the object lives. Declare it before the
// fonts, painters and windows of a test, so that they go before the display closes.
#pragma once

#include <FL/Fl.H>
#include <FL/x.H>

#include "tests/harness/xvfb_server.h"

namespace view_test {

class ToolkitDisplay {
 public:
  ToolkitDisplay() : display_(XOpenDisplay(server_.Display().c_str())) {
    if (display_ != nullptr) fl_open_display(display_);
  }
  ~ToolkitDisplay() {
    if (display_ != nullptr) fl_close_display();
  }
  ToolkitDisplay(const ToolkitDisplay&) = delete;
  ToolkitDisplay& operator=(const ToolkitDisplay&) = delete;

  bool Open() const { return display_ != nullptr; }

 private:
  harness::XvfbServer server_;
  Display* display_;
};

}  // namespace view_test
