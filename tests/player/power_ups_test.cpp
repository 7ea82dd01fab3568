// What taking each power-up sounds like and shows: its sound (plain, or the
// coins' chink at the item), its message on the small or the big line, the
// movie it plays and the map event it posts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gfx/movie_fixture.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "support/scenario.h"
#include "support/sound_probe.h"
#include "world/prepare.h"

namespace torvel::testing {
namespace {

// The movies of the game folder, each a different number of frames long, so
// that the frames shown tell which one played.
struct MovieFile {
  const char* name;
  int number;  // as PlayNumberedMovie knows it
  int frames;
};
constexpr MovieFile kMovies[] = {{"ch1.flc", 0, 3},
                                 {"ch2.flc", 1, 4},
                                 {"ch3.flc", 2, 5},
                                 {"ch4.flc", 3, 6},
                                 {"sword.flc", 10, 7}};

class PowerUpTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    // A game folder of the test's own: the forged pictures and sounds, and
    // movies told apart by their length.
    namespace fs = std::filesystem;
    fs::path own = fs::path(dir()) / "game";
    fs::create_directories(own / "graphics");
    for (const auto& e : fs::directory_iterator(fs::path(TORVEL_GAME_DIR) / "graphics")) {
      fs::create_symlink(e.path(), own / "graphics" / e.path().filename());
    }
    fs::create_directory_symlink(fs::path(TORVEL_GAME_DIR) / "sound", own / "sound");
    for (const MovieFile& m : kMovies) {
      std::vector<uint8_t> pixels(4 * 3, 7);
      std::vector<MovieFrame> frames(m.frames, MovieFrame{{ByteRunImage(4, 3, pixels)}});
      fs::path path = own / "graphics" / m.name;
      fs::remove(path);
      ASSERT_TRUE(WriteFileBytes(path.string(), BuildMovie(4, 3, frames)));
    }
    SetGameDir(own.string());
    PostMapEvent(kEventNone);
  }
  void TearDown() override {
    PostMapEvent(kEventNone);
    Scenario::TearDown();
  }
  // The movie whose frames were shown since `before` presents, -1 none: a
  // movie shows a black frame, its own frames and a black frame.
  int MoviePlayed(uint64_t before) {
    uint64_t shown = platform().frameCount() - before;
    if (shown == 0) return -1;
    for (const MovieFile& m : kMovies) {
      if (shown == static_cast<uint64_t>(m.frames) + 2) return m.number;
    }
    return -2;
  }
};

