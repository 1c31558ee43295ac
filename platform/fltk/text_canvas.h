// A drawable that text is drawn on with Xft, and the rectangle the text is clipped to.
#pragma once

#include <X11/Xlib.h>

#include "platform/fltk/text_box.h"

typedef struct _XftDraw XftDraw;  // Xft's, declared the way its header does

namespace platform::desktop {

class TextCanvas {
 public:
  // The drawable must be of the display's default visual and outlive the canvas.
  TextCanvas(Display* display, Drawable drawable);
  ~TextCanvas();
  TextCanvas(const TextCanvas&) = delete;
  TextCanvas& operator=(const TextCanvas&) = delete;

  // Text drawn from now on shows only inside `clip`. The server hears of it only when the
  // rectangle differs from the last one.
  void ClipTo(const TextBox& clip);

  XftDraw* Draw() const { return draw_; }

 private:
  XftDraw* draw_;
  TextBox clip_{0, 0, -1, -1};
};

}  // namespace platform::desktop
