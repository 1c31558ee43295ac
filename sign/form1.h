// The sign: one small borderless window with a picture, the date with its English weekday in
// Label1 and the time in Label2. It is dragged with any mouse button, sends its labels flying
// out and back when the mouse moves over it, and remembers its position when double-clicked.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/timer.h"

namespace sign {

// The 16-bit booleans of the forms runtime.
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

// English weekday abbreviations from Sunday, whatever the regional settings are.
inline constexpr std::array<std::u16string_view, 7> WeekdayNames = {u"Sun", u"Mon", u"Tue", u"Wed",
                                                                    u"Thu", u"Fri", u"Sat"};

class Form1 : public platform::Form {
 public:
  Form1();

  void Form_Load() override;
  void Form_DblClick() override;
  void Form_MouseDown(int button, int shift, float x, float y) override;
  void Form_MouseMove(int button, int shift, float x, float y) override;
  void Form_MouseUp(int button, int shift, float x, float y) override;
  void Timer1_Timer();
  void Timer2_Timer();

  // The controls.
  platform::Label Label1;
  platform::Label Label2;
  platform::Timer Timer1;
  platform::Timer Timer2;

  // Drag and bounce state, all zero when the window is created.
  float DragStartX = 0;              // pointer X at the last press, twips in the window
  float DragStartY = 0;              // pointer Y at the last press
  std::int16_t DragActive = kFalse;  // a press started a drag that no release has ended
  std::int16_t Label1HomeTop = 0;    // resting Top of Label1, taken at start-up
  std::int16_t BounceTick = 0;       // ticks done in the running bounce cycle; 0 at rest

 private:
  void RefreshClock();
  void RestorePosition();
  void SavePosition();

  // Mouse moves may run during the start-up read of the setting file, before the bounce's home
  // is recorded. A bounce started then would leave the labels resting wherever they stood when
  // the home was taken, for good; so no bounce starts until the home is known.
  bool bounce_home_recorded_ = false;
};

}  // namespace sign