TEST_F(PowerUpTest, EachPowerUpSoundsShowsPlaysAndPostsItsOwn) {
  constexpr int kItemX = 300, kItemY = 200;
  enum Line { kNone, kSmall, kBig };
  struct Case {
    const char* what;
    uint8_t kind;
    void (*prepare)(PlayerRecord& p);
    bool stays;
    std::vector<int> plain;  // plain sounds, in order
    int chinks;              // coin sounds at the item
    Line line;
    const char* text;
    int32_t steps;
    int movie;  // -1 none
    uint8_t event, parameter;
  } cases[] = {
      {"shot power", 1, nullptr, false, {78}, 0, kSmall, "COEPA ZHEPFNN!", 75, -1, 0, 0},
      {"shot rate", 2, nullptr, false, {79}, 0, kSmall, "CK0P0CTb!", 75, -1, 0, 0},
      {"backward volley", 3, nullptr, false, {79}, 0, kSmall, "0SPA&EHNE!", 75, -1, 0, 0},
      {"bouncing shots", 4, nullptr, false, {79}, 0, kSmall, "0TPAGEHNE!", 75, -1, 0, 0},
      {"a scroll of a new spell", 5, nullptr, false, {82}, 0, kBig, "LVAMR DPAK0HA", 75, -1, 0, 0},
      {"a scroll of a spell learned",
       5,
       [](PlayerRecord& p) { p.spells[1] = 1; },
       false,
       {82},
       0,
       kBig,
       "PA3GNGEHNE",
       75,
       -1,
       0,
       0},
      {"healing", 6, nullptr, false, {88}, 0, kSmall, "3EVbE GN3HN!", 75, -1, 0, 0},
      {"mana", 7, nullptr, false, {83}, 0, kSmall, "3EVbE L0L0VHEHNR MAHbI!", 75, -1, 0, 0},
      {"ten coins", 8, nullptr, false, {}, 2, kNone, "", 0, -1, 0, 0},
      {"a coin", 9, nullptr, false, {}, 1, kNone, "", 0, -1, 0, 0},
      {"not taken", 10, nullptr, true, {}, 0, kNone, "", 0, -1, 0, 0},
      {"a collectible", 11, nullptr, false, {85}, 0, kNone, "", 0, -1, 0, 0},
      {"the last collectible",
       11,
       [](PlayerRecord& p) { p.collected = 2; },
       false,
       {85, 19},
       0,
       kNone,
       "",
       0,
       -1,
       0,
       0},
      {"an armour piece",
       13,
       nullptr,
       false,
       {87},
       0,
       kSmall,
       "4ACTb ME4A APMAFEDD0HA!",
       75,
       -1,
       0,
       0},
      // The sword movie brings its own sound.
      {"the last armour piece",
       13,
       [](PlayerRecord& p) { p.armourPieces[0] = p.armourPieces[2] = p.armourPieces[3] = 1; },
       false,
       {87, 194},
       0,
       kBig,
       "ME4 3ABEPUEH!",
       30,
       10,
       0,
       0},
      {"a key", 16, nullptr, false, {86}, 0, kNone, "", 0, -1, 0, 0},
      {"a fourth key",
       16,
       [](PlayerRecord& p) { p.keys = 3; },
       true,
       {},
       0,
       kNone,
       "",
       0,
       -1,
       0,
       0},
      {"a coloured key", 19, nullptr, false, {86}, 0, kNone, "", 0, -1, 0, 0},
      {"the relic", 20, nullptr, false, {88}, 0, kNone, "", 0, 0, kEventMapCompleted, 1},
      {"the relic of the castle",
       20,
       [](PlayerRecord& p) { p.worldNumber = 2; },
       false,
       {88},
       0,
       kNone,
       "",
       0,
       2,
       kEventMapCompleted,
       1},
      {"nothing there", 21, nullptr, true, {}, 0, kNone, "", 0, -1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetPlayer(kResetNewGame, 0, 2);
    ResetPlayer(kResetMapStart, 0, 2);
    PlayerRecord& p = Player();
    SetCollectibleTotal(3);
    if (c.prepare) c.prepare(p);
    ResetMessages();
    PostMapEvent(kEventNone);
    SetCamera(ToFixed(320), ToFixed(240));
    ForgetSounds();
    const uint64_t frames = platform().frameCount();
    EXPECT_EQ(PickUpPowerUp(c.kind, ToFixed(kItemX), ToFixed(kItemY)), c.stays);

    int chinks = 0;
    std::vector<int> plain;
    for (const HeardSound& s : HeardSounds()) {
      if (s.number == 156) {
        EXPECT_TRUE(s.At(kItemX, kItemY, 500)) << s;
        ++chinks;
        continue;
      }
      EXPECT_TRUE(s.Plain()) << s;
      plain.push_back(s.number);
    }
    EXPECT_EQ(plain, c.plain);
    EXPECT_EQ(chinks, c.chinks);

    EXPECT_STREQ(SmallMessageText(), c.line == kSmall ? c.text : "");
    EXPECT_STREQ(BigMessageText(), c.line == kBig ? c.text : "");
    if (c.line == kSmall) {
      EXPECT_EQ(SmallMessagePlace().time, c.steps);
    }
    if (c.line == kBig) {
      EXPECT_EQ(BigMessagePlace().time, c.steps);
    }

    EXPECT_EQ(MoviePlayed(frames), c.movie);
    EXPECT_EQ(GetPlayLoopView().pendingEvent, c.event);
    EXPECT_EQ(GetPlayLoopView().eventParameter, c.parameter);
  }
}

}  // namespace
}  // namespace torvel::testing
