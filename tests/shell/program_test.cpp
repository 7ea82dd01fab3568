#include "shell/program.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/byte_io.h"
#include "common/trig.h"
#include "gfx/bmp.h"
#include "support/headless_fixture.h"
#include "support/wav_builder.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

TEST(CommandLine, OnlyTheExactWordWindowOpensAWindow) {
  struct Case {
    const char* text;
    bool windowed;
  } cases[] = {
      {"window", true},     {"", false},        {"Window", false},
      {"-window", false},   {"windows", false}, {"foo window bar", true},
      {"  window  ", true}, {"WINDOW", false},  {"window\tx", false},
      {"x window", true},   {"win dow", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScanCommandLine(c.text), c.windowed) << '"' << c.text << '"';
  EXPECT_FALSE(ScanCommandLine(nullptr));
}

TEST(CommandLine, TheWordEditorIsFoundBesideWindow) {
  struct Case {
    const char* text;
    bool editor, windowed;
  } cases[] = {
      {"editor", true, false},  {"window editor", true, true},   {"editor window", true, true},
      {"Editor", false, false}, {"editors window", false, true}, {"--editor", false, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLineHasWord(c.text, "editor"), c.editor) << '"' << c.text << '"';
    EXPECT_EQ(ScanCommandLine(c.text), c.windowed) << '"' << c.text << '"';
  }
}

TEST(TrigTables, EntriesAreTruncatedFromTheStoredStep) {
  InitTrigTables();
  EXPECT_EQ(gCosTable[0], 65536);
  EXPECT_EQ(gSinTable[0], 0);
  // The step is a hair short of a true 256th of a turn, so a quarter turn
  // falls just short of 1.0 and truncates to 65535.
  EXPECT_EQ(gSinTable[64], 65535);
  EXPECT_EQ(gCosTable[64], 0);
  EXPECT_EQ(gCosTable[128], -65535);
  EXPECT_EQ(gSinTable[192], -65535);
  EXPECT_EQ(gSinTable[32], 46340);  // sin and cos of 45 degrees: 46340.95 either way
  EXPECT_EQ(gCosTable[32], 46340);
  EXPECT_EQ(Sine(256 + 64), gSinTable[64]);
}

class SplashTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    std::filesystem::create_directories(dir() + "/graphics");
    BmpImage img;
    img.width = 640;
    img.height = 480;
    img.pixels.assign(640 * 480, 1);
    img.palette[4 * 1 + 2] = 250;  // red
    img.palette[4 * 1 + 1] = 120;  // green
    img.palette[4 * 1 + 0] = 60;   // blue
    ASSERT_TRUE(WriteFileBytes(dir() + "/graphics/pic.bmp", EncodeBmp8(img)));
    platform().keepFrames = true;
  }
  // Red of palette entry 1 as shown in presented frame i.
  int Red(size_t i) { return platform().keptFrames().at(i).palette[4 * 1 + 2]; }
};

TEST_F(SplashTest, FadesInOverThirtyTwoFramesHoldsAndFadesOut) {
  ShowSplashPicture(&display(), "graphics\\pic.bmp", 128, 195, false);
  const auto& frames = platform().keptFrames();
  // Frame i shows the palette set in pass i (frame 0: still black).
  EXPECT_EQ(Red(0), 0);
  EXPECT_EQ(Red(1), 8);
  EXPECT_EQ(Red(31), 248);
  EXPECT_EQ(Red(32), 250);  // fully bright after 32 passes
  // Bright from pass 32 through pass 33 (the switch to the hold) and the 129
  // hold passes; pass 163 starts the fade-out.
  for (size_t i = 32; i <= 162; ++i) ASSERT_EQ(Red(i), 250) << i;
  EXPECT_EQ(Red(163), 242);
  // 32 passes to black (250 is 31.25 steps of 8), one more to see that
  // everything is black, then the cleared screen's flip.
  EXPECT_EQ(Red(193), 2);
  EXPECT_EQ(Red(194), 0);
  ASSERT_EQ(frames.size(), 196u);
  EXPECT_EQ(frames.back().pixels[1000], 0);  // cleared
}

TEST_F(SplashTest, EveryPassTakesThirtyThreeMilliseconds) {
  platform().presentMs = 0;
  uint32_t start = platform().Milliseconds();
  ShowSplashPicture(&display(), "graphics\\pic.bmp", 128, 195, false);
  // 33 passes of fade-in, 129 of hold, 33 of fade-out; then the clear.
  EXPECT_EQ(platform().Milliseconds() - start, 195u * 33u);
}

// The time each presented frame went to the screen.
std::vector<uint32_t>* gPresentTimes = nullptr;
void NotePresentTime(HeadlessPlatform& p) {
  if (gPresentTimes) gPresentTimes->push_back(p.Milliseconds());
}

