#include "platform/fltk/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/app/app.h"

namespace platform::desktop {
namespace {

enum class IconKind { kNone, kStop, kQuestion, kExclamation, kInformation };

IconKind IconOf(int style) {
  switch (style & 0x70) {
    case 16:
      return IconKind::kStop;
    case 32:
      return IconKind::kQuestion;
    case 48:
      return IconKind::kExclamation;
    case 64:
      return IconKind::kInformation;
    default:
      return IconKind::kNone;
  }
}

class IconView : public Fl_Widget {
 public:
  IconView(int x, int y, int size, IconKind kind) : Fl_Widget(x, y, size, size), kind_(kind) {}

  void draw() override {
    const int size = w();
    const int stroke = std::max(2, size / 10);
    if (kind_ == IconKind::kExclamation) {
      fl_color(fl_rgb_color(250, 200, 30));
      fl_polygon(x() + size / 2, y(), x() + size - 1, y() + size - 1, x(), y() + size - 1);
      Mark("!", FL_BLACK, size * 3 / 5, y() + size / 6);
      return;
    }
    fl_color(kind_ == IconKind::kStop ? fl_rgb_color(210, 35, 35) : fl_rgb_color(30, 90, 200));
    fl_pie(x(), y(), size, size, 0, 360);
    if (kind_ == IconKind::kStop) {
      // A white cross on the red disc.
      const int inset = size * 3 / 10;
      fl_color(FL_WHITE);
      fl_line_style(FL_SOLID | FL_CAP_ROUND, stroke);
      fl_line(x() + inset, y() + inset, x() + size - 1 - inset, y() + size - 1 - inset);
      fl_line(x() + size - 1 - inset, y() + inset, x() + inset, y() + size - 1 - inset);
      fl_line_style(0);
      return;
    }
    Mark(kind_ == IconKind::kQuestion ? "?" : "i", FL_WHITE, size * 2 / 3, y());
  }

 private:
  void Mark(const char* text, Fl_Color colour, int pixels, int top) {
    fl_color(colour);
    fl_font(FL_HELVETICA_BOLD, pixels);
    fl_draw(text, x(), top, w(), y() + h() - top, FL_ALIGN_CENTER);
  }

  IconKind kind_;
};

class TextView : public Fl_Widget {
 public:
  TextView(int x, int y, int w, int h, const Text& text, FaceId face, int pixels,
           TextPainter& painter)
      : Fl_Widget(x, y, w, h), text_(text), face_(face), pixels_(pixels), painter_(painter) {}

  void draw() override {
    // FLTK draws the dialog into its own back buffer; the text goes there too, within the part
    // of the widget that this paint covers.
    TextBox clip;
    fl_clip_box(x(), y(), w(), h(), clip.x, clip.y, clip.w, clip.h);
    TextCanvas canvas(fl_display, fl_window);
    painter_.Draw(canvas, text_, face_, pixels_, TextBox{x(), y(), w(), h()}, clip,
                  FL_FOREGROUND_COLOR, LongWords::kBreak);
  }

 private:
  const Text& text_;
  FaceId face_;
  int pixels_;
  TextPainter& painter_;
};

void HideWindow(Fl_Widget* widget, void*) { widget->window()->hide(); }
void HideSelf(Fl_Widget* widget, void*) { widget->hide(); }

}  // namespace

int RunMessageBox(const Text& prompt, int style, const Text& title, const DisplayScale& scale,
                  FontFaces& faces, TextPainter& painter) {
  // Sizes of the box at 96 DPI, scaled to the display.
  const auto px = [&scale](double pixels_at_96) {
    return static_cast<int>(std::lround(pixels_at_96 * scale.Dpi() / DisplayScale::kDefaultDpi));
  };
  const int margin = px(14);
  const int gap = px(12);
  const int button_w = px(88);
  const int button_h = px(26);
  const int text_pixels = scale.FontPixels(9);
  const FaceId face = faces.InterfaceFace();

  const IconKind kind = IconOf(style);
  const int icon_size = kind == IconKind::kNone ? 0 : px(32);
  const TextBox text = painter.Measure(prompt, face, text_pixels, px(420), LongWords::kBreak);

  const int content_h = std::max(icon_size, text.h);
  const int text_x = margin + (icon_size > 0 ? icon_size + gap : 0);
  const int box_w = std::max(text_x + text.w + margin, button_w + 2 * margin);
  const int box_h = margin + content_h + gap + button_h + margin;

  int screen_x = 0, screen_y = 0, screen_w = 0, screen_h = 0;
  Fl::screen_xywh(screen_x, screen_y, screen_w, screen_h);
  Fl_Double_Window box(screen_x + (screen_w - box_w) / 2, screen_y + (screen_h - box_h) / 2, box_w,
                       box_h);
  const std::string title_utf8 = ToUtf8(title);
  box.copy_label(title_utf8.c_str());
  box.color(FL_WHITE);
  // The window owns its widgets, as FLTK groups do, and deletes them with itself.
  auto* icon = new IconView(margin, margin + (content_h - icon_size) / 2, icon_size, kind);
  if (kind == IconKind::kNone) icon->hide();
  new TextView(text_x, margin + (content_h - text.h) / 2, std::max(1, text.w), std::max(1, text.h),
               prompt, face, text_pixels, painter);
  auto* ok = new Fl_Return_Button((box_w - button_w) / 2, box_h - margin - button_h, button_w,
                                  button_h, "OK");
  ok->labelsize(text_pixels);
  ok->callback(HideWindow);
  box.end();
  // Escape and the window manager's close button answer like OK.
  box.callback(HideSelf);
  box.set_modal();
  box.show();
  while (box.shown()) Fl::wait();
  return kMsgBoxOk;
}

}  // namespace platform::desktop
