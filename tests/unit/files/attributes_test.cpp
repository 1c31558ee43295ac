#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/app/app.h"
#include "platform/files/files.h"
#include "tests/unit/files/temp_folder.h"

namespace {

TEST(ClearAttributes, GivesTheOwnerWritePermissionAndNothingElse) {
  orvanta_test::TempFolder folder;
  struct ModeCase {
    mode_t before;
    mode_t after;
  };
  const ModeCase cases[] = {
      {0444, 0644}, {0400, 0600}, {0000, 0200}, {0555, 0755}, {0644, 0644}, {04444, 04644},
  };
  for (const ModeCase& c : cases) {
    folder.Write("file.dat", "x");
    folder.SetMode("file.dat", c.before);
    platform::ClearAttributes(folder.Text("file.dat"));
    EXPECT_EQ(folder.Mode("file.dat"), c.after) << std::oct << c.before;
    EXPECT_EQ(folder.Read("file.dat"), "x");
  }
}

TEST(ClearAttributes, FollowsASymbolicLink) {
  orvanta_test::TempFolder folder;
  folder.Write("target.dat", "x");
  folder.SetMode("target.dat", 0444);
  std::filesystem::create_symlink("target.dat", folder / "link.dat");
  platform::ClearAttributes(folder.Text("link.dat"));
  EXPECT_EQ(folder.Mode("target.dat"), 0644u);
}

TEST(ClearAttributes, AMissingFileRaises) {
  orvanta_test::TempFolder folder;
  try {
    platform::ClearAttributes(folder.Text("missing.dat"));
    FAIL() << "no error";
  } catch (const platform::RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot clear the attributes of \"" +
                                             (folder / "missing.dat").string() +
                                             "\": No such file or directory");
  }
}

TEST(ProgramFolder, IsTheRealFolderOfTheRunningProgram) {
  const std::string expected = std::filesystem::canonical(ORVANTA_TEST_BINARY_DIR).string();
  EXPECT_EQ(platform::ToUtf8(platform::ProgramFolder()), expected);
}

}  // namespace
