#include "gfx/movie.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "gfx/bmp.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/movie_fixture.h"
#include "shell/play_loop.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::BuildMovie;
using testing::ByteRunImage;
using testing::Colours;
using testing::HeadlessTest;
using testing::MovieFrame;
using testing::SubChunk;

constexpr int kW = 4;
constexpr int kH = 3;
constexpr uint8_t kOutside = 0xEE;

// The base picture every chunk case starts from: 10 * y + x + 1.
std::vector<uint8_t> BasePixels() {
  std::vector<uint8_t> p(kW * kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) p[y * kW + x] = static_cast<uint8_t>(10 * y + x + 1);
  return p;
}

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

class MovieTest : public HeadlessTest {
 protected:
  void Fill(uint8_t v) { std::memset(display().screen, v, 640 * 480); }
  // The movie picture as the screen shows it, checking that every movie pixel
  // is a full 2x2 block and that nothing beyond the doubled frame changed.
  std::vector<uint8_t> Shown(int w, int h, bool checkOutside = true) {
    std::vector<uint8_t> out(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint8_t v = Pixel(2 * x, 2 * y);
        EXPECT_EQ(Pixel(2 * x + 1, 2 * y), v);
        EXPECT_EQ(Pixel(2 * x, 2 * y + 1), v);
        EXPECT_EQ(Pixel(2 * x + 1, 2 * y + 1), v);
        out[y * w + x] = v;
      }
    }
    if (checkOutside) ExpectOutsideUntouched(w, h);
    return out;
  }
  void ExpectOutsideUntouched(int w, int h) {
    int changed = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if ((x >= 2 * w || y >= 2 * h) && Pixel(x, y) != kOutside) ++changed;
    EXPECT_EQ(changed, 0) << "pixels written outside the movie frame";
  }
  void WriteGameFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(dir() + "/graphics");
    ASSERT_TRUE(WriteFileBytes(dir() + "/graphics/" + name, bytes));
  }
};

// Each case decodes one frame of one chunk type over the base picture.
struct ChunkCase {
  const char* what;
  SubChunk chunk;
  std::vector<uint8_t> want;  // the picture afterwards
};

TEST_F(MovieTest, EveryPixelChunkType) {
  const std::vector<ChunkCase> cases = {
      {"byte run: repeats and copies",
       SubChunk{15, Bytes({2, 3, 7, 0xFF, 9, /**/ 1, 4, 5, /**/ 2, 0xFE, 1, 2, 2, 8})},
       Bytes({7, 7, 7, 9, 5, 5, 5, 5, 1, 2, 8, 8})},
      {"byte run: the packet count is used, not the width",
       SubChunk{15, Bytes({1, 2, 7, /**/ 0, /**/ 1, 0xFC, 30, 31, 32, 33})},
       Bytes({7, 7, 3, 4, 11, 12, 13, 14, 30, 31, 32, 33})},
      {"word delta: skipped lines, ignored words, copies and repeated pairs",
       SubChunk{7, Bytes({2,
                          0,
                          /*skip 1 line*/ 0xFF,
                          0xFF,
                          /*ignored*/ 0x01,
                          0x40,
                          0x05,
                          0x80,
                          /*2 packets*/ 2,
                          0,
                          0,
                          1,
                          50,
                          51,
                          0,
                          0xFF,
                          60,
                          61,
                          /*next line: 2 packets*/ 2,
                          0,
                          2,
                          0,
                          0,
                          1,
                          70,
                          71})},
       Bytes({1, 2, 3, 4, 50, 51, 60, 61, 21, 22, 70, 71})},
      {"word delta: a line starting with -2 skips two lines",
       SubChunk{7, Bytes({1, 0, 0xFE, 0xFF, 1, 0, 0, 0xFE, 80, 81})},
       Bytes({1, 2, 3, 4, 11, 12, 13, 14, 80, 81, 80, 81})},
      {"byte delta: first line, copies and repeats",
       SubChunk{12, Bytes({1, 0, 2, 0, /*line 1*/ 2, 1, 2, 90, 91, 0, 0xFF, 92, /*line 2*/ 0})},
       Bytes({1, 2, 3, 4, 11, 90, 91, 92, 21, 22, 23, 24})},
      {"uncompressed, whatever its size field says",
       SubChunk{16, Bytes({40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51}), 6},
       Bytes({40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51})},
      {"unknown chunks are skipped", SubChunk{18, Bytes({1, 2, 3, 4, 5})}, BasePixels()},
  };
  for (const ChunkCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> file = BuildMovie(
        kW, kH, {MovieFrame{{ByteRunImage(kW, kH, BasePixels())}}, MovieFrame{{c.chunk}}});
    MovieDecoder movie;
    ASSERT_TRUE(movie.OpenBytes(file.data(), file.size(), true));
    Fill(kOutside);
    ASSERT_TRUE(movie.DecodeFrame(&display()));
    EXPECT_EQ(Shown(kW, kH), BasePixels());
    ASSERT_TRUE(movie.DecodeFrame(&display()));
    EXPECT_EQ(Shown(kW, kH), c.want);
  }
}

