#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/app/app.h"
#include "platform/files/files.h"
#include "support/my_function_lv02.h"
#include "tests/unit/files/temp_folder.h"
#include "tests/unit/support/recording_backend.h"

namespace {

using MyFunction_Lv02::SettingFile;
using platform::Text;
using platform::TextList;

class SettingFileTest : public ::testing::Test {
 protected:
  TextList Read(const Text& path, TextList list = {u"old 1", u"old 2", u"old 3"}) {
    SettingFile(path, list, u"S_Read", u"normal");
    return list;
  }

  void Write(const Text& path, TextList& list) { SettingFile(path, list, u"S_Write", u"normal"); }

  // The names that the listing gives for `pattern`, in its order.
  std::vector<std::string> Listed(const Text& pattern) {
    std::vector<std::string> names;
    for (Text name = platform::Dir(pattern); !name.empty(); name = platform::Dir()) {
      names.push_back(platform::ToUtf8(name));
    }
    return names;
  }

  orvanta_test::TempFolder folder_;
  orvanta_test::RecordingBackend backend_;
};

struct ReadCase {
  const char* label;
  std::string bytes;
  TextList list;
};

TEST_F(SettingFileTest, ReadingReplacesTheListWithTheLinesAndYieldsBeforeEach) {
  const ReadCase cases[] = {
      {"empty file", "", {u""}},
      {"CR LF only", "\r\n", {u""}},
      {"two lines ended", "12\r\n34\r\n", {u"12", u"34"}},
      {"last line open", "12\r\n34", {u"12", u"34"}},
      {"lone CR", "12\r34", {u"12", u"34"}},
      {"lone LF", "12\n34", {u"12\n34"}},
      {"empty line inside", "a\r\n\r\nb", {u"a", u"", u"b"}},
      {"more lines than the old list", "1\r\n2\r\n3\r\n4\r\n5", {u"1", u"2", u"3", u"4", u"5"}},
  };
  for (const ReadCase& c : cases) {
    folder_.Write("setting.dat", c.bytes);
    backend_.yields = 0;
    EXPECT_EQ(Read(folder_.Text("setting.dat")), c.list) << c.label;
    const int lines_read = c.bytes.empty() ? 0 : static_cast<int>(c.list.size());
    EXPECT_EQ(backend_.yields, lines_read) << c.label;
  }
}

TEST_F(SettingFileTest, ReadingAMissingFileGivesTheEmptyListAndCreatesNothing) {
  EXPECT_EQ(Read(folder_.Text("setting.dat")), TextList{u""});
  EXPECT_EQ(Read(folder_.Text("setting.dat"), TextList{}), TextList{u""});  // never sized
  EXPECT_FALSE(folder_.Exists("setting.dat"));
  EXPECT_EQ(Read(folder_.Text() + u"\\nothere\\setting.dat"), TextList{u""});
}

TEST_F(SettingFileTest, APatternReadsEveryMatchingFileInListingOrder) {
  const std::map<std::string, std::pair<std::string, TextList>> files = {
      {"s1.dat", {"1\r\n2\r\n", {u"1", u"2"}}},
      {"s2.dat", {"", {}}},  // an empty file adds nothing
      {"s3.dat", {"3", {u"3"}}},
  };
  for (const auto& [name, file] : files) {
    folder_.Write(name, file.first);
    folder_.SetMode(name, 0444);
  }
  folder_.Write("other.txt", "x\r\n");
  folder_.Write(".s4.dat", "hidden\r\n");

  const std::vector<std::string> order = Listed(folder_.Text("s*.dat"));
  ASSERT_EQ(order.size(), 3u);
  TextList expected;
  for (const std::string& name : order) {
    const TextList& lines = files.at(name).second;
    expected.insert(expected.end(), lines.begin(), lines.end());
  }

  EXPECT_EQ(Read(folder_.Text("s*.dat")), expected);
  // Only the first matching file loses its read-only mark.
  EXPECT_EQ(folder_.Mode(order[0]), 0644u);
  EXPECT_EQ(folder_.Mode(order[1]), 0444u);
  EXPECT_EQ(folder_.Mode(order[2]), 0444u);
}

TEST_F(SettingFileTest, AHiddenFileIsNotListedAndKeepsItsMark) {
  folder_.Write(".setting.dat", "12\r\n");
  folder_.SetMode(".setting.dat", 0444);
  EXPECT_EQ(Read(folder_.Text(".setting.dat")), TextList{u""});
  EXPECT_EQ(folder_.Mode(".setting.dat"), 0444u);
}

TEST_F(SettingFileTest, AnyOtherModeOnlyClearsTheReadOnlyMark) {
  const char16_t* modes[] = {u"s_read", u"S_READ", u"s_write", u"", u"S_Read "};
  for (const char16_t* mode : modes) {
    folder_.Write("setting.dat", "12\r\n");
    folder_.SetMode("setting.dat", 0444);
    TextList list = {u"keep", u"", u"me"};
    SettingFile(folder_.Text("setting.dat"), list, mode, u"normal");
    const std::string label = platform::ToUtf8(mode);
    EXPECT_EQ(list, (TextList{u"keep", u"", u"me"})) << label;
    EXPECT_EQ(folder_.Read("setting.dat"), "12\r\n") << label;
    EXPECT_EQ(folder_.Mode("setting.dat"), 0644u) << label;

    SettingFile(folder_.Text("new.dat"), list, mode, u"normal");
    EXPECT_FALSE(folder_.Exists("new.dat")) << label;
  }
  EXPECT_EQ(backend_.yields, 0);
  EXPECT_EQ(platform::FreeFile(), 1);
}

struct WriteCase {
  const char* label;
  std::string old_bytes;  // empty: no file before
  TextList list;
  std::string bytes;
  TextList list_after;
  int yields;  // those of the compaction and one per line
};

TEST_F(SettingFileTest, WritingCompactsTheListAndWritesOneLinePerEntry) {
  const WriteCase cases[] = {
      {"position", "", {u"12", u"34", u""}, "12\r\n34\r\n", {u"12", u"34"}, 3 + 2 + 2},
      {"over a longer file", "999999\r\n888888\r\n777777\r\n", {u"1"}, "1\r\n", {u"1"}, 1 + 1 + 1},
      {"all empty", "", {u"", u"", u""}, "\r\n\r\n\r\n", {u"", u"", u""}, 3 + 3 + 3},
      {"blank kept", "", {u" ", u""}, " \r\n", {u" "}, 2 + 1 + 1},
      {"entries with CR",
       "",
       {u"a\rb", u"c\r\nd"},
       "a\rb\r\nc\r\nd\r\n",
       {u"a\rb", u"c\r\nd"},
       2 + 2 + 2},
  };
  for (const WriteCase& c : cases) {
    std::filesystem::remove(folder_ / "setting.dat");
    if (!c.old_bytes.empty()) folder_.Write("setting.dat", c.old_bytes);
    TextList list = c.list;
    backend_.yields = 0;
    Write(folder_.Text("setting.dat"), list);
    EXPECT_EQ(folder_.Read("setting.dat"), c.bytes) << c.label;
    EXPECT_EQ(list, c.list_after) << c.label;
    EXPECT_EQ(backend_.yields, c.yields) << c.label;
  }
}

TEST_F(SettingFileTest, WhatIsWrittenReadsBackUnlessAnEntryHoldsACr) {
  TextList list = {u"-120", u"", u"4500"};
  Write(folder_.Text("setting.dat"), list);
  EXPECT_EQ(Read(folder_.Text("setting.dat")), (TextList{u"-120", u"4500"}));

  list = {u"a\rb", u"c\r\nd"};
  Write(folder_.Text("setting.dat"), list);
  EXPECT_EQ(Read(folder_.Text("setting.dat")), (TextList{u"a", u"b", u"c", u"d"}));

  orvanta_test::ScopedCodePage utf8("C.UTF-8");
  list = {u"時計", u"ディスク"};
  Write(folder_.Text("setting.dat"), list);
  EXPECT_EQ(Read(folder_.Text("setting.dat")), (TextList{u"時計", u"ディスク"}));
}

TEST_F(SettingFileTest, WritingMakesAReadOnlyFileWritableAndLeavesItSo) {
  folder_.Write("setting.dat", "old\r\n");
  folder_.SetMode("setting.dat", 0444);
  TextList list = {u"12", u"34"};
  Write(folder_.Text("setting.dat"), list);
  EXPECT_EQ(folder_.Read("setting.dat"), "12\r\n34\r\n");
  EXPECT_EQ(folder_.Mode("setting.dat"), 0644u);
}

TEST_F(SettingFileTest, ReadingAReadOnlyFileMakesItWritable) {
  folder_.Write("setting.dat", "12\r\n");
  folder_.SetMode("setting.dat", 0444);
  EXPECT_EQ(Read(folder_.Text("setting.dat")), TextList{u"12"});
  EXPECT_EQ(folder_.Mode("setting.dat"), 0644u);
}

TEST_F(SettingFileTest, AWriteIntoAMissingFolderRaisesAndLeavesNoFileOpen) {
  TextList list = {u"12", u"34"};
  try {
    Write(folder_.Text() + u"\\nothere\\setting.dat", list);
    FAIL() << "no error";
  } catch (const platform::RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open \"" +
                                             (folder_ / "nothere/setting.dat").string() +
                                             "\" for writing: No such file or directory");
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "nothere"));
  EXPECT_EQ(platform::FreeFile(), 1);
}

