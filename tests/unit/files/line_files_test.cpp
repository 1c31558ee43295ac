#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/app/app.h"
#include "platform/files/files.h"
#include "tests/unit/files/temp_folder.h"

namespace {

using platform::FileMode;
using platform::Text;
using platform::TextList;

class LineFilesTest : public ::testing::Test {
 protected:
  // A failed test may leave a file open; the next test must start with every number free.
  void TearDown() override {
    for (int handle = 1; handle <= 8; ++handle) {
      try {
        platform::Close(handle);
      } catch (const platform::RuntimeError&) {
      }
    }
  }

  TextList ReadLines(const std::string& name) {
    TextList lines;
    const int handle = platform::FreeFile();
    platform::Open(folder_.Text(name), FileMode::kInput, handle);
    while (!platform::Eof(handle)) lines.push_back(platform::LineInput(handle));
    platform::Close(handle);
    return lines;
  }

  void WriteLines(const std::string& name, const TextList& lines) {
    const int handle = platform::FreeFile();
    platform::Open(folder_.Text(name), FileMode::kOutput, handle);
    for (const Text& line : lines) platform::PrintLine(handle, line);
    platform::Close(handle);
  }

  // The message of the RuntimeError that `action` raises, or "" when it raises none.
  template <typename Action>
  static std::string ErrorOf(Action&& action) {
    try {
      action();
    } catch (const platform::RuntimeError& error) {
      return error.what();
    }
    return "";
  }

