#include "platform/fltk/desktop.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/app/app.h"
#include "platform/fltk/desktop_backend.h"
#include "platform/fltk/display_scale.h"
#include "platform/fltk/font_faces.h"
#include "platform/fltk/form_view.h"
#include "platform/fltk/paint_log.h"
#include "platform/fltk/text_painter.h"
#include "platform/fltk/xft_dpi.h"

namespace platform {
namespace {

// FLTK opens an X input method with the display, and Xlib's input method loads the Compose
// table of a UTF-8 locale: half a megabyte of heap for the life of the program. The sign takes
// no typed text, so the input method is opened under the C locale; everything else keeps the
// user's locale.
void OpenToolkitDisplay(Display* display) {
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  const std::string ctype = current != nullptr ? current : "C";
  std::setlocale(LC_CTYPE, "C");
  fl_open_display(display);
  std::setlocale(LC_CTYPE, ctype.c_str());
}

}  // namespace

int RunOnDesktop(Form& form) {
  // FLTK would end the process with a message of its own; open the display first instead.
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
      std::fprintf(stderr,
                   "orvanta: no X display: DISPLAY is not set; the sign needs an X11 "
                   "desktop session\n");
    } else {
      std::fprintf(stderr,
                   "orvanta: cannot open the X display \"%s\"; the sign needs an X11 "
                   "desktop session\n",
                   name);
    }
    return 1;
  }
  OpenToolkitDisplay(display);

  const desktop::DisplayScale scale(
      desktop::ReadXftDpi(display).value_or(desktop::DisplayScale::kDefaultDpi));
  desktop::FontFaces faces;
  desktop::TextPainter painter(faces);
  desktop::PaintLog paint_log;
  desktop::DesktopBackend backend(scale, faces, painter);
  AppBackend* previous = SetAppBackend(&backend);
  {
    desktop::FormView view(form, scale, faces, painter, paint_log);
    // Form_Load makes the window visible itself, through Form::Show().
    RunHandler(form.Caption(), [&form] { form.Form_Load(); });
    // Runs until no window is left: the sign ends the program itself on a double-click, so
    // this returns only when the desktop closed the window, which saves nothing.
    Fl::run();
  }
  SetAppBackend(previous);
  return 0;
}

}  // namespace platform