TEST_F(SplashTest, TheFadesLastAsLongOnEveryScreen) {
  // A 60 Hz screen, a 144 Hz one and one that presents at once.
  for (uint32_t presentMs : {16u, 7u, 0u}) {
    SCOPED_TRACE("present " + std::to_string(presentMs) + " ms");
    platform().presentMs = presentMs;
    platform().ClearKeptFrames();
    std::vector<uint32_t> times;
    gPresentTimes = &times;
    platform().onPresent = NotePresentTime;
    const uint32_t start = platform().Milliseconds();
    ShowSplashPicture(&display(), "graphics\\pic.bmp", 128, 195, false);
    platform().onPresent = nullptr;
    gPresentTimes = nullptr;
    const size_t n = platform().keptFrames().size();
    ASSERT_EQ(times.size(), n);
    // Fully bright on the frame of pass 32, 32 passes of 33 ms after the
    // first; dark again 33 passes after the fade-out began.
    size_t bright = 0, fadeOut = 0, dark = 0;
    for (size_t i = 0; i < n; ++i) {
      if (!bright && Red(i) == 250) bright = i;
      if (bright && !fadeOut && Red(i) < 250) fadeOut = i;
      if (fadeOut && !dark && Red(i) == 0) dark = i;
    }
    ASSERT_TRUE(bright && fadeOut && dark);
    EXPECT_EQ(times[bright] - times[0], 32u * 33u);
    EXPECT_EQ(times[dark] - times[fadeOut - 1], 32u * 33u);
    EXPECT_GE(times.back() - start, 195u * 33u);
  }
}

TEST_F(SplashTest, AKeyDuringTheFadeInStartsTheFadeOut) {
  platform().AtFrame(10, {HeadlessPlatform::EventType::Character, 'x'});
  ShowSplashPicture(&display(), "graphics\\pic.bmp", 128, 195, false);
  EXPECT_EQ(Red(9), 72);
  EXPECT_EQ(Red(10), 64);  // the pass that took the key already fades out
  size_t n = platform().keptFrames().size();
  for (size_t i = 0; i < n; ++i) ASSERT_LT(Red(i), 250);
  // From 64 to black in 8 more passes, one to see it, one flip of the clear.
  EXPECT_EQ(n, 10u + 8u + 1u + 1u);
}

TEST_F(SplashTest, WithWaitForKeyItHoldsUntilAKeyAfterTheHold) {
  platform().AtFrame(400, {HeadlessPlatform::EventType::Character, 'y'});
  ShowSplashPicture(&display(), "graphics\\pic.bmp", 128, 195, true);
  EXPECT_EQ(Red(399), 250);
  EXPECT_EQ(Red(400), 242);
}

// The present during which the splash's sound was first heard playing.
uint64_t gFirstPresentWithSound = 0;

void NoteSound(HeadlessPlatform& p) {
  auto* device = static_cast<RecordingSoundDevice*>(p.Sound());
  if (gFirstPresentWithSound != 0) return;
  for (const auto& call : device->calls()) {
    if (call.op == "play") gFirstPresentWithSound = p.frameCount();
  }
}

TEST_F(SplashTest, TheSoundStartsWhenTheFadeInIsDone) {
  std::filesystem::create_directories(dir() + "/sound");
  ASSERT_TRUE(WriteFileBytes(dir() + "/sound/snd195.wav", testing::MakeWavOfLength(500)));
  gFirstPresentWithSound = 0;
  platform().onPresent = NoteSound;
  ShowSplashPicture(&display(), "graphics\\pic.bmp", 128, 195, false);
  // Started in pass 32, after its flip: the 33rd present is the first to hear it.
  EXPECT_EQ(gFirstPresentWithSound, 33u);
  auto* device = static_cast<RecordingSoundDevice*>(platform().Sound());
  int plays = 0;
  for (const auto& call : device->calls()) {
    if (call.op != "play") continue;
    ++plays;
    const RecordingSoundDevice::Voice* voice = device->GetVoice(call.handle);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->volume, 0);
    EXPECT_EQ(voice->pan, 0);
    EXPECT_EQ(voice->loop, false);
  }
  EXPECT_EQ(plays, 1);
}

TEST_F(SplashTest, MissingPictureReturnsAtOnce) {
  ShowSplashPicture(&display(), "graphics\\nothing.bmp", 128, 195, false);
  EXPECT_EQ(platform().frameCount(), 0u);
}

TEST_F(SplashTest, ClosingTheWindowEndsThePicture) {
  platform().AtFrame(5, {HeadlessPlatform::EventType::Close, 0});
  ShowSplashPicture(&display(), "graphics\\pic.bmp", 128, 195, false);
  EXPECT_EQ(platform().frameCount(), 5u);
}

TEST(ProgramEntry, MissingDisplayIsFatalWithStatusOne) {
  EXPECT_EXIT(
      {
        HeadlessPlatform platform;
        platform.failStart = true;
        InstallPlatform(&platform);
        RunProgram("window");
      },
      ::testing::ExitedWithCode(1), "Fatal Error! No display available.");
}

TEST(ProgramEntry, MissingModeIsFatal) {
  EXPECT_EXIT(
      {
        HeadlessPlatform platform;
        platform.failMode = true;
        InstallPlatform(&platform);
        RunProgram("");
      },
      ::testing::ExitedWithCode(1), "Unable to find graphics mode!");
}

}  // namespace
}  // namespace torvel
