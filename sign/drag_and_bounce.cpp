// Dragging the borderless sign with any mouse button, and the label bounce: Label1 rises and
// Label2 sinks 50 twips a tick for 201 ticks, then both come back the same way.
#include "platform/app/app.h"
#include "sign/form1.h"

namespace sign {
namespace {

constexpr float kBounceStep = 50;
constexpr std::int16_t kLastOutwardStart = 200;  // a tick starting above this moves back

}  // namespace

void Form1::Form_MouseDown(int /*button*/, int /*shift*/, float x, float y) {
  DragStartX = x;
  DragStartY = y;
  DragActive = kTrue;
}

void Form1::Form_MouseMove(int /*button*/, int /*shift*/, float x, float y) {
  if (DragActive != kFalse) {
    // The pointer's position is relative to the window, so adding its offset from the grabbed
    // point keeps that point under the pointer. Vertical first, then sideways.
    SetTop(Top() + (y - DragStartY));
    SetLeft(Left() + (x - DragStartX));
  }
  if (bounce_home_recorded_) Timer2.Start();
}

void Form1::Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
  DragActive = kFalse;
}

void Form1::Timer2_Timer() {
  if (BounceTick <= kLastOutwardStart) {
    Label1.SetTop(Label1.Top() - kBounceStep);
    Label2.SetTop(Label2.Top() + kBounceStep);
  } else {
    Label1.SetTop(Label1.Top() + kBounceStep);
    Label2.SetTop(Label2.Top() - kBounceStep);
  }
  if (BounceTick == INT16_MAX) throw platform::RuntimeError("Overflow: the bounce tick count");
  ++BounceTick;
  // Whole twips are exact in single precision, so the label meets its home exactly at the end
  // of the 402nd tick.
  if (Label1.Top() == static_cast<float>(Label1HomeTop)) {
    BounceTick = 0;
    Timer2.Stop();
  }
}

}  // namespace sign
