// The music around the numbered movies: songs started before a chapter, the
// sword scene's own sound between a stopped and a resumed song, and the
// intro's music cut short when the intro is skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "common/byte_io.h"
#include "gfx/bmp.h"
#include "gfx/font.h"
#include "gfx/movie.h"
#include "gfx/movie_fixture.h"
#include "player/player_record.h"
#include "support/headless_fixture.h"
#include "support/wav_builder.h"

namespace torvel {
namespace {

void SetMusic(uint8_t setting) {
  Player().musicVolume = setting;
}

using testing::BuildMovie;
using testing::ByteRunImage;
using testing::HeadlessTest;
using testing::MovieFrame;

// What was heard while the movie's frames were shown (the first present of a
// numbered movie is the black screen before it).
struct Heard {
  int song = -1;    // the song channel's sound, when its voice plays
  int effect = -1;  // the sound on effect channel 1, when its voice plays
};
std::vector<Heard> gHeard;

bool VoicePlays(HeadlessPlatform& p, int channel) {
  int32_t voice = SlotVoice(GetSoundChannel(channel).slot);
  return voice != 0 && p.Sound()->IsPlaying(voice);
}

void NoteWhatIsHeard(HeadlessPlatform& p) {
  Heard h;
  if (VoicePlays(p, 0)) h.song = GetSoundChannel(0).sound;
  if (VoicePlays(p, 1)) h.effect = GetSoundChannel(1).sound;
  gHeard.push_back(h);
}

class MovieMusicTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    InitGraphics(&display());
    SetMusic(2);
    std::filesystem::create_directories(dir() + "/graphics");
    std::filesystem::create_directories(dir() + "/sound");
    BmpImage pal;
    pal.width = 4;
    pal.height = 4;
    pal.pixels.assign(16, 0);
    ASSERT_TRUE(WriteFileBytes(dir() + "/graphics/pal.bmp", EncodeBmp8(pal)));
    std::vector<MovieFrame> frames(5, MovieFrame{{ByteRunImage(2, 2, {1, 2, 3, 4})}});
    for (const char* name : {"ch1.flc", "ch3.flc", "sword.flc", "intro.flc"})
      ASSERT_TRUE(WriteFileBytes(dir() + "/graphics/" + name, BuildMovie(2, 2, frames)));
    // Effects and songs far longer than the five frames of a movie.
    for (int n : {194, 200, 202, 205, 208}) {
      char name[32];
      std::snprintf(name, sizeof(name), "/sound/snd%03d.wav", n);
      ASSERT_TRUE(WriteFileBytes(dir() + name, testing::MakeWavOfLength(5000)));
    }
    gHeard.clear();
    platform().onPresent = NoteWhatIsHeard;
  }
  void TearDown() override {
    ExitGraphics();
    HeadlessTest::TearDown();
  }
};

TEST_F(MovieMusicTest, ChaptersStartTheirSongBeforeTheFirstFrame) {
  struct Case {
    int movie;
    int song;
  } cases[] = {{0, 202}, {2, 208}};
  for (const Case& c : cases) {
    gHeard.clear();
    PlayNumberedMovie(c.movie);
    ASSERT_GE(gHeard.size(), 6u);
    for (size_t i = 1; i < 6; ++i) EXPECT_EQ(gHeard[i].song, c.song) << c.movie << " frame " << i;
    EXPECT_EQ(CurrentSong(), c.song);
  }
}

TEST_F(MovieMusicTest, TheSwordSceneSilencesTheSongForItsOwnSound) {
  PlaySong(200);
  PlayNumberedMovie(10);
  ASSERT_GE(gHeard.size(), 6u);
  for (size_t i = 1; i < 6; ++i) {
    EXPECT_EQ(gHeard[i].song, -1) << i;
    EXPECT_EQ(gHeard[i].effect, 194) << i;
  }
  // Afterwards the song the scene interrupted plays again.
  EXPECT_EQ(CurrentSong(), 200);
  EXPECT_TRUE(VoicePlays(platform(), 0));
}

TEST_F(MovieMusicTest, TheIntroMusicPlaysOnUnlessTheIntroIsSkipped) {
  PlaySong(200);
  PlayNumberedMovie(11);
  for (size_t i = 1; i < 6; ++i) {
    EXPECT_EQ(gHeard[i].song, -1) << i;
    EXPECT_EQ(gHeard[i].effect, 205) << i;
  }
  EXPECT_EQ(CurrentSong(), 0);
  EXPECT_TRUE(VoicePlays(platform(), 1));  // the music outlasts the pictures

  StopAllSounds();
  platform().AtFrame(platform().frameCount() + 2, {HeadlessPlatform::EventType::Character, 27});
  PlayNumberedMovie(11);
  EXPECT_FALSE(VoicePlays(platform(), 1));
  EXPECT_EQ(GetSoundChannel(1).sound, 205);
}

}  // namespace
}  // namespace torvel
