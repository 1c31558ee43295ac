// File faults around the remembered position, with the sign's handlers run the way the message
// loop runs them. Every fault must end in a clear message (the stop box naming the file and the
// reason, then status 1) or in the sign's own fallback (the created position, or 0 for a line
// without a number), never in a crash or a hang.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "tests/faults/garbled_lines.h"
#include "tests/faults/listing_hook.h"
#include "tests/faults/sign_run.h"
#include "tests/faults/small_disk.h"

namespace faults {
namespace {

namespace fs = std::filesystem;

constexpr float kCreatedLeft = 6495;
constexpr float kCreatedTop = 3975;
constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

class SignFileFaultTest : public ::testing::Test {
 protected:
  SignFileFaultTest() {
    std::string pattern = (fs::temp_directory_path() / "orvanta-faults-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    // An ordinary user must be able to reach the folder.
    fs::permissions(folder_, fs::perms(0755));
  }
  ~SignFileFaultTest() override {
    DisarmListingHook();
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }

  void Write(const fs::path& file, const std::string& bytes) const {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  std::optional<std::string> Read(const fs::path& file) const {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // A file for an ordinary user: owned by the user the sign runs as.
  void GiveToUser(const fs::path& file) const {
    if (RunningAsRoot()) {
      ASSERT_EQ(chown(file.c_str(), kNobody, kNobody), 0);
    }
  }

  // The message that names `path` in the folder; "%F" stands for the folder.
  std::string Message(std::string pattern) const {
    const std::size_t at = pattern.find("%F");
    if (at != std::string::npos) pattern.replace(at, 2, folder_.string());
    return pattern;
  }

  void ExpectBox(const SignOutcome& outcome, const std::string& prompt, const char* label) {
    ASSERT_EQ(outcome.boxes.size(), 1u) << label;
    EXPECT_EQ(outcome.boxes[0].prompt, Message(prompt)) << label;
    EXPECT_EQ(outcome.boxes[0].title, "Orvanta") << label;
    EXPECT_EQ(outcome.boxes[0].style, 16) << label;
    EXPECT_EQ(outcome.status, std::optional<int>(1)) << label;
  }

  fs::path folder_;
};

struct StartCase {
  const char* label;
  // Prepares the folder; returns the program folder.
  std::function<fs::path(const fs::path& folder)> prepare;
  bool as_user;
  const char* code_page;
  float left;
  float top;
  const char* box;  // the message of the stop box, or nullptr for a silent start
};

TEST_F(SignFileFaultTest, AStartUpEndsAtAPlaceOrWithAClearMessage) {
  const auto setting = [](const std::string& bytes) {
    return [bytes](const fs::path& folder) {
      std::ofstream(folder / "setting.dat", std::ios::binary) << bytes;
      return folder;
    };
  };
  const auto removed_after_listing = [](int nth) {
    return [nth](const fs::path& folder) {
      std::ofstream(folder / "setting.dat", std::ios::binary) << "1200\r\n300\r\n";
      RemoveAfterListing(folder / "setting.dat", nth);
      return folder;
    };
  };
  std::string many_lines = "1200\r\n300\r\n";
  while (many_lines.size() < kTenMegabytes) many_lines += "12345\r\n";

  const StartCase cases[] = {
      {"a folder named setting.dat",
       [](const fs::path& folder) {
         fs::create_directory(folder / "setting.dat");
         return folder;
       },
       false, "C", kCreatedLeft, kCreatedTop, nullptr},
      {"no program folder", [](const fs::path& folder) { return folder / "gone"; }, false, "C",
       kCreatedLeft, kCreatedTop, nullptr},
      {"10 MB of further lines", setting(many_lines), false, "C", 1200, 300, nullptr},
      {"10 MB of digits", setting(std::string(kTenMegabytes, '7') + "\r\n300\r\n"), false, "C",
       kCreatedLeft, kCreatedTop, nullptr},
      {"10 MB of fraction digits", setting("1200." + std::string(kTenMegabytes, '4') + "\r\n300"),
       false, "C", 1200, 300, nullptr},
      {"10 MB in one line", setting(std::string(kTenMegabytes, 'x')), false, "C", kCreatedLeft,
       kCreatedTop, nullptr},
      {"garbled lines", setting(GarbledLines(65536)), false, "C", 0, 0, nullptr},
      {"garbled lines in UTF-8", setting(GarbledLines(65536)), false, "en_US.UTF-8", 0, 0, nullptr},
      {"NUL bytes", setting(std::string("\0\0 12\r\n34\0\r\n", 11)), false, "C", 0, 34, nullptr},
      {"binary garbage without a line end", setting(std::string("\xff\xfe\0\x80\x01", 5)), false,
       "C", kCreatedLeft, kCreatedTop, nullptr},
      // The file vanishes after FileCheck has seen it: the store finds nothing to read.
      {"removed after the check", removed_after_listing(1), false, "C", kCreatedLeft, kCreatedTop,
       nullptr},
      // ... or after the store has listed it, before it clears its attributes or opens it.
      {"removed before its attributes are cleared", removed_after_listing(2), false, "C",
       kCreatedLeft, kCreatedTop,
       "Cannot clear the attributes of \"%F/setting.dat\": No such file or directory"},
      {"removed before it is opened", removed_after_listing(3), false, "C", kCreatedLeft,
       kCreatedTop, "Cannot open \"%F/setting.dat\" for reading: No such file or directory"},
      {"a setting file its user cannot read",
       [this](const fs::path& folder) {
         Write(folder / "setting.dat", "1200\r\n300\r\n");
         GiveToUser(folder / "setting.dat");
         fs::permissions(folder / "setting.dat", fs::perms(0200));
         return folder;
       },
       true, "C", kCreatedLeft, kCreatedTop,
       "Cannot open \"%F/setting.dat\" for reading: Permission denied"},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.label);
    fs::remove_all(folder_ / "setting.dat");
    SignRun run;
    run.program_folder = c.prepare(folder_);
    run.as_user = c.as_user;
    run.code_page = c.code_page;
    const SignOutcome outcome = RunSign(run);
    DisarmListingHook();
    ASSERT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.left, c.left);
    EXPECT_EQ(outcome.top, c.top);
    if (c.box == nullptr) {
      EXPECT_TRUE(outcome.boxes.empty()) << outcome.boxes.front().prompt;
      EXPECT_EQ(outcome.status, std::nullopt);
    } else {
      ExpectBox(outcome, c.box, c.label);
    }
  }
}

// A read-only setting file that belongs to someone else cannot be made writable, and the
// store will not read a file whose read-only mark it could not clear.
TEST_F(SignFileFaultTest, AStartUpCannotClearTheMarkOfAnotherUsersFile) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs root to give the file to another user";
  Write(folder_ / "setting.dat", "1200\r\n300\r\n");
  fs::permissions(folder_ / "setting.dat", fs::perms(0444));
  SignRun run{folder_, false, true, "C"};
  const SignOutcome outcome = RunSign(run);
  ASSERT_EQ(outcome.failure, "");
  ExpectBox(outcome, "Cannot clear the attributes of \"%F/setting.dat\": Operation not permitted",
            "another user's file");
  EXPECT_EQ(Read(folder_ / "setting.dat"), "1200\r\n300\r\n");
}

struct SaveCase {
  const char* label;
  std::function<fs::path(const fs::path& folder)> prepare;
  bool as_user;
  float left;  // where the start-up put the sign, and so what the save writes
  float top;
  const char* box;                   // nullptr: the save worked
  std::optional<std::string> bytes;  // the setting file afterwards; nothing: there is none
};

TEST_F(SignFileFaultTest, ASaveThatCannotWriteShowsTheFileAndTheReason) {
  const SaveCase cases[] = {
      {"a read-only folder",
       [](const fs::path& folder) {
         fs::permissions(folder, fs::perms(0555));
         return folder;
       },
       true, kCreatedLeft, kCreatedTop,
       "Cannot open \"%F/setting.dat\" for writing: Permission denied", std::nullopt},
      // The file is rewritten in place, so a read-only folder does not stop the save of a file
      // that is already there and belongs to the user; its read-only mark is cleared.
      {"a read-only folder with the user's read-only setting file",
       [this](const fs::path& folder) {
         Write(folder / "setting.dat", "1200\r\n300\r\nold third line\r\n");
         GiveToUser(folder / "setting.dat");
         fs::permissions(folder / "setting.dat", fs::perms(0444));
         fs::permissions(folder, fs::perms(0555));
         return folder;
       },
       true, 1200, 300, nullptr, "1200\r\n300\r\n"},
      {"no program folder", [](const fs::path& folder) { return folder / "gone"; }, false,
       kCreatedLeft, kCreatedTop,
       "Cannot open \"%F/gone/setting.dat\" for writing: No such file or directory", std::nullopt},
      {"a folder named setting.dat",
       [](const fs::path& folder) {
         fs::create_directory(folder / "setting.dat");
         return folder;
       },
       false, kCreatedLeft, kCreatedTop,
       "Cannot open \"%F/setting.dat\" for writing: Is a directory", std::nullopt},
      {"a setting file that links to itself",
       [](const fs::path& folder) {
         fs::create_symlink("setting.dat", folder / "setting.dat");
         return folder;
       },
       false, kCreatedLeft, kCreatedTop,
       "Cannot open \"%F/setting.dat\" for writing: Too many levels of symbolic links",
       std::nullopt},
      // A device that is always full: the file opens, and the first line does not fit.
      {"a full device",
       [](const fs::path& folder) {
         fs::create_symlink("/dev/full", folder / "setting.dat");
         return folder;
       },
       false, kCreatedLeft, kCreatedTop, "Cannot write \"%F/setting.dat\": No space left on device",
       std::nullopt},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.label);
    SignRun run;
    run.program_folder = c.prepare(folder_);
    run.save = true;
    run.as_user = c.as_user;
    const SignOutcome outcome = RunSign(run);
    fs::permissions(folder_, fs::perms(0755));
    ASSERT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.left, c.left);
    EXPECT_EQ(outcome.top, c.top);
    if (c.box == nullptr) {
      EXPECT_TRUE(outcome.boxes.empty()) << outcome.boxes.front().prompt;
      EXPECT_EQ(outcome.status, std::optional<int>(0));
    } else {
      ExpectBox(outcome, c.box, c.label);
    }
    const fs::path file = folder_ / "setting.dat";
    if (c.bytes) {
      EXPECT_EQ(Read(file), c.bytes);
    } else {
      EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(file))) << "a setting file was made";
    }
    fs::remove_all(folder_ / "setting.dat");
  }
}

