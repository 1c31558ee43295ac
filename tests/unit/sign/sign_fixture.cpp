#include "tests/unit/sign/sign_fixture.h"

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/clock/clock.h"
#include "platform/files/files.h"

namespace sign::testing {

void SignFixture::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-sign-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  platform::SetProgramFolderForTesting(platform::FromUtf8(folder_.string()));
  std::setlocale(LC_ALL, "C");
  setenv("TZ", "UTC", 1);
  tzset();
  platform::SetClockSource([] { return std::time_t{1796979907}; });  // Fri 2026-12-11 09:05:07
}

void SignFixture::TearDown() {
  form_.reset();
  platform::SetClockSource({});
  platform::SetProgramFolderForTesting({});
  std::error_code ignored;
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(folder_, ignored);
}

Form1& SignFixture::LoadedForm() {
  form_ = std::make_unique<Form1>();
  form_->Form_Load();
  return *form_;
}

void SignFixture::WriteSettingFile(const std::string& bytes) const {
  std::ofstream(SettingPath(), std::ios::binary) << bytes;
}

std::string SignFixture::ReadSettingFile() const {
  std::ifstream in(SettingPath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace sign::testing
