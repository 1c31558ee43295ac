// The clock face: the date with its weekday in Label1, the time in Label2.
#include "platform/clock/clock.h"
#include "sign/form1.h"

namespace sign {

void Form1::Timer1_Timer() { RefreshClock(); }

void Form1::RefreshClock() {
  // The time is read before the date, as two readings; a refresh across midnight may pair the
  // new date with a time of the old day until the next tick.
  const platform::Text time_text = platform::TimeText(platform::CurrentTime());
  const platform::Date today = platform::CurrentDate();
  const platform::Text date_text = platform::DateText(today);

  // The weekday is that of the date text as shown. Should the regional format not read back,
  // the date it was made from has the same weekday.
  const int weekday = platform::Weekday(platform::DateFromText(date_text).value_or(today));

  Label1.SetCaption(date_text + u" " + platform::Text(WeekdayNames[weekday - 1]));
  Label2.SetCaption(time_text);
}

}  // namespace sign
