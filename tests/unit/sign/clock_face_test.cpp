#include <gtest/gtest.h>

#include <clocale>
#include <vector>

#include "platform/clock/clock.h"
#include "sign/form1.h"
#include "tests/unit/sign/sign_fixture.h"

namespace sign {
namespace {

using ClockFaceTest = testing::SignFixture;
using platform::ToUtf8;

constexpr std::time_t kFriday = 1796979907;  // 2026-12-11 09:05:07 UTC
constexpr std::time_t kDay = 24 * 60 * 60;

TEST_F(ClockFaceTest, LoadFillsBothLabelsAtOnce) {
  Form1& form = LoadedForm();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(ToUtf8(form.Label1.Caption()), "12/11/26 Fri");
  EXPECT_EQ(ToUtf8(form.Label2.Caption()), "09:05:07");
}

TEST_F(ClockFaceTest, EveryWeekdayHasItsEnglishAbbreviation) {
  const char* expected[] = {"12/13/26 Sun", "12/14/26 Mon", "12/15/26 Tue", "12/16/26 Wed",
                            "12/17/26 Thu", "12/18/26 Fri", "12/19/26 Sat"};
  Form1& form = LoadedForm();
  for (int day = 0; day < 7; ++day) {
    platform::SetClockSource([=] { return kFriday + (2 + day) * kDay; });
    form.Timer1.Tick();
    EXPECT_EQ(ToUtf8(form.Label1.Caption()), expected[day]);
  }
}

TEST_F(ClockFaceTest, TheFirstRefreshAfterMidnightShowsTheNewDay) {
  const std::time_t midnight = kFriday - 9 * 3600 - 5 * 60 - 7 + kDay;
  Form1& form = LoadedForm();
  platform::SetClockSource([=] { return midnight - 1; });
  form.Timer1.Tick();
  EXPECT_EQ(ToUtf8(form.Label1.Caption() + u" " + form.Label2.Caption()), "12/11/26 Fri 23:59:59");
  platform::SetClockSource([=] { return midnight; });
  form.Timer1.Tick();
  EXPECT_EQ(ToUtf8(form.Label1.Caption() + u" " + form.Label2.Caption()), "12/12/26 Sat 00:00:00");
}

// The time is read first and the date second. When midnight falls between the two readings, the
// weekday must still be that of the date shown, not of the time.
TEST_F(ClockFaceTest, TheWeekdayBelongsToTheDateThatIsShown) {
  const std::time_t midnight = kFriday - 9 * 3600 - 5 * 60 - 7 + kDay;
  std::vector<std::time_t> readings = {midnight - 1, midnight};
  Form1& form = LoadedForm();
  platform::SetClockSource([&] {
    const std::time_t next = readings.front();
    if (readings.size() > 1) readings.erase(readings.begin());
    return next;
  });
  form.Timer1.Tick();
  EXPECT_EQ(ToUtf8(form.Label1.Caption()), "12/12/26 Sat");
  EXPECT_EQ(ToUtf8(form.Label2.Caption()), "23:59:59");
}

TEST_F(ClockFaceTest, DateAndTimeFollowTheRegionalSettingsAndTheWeekdayStaysEnglish) {
  struct Case {
    const char* locale;
    const char* label1;
    const char* label2;
  };
  const Case cases[] = {
      {"C", "12/11/26 Fri", "09:05:07"},
      {"en_US.UTF-8", "12/11/2026 Fri", "09:05:07 AM"},
      {"de_DE.UTF-8", "11.12.2026 Fri", "09:05:07"},
      {"ja_JP.UTF-8", "2026年12月11日 Fri", "09時05分07秒"},
  };
  Form1& form = LoadedForm();
  for (const Case& c : cases) {
    ASSERT_NE(std::setlocale(LC_ALL, c.locale), nullptr) << c.locale << " is not installed";
    form.Timer1.Tick();
    EXPECT_EQ(ToUtf8(form.Label1.Caption()), c.label1) << c.locale;
    EXPECT_EQ(ToUtf8(form.Label2.Caption()), c.label2) << c.locale;
  }
}

}  // namespace
}  // namespace sign
