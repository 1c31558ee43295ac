#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/app/app.h"
#include "platform/files/files.h"
#include "tests/unit/files/temp_folder.h"

namespace {

using platform::Text;

std::vector<std::string> ListAll(const Text& pattern) {
  std::vector<std::string> names;
  for (Text name = platform::Dir(pattern); !name.empty(); name = platform::Dir()) {
    names.push_back(platform::ToUtf8(name));
  }
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// A folder with one of each kind of entry that the listing must tell apart.
class ListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.dat", "b.dat", "B.DAT", ".hidden.dat", "[x].dat", "c.txt"}) {
      folder_.Write(name, "x");
    }
    folder_.Write("readonly.dat", "x");
    folder_.SetMode("readonly.dat", 0444);
    std::filesystem::create_directory(folder_ / "sub.dat");
    std::filesystem::create_symlink("a.dat", folder_ / "link.dat");
    std::filesystem::create_symlink("gone", folder_ / "dangling.dat");
    std::filesystem::create_symlink("sub.dat", folder_ / "folderlink.dat");
  }

  orvanta_test::TempFolder folder_;
};

struct ListingCase {
  const char* pattern;
  std::vector<std::string> names;
};

TEST_F(ListingTest, ListsVisibleRegularFilesThatMatch) {
  const ListingCase cases[] = {
      {"*.dat", {"[x].dat", "a.dat", "b.dat", "link.dat", "readonly.dat"}},
      {"*", {"B.DAT", "[x].dat", "a.dat", "b.dat", "c.txt", "link.dat", "readonly.dat"}},
      {"?.dat", {"a.dat", "b.dat"}},
      {"a.dat", {"a.dat"}},
      {"A.DAT", {}},  // case matters
      {"B.DAT", {"B.DAT"}},
      {"[x].dat", {"[x].dat"}},
      {"readonly.dat", {"readonly.dat"}},
      {".hidden.dat", {}},
      {".*", {}},
      {"sub.dat", {}},
      {"folderlink.dat", {}},
      {"dangling.dat", {}},
      {"missing.dat", {}},
      {"", {}},  // "folder\" names no file
  };
  for (const ListingCase& c : cases) {
    EXPECT_EQ(Sorted(ListAll(folder_.Text(c.pattern))), c.names) << "pattern " << c.pattern;
  }
}

TEST_F(ListingTest, GivesNamesInTheOrderOfTheOs) {
  std::vector<std::string> expected;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".dat") && name[0] != '.' && entry.is_regular_file()) {
      expected.push_back(name);
    }
  }
  EXPECT_EQ(ListAll(folder_.Text("*.dat")), expected);
}

TEST_F(ListingTest, TakesEitherSeparator) {
  const Text with_slash = platform::FromUtf8((folder_ / "a.dat").string());
  EXPECT_EQ(platform::Dir(with_slash), u"a.dat");
  const Text doubled = folder_.Text() + u"\\\\a.dat";
  EXPECT_EQ(platform::Dir(doubled), u"a.dat");
}

TEST_F(ListingTest, AMissingFolderHoldsNoNames) {
  EXPECT_EQ(platform::Dir(folder_.Text() + u"\\nothere\\*.dat"), u"");
  EXPECT_EQ(platform::Dir(folder_.Text() + u"\\a.dat\\*.dat"), u"");  // a file is no folder
}

TEST_F(ListingTest, AnEndedListingStaysEndedAndANewOneReplacesIt) {
  EXPECT_EQ(platform::Dir(folder_.Text("a.dat")), u"a.dat");
  EXPECT_EQ(platform::Dir(), u"");
  EXPECT_EQ(platform::Dir(), u"");

  EXPECT_EQ(platform::Dir(folder_.Text("?.dat")).size(), 5u);
  EXPECT_EQ(platform::Dir(folder_.Text("c.txt")), u"c.txt");
  EXPECT_EQ(platform::Dir(), u"");  // the rest of the first listing is gone
}

TEST_F(ListingTest, NamesAreTakenWhenTheListingStarts) {
  EXPECT_FALSE(platform::Dir(folder_.Text("?.dat")).empty());
  folder_.Write("z.dat", "x");
  std::filesystem::remove(folder_ / "a.dat");
  std::filesystem::remove(folder_ / "b.dat");
  EXPECT_FALSE(platform::Dir().empty());  // the second name, though its file is gone
  EXPECT_EQ(platform::Dir(), u"");
}

TEST_F(ListingTest, ANameThatIsNotUtf8CanBeOpenedAgain) {
  orvanta_test::TempFolder other;
  other.Write("caf\xE9.dat", "latin\r\n");
  const Text name = platform::Dir(other.Text("*.dat"));
  ASSERT_FALSE(name.empty());
  const int handle = platform::FreeFile();
  platform::Open(other.Text() + u"\\" + name, platform::FileMode::kInput, handle);
  EXPECT_EQ(platform::LineInput(handle), u"latin");
  platform::Close(handle);
}

TEST_F(ListingTest, AFolderThatCannotBeReadRaises) {
  std::filesystem::create_symlink("loop", folder_ / "loop");
  const Text pattern = folder_.Text() + u"\\loop\\*.dat";
  try {
    platform::Dir(pattern);
    FAIL() << "no error";
  } catch (const platform::RuntimeError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("Cannot list \"" + (folder_ / "loop/*.dat").string() + "\""),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("Too many levels of symbolic links"), std::string::npos) << message;
  }
}

TEST_F(ListingTest, APathWithANulCharacterIsRefused) {
  Text pattern = folder_.Text("a.dat");
  pattern.push_back(u'\0');
  pattern += u"x";
  EXPECT_THROW(platform::Dir(pattern), platform::RuntimeError);
}

}  // namespace