  orvanta_test::TempFolder folder_;
};

struct ReadCase {
  const char* label;
  std::string bytes;
  TextList lines;
};

TEST_F(LineFilesTest, LinesEndAtCrLfOrALoneCr) {
  const ReadCase cases[] = {
      {"empty file", "", {}},
      {"CR LF only", "\r\n", {u""}},
      {"two lines ended", "12\r\n34\r\n", {u"12", u"34"}},
      {"last line open", "12\r\n34", {u"12", u"34"}},
      {"lone CR", "12\r34", {u"12", u"34"}},
      {"lone CR at the end", "12\r", {u"12"}},
      {"lone LF", "12\n34", {u"12\n34"}},
      {"LF CR", "12\n\r34", {u"12\n", u"34"}},
      {"empty line inside", "a\r\n\r\nb", {u"a", u"", u"b"}},
      {"CR then CR LF", "a\r\r\nb", {u"a", u"", u"b"}},
      {"two CRs", "\r\r", {u"", u""}},
      {"blank line", "  \r\n", {u"  "}},
      {"NUL byte", std::string("a\0b", 3), {Text(u"a\0b", 3)}},
  };
  for (const ReadCase& c : cases) {
    folder_.Write("lines.dat", c.bytes);
    EXPECT_EQ(ReadLines("lines.dat"), c.lines) << c.label;
  }
}

TEST_F(LineFilesTest, WritingEndsEveryLineWithCrLfAndEmptiesTheFileFirst) {
  folder_.Write("out.dat", "an older and much longer content\r\nline two\r\n");
  WriteLines("out.dat", {u"12", u"", u"a\rb"});
  EXPECT_EQ(folder_.Read("out.dat"), "12\r\n\r\na\rb\r\n");

  WriteLines("new.dat", {});
  EXPECT_TRUE(folder_.Exists("new.dat"));
  EXPECT_EQ(folder_.Read("new.dat"), "");
}

TEST_F(LineFilesTest, SeveralFilesCanBeOpenAtOnce) {
  folder_.Write("one.dat", "1a\r\n1b\r\n");
  folder_.Write("two.dat", "2a\r\n");
  const int first = platform::FreeFile();
  EXPECT_EQ(platform::FreeFile(), first);  // a number stays free until a file is opened on it
  platform::Open(folder_.Text("one.dat"), FileMode::kInput, first);
  const int second = platform::FreeFile();
  EXPECT_NE(second, first);
  platform::Open(folder_.Text("two.dat"), FileMode::kInput, second);
  const int third = platform::FreeFile();
  platform::Open(folder_.Text("three.dat"), FileMode::kOutput, third);

  EXPECT_EQ(platform::LineInput(first), u"1a");
  EXPECT_EQ(platform::LineInput(second), u"2a");
  platform::PrintLine(third, u"3a");
  EXPECT_TRUE(platform::Eof(second));
  EXPECT_EQ(platform::LineInput(first), u"1b");

  platform::Close(first);
  EXPECT_EQ(platform::FreeFile(), first);
  platform::Close(second);
  platform::Close(third);
  EXPECT_EQ(folder_.Read("three.dat"), "3a\r\n");
}

TEST_F(LineFilesTest, AReaderKeepsTheContentItOpened) {
  folder_.Write("setting.dat", "1\r\n2\r\n");
  const int reader = platform::FreeFile();
  platform::Open(folder_.Text("setting.dat"), FileMode::kInput, reader);
  EXPECT_EQ(platform::LineInput(reader), u"1");

  WriteLines("setting.dat", {u"100", u"200", u"300"});
  EXPECT_EQ(platform::LineInput(reader), u"2");
  EXPECT_TRUE(platform::Eof(reader));
  platform::Close(reader);
  EXPECT_EQ(folder_.Read("setting.dat"), "100\r\n200\r\n300\r\n");
}

TEST_F(LineFilesTest, EveryLineReachesTheFileAsItIsWritten) {
  const int handle = platform::FreeFile();
  platform::Open(folder_.Text("out.dat"), FileMode::kOutput, handle);
  platform::PrintLine(handle, u"12");
  // Nothing waits in a buffer that could be written later over someone else's lines.
  EXPECT_EQ(folder_.Read("out.dat"), "12\r\n");
  platform::Close(handle);
}

TEST_F(LineFilesTest, TheCodePageIsTheLocaleEncoding) {
  {
    orvanta_test::ScopedCodePage utf8("C.UTF-8");
    WriteLines("jp.dat", {u"時計 12:00"});
    EXPECT_EQ(folder_.Read("jp.dat"), "\xE6\x99\x82\xE8\xA8\x88 12:00\r\n");
    EXPECT_EQ(ReadLines("jp.dat"), TextList{u"時計 12:00"});
  }
  // The C locale holds ASCII only; what it cannot hold is written as '?'.
  WriteLines("c.dat", {u"時計 12:00"});
  EXPECT_EQ(folder_.Read("c.dat"), "?? 12:00\r\n");
}

TEST_F(LineFilesTest, OsErrorsNameTheFileTheOperationAndTheReason) {
  const std::string folder = folder_.path().string();
  std::filesystem::create_directory(folder_ / "sub");
  struct ErrorCase {
    const char* label;
    Text path;
    FileMode mode;
    std::string message;
  };
  const ErrorCase cases[] = {
      {"missing file", folder_.Text("missing.dat"), FileMode::kInput,
       "Cannot open \"" + folder + "/missing.dat\" for reading: No such file or directory"},
      {"missing folder", folder_.Text() + u"\\nothere\\setting.dat", FileMode::kOutput,
       "Cannot open \"" + folder + "/nothere/setting.dat\" for writing: No such file or directory"},
      {"folder read", folder_.Text("sub"), FileMode::kInput,
       "Cannot open \"" + folder + "/sub\" for reading: Is a directory"},
      {"folder written", folder_.Text("sub"), FileMode::kOutput,
       "Cannot open \"" + folder + "/sub\" for writing: Is a directory"},
  };
  for (const ErrorCase& c : cases) {
    const int handle = platform::FreeFile();
    EXPECT_EQ(ErrorOf([&] { platform::Open(c.path, c.mode, handle); }), c.message) << c.label;
    EXPECT_EQ(platform::FreeFile(), handle) << c.label << ": the number must stay free";
  }
}

TEST_F(LineFilesTest, MisusedFileNumbersRaise) {
  folder_.Write("in.dat", "x\r\n");
  const int handle = platform::FreeFile();
  platform::Open(folder_.Text("in.dat"), FileMode::kInput, handle);

  EXPECT_NE(ErrorOf([&] {
              platform::Open(folder_.Text("in.dat"), FileMode::kInput, handle);
            }).find("is already open"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { platform::PrintLine(handle, u"x"); }).find("not open for writing"),
            std::string::npos);
  EXPECT_EQ(platform::LineInput(handle), u"x");
  EXPECT_NE(ErrorOf([&] { platform::LineInput(handle); }).find("Input past end of file"),
            std::string::npos);
  platform::Close(handle);
  EXPECT_NE(ErrorOf([&] { platform::Close(handle); }).find("is not open"), std::string::npos);
  EXPECT_NE(ErrorOf([&] { platform::Eof(handle); }).find("is not open"), std::string::npos);
  EXPECT_NE(ErrorOf([&] {
              platform::Open(folder_.Text("in.dat"), FileMode::kInput, 0);
            }).find("Bad file number 0"),
            std::string::npos);
}

}  // namespace
