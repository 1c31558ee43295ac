#include "platform/files/wildcard.h"

#include <gtest/gtest.h>

#include "platform/text/text.h"

namespace {

struct WildcardCase {
  const char16_t* pattern;
  const char16_t* name;
  bool matches;
};

TEST(WildcardMatch, MatchesStarAndQuestionMarkOnly) {
  const WildcardCase cases[] = {
      {u"setting.dat", u"setting.dat", true},
      {u"setting.dat", u"Setting.dat", false},  // case matters
      {u"setting.dat", u"setting.da", false},
      {u"setting.dat", u"setting.datx", false},
      {u"*.dat", u"setting.dat", true},
      {u"*.dat", u".dat", true},
      {u"*.dat", u"setting.DAT", false},
      {u"*.dat", u"setting.dat.bak", false},
      {u"s?.dat", u"s1.dat", true},
      {u"s?.dat", u"s.dat", false},  // '?' is exactly one character
      {u"s?.dat", u"s12.dat", false},
      {u"*", u"anything", true},
      {u"**", u"x", true},
      {u"a*", u"a", true},
      {u"*a*b", u"xaybzb", true},  // the last star has to take more than its first choice
      {u"*a*b", u"xaybz", false},
      {u"*ab", u"aab", true},
      {u"*b", u"*ab", true},  // a star in the pattern stays a wildcard against a '*' in the name
      {u"a*b*c", u"abbbcbc", true},
      {u"[ab].dat", u"a.dat", false},  // brackets are ordinary characters
      {u"[ab].dat", u"[ab].dat", true},
      {u"*.*", u"noext", false},     // '.' is an ordinary character too
      {u"?", u"\U0001F600", false},  // one 16-bit unit, not one code point
  };
  for (const WildcardCase& c : cases) {
    EXPECT_EQ(platform::WildcardMatch(c.pattern, c.name), c.matches)
        << platform::ToUtf8(c.pattern) << " against " << platform::ToUtf8(c.name);
  }
}

}  // namespace
