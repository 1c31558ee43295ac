// The clock on POSIX: the local time zone, and the LC_TIME locale as the regional settings.
#include <chrono>
#include <clocale>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <utility>

#include "platform/clock/clock.h"

namespace platform {
namespace {

std::function<std::time_t()>& ClockSource() {
  static std::function<std::time_t()> source;
  return source;
}

// The local time of the last second asked for, and the time zone it was worked out in.
struct LastLocalTime {
  std::time_t when = 0;
  const char* zone_names[2] = {nullptr, nullptr};
  long zone_offset = 0;
  int zone_has_dst = 0;
  std::tm local{};
  bool valid = false;

  bool Holds(std::time_t now) const {
    return valid && when == now && zone_names[0] == tzname[0] && zone_names[1] == tzname[1] &&
           zone_offset == timezone && zone_has_dst == daylight;
  }
};

std::tm LocalNow() {
  const std::time_t now = ClockSource() ? ClockSource()() : std::time(nullptr);
  // A refresh reads the time and then the date, nearly always within one second; the local
  // time of a second is worked out once. A new time zone (tzset) is worked out afresh.
  thread_local LastLocalTime last;
  if (!last.Holds(now)) {
    std::tm local{};
    localtime_r(&now, &local);
    last = LastLocalTime{now, {tzname[0], tzname[1]}, timezone, daylight, local, true};
  }
  return last.local;
}

Text Format(const char* format, const std::tm& when) {
  char buffer[256];
  const std::size_t length = std::strftime(buffer, sizeof buffer, format, &when);
  return FromCodePage(std::string_view(buffer, length));
}

// The names of the locale's parts that shape a date text: LC_TIME writes and reads it, LC_CTYPE
// turns its bytes into text.
struct DateLocale {
  std::string time;
  std::string ctype;

  static DateLocale Current() {
    return {std::setlocale(LC_TIME, nullptr), std::setlocale(LC_CTYPE, nullptr)};
  }
  // Compared with the names in place, without copying them, since this runs every second.
  bool IsCurrent() const {
    return time == std::setlocale(LC_TIME, nullptr) && ctype == std::setlocale(LC_CTYPE, nullptr);
  }
};

// The clock asks for the same date text, and reads the same text back, on every tick, while
// the answer changes once a day. The last answer is kept with what it was made from.
struct LastDateText {
  Date date;
  DateLocale locale;
  Text text;
  bool valid = false;
};

struct LastDateRead {
  Text text;
  DateLocale locale;
  std::optional<Date> date;
  bool valid = false;
};

bool SameDate(const Date& a, const Date& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

Text FormatDate(const Date& date) {
  std::tm when{};
  when.tm_year = date.year - 1900;
  when.tm_mon = date.month - 1;
  when.tm_mday = date.day;
  when.tm_wday = Weekday(date) - 1;
  return Format("%x", when);
}

std::optional<Date> ReadDate(const Text& text) {
  const std::string bytes = ToCodePage(text);
  std::tm when{};
  const char* end = strptime(bytes.c_str(), "%x", &when);
  if (end == nullptr || *end != '\0') return std::nullopt;
  const Date date{when.tm_year + 1900, when.tm_mon + 1, when.tm_mday};
  const std::chrono::year_month_day checked{std::chrono::year{date.year},
                                            std::chrono::month{static_cast<unsigned>(date.month)},
                                            std::chrono::day{static_cast<unsigned>(date.day)}};
  if (!checked.ok()) return std::nullopt;
  return date;
}

}  // namespace

TimeOfDay CurrentTime() {
  const std::tm now = LocalNow();
  return {now.tm_hour, now.tm_min, now.tm_sec};
}

Date CurrentDate() {
  const std::tm now = LocalNow();
  return {now.tm_year + 1900, now.tm_mon + 1, now.tm_mday};
}

Text TimeText(const TimeOfDay& time) {
  std::tm when{};
  when.tm_hour = time.hour;
  when.tm_min = time.minute;
  when.tm_sec = time.second;
  return Format("%X", when);
}

Text DateText(const Date& date) {
  thread_local LastDateText last;
  if (!last.valid || !SameDate(last.date, date) || !last.locale.IsCurrent()) {
    last = LastDateText{date, DateLocale::Current(), FormatDate(date), true};
  }
  return last.text;
}

std::optional<Date> DateFromText(const Text& text) {
  thread_local LastDateRead last;
  if (!last.valid || last.text != text || !last.locale.IsCurrent()) {
    last = LastDateRead{text, DateLocale::Current(), ReadDate(text), true};
  }
  return last.date;
}

int Weekday(const Date& date) {
  const std::chrono::year_month_day day{std::chrono::year{date.year},
                                        std::chrono::month{static_cast<unsigned>(date.month)},
                                        std::chrono::day{static_cast<unsigned>(date.day)}};
  return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{day}}.c_encoding()) + 1;
}

void SetClockSource(std::function<std::time_t()> now) { ClockSource() = std::move(now); }

}  // namespace platform
