// A text label: a fixed box in twips within its form, a transparent background, a font, and a
// text drawn left-aligned from the box's corner, broken at blanks and clipped to the box.
#pragma once

#include "platform/text/text.h"

namespace platform {

class FormObserver;

struct LabelFont {
  Text name;          // asked-for face, e.g. u"Impact"
  float points = 12;  // size in points
};

class Label {
 public:
  Label(float left, float top, float width, float height, LabelFont font, Text text);
  Label(const Label&) = delete;
  Label& operator=(const Label&) = delete;

  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  const LabelFont& Font() const { return font_; }
  const Text& Caption() const { return text_; }

  // Top reads back exactly the value last set; each set moves the label at once.
  void SetTop(float twips);
  void SetCaption(Text text);

  // True when the point (twips, relative to the form) lies within the label's current box.
  bool Contains(float x, float y) const;

  void SetObserver(FormObserver* observer) { observer_ = observer; }

 private:
  float left_;
  float top_;
  float width_;
  float height_;
  LabelFont font_;
  Text text_;
  FormObserver* observer_ = nullptr;
};

}  // namespace platform
