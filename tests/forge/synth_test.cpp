#include <gtest/gtest.h>

#include <cmath>

#include "forge/sound/det_math.h"
#include "forge/sound/song_render.h"
#include "forge/sound/synth.h"

namespace torvel::forge {
namespace {

using namespace synth;

TEST(DetMath, AgreesWithTheLibraryAcrossTheRangeSoundsUse) {
  for (double x = -60.0; x <= 60.0; x += 0.0137) {
    EXPECT_NEAR(Sin(x), std::sin(x), 2e-9) << x;
    EXPECT_NEAR(Cos(x), std::cos(x), 2e-9) << x;
    EXPECT_NEAR(Tanh(x / 6), std::tanh(x / 6), 1e-12) << x;
  }
  for (double x = -700.0; x <= 700.0; x += 0.731) {
    EXPECT_NEAR(Exp(x) / std::exp(x), 1.0, 1e-13) << x;
  }
  for (double x = 1e-9; x < 1e9; x *= 1.37) EXPECT_NEAR(Log(x), std::log(x), 1e-12) << x;
  EXPECT_NEAR(NoteHz(69), 440.0, 1e-9);
  EXPECT_NEAR(NoteHz(57), 220.0, 1e-9);
  EXPECT_NEAR(NoteHz(60), 261.6255653, 1e-6);
  EXPECT_NEAR(DbToGain(-6.0206), 0.5, 1e-5);
}

TEST(DetMath, NoiseIsFixedBySeedAndStaysInRange) {
  Noise a(7), b(7), c(8);
  bool differs = false;
  for (int i = 0; i < 10000; ++i) {
    double x = a.Next();
    EXPECT_EQ(x, b.Next());
    EXPECT_GE(x, -1.0);
    EXPECT_LT(x, 1.0);
    if (x != c.Next()) differs = true;
    double u = a.Unit();
    b.Unit();
    EXPECT_GE(u, 0.0);
    EXPECT_LT(u, 1.0);
  }
  EXPECT_TRUE(differs);
}

TEST(Curve, StraightOrGeometricBetweenPointsAndFlatBeyond) {
  Curve line{{0.0, 1.0}, {1.0, 3.0}, {2.0, -1.0}};
  EXPECT_DOUBLE_EQ(line.At(-5.0), 1.0);
  EXPECT_DOUBLE_EQ(line.At(0.5), 2.0);
  EXPECT_DOUBLE_EQ(line.At(1.5), 1.0);
  EXPECT_DOUBLE_EQ(line.At(9.0), -1.0);
  Curve pitch = Curve::Geometric({{0.0, 100.0}, {1.0, 400.0}});
  EXPECT_NEAR(pitch.At(0.5), 200.0, 1e-9);  // halfway in pitch is an octave, not 250
  EXPECT_NEAR(pitch.Scaled(2.0).At(0.5), 400.0, 1e-9);
  EXPECT_NEAR(line.Stretched(2.0).At(1.0), 2.0, 1e-12);
}

TEST(Finishing, TheLimiterNeverReachesFullScaleAndLeavesQuietSamplesAlone) {
  EXPECT_EQ(SoftLimit(0.5), 0.5);
  EXPECT_EQ(SoftLimit(-0.8), -0.8);
  double before = 0.0;
  for (double x = 0.0; x < 20.0; x += 0.01) {
    double y = SoftLimit(x);
    EXPECT_GE(y, before);  // never folds back
    EXPECT_LT(y, 0.985);
    EXPECT_DOUBLE_EQ(SoftLimit(-x), -y);
    before = y;
  }
  std::vector<int16_t> pcm = ToPcm16({0.0, 1.0, -1.0, 50.0, -50.0, 0.25});
  EXPECT_EQ(pcm[0], 0);
  for (int i = 1; i < 5; ++i) EXPECT_LT(std::abs(pcm[i]), 32200);
  EXPECT_EQ(pcm[5], 8192);  // 0.25 * 32767 rounded
}

TEST(Finishing, AnEffectStartsAtOnceReachesItsLoudnessAndEndsInSilence) {
  // Silence, then a steady tone: the silence goes, the tone is set to -12 dB.
  Samples s(SampleCount(0.3), 0.0);
  Tone t;
  t.hz = 500.0;
  t.amp = 0.05;
  MixInto(s, Render(t, 0.5), 0.3);
  FinishEffect(s, -12.0);
  EXPECT_NEAR(Seconds(s), 0.5, 0.01);
  EXPECT_GT(std::fabs(s[10]), 0.0);
  EXPECT_NEAR(LoudnessDb(s), -12.0, 0.5);
  EXPECT_LT(std::fabs(s.back()), 1e-3);
  // A lone click cannot be made that loud without clipping: its peak is capped.
  Samples click(SampleCount(0.2), 0.0);
  click[100] = 0.01;
  FinishEffect(click, -6.0);
  std::vector<int16_t> pcm = ToPcm16(click);
  for (int16_t v : pcm) EXPECT_LT(std::abs(v), 32200);
}

// A loop's render must be exactly the steady state of the song played over
// and over: the middle pass of three back-to-back passes.
TEST(SongRender, ALoopIsTheSteadyStateOfItselfSoItsSeamIsInaudible) {
  const std::string voices =
      "sound 200\ntempo 150\nbar 4\nloop\nreverb 0.9 0.4\n"
      "voice p pad level 0.8 octave 3\nvoice b bell level 0.6\n"
      "part A\np | C - - - | F - - - |\nb | . . . c6 | . . g6 - |\n";
  Score once, thrice;
  std::string error;
  ASSERT_TRUE(ParseScore(voices + "play A\n", "once", once, error)) << error;
  ASSERT_TRUE(ParseScore(voices + "play A A A\n", "thrice", thrice, error)) << error;
  Samples loop = RenderScore(once);
  Samples three = RenderScore(thrice);
  ASSERT_EQ(loop.size(), SampleCount(once.length));
  ASSERT_EQ(three.size(), 3 * loop.size());
  double worst = 0.0;
  for (size_t i = 0; i < loop.size(); ++i) {
    worst = std::max(worst, std::fabs(loop[i] - three[loop.size() + i]));
  }
  EXPECT_LT(worst, 1e-6);
  // The bell and pad ring over the end into the start, where the score is silent.
  EXPECT_GT(std::fabs(loop[100]), 1e-4);
}

TEST(SongRender, ACueRingsOutPastItsBarsAndFadesToNothing) {
  Score score;
  std::string error;
  ASSERT_TRUE(
      ParseScore("sound 3\ntempo 240\nonce\nvoice b bell\npart A\nb | c6 e6 g6 c7 |\nplay A\n",
                 "cue", score, error))
      << error;
  Samples s = RenderScore(score);
  EXPECT_GT(Seconds(s), score.length + 0.3);
  EXPECT_LT(Seconds(s), score.length + 4.0);
  EXPECT_EQ(s.back(), 0.0);
}

}  // namespace
}  // namespace torvel::forge