TEST_F(MovieTest, BlackClearsTheScreen) {
  std::vector<uint8_t> file = BuildMovie(kW, kH, {MovieFrame{{SubChunk{13, {}}}}});
  MovieDecoder movie;
  ASSERT_TRUE(movie.OpenBytes(file.data(), file.size(), true));
  Fill(kOutside);
  ASSERT_TRUE(movie.DecodeFrame(&display()));
  EXPECT_EQ(Pixel(0, 0), 0);
  EXPECT_EQ(Pixel(639, 479), 0);
}

TEST_F(MovieTest, FrameType00A1IsSkippedWhole) {
  // A frame of that type whose would-be sub-chunks would paint the picture.
  MovieFrame skipped{{SubChunk{16, std::vector<uint8_t>(kW * kH, 99)}}, 0x00A1};
  skipped.sizeField = 6 + kW * kH;  // the bytes after its header
  std::vector<uint8_t> file =
      BuildMovie(kW, kH, {skipped, MovieFrame{{ByteRunImage(kW, kH, BasePixels())}}});
  MovieDecoder movie;
  ASSERT_TRUE(movie.OpenBytes(file.data(), file.size(), true));
  Fill(kOutside);
  ASSERT_TRUE(movie.DecodeFrame(&display()));
  EXPECT_EQ(Pixel(0, 0), kOutside);
  ASSERT_TRUE(movie.DecodeFrame(&display()));
  EXPECT_EQ(Shown(kW, kH), BasePixels());
}

