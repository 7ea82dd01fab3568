// A headless display for tests: installs the headless backend, points the
// game folder at a fresh temporary folder and creates the one Display.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "gfx/display.h"
#include "platform/headless/headless_platform.h"
#include "platform/paths.h"
#include "platform/random.h"

namespace torvel::testing {

// A fresh, empty folder under the build tree for one test.
inline std::string MakeTempDir(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(TORVEL_TEST_TMP) / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

inline std::string TestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return name;
}

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRandom();
    dir_ = MakeTempDir(TestName());
    SetGameDir(dir_);
    SetUserDir(dir_);
    platform_ = std::make_unique<HeadlessPlatform>();
    InstallPlatform(platform_.get());
    display_ = std::make_unique<Display>("TORVEL", 640, 480, 8, true);
  }
  void TearDown() override {
    display_.reset();
    InstallPlatform(nullptr);
    platform_.reset();
  }

  // The folder that stands for the game folder (and the user folder).
  const std::string& dir() const { return dir_; }
  HeadlessPlatform& platform() { return *platform_; }
  Display& display() { return *display_; }
  uint8_t Pixel(int x, int y) const { return display_->screen[y * display_->pitch + x]; }

 private:
  std::string dir_;
  std::unique_ptr<HeadlessPlatform> platform_;
  std::unique_ptr<Display> display_;
};

}  // namespace torvel::testing
