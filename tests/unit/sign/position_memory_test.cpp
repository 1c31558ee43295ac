#include <gtest/gtest.h>

#include <filesystem>

#include "platform/app/app.h"
#include "sign/form1.h"
#include "tests/unit/sign/sign_fixture.h"

namespace sign {
namespace {

using PositionMemoryTest = testing::SignFixture;
using testing::Ended;

constexpr float kCreatedLeft = 6495;
constexpr float kCreatedTop = 3975;

// Double-clicks the form and returns the status the program ended with.
int DoubleClick(Form1& form) {
  try {
    form.Form_DblClick();
  } catch (const Ended& ended) {
    return ended.status;
  }
  ADD_FAILURE() << "the double-click did not end the program";
  return -1;
}

TEST_F(PositionMemoryTest, WithoutAFileTheSignStartsWhereItWasCreatedSilently) {
  Form1& form = LoadedForm();
  EXPECT_EQ(form.Left(), kCreatedLeft);
  EXPECT_EQ(form.Top(), kCreatedTop);
  EXPECT_TRUE(app.boxes.empty());
}

TEST_F(PositionMemoryTest, ADoubleClickSavesThePositionAndEndsTheProgram) {
  Form1& form = LoadedForm();
  EXPECT_EQ(DoubleClick(form), 0);
  EXPECT_EQ(ReadSettingFile(), "6495\r\n3975\r\n");
}

TEST_F(PositionMemoryTest, ADraggedPositionIsSavedAndRestoredAtTheNextStart) {
  Form1& form = LoadedForm();
  form.Form_MouseDown(platform::kLeftButton, 0, 1000, 1000);
  form.Form_MouseMove(platform::kLeftButton, 0, 1000 - 5295, 1000 - 3675);
  form.Form_MouseUp(platform::kLeftButton, 0, 0, 0);
  EXPECT_EQ(DoubleClick(form), 0);
  EXPECT_EQ(ReadSettingFile(), "1200\r\n300\r\n");

  Form1& next = LoadedForm();
  EXPECT_EQ(next.Left(), 1200);
  EXPECT_EQ(next.Top(), 300);
}

TEST_F(PositionMemoryTest, SavedValuesAreRoundedHalvesToEven) {
  struct Case {
    float left;
    float top;
    const char* bytes;
  };
  const Case cases[] = {
      {-450, 0, "-450\r\n0\r\n"},
      {100.5F, 101.5F, "100\r\n102\r\n"},
      {-0.5F, -1.5F, "0\r\n-2\r\n"},
  };
  for (const Case& c : cases) {
    Form1& form = LoadedForm();
    form.SetLeft(c.left);
    form.SetTop(c.top);
    DoubleClick(form);
    EXPECT_EQ(ReadSettingFile(), c.bytes) << c.left << ", " << c.top;
  }
}

TEST_F(PositionMemoryTest, TheRestoreReadsTheFirstTwoLinesAsNumbers) {
  struct Case {
    const char* bytes;
    float left;
    float top;
  };
  const Case cases[] = {
      {"1200\r\n300\r\n", 1200, 300},
      {"-450\r\n-300\r\n", -450, -300},
      {"100.5\r\n101.5\r\n", 100, 102},
      {"   250\r\n250px\r\n", 250, 250},
      {"abc\r\nabc\r\n", 0, 0},
      {"10\r\n20\r\n30\r\n", 10, 20},
      {"10\r20", 10, 20},
      // Too few lines, or a value that does not fit 32 bits: the created position.
      {"", kCreatedLeft, kCreatedTop},
      {"\r\n", kCreatedLeft, kCreatedTop},
      {"1200\r\n", kCreatedLeft, kCreatedTop},
      {"99999999999\r\n300\r\n", kCreatedLeft, kCreatedTop},
      {"1200\r\n-99999999999\r\n", kCreatedLeft, kCreatedTop},
      {"2147483647.5\r\n0\r\n", kCreatedLeft, kCreatedTop},
  };
  for (const Case& c : cases) {
    WriteSettingFile(c.bytes);
    Form1& form = LoadedForm();
    EXPECT_EQ(form.Left(), c.left) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(form.Top(), c.top) << ::testing::PrintToString(c.bytes);
    EXPECT_TRUE(app.boxes.empty());
  }
}

TEST_F(PositionMemoryTest, AThirdLineIsGoneAfterTheNextSave) {
  WriteSettingFile("10\r\n20\r\nold third line\r\n");
  Form1& form = LoadedForm();
  DoubleClick(form);
  EXPECT_EQ(ReadSettingFile(), "10\r\n20\r\n");
}

// A sign with no pixel on any screen could neither be seen nor closed, so it comes up where it
// was created; a sign partly on a screen stays where it was saved.
TEST_F(PositionMemoryTest, APositionOnNoScreenFallsBackToTheCreatedOne) {
  app.screens = {{0, 0, 1280 * 15, 1024 * 15}, {1280 * 15, 0, 800 * 15, 600 * 15}};
  struct Case {
    const char* bytes;
    float left;
    float top;
  };
  const Case cases[] = {
      {"-4000\r\n-4000\r\n", -4000, -4000},              // a corner of 260 twips shows
      {"25000\r\n8000\r\n", 25000, 8000},                // on the second screen
      {"-4260\r\n0\r\n", kCreatedLeft, kCreatedTop},     // touches the left edge only
      {"0\r\n15360\r\n", kCreatedLeft, kCreatedTop},     // just below the first screen
      {"25000\r\n9000\r\n", kCreatedLeft, kCreatedTop},  // below the smaller screen
      {"90000\r\n90000\r\n", kCreatedLeft, kCreatedTop},
  };
  for (const Case& c : cases) {
    WriteSettingFile(c.bytes);
    Form1& form = LoadedForm();
    EXPECT_EQ(form.Left(), c.left) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(form.Top(), c.top) << ::testing::PrintToString(c.bytes);
  }
}

TEST_F(PositionMemoryTest, ASaveThatCannotWriteIsARuntimeErrorNamingTheFile) {
  Form1& form = LoadedForm();
  std::filesystem::remove_all(SettingPath().parent_path());
  try {
    form.Form_DblClick();
    FAIL() << "the save should have failed";
  } catch (const platform::RuntimeError& error) {
    EXPECT_NE(std::string(error.what()).find(SettingPath().string()), std::string::npos)
        << error.what();
    EXPECT_NE(std::string(error.what()).find("No such file or directory"), std::string::npos)
        << error.what();
  } catch (const Ended&) {
    FAIL() << "the program ended as if the save had worked";
  }
}

}  // namespace
}  // namespace sign
