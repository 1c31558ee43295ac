#include "platform/fltk/window_buffers.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>

namespace platform::desktop {
namespace {

// The picture goes up this many rows at a time: FLTK converts an image to the server's pixel
// format in a buffer as large as the part drawn, and keeps that buffer for good.
constexpr int kUploadRows = 16;

}  // namespace

WindowBuffers::WindowBuffers() : display_(fl_display) {
  XGCValues values{};
  values.foreground = fl_xpixel(FL_WHITE);
  values.graphics_exposures = False;
  gc_ = XCreateGC(display_, RootWindow(display_, fl_screen), GCForeground | GCGraphicsExposures,
                  &values);
}

WindowBuffers::~WindowBuffers() {
  FreeBackBuffer();
  if (picture_ != 0) XFreePixmap(display_, picture_);
  XFreeGC(display_, gc_);
}

void WindowBuffers::SetPicture(const RgbImage& picture) {
  if (picture_ != 0) XFreePixmap(display_, picture_);
  picture_ = 0;
  picture_box_ = {};
  if (picture.Empty()) return;
  picture_ = fl_create_offscreen(picture.width, picture.height);
  picture_box_ = TextBox{0, 0, picture.width, picture.height};
  fl_begin_offscreen(picture_);
  const int row_bytes = picture.width * 3;
  for (int row = 0; row < picture.height; row += kUploadRows) {
    const int rows = std::min(kUploadRows, picture.height - row);
    fl_draw_image(picture.pixels.data() + static_cast<std::size_t>(row) * row_bytes, 0, row,
                  picture.width, rows, 3, row_bytes);
  }
  fl_end_offscreen();
}

void WindowBuffers::FreeBackBuffer() {
  canvas_.reset();
  if (back_ != 0) XFreePixmap(display_, back_);
  back_ = 0;
  back_box_ = {};
}

bool WindowBuffers::FitBackBuffer(int width, int height) {
  if (back_ != 0 && back_box_.w == width && back_box_.h == height) return false;
  FreeBackBuffer();
  back_ = fl_create_offscreen(std::max(1, width), std::max(1, height));
  back_box_ = TextBox{0, 0, width, height};
  canvas_ = std::make_unique<TextCanvas>(display_, back_);
  return true;
}

void WindowBuffers::PaintGround(const TextBox& area) {
  const TextBox under_picture = Intersection(area, picture_box_);
  // The picture covers the window at the usual resolution; only a larger window shows white.
  if (under_picture != area) {
    XFillRectangle(display_, back_, gc_, area.x, area.y, area.w, area.h);
  }
  if (!under_picture.Empty()) {
    XCopyArea(display_, picture_, back_, gc_, under_picture.x, under_picture.y, under_picture.w,
              under_picture.h, under_picture.x, under_picture.y);
  }
}

void WindowBuffers::CopyTo(Window window, const TextBox& area) {
  XCopyArea(display_, back_, window, gc_, area.x, area.y, area.w, area.h, area.x, area.y);
}

}  // namespace platform::desktop