TEST_F(MovieTest, PaletteChunks) {
  struct Case {
    const char* what;
    SubChunk chunk;
    std::vector<std::pair<int, std::array<uint8_t, 3>>> want;  // index, red green blue
  };
  std::vector<uint8_t> all = {1, 0, 0, 0};  // one packet of 256 entries
  for (int i = 0; i < 256; ++i) {
    all.push_back(static_cast<uint8_t>(i));
    all.push_back(static_cast<uint8_t>(255 - i));
    all.push_back(7);
  }
  const std::vector<Case> cases = {
      {"256 levels",
       Colours(5, {10, 20, 30, 40, 50, 60}),
       {{5, {10, 20, 30}}, {6, {40, 50, 60}}, {4, {0, 0, 0}}}},
      {"64 levels are multiplied by 4", Colours(5, {1, 2, 63}, 11), {{5, {4, 8, 252}}}},
      {"copy count 0 sets all 256",
       SubChunk{4, all},
       {{0, {0, 255, 7}}, {255, {255, 0, 7}}, {128, {128, 127, 7}}}},
      {"skips add up and the index wraps at 256",
       SubChunk{4, Bytes({2, 0, 3, 1, 9, 9, 9, /**/ 251, 3, 1, 1, 1, 2, 2, 2, 3, 3, 3})},
       {{3, {9, 9, 9}}, {255, {1, 1, 1}}, {0, {2, 2, 2}}, {1, {3, 3, 3}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> file = BuildMovie(kW, kH, {MovieFrame{{c.chunk}}});
    MovieDecoder movie;
    ASSERT_TRUE(movie.OpenBytes(file.data(), file.size(), true));
    const int setsBefore = platform().paletteSets();
    ASSERT_TRUE(movie.DecodeFrame(&display()));
    EXPECT_GT(platform().paletteSets(), setsBefore);  // realized at once
    for (const auto& [index, rgb] : c.want) {
      EXPECT_EQ(display().palette[index * 4 + 2], rgb[0]) << index;
      EXPECT_EQ(display().palette[index * 4 + 1], rgb[1]) << index;
      EXPECT_EQ(display().palette[index * 4 + 0], rgb[2]) << index;
      EXPECT_EQ(platform().hardwarePalette()[index * 4 + 2], rgb[0]) << index;
    }
  }
}

// Faulty files: refused at the header or stopped at the faulty frame, with
// nothing written outside the frame and nothing read beyond the data.
TEST_F(MovieTest, MalformedMoviesAreRefusedOrStopped) {
  const MovieFrame base{{ByteRunImage(kW, kH, BasePixels())}};
  auto withFrame = [&](SubChunk bad) { return BuildMovie(kW, kH, {base, MovieFrame{{bad}}}); };
  std::vector<uint8_t> good = BuildMovie(kW, kH, {base, base});
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    bool opens;
  };
  std::vector<Case> cases = {
      {"empty", {}, false},
      {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 100), false},
      {"no first chunk size", std::vector<uint8_t>(good.begin(), good.begin() + 130), false},
      {"width 0", BuildMovie(0, kH, {base}), false},
      {"height 0", BuildMovie(kW, 0, {base}), false},
      {"wider than 320", BuildMovie(321, kH, {base}), false},
      {"higher than 240", BuildMovie(kW, 241, {base}), false},
      {"prefix chunk larger than the file",
       [&] {
         std::vector<uint8_t> f = good;
         f[128 + 2] = 0x7F;
         return f;
       }(),
       false},
      {"frame cut short", std::vector<uint8_t>(good.begin(), good.end() - 3), true},
      {"sub-chunk size below its header", withFrame(SubChunk{15, Bytes({1, 1, 1}), 3}), true},
      {"sub-chunk larger than the file", withFrame(SubChunk{15, Bytes({1, 1, 1}), 0x7FFFFFF0}),
       true},
      {"uncompressed frame missing its pixels",
       withFrame(SubChunk{16, Bytes({1, 2, 3}), 6 + kW * kH}), true},
      {"byte run past the width", withFrame(SubChunk{15, Bytes({1, 5, 9, 0, 0})}), true},
      {"byte run copy past the width",
       withFrame(SubChunk{15, Bytes({2, 0xFF, 9, 0xFC, 1, 2, 3, 4})}), true},
      {"byte run data ending early", withFrame(SubChunk{15, Bytes({1, 4, 9, 1, 4})}), true},
      {"word delta past the bottom",
       withFrame(SubChunk{7, Bytes({1, 0, 0xFD, 0xFF, 1, 0, 0, 0xFF, 1, 1})}), true},
      {"word delta pairs past the width",
       withFrame(SubChunk{7, Bytes({1, 0, 1, 0, 2, 0xFE, 1, 1})}), true},
      {"word delta copy past the data", withFrame(SubChunk{7, Bytes({1, 0, 1, 0, 0, 2, 1, 1})}),
       true},
      {"word delta lines past the data", withFrame(SubChunk{7, Bytes({5, 0, 1, 0, 0, 0xFF, 1, 1})}),
       true},
      {"byte delta starting below the frame",
       withFrame(SubChunk{12, Bytes({3, 0, 1, 0, 1, 0, 0xFF, 1})}), true},
      {"byte delta skip past the width", withFrame(SubChunk{12, Bytes({0, 0, 1, 0, 1, 200, 1, 5})}),
       true},
      {"palette packet cut short", withFrame(SubChunk{4, Bytes({1, 0, 0, 5, 1, 2, 3})}), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MovieDecoder movie;
    const bool opened = movie.OpenBytes(c.file.data(), c.file.size(), true);
    EXPECT_EQ(opened, c.opens);
    if (!opened) continue;
    Fill(kOutside);
    bool ok = true;
    for (int i = 0; i < 2 && ok; ++i) ok = movie.DecodeFrame(&display());
    EXPECT_FALSE(ok);
    ExpectOutsideUntouched(kW, kH);
  }
}

TEST_F(MovieTest, PlayMovieShowsTheHeadersFrameCountThenStops) {
  std::vector<MovieFrame> frames;
  for (int i = 0; i < 5; ++i)
    frames.push_back(MovieFrame{
        {ByteRunImage(kW, kH, std::vector<uint8_t>(kW * kH, static_cast<uint8_t>(i + 1)))}});
  // .flc: the prefix is skipped; .fli: the first chunk is a frame. Both play
  // exactly 4 frames when the header says 4 (the fifth is never shown).
  WriteGameFile("a.flc", BuildMovie(kW, kH, frames, true, 4));
  WriteGameFile("b.fli", BuildMovie(kW, kH, frames, false, 4));
  for (const char* name : {"graphics\\a.flc", "graphics\\b.fli"}) {
    SCOPED_TRACE(name);
    platform().keepFrames = true;
    platform().ClearKeptFrames();
    const uint32_t start = platform().Milliseconds();
    EXPECT_FALSE(PlayMovie(name, false, 60, &display()));
    const auto& kept = platform().keptFrames();
    ASSERT_EQ(kept.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(kept[i].pixels[0], i + 1);
    // Each frame waits out its 60 ms (the headless clock jumps to the deadline).
    EXPECT_EQ(platform().Milliseconds() - start, 4u * 60u);
  }
}

TEST_F(MovieTest, EscapeStopsAfterTheCurrentFrameOtherKeysDoNot) {
  std::vector<MovieFrame> frames;
  for (int i = 0; i < 10; ++i)
    frames.push_back(MovieFrame{
        {ByteRunImage(kW, kH, std::vector<uint8_t>(kW * kH, static_cast<uint8_t>(i + 1)))}});
  WriteGameFile("m.flc", BuildMovie(kW, kH, frames));
  platform().keepFrames = true;

  platform().AtFrame(2, {HeadlessPlatform::EventType::Character, 'x'});
  EXPECT_FALSE(PlayMovie("graphics\\m.flc", false, 60, &display()));
  EXPECT_EQ(platform().keptFrames().size(), 10u);

  platform().ClearKeptFrames();
  const uint64_t before = platform().frameCount();
  platform().AtFrame(before + 3, {HeadlessPlatform::EventType::Character, 27});
  EXPECT_TRUE(PlayMovie("graphics\\m.flc", false, 60, &display()));
  // Escape arrives while frame 3 is up; frame 4 is the last one shown.
  EXPECT_EQ(platform().keptFrames().size(), 4u);
}

TEST_F(MovieTest, ClosingTheWindowStopsTheMovie) {
  std::vector<MovieFrame> frames(10, MovieFrame{{ByteRunImage(kW, kH, BasePixels())}});
  WriteGameFile("m.flc", BuildMovie(kW, kH, frames));
  platform().AtFrame(platform().frameCount() + 2, {HeadlessPlatform::EventType::Close, 0});
  const uint64_t before = platform().frameCount();
  EXPECT_FALSE(PlayMovie("graphics\\m.flc", false, 60, &display()));
  EXPECT_EQ(platform().frameCount() - before, 2u);
}

TEST_F(MovieTest, LoopPlaysTheRingFrameAndGoesOn) {
  // FLI: frames 0..2 and the ring frame 3; the loop point is frame 1.
  std::vector<MovieFrame> frames;
  for (int i = 0; i < 4; ++i)
    frames.push_back(MovieFrame{
        {ByteRunImage(kW, kH, std::vector<uint8_t>(kW * kH, static_cast<uint8_t>(i + 1)))}});
  WriteGameFile("loop.fli", BuildMovie(kW, kH, frames, false, 3));
  platform().keepFrames = true;
  platform().AtFrame(platform().frameCount() + 9, {HeadlessPlatform::EventType::Character, 27});
  EXPECT_TRUE(PlayMovie("graphics\\loop.fli", true, 60, &display()));
  std::vector<int> shown;
  for (const auto& f : platform().keptFrames()) shown.push_back(f.pixels[0]);
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 2, 3, 4, 2, 3, 4}));
}

