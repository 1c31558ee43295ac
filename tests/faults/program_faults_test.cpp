// File faults through the built program on a private Xvfb. A save that cannot write shows the
// runtime-error box, a second window of the program titled "Orvanta"; once it is closed, with
// its OK button or the Return key, the program ends with status 1. A setting file that is too
// big or garbled still lets the sign start, at its remembered place or at its fallback, and a
// double-click then saves as usual.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "tests/faults/garbled_lines.h"
#include "tests/faults/small_disk.h"
#include "tests/harness/desktop_test.h"

namespace faults {
namespace {

namespace fs = std::filesystem;
using harness::kPatience;
using harness::WindowGeometry;
using harness::WindowId;

// The sign at 96 DPI: where it is created, in pixels, and a point of its picture that no label
// covers, from the window's top-left corner.
constexpr int kCreatedX = 433;
constexpr int kCreatedY = 265;
constexpr int kPictureX = 20;
constexpr int kPictureY = 20;

// The box at 96 DPI: its OK button's middle lies this far above its bottom edge.
constexpr int kOkButtonFromBottom = 14 + 26 / 2;

enum class CloseWith { kOkButton, kReturnKey };

class ProgramFaultTest : public harness::DesktopTest {
 protected:
  // Runs the program as an ordinary user when the tests run as root, where permissions would
  // not apply; the folder must then let that user in.
  std::vector<std::string> AsUser() {
    if (geteuid() != 0) return {};
    fs::permissions(folder_.Path(), fs::perms(0755));
    return {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  }

  void DoubleClick(WindowId sign) {
    const WindowGeometry g = desktop_.Geometry(sign);
    desktop_.Click(g.x + kPictureX, g.y + kPictureY, 1, 2);
  }

  // The program's window other than the sign, once it shows; 0 when none comes.
  WindowId WaitForBox(WindowId sign) {
    for (const WindowId window : desktop_.WaitForWindows(program_->Pid(), 2, kPatience)) {
      if (window != sign) return window;
    }
    return 0;
  }

  void Close(WindowId box, CloseWith how) {
    const WindowGeometry g = desktop_.Geometry(box);
    if (how == CloseWith::kOkButton) {
      desktop_.Click(g.x + g.width / 2, g.y + g.height - kOkButtonFromBottom);
      return;
    }
    // A real key press, to the window under the pointer (no window manager gives the focus
    // otherwise). Sending it to the box itself would fail on the key's release, since the box
    // is gone by then.
    desktop_.MovePointer(g.x + g.width / 2, g.y + g.height / 4);
    desktop_.Tool({"xdotool", "key", "Return"});
  }

  // Double-clicks the sign, expects the stop box, closes it, and expects status 1.
  void ExpectSaveToFail(WindowId sign, CloseWith how) {
    DoubleClick(sign);
    const WindowId box = WaitForBox(sign);
    ASSERT_NE(box, 0u) << "no message box came; stderr:\n" << Log();
    EXPECT_EQ(desktop_.Name(box), "Orvanta");
    // The box is modal: the program waits for it and does not end on its own.
    EXPECT_EQ(program_->WaitFor(std::chrono::milliseconds(300)), std::nullopt);
    Close(box, how);
    EXPECT_EQ(program_->WaitFor(kPatience), std::optional<int>(1)) << Log();
  }

  std::optional<std::string> SettingFile() const {
    std::ifstream in(folder_ / "setting.dat", std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::optional<faults::SmallDisk> disk_;
};

struct SaveCase {
  const char* label;
  std::function<void(const fs::path& folder)> before_start;
  std::function<void(const fs::path& folder)> after_start;
  bool as_user;
  CloseWith close_with;
};

TEST_F(ProgramFaultTest, ASaveThatCannotWriteShowsTheBoxAndEndsWithStatus1) {
  const auto nothing = [](const fs::path&) {};
  const SaveCase cases[] = {
      {"a read-only folder", nothing,
       [](const fs::path& folder) { fs::permissions(folder, fs::perms(0555)); }, true,
       CloseWith::kReturnKey},
      {"a folder named setting.dat",
       [](const fs::path& folder) { fs::create_directory(folder / "setting.dat"); }, nothing, false,
       CloseWith::kOkButton},
      {"a full device",
       [](const fs::path& folder) { fs::create_symlink("/dev/full", folder / "setting.dat"); },
       nothing, false, CloseWith::kReturnKey},
      // Removed while the sign runs: the program file's folder no longer exists.
      {"the program folder removed", nothing,
       [](const fs::path& folder) { fs::remove_all(folder); }, false, CloseWith::kOkButton},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.label);
    fs::create_directories(folder_.Path());
    c.before_start(folder_.Path());
    const WindowId sign =
        Start(ORVANTA_PROGRAM, 0, c.as_user ? AsUser() : std::vector<std::string>{});
    ASSERT_NE(sign, 0u);
    // None of these faults shows at start-up.
    const WindowGeometry g = desktop_.Geometry(sign);
    EXPECT_EQ(g.x, kCreatedX);
    EXPECT_EQ(g.y, kCreatedY);
    EXPECT_EQ(desktop_.WindowsOfProcess(program_->Pid()).size(), 1u);

    c.after_start(folder_.Path());
    ExpectSaveToFail(sign, c.close_with);
    EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(folder_ / "setting.dat")))
        << "a setting file was made";

    if (fs::exists(folder_.Path())) fs::permissions(folder_.Path(), fs::perms(0755));
    fs::remove_all(folder_ / "setting.dat");
  }
}

TEST_F(ProgramFaultTest, ASaveOnAFullDiskShowsTheBoxAndLeavesABeginningOfTheLines) {
  // Room for the program's copy and its log, and then no more.
  const std::uintmax_t room = fs::file_size(ORVANTA_PROGRAM) + 1024 * 1024;
  disk_.emplace(folder_.Path(), room);
  if (!disk_->Mounted()) GTEST_SKIP() << disk_->WhyNot();

  const WindowId sign = Start(ORVANTA_PROGRAM);
  ASSERT_NE(sign, 0u);
  disk_->FillUp();
  ExpectSaveToFail(sign, CloseWith::kReturnKey);
  const std::string lines = "6495\r\n3975\r\n";
  const std::string after = SettingFile().value_or("(no file)");
  EXPECT_EQ(lines.compare(0, after.size(), after), 0) << after;
}

struct RemovalCase {
  int after_listing;  // the program's listing of its folder after which the file goes
  bool box;           // false: the sign starts at its created place without a word
};

// The program lists its folder three times before it opens the setting file: FileCheck, the
// store's clearing of the attributes, and the store's walk. The file removed after the first
// is simply not there; removed after the second or third, it was listed and then vanished,
// which the store does not trap, so the runtime-error box ends the start-up.
TEST_F(ProgramFaultTest, ASettingFileRemovedAfterItWasListedEndsInTheBoxOrIsNotThere) {
  const RemovalCase cases[] = {{1, false}, {2, true}, {3, true}};
  for (const RemovalCase& c : cases) {
    SCOPED_TRACE("removed after listing " + std::to_string(c.after_listing));
    std::ofstream(folder_ / "setting.dat", std::ios::binary) << "1200\r\n300\r\n";
    // The sanitizer build's runtime insists on coming first among the libraries; the shim
    // comes before it.
    const WindowId sign = Start(ORVANTA_PROGRAM, 0,
                                {"env", std::string("LD_PRELOAD=") + ORVANTA_LISTING_SHIM,
                                 "ORVANTA_FAULT_REMOVE=" + (folder_ / "setting.dat").string(),
                                 "ORVANTA_FAULT_AFTER_LISTING=" + std::to_string(c.after_listing),
                                 "ASAN_OPTIONS=verify_asan_link_order=0"});
    ASSERT_NE(sign, 0u);
    EXPECT_FALSE(fs::exists(folder_ / "setting.dat")) << "the shim did not remove the file";
    if (c.box) {
      const WindowId box = WaitForBox(sign);
      ASSERT_NE(box, 0u) << "no message box came; stderr:\n" << Log();
      EXPECT_EQ(desktop_.Name(box), "Orvanta");
      Close(box, CloseWith::kOkButton);
      EXPECT_EQ(program_->WaitFor(kPatience), std::optional<int>(1)) << Log();
    } else {
      const WindowGeometry g = desktop_.Geometry(sign);
      EXPECT_EQ(g.x, kCreatedX);
      EXPECT_EQ(g.y, kCreatedY);
      EXPECT_EQ(desktop_.WindowsOfProcess(program_->Pid()).size(), 1u) << "a box came up";
      DoubleClick(sign);
      EXPECT_EQ(program_->WaitFor(kPatience), std::optional<int>(0)) << Log();
      EXPECT_EQ(SettingFile(), "6495\r\n3975\r\n");
    }
    fs::remove(folder_ / "setting.dat");
  }
}

struct StartCase {
  const char* label;
  std::string bytes;  // the setting file
  int x;              // where the sign must come to rest, in pixels
  int y;
};

TEST_F(ProgramFaultTest, AHugeOrGarbledSettingFileStillLetsTheSignStartAndSave) {
  constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;
  std::string many_lines = "1200\r\n300\r\n";
  while (many_lines.size() < kTenMegabytes) many_lines += "12345\r\n";
  // 15 twips to the pixel at 96 DPI: 1200, 300 twips are 80, 20 pixels.
  const StartCase cases[] = {
      {"10 MB of further lines", many_lines, 80, 20},
      {"10 MB of fraction digits", "1200." + std::string(kTenMegabytes, '4') + "\r\n300", 80, 20},
      {"garbled lines", GarbledLines(65536), 0, 0},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::ofstream(folder_ / "setting.dat", std::ios::binary) << c.bytes;
    const WindowId sign = Start(ORVANTA_PROGRAM);
    ASSERT_NE(sign, 0u);
    const WindowGeometry g = WaitForPlace(sign, c.x, c.y);
    EXPECT_EQ(g.x, c.x);
    EXPECT_EQ(g.y, c.y);
    EXPECT_EQ(desktop_.WindowsOfProcess(program_->Pid()).size(), 1u) << "a box came up";

    DoubleClick(sign);
    ASSERT_EQ(program_->WaitFor(kPatience), std::optional<int>(0)) << Log();
    EXPECT_EQ(SettingFile(), std::to_string(c.x * 15) + "\r\n" + std::to_string(c.y * 15) + "\r\n");
  }
}

}  // namespace
}  // namespace faults
