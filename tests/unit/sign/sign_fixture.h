// A fixture for driving Form1 without a display: a scripted message loop, a private program
// folder in a fresh temporary directory (so setting.dat never lands beside the test program), a
// fixed clock and the C locale.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "sign/form1.h"
#include "tests/unit/sign/scripted_app.h"

namespace sign::testing {

class SignFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A Form1 whose Form_Load has run.
  Form1& LoadedForm();

  std::filesystem::path SettingPath() const { return folder_ / "setting.dat"; }
  void WriteSettingFile(const std::string& bytes) const;
  std::string ReadSettingFile() const;

  ScriptedApp app;

 private:
  std::filesystem::path folder_;
  std::unique_ptr<Form1> form_;
};

}  // namespace sign::testing
