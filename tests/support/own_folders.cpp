// Every test starts with folders of its own: the forged game folder to read
// and a fresh, empty user folder, so that no test reads or writes what a
// played game, or another test, left behind. Fixtures that need other
// folders set them in their SetUp, which runs after this.
#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"
#include "support/headless_fixture.h"

namespace torvel::testing {
namespace {

class OwnFolders : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    SetGameDir(TORVEL_GAME_DIR);
    SetUserDir(MakeTempDir("user-folders/" + TestName()));
  }
};

// Registered before main runs the tests; gtest owns the listener from here.
[[maybe_unused]] const bool kRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new OwnFolders);
  return true;
}();

}  // namespace
}  // namespace torvel::testing
