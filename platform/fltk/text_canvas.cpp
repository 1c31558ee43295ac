#include "platform/fltk/text_canvas.h"

#include <FL/x.H>
#include <X11/Xft/Xft.h>

#include <stdexcept>

namespace platform::desktop {

TextCanvas::TextCanvas(Display* display, Drawable drawable)
    : draw_(XftDrawCreate(display, drawable, fl_visual->visual, fl_colormap)) {
  if (draw_ == nullptr) throw std::runtime_error("Xft cannot draw on the window");
}

TextCanvas::~TextCanvas() { XftDrawDestroy(draw_); }

void TextCanvas::ClipTo(const TextBox& clip) {
  if (clip == clip_) return;
  clip_ = clip;
  XRectangle rectangle{static_cast<short>(clip.x), static_cast<short>(clip.y),
                       static_cast<unsigned short>(clip.w), static_cast<unsigned short>(clip.h)};
  XftDrawSetClipRectangles(draw_, 0, 0, &rectangle, 1);
}

}  // namespace platform::desktop