TEST_F(SettingFileTest, AnErrorInAYieldLeavesNoFileOpen) {
  folder_.Write("setting.dat", "12\r\n34\r\n");
  backend_.on_yield = [] { throw platform::RuntimeError("from a handler"); };
  EXPECT_THROW(Read(folder_.Text("setting.dat")), platform::RuntimeError);
  TextList list = {u"1"};
  backend_.yields = 0;
  backend_.on_yield = [&] {
    // The compaction yields twice; the third yield comes with the file open.
    if (backend_.yields == 3) throw platform::RuntimeError("from a handler");
  };
  EXPECT_THROW(Write(folder_.Text("setting.dat"), list), platform::RuntimeError);
  EXPECT_EQ(platform::FreeFile(), 1);
}

// The double-click that saves the position can be handled while the start-up read yields.
TEST_F(SettingFileTest, AWriteDuringAReadsYieldRunsNestedOnAnotherFileNumber) {
  folder_.Write("setting.dat", "1\r\n2\r\n3\r\n");
  int nested_number = 0;
  bool nested_done = false;
  backend_.on_yield = [&] {
    if (nested_done) return;
    nested_done = true;
    nested_number = platform::FreeFile();
    TextList position = {u"12", u"34", u""};
    SettingFile(folder_.Text("setting.dat"), position, u"S_Write", u"normal");
  };
  const TextList read = Read(folder_.Text("setting.dat"));

  EXPECT_EQ(nested_number, 2);  // the read holds number 1
  EXPECT_EQ(folder_.Read("setting.dat"), "12\r\n34\r\n");
  EXPECT_EQ(read, (TextList{u"1", u"2", u"3"}));  // the file as the read opened it
  EXPECT_EQ(platform::FreeFile(), 1);
}

TEST_F(SettingFileTest, ANestedCallDoesNotCutShortTheWalkOfAnInterruptedRead) {
  folder_.Write("s1.dat", "a\r\n");
  folder_.Write("s2.dat", "b\r\n");
  bool nested_done = false;
  backend_.on_yield = [&] {
    if (nested_done) return;
    nested_done = true;
    TextList position = {u"12", u"34"};
    SettingFile(folder_.Text("other.dat"), position, u"S_Write", u"normal");
  };
  TextList read = Read(folder_.Text("s*.dat"));
  std::sort(read.begin(), read.end());
  EXPECT_EQ(read, (TextList{u"a", u"b"}));
  EXPECT_EQ(folder_.Read("other.dat"), "12\r\n34\r\n");
}

}  // namespace
