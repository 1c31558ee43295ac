#include "platform/forms/label.h"

#include <utility>

#include "platform/forms/form.h"

namespace platform {

Label::Label(float left, float top, float width, float height, LabelFont font, Text text)
    : left_(left),
      top_(top),
      width_(width),
      height_(height),
      font_(std::move(font)),
      text_(std::move(text)) {}

void Label::SetTop(float twips) {
  const float old_top = top_;
  top_ = twips;
  if (observer_ != nullptr) observer_->LabelChanged(*this, old_top);
}

void Label::SetCaption(Text text) {
  // The clock sets the date once a second although it changes once a day; the same text looks
  // the same, so the view is spared the redraw.
  if (text == text_) return;
  text_ = std::move(text);
  if (observer_ != nullptr) observer_->LabelChanged(*this, top_);
}

bool Label::Contains(float x, float y) const {
  return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
}

}  // namespace platform