// Nothing reads from a named pipe called setting.dat, so opening it for writing would wait for
// a reader for ever, with the sign frozen on the screen. The start-up does not list it.
TEST_F(SignFileFaultTest, ASaveIntoANamedPipeEndsWithAMessageNotAHang) {
  ASSERT_EQ(mkfifo((folder_ / "setting.dat").c_str(), 0644), 0);
  SignRun run;
  run.program_folder = folder_;
  run.save = true;
  const SignOutcome outcome = RunSign(run);
  ASSERT_EQ(outcome.failure, "");
  EXPECT_EQ(outcome.left, kCreatedLeft);
  EXPECT_EQ(outcome.top, kCreatedTop);
  ASSERT_EQ(outcome.boxes.size(), 1u);
  EXPECT_EQ(
      outcome.boxes[0].prompt.rfind(Message("Cannot open \"%F/setting.dat\" for writing: "), 0), 0u)
      << outcome.boxes[0].prompt;
  EXPECT_EQ(outcome.status, std::optional<int>(1));
}

// A real full disk. The file is rewritten in place, so a save that fails leaves what was
// written before the disk ran out: a beginning of the new lines, never old and new mixed. An
// old file gives its space back when it is emptied, so the new lines fit where the old ones
// were.
TEST_F(SignFileFaultTest, ASaveOnAFullDiskShowsTheReasonAndLeavesABeginningOfTheLines) {
  struct DiskCase {
    const char* label;
    std::optional<std::string> before;  // the setting file before the disk filled up
    float left;
    float top;
    bool saved;
  };
  const DiskCase cases[] = {
      {"no setting file yet", std::nullopt, kCreatedLeft, kCreatedTop, false},
      {"an old setting file", "1200\r\n300\r\n", 1200, 300, true},
  };
  for (const DiskCase& c : cases) {
    SCOPED_TRACE(c.label);
    const fs::path disk_folder = folder_ / "disk";
    fs::create_directory(disk_folder);
    {
      SmallDisk disk(disk_folder, 64 * 1024);
      if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
      if (c.before) Write(disk_folder / "setting.dat", *c.before);
      disk.FillUp();

      SignRun run;
      run.program_folder = disk_folder;
      run.save = true;
      const SignOutcome outcome = RunSign(run);
      ASSERT_EQ(outcome.failure, "");
      EXPECT_EQ(outcome.left, c.left);
      EXPECT_EQ(outcome.top, c.top);
      const std::string lines = std::to_string(static_cast<int>(c.left)) + "\r\n" +
                                std::to_string(static_cast<int>(c.top)) + "\r\n";
      const std::string after = Read(disk_folder / "setting.dat").value_or("(no file)");
      if (c.saved) {
        EXPECT_EQ(outcome.status, std::optional<int>(0));
        EXPECT_EQ(after, lines);
      } else {
        ExpectBox(outcome, "Cannot write \"%F/disk/setting.dat\": No space left on device",
                  c.label);
        EXPECT_EQ(lines.compare(0, after.size(), after), 0) << after;
      }
    }
    fs::remove(disk_folder);
  }
}

}  // namespace
}  // namespace faults
