#include <gtest/gtest.h>

#include <filesystem>

#include "common/byte_io.h"
#include "forge/sound/sound_bank.h"
#include "support/headless_fixture.h"

namespace torvel::forge {
namespace {

namespace fs = std::filesystem;

// A copy of content/music with one change made, so the list can be checked.
std::string MusicWith(const std::string& name, const std::string& drop,
                      const std::string& extraName, const std::string& extraText) {
  std::string dir = testing::MakeTempDir(name);
  for (const auto& entry :
       fs::directory_iterator(std::string(TORVEL_SOURCE_DIR) + "/content/music")) {
    if (entry.path().filename() == drop) continue;
    fs::copy_file(entry.path(), fs::path(dir) / entry.path().filename());
  }
  if (!extraName.empty()) {
    EXPECT_TRUE(WriteFileBytes(dir + "/" + extraName, extraText.data(), extraText.size()));
  }
  return dir;
}

const char kTinyCue[] = "tempo 120\nonce\nvoice b bell\npart A\nb | c6 |\nplay A\n";

TEST(SoundList, TheShippedContentListsEverySoundOnce) {
  std::vector<SoundJob> jobs;
  std::string error;
  ASSERT_TRUE(ListSounds(std::string(TORVEL_SOURCE_DIR) + "/content/music", jobs, error)) << error;
  ASSERT_EQ(jobs.size(), 180u);
  EXPECT_EQ(jobs.front().number, 0);
  EXPECT_EQ(jobs.back().number, 208);
}

TEST(SoundList, RefusesWhatTheGameWouldMissOrNeverPlay) {
  struct Case {
    const char* name;
    const char* drop;
    const char* extraName;
    std::string extraText;
    const char* error;
  };
  const Case cases[] = {
      {"missing", "200-danger.score", "", "", "200 is missing"},
      {"twice", "", "x.score", std::string("sound 5\n") + kTinyCue, "5 is made twice"},
      {"unplayed", "", "x.score", std::string("sound 8\n") + kTinyCue, "8 is never played"},
      {"beyond", "", "x.score", std::string("sound 230\n") + kTinyCue, "230 is never played"},
      {"broken", "", "x.score", "sound 9\ntempo fast\n", "x.score:2:"},
  };
  for (const Case& c : cases) {
    std::string dir =
        MusicWith(std::string("SoundList_") + c.name, c.drop, c.extraName, c.extraText);
    std::vector<SoundJob> jobs;
    std::string error;
    EXPECT_FALSE(ListSounds(dir, jobs, error)) << c.name;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
  }
  std::vector<SoundJob> jobs;
  std::string error;
  EXPECT_FALSE(ListSounds(testing::MakeTempDir("SoundList_nowhere") + "/absent", jobs, error));
  EXPECT_NE(error.find("absent"), std::string::npos) << error;
}

}  // namespace
}  // namespace torvel::forge
