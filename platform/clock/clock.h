// The clock and the user's regional settings. The regional settings are the LC_TIME locale:
// the short date is its %x form and the long time its %X form.
#pragma once

#include <ctime>
#include <functional>
#include <optional>

#include "platform/text/text.h"

namespace platform {

struct Date {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
};

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The current time of day and the current date, as two separate readings of the local clock.
TimeOfDay CurrentTime();
Date CurrentDate();

// Regional text forms: the long time format (with seconds) and the short date format.
Text TimeText(const TimeOfDay& time);
Text DateText(const Date& date);

// Reads a date text back under the same regional settings; empty when it is not a date.
std::optional<Date> DateFromText(const Text& text);

// The weekday of a date, Sunday = 1 to Saturday = 7.
int Weekday(const Date& date);

// Replaces the clock's source of the current instant; an empty function restores the system
// clock. Tests use it to fix the instant.
void SetClockSource(std::function<std::time_t()> now);

}  // namespace platform
