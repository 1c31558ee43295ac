#include "platform/fltk/sign_window.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>

#include "platform/app/app.h"
#include "platform/fltk/gif_decoder.h"
#include "platform/fltk/ico_decoder.h"
#include "platform/text/text.h"

namespace platform::desktop {
namespace {

// FLTK numbers the buttons 1 left, 2 middle, 3 right; the handlers expect the forms values.
int ButtonOf(int fltk_button) {
  switch (fltk_button) {
    case FL_LEFT_MOUSE:
      return kLeftButton;
    case FL_RIGHT_MOUSE:
      return kRightButton;
    case FL_MIDDLE_MOUSE:
      return kMiddleButton;
    default:
      return 0;
  }
}

int HeldButtons(int state) {
  int buttons = 0;
  if (state & FL_BUTTON1) buttons |= kLeftButton;
  if (state & FL_BUTTON3) buttons |= kRightButton;
  if (state & FL_BUTTON2) buttons |= kMiddleButton;
  return buttons;
}

int ShiftOf(int state) {
  int shift = 0;
  if (state & FL_SHIFT) shift |= kShiftKey;
  if (state & FL_CTRL) shift |= kCtrlKey;
  if (state & FL_ALT) shift |= kAltKey;
  return shift;
}

// The window closes only when the desktop asks it to (the program then ends without saving);
// Escape, which FLTK would also route here, does nothing.
void CloseOnlyOnRequest(Fl_Widget* widget, void*) {
  if (Fl::event() == FL_CLOSE) widget->hide();
}

}  // namespace

SignWindow::SignWindow(Form& form, const DisplayScale& scale, FontFaces& faces,
                       TextPainter& painter, PaintLog& paint_log)
    : Fl_Window(scale.ToPixels(form.Left()), scale.ToPixels(form.Top()),
                std::max(1, scale.ToPixels(form.Width())),
                std::max(1, scale.ToPixels(form.Height()))),
      form_(form),
      scale_(scale),
      faces_(faces),
      painter_(painter),
      paint_log_(paint_log),
      router_(form) {
  end();  // no child widgets: everything is painted in draw()
  box(FL_NO_BOX);
  clear_border();
  xclass("orvanta");
  callback(CloseOnlyOnRequest);
}

SignWindow::~SignWindow() = default;

void SignWindow::ShowForm() {
  TakePicture(form_.Picture());
  TakeIcon(form_.Icon());
  copy_label(ToUtf8(form_.Caption()).c_str());
  resize(scale_.ToPixels(form_.Left()), scale_.ToPixels(form_.Top()),
         std::max(1, scale_.ToPixels(form_.Width())), std::max(1, scale_.ToPixels(form_.Height())));
  // The window is placed by the program, never by the window manager.
  force_position(1);
  const bool first_show = !shown();
  show();
  if (first_show) {
    // FLTK pulls a new window wholly onto the screen; the sign comes up exactly where its
    // position says, even partly off the screen. The move goes out with the map, before the
    // first paint.
    XMoveWindow(fl_display, fl_xid(this), x(), y());
    MarkSkipTaskbarAndPager();
  }
  XFlush(fl_display);
}

void SignWindow::FollowForm() {
  const int left = scale_.ToPixels(form_.Left());
  const int top = scale_.ToPixels(form_.Top());
  resize(left, top, std::max(1, scale_.ToPixels(form_.Width())),
         std::max(1, scale_.ToPixels(form_.Height())));
  if (!shown()) return;
  // FLTK moves the window only when the place differs from the one it knows, and it learns
  // places from the display's reports, which lag behind a fast drag. Move it in any case.
  XMoveWindow(fl_display, fl_xid(this), left, top);
  XFlush(fl_display);
}

TextBox SignWindow::LabelBox(const Label& label, float top) const {
  return TextBox{scale_.ToPixels(label.Left()), scale_.ToPixels(top),
                 scale_.ToPixels(label.Width()), scale_.ToPixels(label.Height())};
}

void SignWindow::DamageLabel(const Label& label, float top) {
  TextBox area = Intersection(LabelBox(label, top), WholeWindow());
  if (area.Empty()) return;
  // Areas that meet become one, so that no part of the window is painted twice in one paint:
  // a label drawn over itself would come out bolder at its edges.
  for (auto other = dirty_.begin(); other != dirty_.end();) {
    if (Intersection(area, *other).Empty()) {
      ++other;
      continue;
    }
    area = Union(area, *other);
    dirty_.erase(other);
    other = dirty_.begin();
  }
  dirty_.push_back(area);
  // The window keeps its own list of areas, so FLTK need only know that there is something to
  // paint; it then calls flush().
  damage(FL_DAMAGE_USER1);
}

void SignWindow::TakePicture(std::span<const std::uint8_t> gif) {
  if (gif.data() == picture_source_ && buffers_) return;
  picture_source_ = gif.data();
  if (!buffers_) buffers_ = std::make_unique<WindowBuffers>();
  // Decoded here rather than at the first paint, so that a damaged picture is reported by the
  // handler that showed the form.
  buffers_->SetPicture(gif.empty() ? RgbImage{} : DecodeGif(gif));
}

void SignWindow::TakeIcon(std::span<const std::uint8_t> ico) {
  if (ico.data() == icon_source_) return;
  icon_source_ = ico.data();
  const RgbImage pixels = DecodeIco(ico);
  if (pixels.Empty()) return;
  // The window copies the icon, so the image may go when this returns.
  const Fl_RGB_Image image(pixels.pixels.data(), pixels.width, pixels.height, 3);
  icon(&image);
}

void SignWindow::MarkSkipTaskbarAndPager() {
  Display* display = fl_display;
  const Window window = fl_xid(this);
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom wanted[] = {XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                         XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False)};

