// The forms model: a window with labels and timers, held in twips and independent of any
// display. A view (platform/fltk) mirrors it on the screen and feeds it events; tests drive it
// directly.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/forms/label.h"
#include "platform/forms/timer.h"
#include "platform/text/text.h"

namespace platform {

// Mouse buttons as the handlers receive them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
// Key state bits as the handlers receive them.
enum ShiftState : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

class FormObserver;

class Form {
 public:
  Form();
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Position and size in twips. Left and Top read back exactly the value last set; each set
  // moves the window at once.
  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void SetLeft(float twips);
  void SetTop(float twips);
  void SetSize(float width_twips, float height_twips);

  const Text& Caption() const { return caption_; }
  void SetCaption(Text caption) { caption_ = std::move(caption); }

  // The background colour is white. The picture is an embedded GIF, drawn at its own pixel size
  // from the window's top-left corner; the icon is an embedded ICO. Both bytes must outlive the
  // form.
  std::span<const std::uint8_t> Picture() const { return picture_; }
  std::span<const std::uint8_t> Icon() const { return icon_; }
  void SetPicture(std::span<const std::uint8_t> gif) { picture_ = gif; }
  void SetIcon(std::span<const std::uint8_t> ico) { icon_ = ico; }

  bool Visible() const { return visible_; }
  void Show();

  // The controls, in creation order; the form does not own them (they are members of the
  // derived form).
  const std::vector<Label*>& Labels() const { return labels_; }
  const std::vector<Timer*>& Timers() const { return timers_; }

  // The view that mirrors this form, or none.
  void SetObserver(FormObserver* observer);
  FormObserver* Observer() const { return observer_; }

  // Event handlers. The defaults do nothing.
  virtual void Form_Load() {}
  virtual void Form_DblClick() {}
  virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}

 protected:
  void AddLabel(Label& label);
  void AddTimer(Timer& timer);

 private:
  float left_ = 0;
  float top_ = 0;
  float width_ = 0;
  float height_ = 0;
  Text caption_;
  std::span<const std::uint8_t> picture_;
  std::span<const std::uint8_t> icon_;
  bool visible_ = false;
  std::vector<Label*> labels_;
  std::vector<Timer*> timers_;
  FormObserver* observer_ = nullptr;
};

// What a view needs to hear about changes to the model. Every call comes right after the change.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void FormShown(Form& form) = 0;
  virtual void FormMoved(Form& form) = 0;
  // old_top is the Top the label had before the change; for a text change it equals Top().
  virtual void LabelChanged(Label& label, float old_top) = 0;
  virtual void TimerChanged(Timer& timer) = 0;
};

}  // namespace platform
