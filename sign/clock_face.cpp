// The clock face: the date with its weekday in Label1, the time in Label2.
#include <string_view>
#include <utility>

#include "platform/clock/clock.h"
#include "sign/form1.h"

namespace sign {

void Form1::Timer1_Timer() { RefreshClock(); }

void Form1::RefreshClock() {
  // The time is read before the date, as two readings; a refresh across midnight may pair the
  // new date with a time of the old day until the next tick.
  platform::Text time_text = platform::TimeText(platform::CurrentTime());
  const platform::Date today = platform::CurrentDate();
  const platform::Text date_text = platform::DateText(today);

  // The weekday is that of the date text as shown. Should the regional format not read back,
  // the date it was made from has the same weekday.
  const int weekday = platform::Weekday(platform::DateFromText(date_text).value_or(today));

  // Built in one piece: this runs every second, and the date's caption is mostly thrown away
  // again as it shows already.
  const std::u16string_view weekday_name = WeekdayNames[weekday - 1];
  platform::Text caption;
  caption.reserve(date_text.size() + 1 + weekday_name.size());
  caption.append(date_text).append(1, u' ').append(weekday_name);
  Label1.SetCaption(std::move(caption));
  Label2.SetCaption(std::move(time_text));
}

}  // namespace sign
