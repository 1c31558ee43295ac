#include <gtest/gtest.h>

#include <string>

#include "support/my_function_lv01.h"

namespace {

using MyFunction_Lv01::ParentFolder;
using MyFunction_Lv01::PathJoin;
using platform::Text;

Text Repeat(const Text& part, std::size_t times) {
  Text out;
  for (std::size_t i = 0; i < times; ++i) out += part;
  return out;
}

// The join the way it was first written down: search the text again from its start for two
// backslashes in a row and drop the second one, until there is no such pair.
Text RepeatedSearchJoin(const Text& folder, const Text& name) {
  Text text = folder + u"\\" + name;
  for (std::size_t pair = text.find(u"\\\\"); pair != Text::npos; pair = text.find(u"\\\\")) {
    text.erase(pair + 1, 1);
  }
  return text;
}

struct JoinCase {
  const char16_t* folder;
  const char16_t* name;
  const char16_t* joined;
};

TEST(PathJoin, PutsOneBackslashBetweenAndShrinksEveryRun) {
  const JoinCase cases[] = {
      {u"C:\\dir", u"setting.dat", u"C:\\dir\\setting.dat"},
      {u"C:\\", u"setting.dat", u"C:\\setting.dat"},
      {u"C:\\dir", u"\\setting.dat", u"C:\\dir\\setting.dat"},
      {u"C:\\dir\\\\", u"setting.dat", u"C:\\dir\\setting.dat"},
      {u"\\\\server\\share", u"x", u"\\server\\share\\x"},
      {u"", u"", u"\\"},
      {u"C:\\dir", u"", u"C:\\dir\\"},
      {u"C:/dir", u"x", u"C:/dir\\x"},
      {u"a\\\\\\b", u"c\\\\d\\\\", u"a\\b\\c\\d\\"},
      {u"/opt/orvanta", u"setting.dat", u"/opt/orvanta\\setting.dat"},
      {u"C:\\ dir ", u" x", u"C:\\ dir \\ x"},  // blanks are kept
  };
  for (const JoinCase& c : cases) {
    EXPECT_EQ(PathJoin(c.folder, c.name), c.joined)
        << platform::ToUtf8(c.folder) << " + " << platform::ToUtf8(c.name);
  }
}

TEST(PathJoin, AgreesWithTheRepeatedSearchOnEveryShortText) {
  // Every text of up to five characters made of backslashes and one other letter, as folder and
  // as name: all the ways runs can sit at the ends, the seam and inside.
  std::vector<Text> texts = {u""};
  for (std::size_t begin = 0, length = 1; length <= 5; ++length) {
    const std::size_t end = texts.size();
    for (std::size_t i = begin; i < end; ++i) {
      texts.push_back(texts[i] + u"\\");
      texts.push_back(texts[i] + u"a");
    }
    begin = end;
  }
  for (const Text& folder : texts) {
    for (const Text& name : texts) {
      ASSERT_EQ(PathJoin(folder, name), RepeatedSearchJoin(folder, name))
          << platform::ToUtf8(folder) << " + " << platform::ToUtf8(name);
    }
  }
}

TEST(PathJoin, HandlesTextsOfAnyLength) {
  // Pairs of backslashes well beyond position 32,767, where 16-bit positions would overflow.
  const Text folder = Repeat(u"seg\\\\\\", 8000);  // 48,000 characters
  ASSERT_GT(folder.size(), 40000u);
  EXPECT_EQ(PathJoin(folder, u"\\\\setting.dat"), Repeat(u"seg\\", 8000) + u"setting.dat");

  const Text long_run = Repeat(u"\\", 100000);
  EXPECT_EQ(PathJoin(long_run, long_run), u"\\");
  EXPECT_EQ(PathJoin(u"a" + long_run + u"b", u""), u"a\\b\\");
}

struct ParentCase {
  const char16_t* path;
  const char16_t* folder;
};

TEST(ParentFolder, CutsAtTheLastBackslash) {
  const ParentCase cases[] = {
      {u"C:\\dir\\", u"C:\\dir\\"},
      {u"C:\\dir\\setting.dat", u"C:\\dir"},
      {u"C:\\setting.dat", u"C:"},
      {u"C:\\ab\\a", u"C:\\ab"},
      {u"C:\\a\\a", u"C:\\a"},  // the last component also occurs earlier
      {u"\\", u"\\"},
      {u"C:\\dir\\s*.dat", u"C:\\dir"},
      {u"\\setting.dat", u""},
      {u"/opt/orvanta\\setting.dat", u"/opt/orvanta"},
      {u"C:\\dir/sub\\x/y", u"C:\\dir/sub"},  // a forward slash is an ordinary character
      // Without a backslash there is no folder part to cut off.
      {u"setting.dat", u"setting.dat"},
      {u"/tmp/setting.dat", u"/tmp/setting.dat"},
      {u"", u""},
  };
  for (const ParentCase& c : cases) {
    EXPECT_EQ(ParentFolder(c.path), c.folder) << platform::ToUtf8(c.path);
  }
}

TEST(ParentFolder, HandlesTextsOfAnyLength) {
  const Text folder = Repeat(u"dir\\", 12000) + u"dir";  // last backslash beyond 32,767
  EXPECT_EQ(ParentFolder(folder + u"\\setting.dat"), folder);
  EXPECT_EQ(ParentFolder(folder + u"\\"), folder + u"\\");
  const Text no_backslash = Repeat(u"x", 50000);
  EXPECT_EQ(ParentFolder(no_backslash), no_backslash);
}

}  // namespace
