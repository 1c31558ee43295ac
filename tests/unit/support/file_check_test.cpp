#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/my_function_lv01.h"
#include "tests/unit/files/temp_folder.h"
#include "tests/unit/support/recording_backend.h"

namespace {

using MyFunction_Lv01::FileCheck;
using platform::Text;

class FileCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("setting.dat", "1\r\n");
    folder_.Write("readonly.dat", "");
    folder_.SetMode("readonly.dat", 0444);
    folder_.Write(".hidden.dat", "1\r\n");
    std::filesystem::create_directory(folder_ / "sub");
  }

  orvanta_test::TempFolder folder_;
  orvanta_test::RecordingBackend backend_;
};

struct CheckCase {
  const char* name;
  const char16_t* message_switch;
  const char16_t* answer;
  bool shows_box;
};

TEST_F(FileCheckTest, AnswersOkForANormalFileAndTellsOnlyOnRequest) {
  const CheckCase cases[] = {
      {"setting.dat", u"OFF", u"OK", false},
      {"setting.dat", u"ON", u"OK", false},
      {"readonly.dat", u"OFF", u"OK", false},
      {"s*.dat", u"OFF", u"OK", false},
      {"?etting.dat", u"ON", u"OK", false},
      {"sub", u"OFF", u"ERROR", false},  // a folder is no file
      {".hidden.dat", u"OFF", u"ERROR", false},
      {".hidden.dat", u"ON", u"ERROR", true},
      {"missing.dat", u"OFF", u"ERROR", false},
      {"missing.dat", u"off", u"ERROR", false},
      {"missing.dat", u"On", u"ERROR", false},
      {"missing.dat", u"", u"ERROR", false},
      {"missing.dat", u"ON", u"ERROR", true},
      {"x*.dat", u"ON", u"ERROR", true},
  };
  for (const CheckCase& c : cases) {
    backend_.boxes.clear();
    EXPECT_EQ(FileCheck(folder_.Text(c.name), c.message_switch), c.answer) << c.name;
    EXPECT_EQ(backend_.boxes.size(), c.shows_box ? 1u : 0u)
        << c.name << " with " << platform::ToUtf8(c.message_switch);
  }
}

TEST_F(FileCheckTest, TheBoxIsTheJapaneseStopBox) {
  FileCheck(folder_.Text("missing.dat"), u"ON");
  ASSERT_EQ(backend_.boxes.size(), 1u);
  EXPECT_EQ(backend_.boxes[0].prompt, u"ファイルが存在しません。");
  EXPECT_EQ(backend_.boxes[0].title, u"ディスクエラー");
  EXPECT_EQ(backend_.boxes[0].style, 16);
  EXPECT_EQ(backend_.yields, 0);
}

TEST_F(FileCheckTest, AMissingFolderIsAMissingFile) {
  EXPECT_EQ(FileCheck(folder_.Text() + u"\\nothere\\setting.dat", u"OFF"), u"ERROR");
}

}  // namespace
