// The message loop's services on the desktop: yielding to the toolkit, ending at once, the
// message box and the screens.
#pragma once

#include "platform/app/app.h"
#include "platform/fltk/display_scale.h"
#include "platform/fltk/font_faces.h"
#include "platform/fltk/text_painter.h"

namespace platform::desktop {

class DesktopBackend : public AppBackend {
 public:
  DesktopBackend(const DisplayScale& scale, FontFaces& faces, TextPainter& painter)
      : scale_(scale), faces_(faces), painter_(painter) {}

  void DoEvents() override;
  [[noreturn]] void End(int status) override;
  int MsgBox(const Text& prompt, int style, const Text& title) override;
  std::vector<ScreenArea> Screens() override;

 private:
  const DisplayScale& scale_;
  FontFaces& faces_;
  TextPainter& painter_;
};

}  // namespace platform::desktop
