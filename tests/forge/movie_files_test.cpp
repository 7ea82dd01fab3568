// The movies the forge wrote into the game folder: each plays to its end
// through the game's own player, ffmpeg shows exactly the frames the game
// shows, and each is as long as the music it plays under.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>

#include "audio/wav.h"
#include "common/byte_io.h"
#include "forge/movie/movie_list.h"
#include "gfx/movie.h"
#include "platform/paths.h"
#include "support/headless_fixture.h"

namespace torvel::forge {
namespace {

std::string GamePath(const std::string& systemName) {
  std::string path = std::string(TORVEL_GAME_DIR) + "/";
  for (char c : systemName) path += c == '\\' ? '/' : c;
  return path;
}

double SoundSeconds(int n) {
  char name[32];
  std::snprintf(name, sizeof name, "sound/snd%03d.wav", n);
  WavSound sound;
  if (!LoadWav(std::string(TORVEL_GAME_DIR) + "/" + name, sound)) return -1;
  return static_cast<double>(sound.data.size()) / sound.format.blockAlign /
         sound.format.samplesPerSec;
}

class ForgedMovies : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);
  }
};

TEST_F(ForgedMovies, EachPlaysToItsEndThroughTheGamesPlayer) {
  for (const MovieSpec& m : GameMovies()) {
    SCOPED_TRACE(m.file);
    MovieDecoder header;
    ASSERT_TRUE(header.OpenFile(GamePath(m.file), true));
    EXPECT_LE(header.Width(), 320);
    EXPECT_LE(header.Height(), 240);
    EXPECT_EQ(header.Width() % 2, 0);
    const double seconds = header.Frames() * m.frameMs / 1000.0;
    EXPECT_GE(seconds, 8.0);
    EXPECT_LE(seconds, 20.0);
    uint64_t before = platform().frameCount();
    EXPECT_FALSE(PlayMovie(m.file, false, m.frameMs, &display()));  // not stopped by Escape
    EXPECT_EQ(platform().frameCount() - before, header.Frames());
  }
}

TEST_F(ForgedMovies, TheIntroAndTheSwordLastAsLongAsTheirMusic) {
  struct Case {
    const char* file;
    int sound;
  };
  for (Case c : {Case{"graphics\\intro.flc", 205}, Case{"graphics\\sword.flc", 194}}) {
    MovieDecoder movie;
    ASSERT_TRUE(movie.OpenFile(GamePath(c.file), true));
    double music = SoundSeconds(c.sound);
    ASSERT_GT(music, 0) << c.sound;
    EXPECT_NEAR(movie.Frames() * 0.06, music, 0.1) << c.file;
  }
}

// Frames as the game shows them: each movie pixel is a 2 x 2 block on the
// screen, coloured by the palette the movie set.
TEST_F(ForgedMovies, FfmpegShowsTheFramesTheGameShows) {
  for (const MovieSpec& m : GameMovies()) {
    SCOPED_TRACE(m.file);
    MovieDecoder movie;
    ASSERT_TRUE(movie.OpenFile(GamePath(m.file), true));
    const int w = movie.Width(), h = movie.Height();
    const std::string command = "ffmpeg -v error -nostdin -i '" + GamePath(m.file) +
                                "' -f rawvideo -pix_fmt rgb24 -fps_mode passthrough - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr) << "cannot run ffmpeg (scripts/setup installs it)";
    std::vector<uint8_t> theirs(static_cast<size_t>(w) * h * 3);
    int frames = 0, differing = 0;
    while (fread(theirs.data(), 1, theirs.size(), pipe) == theirs.size()) {
      if (frames >= movie.Frames() || !movie.DecodeFrame(&display())) {
        ++frames;
        continue;
      }
      // Each movie pixel is the top-left of its 2 x 2 block on the screen.
      bool same = true;
      const uint8_t* palette = display().palette;
      for (int y = 0; y < h && same; ++y) {
        const uint8_t* row = display().screen + static_cast<size_t>(2 * y) * display().pitch;
        const uint8_t* them = theirs.data() + static_cast<size_t>(y) * w * 3;
        for (int x = 0; x < w; ++x) {
          const uint8_t* c = palette + row[2 * x] * 4;
          if (c[2] != them[3 * x] || c[1] != them[3 * x + 1] || c[0] != them[3 * x + 2]) {
            same = false;
            break;
          }
        }
      }
      differing += !same;
      ++frames;
    }
    EXPECT_EQ(pclose(pipe), 0) << "ffmpeg failed";
    EXPECT_EQ(frames, movie.Frames());
    EXPECT_EQ(differing, 0);
  }
}

// Checks of the pictures that need no eyes: each movie opens from black and
// goes back to black, and every frame that is not a dip to black moves on
// from the one before and shows a full picture (not a few flat colours).
TEST_F(ForgedMovies, OpenAndCloseInBlackAndMoveInBetween) {
  for (const MovieSpec& m : GameMovies()) {
    SCOPED_TRACE(m.file);
    MovieDecoder movie;
    ASSERT_TRUE(movie.OpenFile(GamePath(m.file), true));
    const int w = movie.Width(), h = movie.Height();
    std::vector<uint8_t> previous;
    int still = 0, poor = 0;
    double firstLight = 0, lastLight = 0;
    for (int i = 0; i < movie.Frames(); ++i) {
      ASSERT_TRUE(movie.DecodeFrame(&display()));
      // The frame as palette values followed by the palette.
      std::vector<uint8_t> frame(static_cast<size_t>(w) * h);
      int count[256] = {};
      for (int y = 0; y < h; ++y) {
        const uint8_t* row = display().screen + static_cast<size_t>(2 * y) * display().pitch;
        uint8_t* out = frame.data() + static_cast<size_t>(y) * w;
        for (int x = 0; x < w; ++x) ++count[out[x] = row[2 * x]];
      }
      frame.insert(frame.end(), display().palette, display().palette + 1024);
      double light = 0;
      int colours = 0;
      for (int v = 0; v < 256; ++v) {
        const uint8_t* c = display().palette + v * 4;
        light += count[v] * (c[0] + c[1] + c[2]) / 3.0;
        colours += count[v] > 0;
      }
      light /= w * h;
      if (i == 0) firstLight = light;
      lastLight = light;
      bool dark = light < 4.0;
      still += !dark && frame == previous;
      poor += !dark && colours < 6;
      previous = std::move(frame);
    }
    EXPECT_LT(firstLight, 2.0);
    EXPECT_LT(lastLight, 12.0);
    EXPECT_LE(still, movie.Frames() / 20) << "frames that repeat the one before";
    EXPECT_EQ(poor, 0) << "frames of only a few flat colours";
  }
}

// The movie made again in this test binary is the very file the forge wrote.
TEST(ForgedMovie, MakingOneAgainGivesTheSameBytes) {
  ForgeOptions options;
  options.outDir = TORVEL_GAME_DIR;
  MovieCast cast;
  std::string error;
  ASSERT_TRUE(cast.Load(options, error)) << error;
  const size_t forest = 2;  // the quickest to make
  std::vector<uint8_t> forged;
  ASSERT_TRUE(ReadFileBytes(GamePath(GameMovies()[forest].file), forged));
  EXPECT_TRUE(MakeMovie(forest, cast, "") == forged);
}

}  // namespace
}  // namespace torvel::forge
