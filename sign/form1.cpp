#include "sign/form1.h"

#include "assets/sign_assets.h"
#include "platform/app/app.h"
#include "sign/layout.h"
#include "sign/rounding.h"

namespace sign {

using namespace layout;

Form1::Form1()
    : Label1(kLabelLeft, kLabel1Top, kLabelWidth, kLabel1Height, {u"Impact", kLabel1Points},
             u"Label1"),
      Label2(kLabelLeft, kLabel2Top, kLabelWidth, kLabel2Height, {u"Impact", kLabel2Points},
             u"Label2"),
      Timer1(kClockIntervalMs, true, [this] { Timer1_Timer(); }),
      Timer2(kBounceIntervalMs, false, [this] { Timer2_Timer(); }) {
  SetCaption(u"Orvanta");
  SetLeft(kFormLeft);
  SetTop(kFormTop);
  SetSize(kFormSize, kFormSize);
  SetPicture(assets::SignPicture());
  SetIcon(assets::SignIcon());
  AddLabel(Label1);
  AddLabel(Label2);
  AddTimer(Timer1);
  AddTimer(Timer2);
}

void Form1::Form_Load() {
  Show();
  RestorePosition();
  BounceTick = 0;
  Label1HomeTop = RoundToInt16(Label1.Top());
  bounce_home_recorded_ = true;
  Timer1_Timer();
}

void Form1::Form_DblClick() {
  SavePosition();
  platform::End(0);
}

}  // namespace sign
