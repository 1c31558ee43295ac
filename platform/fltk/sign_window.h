// The toolkit window that shows a form: it paints the ground, the picture and the labels, and
// turns the pointer's events into calls of the form's mouse handlers.
#pragma once

#include <FL/Fl_Window.H>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/fltk/display_scale.h"
#include "platform/fltk/font_faces.h"
#include "platform/fltk/paint_log.h"
#include "platform/fltk/text_box.h"
#include "platform/fltk/text_painter.h"
#include "platform/fltk/window_buffers.h"
#include "platform/forms/form.h"
#include "platform/forms/mouse_router.h"

namespace platform::desktop {

class SignWindow : public Fl_Window {
 public:
  SignWindow(Form& form, const DisplayScale& scale, FontFaces& faces, TextPainter& painter,
             PaintLog& paint_log);
  ~SignWindow() override;

  // Puts the window where the form says, with its caption, picture and icon, and maps it.
  void ShowForm();
  // Moves the window to the form's Left and Top (and size).
  void FollowForm();
  // Marks the label's box at `top` (twips) for repainting.
  void DamageLabel(const Label& label, float top);

  // The label's box in window pixels, with its Top at `top` twips.
  TextBox LabelBox(const Label& label, float top) const;

  int handle(int event) override;
  void flush() override;

 protected:
  void draw() override;

 private:
  struct LabelStyle {
    FaceId face = 0;
    int pixels = 0;
  };

  void TakePicture(std::span<const std::uint8_t> gif);
  void TakeIcon(std::span<const std::uint8_t> ico);
  // Paints `areas` in the back buffer: their ground, then every label that reaches into them,
  // clipped to them. The areas must not overlap. Returns how many labels were drawn.
  int Compose(const std::vector<TextBox>& areas);
  TextBox WholeWindow() const { return TextBox{0, 0, w(), h()}; }
  void MarkSkipTaskbarAndPager();
  void CatchUpMove(int held_buttons);
  void Deliver(MouseAction action, int button);
  const LabelStyle& StyleOf(const Label& label);

  Form& form_;
  const DisplayScale& scale_;
  FontFaces& faces_;
  TextPainter& painter_;
  PaintLog& paint_log_;
  MouseRouter router_;

  const std::uint8_t* picture_source_ = nullptr;
  std::unique_ptr<WindowBuffers> buffers_;  // made with the first picture or paint
  // Areas that label changes left to repaint at the next flush.
  std::vector<TextBox> dirty_;
  const std::uint8_t* icon_source_ = nullptr;

  std::vector<std::pair<const Label*, LabelStyle>> label_styles_;
  // The pointer's place on the screen at the last move delivered.
  int last_move_x_root_ = -1;
  int last_move_y_root_ = -1;
};

}  // namespace platform::desktop
