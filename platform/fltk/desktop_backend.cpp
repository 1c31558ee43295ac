#include "platform/fltk/desktop_backend.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <unistd.h>

#include "platform/fltk/message_box.h"

namespace platform::desktop {

void DesktopBackend::DoEvents() { Fl::check(); }

void DesktopBackend::End(int status) {
  // Requests still buffered (the last moves and paints) reach the display; then the process
  // goes at once. _exit runs no handler and no destructor, and flushes no stdio buffer that an
  // interrupted call may have left half-filled. The display closes the window with the
  // connection, and the OS closes open files.
  if (fl_display != nullptr) XFlush(fl_display);
  _exit(status);
}

int DesktopBackend::MsgBox(const Text& prompt, int style, const Text& title) {
  return RunMessageBox(prompt, style, title, scale_, faces_, painter_);
}

std::vector<ScreenArea> DesktopBackend::Screens() {
  std::vector<ScreenArea> screens;
  for (int n = 0; n < Fl::screen_count(); ++n) {
    int x = 0, y = 0, w = 0, h = 0;
    Fl::screen_xywh(x, y, w, h, n);
    screens.push_back(
        ScreenArea{static_cast<float>(scale_.ToTwips(x)), static_cast<float>(scale_.ToTwips(y)),
                   static_cast<float>(scale_.ToTwips(w)), static_cast<float>(scale_.ToTwips(h))});
  }
  return screens;
}

}  // namespace platform::desktop
