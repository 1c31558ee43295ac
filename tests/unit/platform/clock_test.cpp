#include "platform/clock/clock.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace platform {
namespace {

TEST(Clock, WeekdayCountsFromSunday) {
  struct Case {
    Date date;
    int weekday;
  };
  const Case cases[] = {
      {{2026, 12, 13}, 1}, {{2026, 12, 14}, 2}, {{2026, 12, 15}, 3},
      {{2026, 12, 16}, 4}, {{2026, 12, 17}, 5}, {{2026, 12, 11}, 6},
      {{2026, 12, 12}, 7}, {{2000, 2, 29}, 3},  // a leap day of a century year
      {{1970, 1, 1}, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Weekday(c.date), c.weekday)
        << c.date.year << "-" << c.date.month << "-" << c.date.day;
  }
}

// Fixes the instant at 2026-12-11 09:05:07 UTC and the time zone at UTC.
class FixedClock : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    SetClockSource([] { return std::time_t{1796979907}; });
  }
  void TearDown() override {
    SetClockSource({});
    std::setlocale(LC_ALL, "C");
  }
};

TEST_F(FixedClock, TimeAndDateAreReadFromTheClockSource) {
  const TimeOfDay time = CurrentTime();
  const Date date = CurrentDate();
  EXPECT_EQ((std::array{time.hour, time.minute, time.second}), (std::array{9, 5, 7}));
  EXPECT_EQ((std::array{date.year, date.month, date.day}), (std::array{2026, 12, 11}));
}

// The local time of a second is kept between the time and the date readings; a new time zone
// must not be answered from it.
TEST_F(FixedClock, ANewTimeZoneTakesEffectWithinTheSameSecond) {
  EXPECT_EQ(CurrentTime().hour, 9);
  setenv("TZ", "JST-9", 1);
  tzset();
  EXPECT_EQ(CurrentTime().hour, 18);
  setenv("TZ", "HST10", 1);
  tzset();
  const Date date = CurrentDate();
  EXPECT_EQ((std::array{date.year, date.month, date.day}), (std::array{2026, 12, 10}));
  EXPECT_EQ(CurrentTime().hour, 23);
}

TEST_F(FixedClock, RegionalFormsFollowTheLocaleAndReadBack) {
  struct Case {
    const char* locale;
    const char16_t* date;
    const char16_t* time;
  };
  const Case cases[] = {
      {"C", u"12/11/26", u"09:05:07"},
      {"en_US.UTF-8", u"12/11/2026", u"09:05:07 AM"},
      {"de_DE.UTF-8", u"11.12.2026", u"09:05:07"},
      {"ja_JP.UTF-8", u"2026年12月11日", u"09時05分07秒"},
  };
  for (const Case& c : cases) {
    ASSERT_NE(std::setlocale(LC_ALL, c.locale), nullptr) << c.locale << " is not installed";
    EXPECT_EQ(DateText(CurrentDate()), c.date) << c.locale;
    EXPECT_EQ(TimeText(CurrentTime()), c.time) << c.locale;
    const std::optional<Date> back = DateFromText(c.date);
    ASSERT_TRUE(back.has_value()) << c.locale;
    EXPECT_EQ((std::array{back->year, back->month, back->day}), (std::array{2026, 12, 11}))
        << c.locale;
  }
}

TEST_F(FixedClock, TextsThatAreNoDateDoNotReadBack) {
  for (const char16_t* text : {u"", u"13/45/26", u"12/11/26 extra", u"02/30/26"}) {
    EXPECT_FALSE(DateFromText(text).has_value()) << ToUtf8(text);
  }
}

}  // namespace
}  // namespace platform
