#include "platform/text/text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace platform {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
  const Text text = u"a\u00e9\u65e5\U0001F600z";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\u65e5"), "\xE6\x97\xA5");
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    const char* name;
    std::string bytes;
    Text expected;
  };
  const Case cases[] = {
      {"cut-off sequence at the end", "a\xE6\x97", u"a\uFFFD\uFFFD"},
      {"stray continuation byte", "\x80x", u"\uFFFDx"},
      {"overlong encoding of '/'", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"invalid lead byte", "\xFFok", u"\uFFFDok"},
  };
  for (const Case& c : cases) EXPECT_EQ(FromUtf8(c.bytes), c.expected) << c.name;
}

TEST(Utf8, LoneSurrogateIsReplaced) { EXPECT_EQ(ToUtf8(Text(1, u'\xD800')), "\xEF\xBF\xBD"); }

class CodePage : public ::testing::Test {
 protected:
  void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(CodePage, Utf8LocaleKeepsEveryCharacter) {
  ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
  const Text text = u"\u65e5\u672c 12";
  EXPECT_EQ(ToCodePage(text), "\xE6\x97\xA5\xE6\x9C\xAC 12");
  EXPECT_EQ(FromCodePage(ToCodePage(text)), text);
}

TEST_F(CodePage, CharactersTheCodePageCannotHoldBecomeQuestionMarks) {
  ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
  EXPECT_EQ(ToCodePage(u"a\u65e5b"), "a?b");
}

TEST_F(CodePage, UndecodableBytesAndNulsSurvive) {
  ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
  EXPECT_EQ(FromCodePage(std::string("a\xFF", 2) + std::string(1, '\0') + "b"),
            Text(u"a\uFFFD") + Text(1, u'\0') + u"b");
}

}  // namespace
}  // namespace platform