  std::vector<Atom> atoms;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, state, 0, 64, False, XA_ATOM, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr) {
    if (type == XA_ATOM && format == 32) {
      const auto* existing = reinterpret_cast<const Atom*>(data);
      atoms.assign(existing, existing + count);
    }
    XFree(data);
  }
  for (const Atom atom : wanted) {
    if (std::find(atoms.begin(), atoms.end(), atom) == atoms.end()) atoms.push_back(atom);
  }
  // Without a window manager the property itself is the state; a window manager that already
  // manages the mapped window takes the change as a client message.
  XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window;
  message.xclient.message_type = state;
  message.xclient.format = 32;
  message.xclient.data.l[0] = 1;  // _NET_WM_STATE_ADD
  message.xclient.data.l[1] = static_cast<long>(wanted[0]);
  message.xclient.data.l[2] = static_cast<long>(wanted[1]);
  message.xclient.data.l[3] = 1;  // from a normal application
  XSendEvent(display, RootWindow(display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &message);
}

const SignWindow::LabelStyle& SignWindow::StyleOf(const Label& label) {
  for (const auto& [known, style] : label_styles_) {
    if (known == &label) return style;
  }
  LabelStyle style;
  style.face = faces_.LabelFace(ToUtf8(label.Font().name));
  style.pixels = scale_.FontPixels(label.Font().points);
  label_styles_.emplace_back(&label, style);
  return label_styles_.back().second;
}

int SignWindow::Compose(const std::vector<TextBox>& areas) {
  for (const TextBox& area : areas) buffers_->PaintGround(area);
  int labels_drawn = 0;
  for (const Label* label : form_.Labels()) {
    const TextBox box = LabelBox(*label, label->Top());
    bool drawn = false;
    for (const TextBox& area : areas) {
      if (Intersection(box, area).Empty()) continue;
      const LabelStyle& style = StyleOf(*label);
      painter_.Draw(buffers_->Canvas(), label->Caption(), style.face, style.pixels, box, area,
                    FL_FOREGROUND_COLOR, LongWords::kKeep);
      drawn = true;
    }
    labels_drawn += drawn ? 1 : 0;
  }
  return labels_drawn;
}

