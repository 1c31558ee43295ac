#include "platform/forms/form.h"

namespace platform {

Form::Form() = default;

Form::~Form() = default;

void Form::SetLeft(float twips) {
  left_ = twips;
  if (observer_ != nullptr) observer_->FormMoved(*this);
}

void Form::SetTop(float twips) {
  top_ = twips;
  if (observer_ != nullptr) observer_->FormMoved(*this);
}

void Form::SetSize(float width_twips, float height_twips) {
  width_ = width_twips;
  height_ = height_twips;
  if (observer_ != nullptr) observer_->FormMoved(*this);
}

void Form::Show() {
  if (visible_) return;
  visible_ = true;
  if (observer_ != nullptr) observer_->FormShown(*this);
}

void Form::SetObserver(FormObserver* observer) {
  observer_ = observer;
  for (Label* label : labels_) label->SetObserver(observer);
  for (Timer* timer : timers_) timer->SetObserver(observer);
}

void Form::AddLabel(Label& label) {
  labels_.push_back(&label);
  label.SetObserver(observer_);
}

void Form::AddTimer(Timer& timer) {
  timers_.push_back(&timer);
  timer.SetObserver(observer_);
}

}  // namespace platform
