#include "platform/files/os_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OsPath, BackslashesBecomeSlashesAndTextBecomesUtf8) {
  EXPECT_EQ(platform::ToOsPath(u"C:\\dir\\setting.dat"), "C:/dir/setting.dat");
  EXPECT_EQ(platform::ToOsPath(u"/opt/orvanta\\setting.dat"), "/opt/orvanta/setting.dat");
  EXPECT_EQ(platform::ToOsPath(u"/tmp/時計\\a"), "/tmp/\xE6\x99\x82\xE8\xA8\x88/a");
  EXPECT_EQ(platform::ToOsPath(u"\U0001F600"), "\xF0\x9F\x98\x80");
  // A lone surrogate that stands for no byte has no byte form of its own.
  EXPECT_EQ(platform::ToOsPath(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

TEST(OsPath, EveryNameThatTheOsGivesComesBackByteForByte) {
  const std::string names[] = {
      "setting.dat",
      "\xE6\x99\x82\xE8\xA8\x88.dat",  // valid UTF-8
      "\xF0\x9F\x98\x80",              // outside the 16-bit range
      "caf\xE9.dat",                   // Latin-1
      "\xFF",
      "\xC3\x28",          // a lead byte without its continuation
      "\xE6\x99",          // cut short at the end
      "\xC0\xAF",          // overlong '/'
      "\xED\xA0\x80",      // an encoded surrogate
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
  };
  for (const std::string& name : names) {
    EXPECT_EQ(platform::ToOsPath(platform::FromOsPath(name)), name) << name;
  }
}

TEST(OsPath, UndecodableBytesBecomeEscapesAndValidOnesCharacters) {
  EXPECT_EQ(platform::FromOsPath("caf\xE9"), std::u16string(u"caf") + char16_t{0xDCE9});
  EXPECT_EQ(platform::FromOsPath("\xE6\x99\x82"), u"時");
  EXPECT_EQ(platform::FromOsPath("\xF0\x9F\x98\x80"), u"\U0001F600");
}

}  // namespace