TEST_F(MovieTest, MissingOrBrokenFilesPlayNothing) {
  const uint64_t before = platform().frameCount();
  EXPECT_FALSE(PlayMovie("graphics\\nothere.flc", false, 60, &display()));
  EXPECT_FALSE(PlayMovie(nullptr, false, 60, &display()));
  std::vector<uint8_t> broken = BuildMovie(kW, kH,
                                           {MovieFrame{{ByteRunImage(kW, kH, BasePixels())}},
                                            MovieFrame{{SubChunk{15, Bytes({1, 9, 9})}}}});
  WriteGameFile("broken.flc", broken);
  EXPECT_FALSE(PlayMovie("graphics\\broken.flc", false, 60, &display()));
  // Only the good first frame was shown.
  EXPECT_EQ(platform().frameCount() - before, 1u);
}

// What every presented frame saw of MoviePlaying.
void NoteMoviePlaying(HeadlessPlatform& p) {
  static_cast<std::vector<bool>*>(p.hookContext)->push_back(MoviePlaying());
}

TEST_F(MovieTest, MoviePlayingHoldsOnlyWhileAMoviePlays) {
  std::vector<MovieFrame> frames(3, MovieFrame{{ByteRunImage(kW, kH, BasePixels())}});
  WriteGameFile("m.flc", BuildMovie(kW, kH, frames));
  WriteGameFile("broken.flc", BuildMovie(kW, kH,
                                         {MovieFrame{{ByteRunImage(kW, kH, BasePixels())}},
                                          MovieFrame{{SubChunk{15, Bytes({1, 9, 9})}}}}));
  std::vector<bool> seen;
  platform().hookContext = &seen;
  platform().onPresent = NoteMoviePlaying;
  EXPECT_FALSE(MoviePlaying());
  struct Case {
    const char* name;
    size_t frames;
  } cases[] = {{"graphics\\m.flc", 3}, {"graphics\\broken.flc", 1}, {"graphics\\none.flc", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    seen.clear();
    PlayMovie(c.name, false, 60, &display());
    EXPECT_EQ(seen, std::vector<bool>(c.frames, true));
    EXPECT_FALSE(MoviePlaying()) << "after the movie";
  }
  // Frames shown outside a movie.
  seen.clear();
  display().Flip();
  EXPECT_EQ(seen, std::vector<bool>{false});
  platform().onPresent = nullptr;
}

// The dispatcher: which file each number plays, at which frame time, and the
// game palette and clock afterwards.
class NumberedMovieTest : public MovieTest {
 protected:
  void SetUp() override {
    MovieTest::SetUp();
    InitGraphics(&display());
    // A palette picture whose colour 1 is (1, 2, 3).
    BmpImage pal;
    pal.width = 4;
    pal.height = 4;
    pal.pixels.assign(16, 0);
    pal.palette[4] = 3;
    pal.palette[5] = 2;
    pal.palette[6] = 1;
    std::filesystem::create_directories(dir() + "/graphics");
    ASSERT_TRUE(WriteFileBytes(dir() + "/graphics/pal.bmp", EncodeBmp8(pal)));
    const char* names[] = {"ch1.flc",    "ch2.flc",   "ch3.flc",  "ch4.flc",
                           "ending.flc", "sword.flc", "intro.flc"};
    for (int i = 0; i < 7; ++i) {
      // Movie i has i + 2 frames, and sets colour 1 to something else.
      std::vector<MovieFrame> frames(i + 2, MovieFrame{{ByteRunImage(kW, kH, BasePixels())}});
      frames[0].subs.push_back(Colours(1, {200, 200, 200}));
      WriteGameFile(names[i], BuildMovie(kW, kH, frames));
    }
    TakePendingExcludedTime();
  }
  void TearDown() override {
    ExitGraphics();
    MovieTest::TearDown();
  }
};

TEST_F(NumberedMovieTest, EachNumberPlaysItsFile) {
  struct Case {
    int n;
    int frames;  // of the movie itself
    uint32_t frameMs;
  };
  for (Case c : {Case{0, 2, 60}, Case{1, 3, 60}, Case{2, 4, 60}, Case{3, 5, 60}, Case{10, 7, 60},
                 Case{11, 8, 60}, Case{5, 0, 0}, Case{255, 0, 0}, Case{-1, 0, 0}}) {
    SCOPED_TRACE(c.n);
    const uint64_t before = platform().frameCount();
    const uint32_t start = platform().Milliseconds();
    PlayNumberedMovie(c.n);
    // A black frame before, the movie, a black frame after.
    EXPECT_EQ(platform().frameCount() - before, c.frames + 2u);
    const uint32_t spent = platform().Milliseconds() - start;
    EXPECT_GE(spent, c.frames * c.frameMs);
    // The time is kept out of the game clock, and the game palette is back.
    EXPECT_EQ(static_cast<uint32_t>(TakePendingExcludedTime()), spent);
    EXPECT_EQ(display().palette[4 + 2], 1);
    EXPECT_EQ(platform().hardwarePalette()[4 + 2], 1);
  }
}

TEST_F(NumberedMovieTest, TheEndingGoesOnWithTheEpilogueAndTheCredits) {
  const uint64_t before = platform().frameCount();
  const uint32_t start = platform().Milliseconds();
  // A black frame and the movie's 6; Escape ends the epilogue in its 10th
  // frame, any key the ending credits (which wait for one) in their 50th.
  platform().AtFrame(before + 1 + 6 + 10, {HeadlessPlatform::EventType::Character, 27});
  platform().AtFrame(before + 1 + 6 + 10 + 50, {HeadlessPlatform::EventType::Character, ' '});
  PlayNumberedMovie(4);
  EXPECT_EQ(platform().frameCount() - before, 1u + 6u + 10u + 50u + 1u);
  const uint32_t spent = platform().Milliseconds() - start;
  EXPECT_GE(spent, 6u * 100u + 60u * 33u);
  EXPECT_EQ(static_cast<uint32_t>(TakePendingExcludedTime()), spent);
  EXPECT_EQ(display().palette[4 + 2], 1);
}

// Tools that watch the game see the ending's show as one movie: the black
// frame before it, the movie, the epilogue and the credits.
TEST_F(NumberedMovieTest, MoviePlayingHoldsThroughTheEndingsEpilogueAndCredits) {
  const uint64_t before = platform().frameCount();
  platform().AtFrame(before + 1 + 6 + 10, {HeadlessPlatform::EventType::Character, 27});
  platform().AtFrame(before + 1 + 6 + 10 + 50, {HeadlessPlatform::EventType::Character, ' '});
  std::vector<bool> seen;
  platform().hookContext = &seen;
  platform().onPresent = NoteMoviePlaying;
  PlayNumberedMovie(4);
  platform().onPresent = nullptr;
  EXPECT_EQ(seen, std::vector<bool>(1 + 6 + 10 + 50 + 1, true));
  EXPECT_FALSE(MoviePlaying());
}

TEST_F(NumberedMovieTest, EscapeEndsAChapterButThePaletteAndClockAreStillRestored) {
  const uint64_t before = platform().frameCount();
  platform().AtFrame(before + 2, {HeadlessPlatform::EventType::Character, 27});
  PlayNumberedMovie(3);
  EXPECT_EQ(platform().frameCount() - before, 1u + 2u + 1u);
  EXPECT_GT(TakePendingExcludedTime(), 0);
  EXPECT_EQ(display().palette[4 + 2], 1);
}

}  // namespace
}  // namespace torvel
