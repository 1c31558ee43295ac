// The sign's images on the display server: the picture, uploaded once, and a back buffer in
// which every paint is put together before it is copied onto the window in one go, so the
// window never shows a half-drawn state and a paint sends the server only a few requests.
#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "platform/fltk/rgb_image.h"
#include "platform/fltk/text_box.h"
#include "platform/fltk/text_canvas.h"

namespace platform::desktop {

class WindowBuffers {
 public:
  // Needs the toolkit's display open.
  WindowBuffers();
  ~WindowBuffers();
  WindowBuffers(const WindowBuffers&) = delete;
  WindowBuffers& operator=(const WindowBuffers&) = delete;

  // Keeps `picture` on the server; the pixels are not needed afterwards.
  void SetPicture(const RgbImage& picture);

  // Makes the back buffer `width` x `height` pixels. True when it was made anew, so that its
  // content is undefined until the whole of it is painted.
  bool FitBackBuffer(int width, int height);

  // Starts a paint of `area`: the back buffer shows white with the picture at its top-left
  // corner there again, ready for text on Canvas().
  void PaintGround(const TextBox& area);
  TextCanvas& Canvas() { return *canvas_; }

  // Copies `area` of the back buffer onto `window`.
  void CopyTo(Window window, const TextBox& area);

 private:
  void FreeBackBuffer();

  Display* display_;
  GC gc_;  // white; copies raise no exposure events
  Pixmap picture_ = 0;
  TextBox picture_box_;
  Pixmap back_ = 0;
  TextBox back_box_;
  std::unique_ptr<TextCanvas> canvas_;  // draws on back_
};

}  // namespace platform::desktop
