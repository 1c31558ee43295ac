#include "sign/number_reader.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace sign {
namespace {

TEST(NumberReader, ReadsTheLeadingNumberAndIgnoresTheRest) {
  struct Case {
    const char16_t* line;
    double value;
  };
  const Case cases[] = {
      {u"6495", 6495},  {u"-450", -450}, {u"+12", 12},    {u"100.5", 100.5},
      {u"   250", 250}, {u"\t250", 250}, {u"250px", 250}, {u"12 34", 12},
      {u"1.5.5", 1.5},  {u".5", 0.5},    {u"7.", 7},      {u"-0", 0},
      {u"abc", 0},      {u"", 0},        {u"-", 0},       {u"+.", 0},
      {u"1e5", 1},      {u"0x10", 0},    {u"１２", 0},    {u"99999999999", 99999999999.0},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadNumber(c.line), c.value) << platform::ToUtf8(c.line);
}

// Numbers beyond a double's range must not come back as 0 (which is a place on the screen) nor
// as garbage; numbers too close to zero are 0.
TEST(NumberReader, NumbersBeyondADoublesRange) {
  const platform::Text digits(400, u'9');
  EXPECT_TRUE(std::isinf(ReadNumber(digits)) && ReadNumber(digits) > 0);
  EXPECT_TRUE(std::isinf(ReadNumber(u"-" + digits)) && ReadNumber(u"-" + digits) < 0);
  EXPECT_EQ(ReadNumber(u"0." + platform::Text(400, u'0') + u"1"), 0);
}

TEST(NumberReader, ThePointIsAPointWhateverTheLocale) {
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
  EXPECT_EQ(ReadNumber(u"100.5"), 100.5);
  EXPECT_EQ(ReadNumber(u"100,5"), 100);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace sign