void SignWindow::draw() {
  if (!buffers_) buffers_ = std::make_unique<WindowBuffers>();
  buffers_->FitBackBuffer(w(), h());
  const int labels_drawn = Compose({WholeWindow()});
  buffers_->CopyTo(fl_xid(this), WholeWindow());
  dirty_.clear();
  paint_log_.Paint(true, labels_drawn);
  if (paint_log_.Enabled()) {
    XFlush(fl_display);
    paint_log_.Flushed(true);
  }
}

void SignWindow::flush() {
  if (!buffers_) buffers_ = std::make_unique<WindowBuffers>();
  const uchar damaged = damage();
  // A new back buffer holds nothing yet, and damage other than label changes and exposure
  // (FL_DAMAGE_ALL when the window is first shown) needs the whole window.
  if (buffers_->FitBackBuffer(w(), h()) || (damaged & ~(FL_DAMAGE_USER1 | FL_DAMAGE_EXPOSE)) != 0) {
    draw();
    return;
  }
  // Only the ground and the letters go to the server, not pixels. The areas do not overlap.
  if ((damaged & FL_DAMAGE_USER1) != 0 && !dirty_.empty()) {
    const int labels_drawn = Compose(dirty_);
    paint_log_.Paint(false, labels_drawn);
  }
  // The back buffer always holds the whole window, so an exposed part is copied from it.
  if ((damaged & FL_DAMAGE_EXPOSE) != 0) {
    buffers_->CopyTo(fl_xid(this), WholeWindow());
  } else {
    for (const TextBox& area : dirty_) buffers_->CopyTo(fl_xid(this), area);
  }
  dirty_.clear();
}

int SignWindow::handle(int event) {
  switch (event) {
    case FL_PUSH: {
      const int button = ButtonOf(Fl::event_button());
      if (button == 0) return 1;
      // A second click close in time and place comes as a double-click in place of the press;
      // the click after it starts a new count, as on the system the program was written for.
      const bool double_click = Fl::event_clicks() > 0;
      if (double_click) Fl::event_is_click(0);
      CatchUpMove(HeldButtons(Fl::event_state()) & ~button);
      Deliver(double_click ? MouseAction::kDoubleClick : MouseAction::kPress, button);
      return 1;
    }
    case FL_RELEASE: {
      const int button = ButtonOf(Fl::event_button());
      if (button == 0) return 1;
      CatchUpMove(HeldButtons(Fl::event_state()) | button);
      Deliver(MouseAction::kRelease, button);
      return 1;
    }
    case FL_ENTER:
    case FL_MOVE:
    case FL_DRAG:
      Deliver(MouseAction::kMove, HeldButtons(Fl::event_state()));
      return 1;
    case FL_LEAVE:
      return 1;
    default:
      return Fl_Window::handle(event);
  }
}

void SignWindow::CatchUpMove(int held_buttons) {
  // FLTK merges pointer motion and drops a merged move when a button event follows, which
  // carries the new place itself. The handlers expect the move first, as a drag released
  // quickly must still bring the grabbed point under the pointer.
  if (Fl::event_x_root() != last_move_x_root_ || Fl::event_y_root() != last_move_y_root_) {
    Deliver(MouseAction::kMove, held_buttons);
  }
}

void SignWindow::Deliver(MouseAction action, int button) {
  if (action == MouseAction::kMove) {
    last_move_x_root_ = Fl::event_x_root();
    last_move_y_root_ = Fl::event_y_root();
  }
  // From the pointer's place on the screen and the window's place in the model: the events of
  // a drag that has just moved the window then agree with the model, not with a window position
  // that the display has not yet reported back.
  const double twips_per_pixel = scale_.TwipsPerPixel();
  const auto x = static_cast<float>(Fl::event_x_root() * twips_per_pixel - form_.Left());
  const auto y = static_cast<float>(Fl::event_y_root() * twips_per_pixel - form_.Top());
  const int shift = ShiftOf(Fl::event_state());
  RunHandler(form_.Caption(), [&] { router_.Deliver(action, button, shift, x, y); });
}

}  // namespace platform::desktop
