#include "audio/mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "audio/gain.h"
#include "common/byte_io.h"

namespace torvel {
namespace {

// A small output rate keeps the numbers short: 8000 Hz, 32 frames of ramp.
constexpr uint32_t kRate = 8000;

WaveFormat Format(uint16_t channels, uint16_t bits, uint32_t rate = kRate) {
  WaveFormat f;
  f.channels = channels;
  f.bitsPerSample = bits;
  f.samplesPerSec = rate;
  f.blockAlign = static_cast<uint16_t>(channels * bits / 8);
  f.avgBytesPerSec = rate * f.blockAlign;
  return f;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
  ByteWriter w;
  for (int16_t s : samples) w.I16(s);
  return w.bytes();
}

class MixerTest : public ::testing::Test {
 protected:
  SoundHandle Buffer(const std::vector<int16_t>& samples, uint16_t channels = 1,
                     uint32_t rate = kRate) {
    std::vector<uint8_t> bytes = Pcm16(samples);
    return mixer.CreateBuffer(Format(channels, 16, rate), bytes.data(), bytes.size());
  }
  // A mono buffer of n frames all at value v.
  SoundHandle Constant(int16_t v, size_t n) { return Buffer(std::vector<int16_t>(n, v)); }
  std::vector<float> Mix(size_t frames) {
    std::vector<float> out(2 * frames, 99.0f);
    mixer.Mix(out.data(), frames);
    return out;
  }
  static float S(int16_t v) { return v / 32768.0f; }

  Mixer mixer{kRate};
};

TEST_F(MixerTest, AVoicePlaysItsSamplesOnceAndStops) {
  SoundHandle h = Buffer({1000, -2000, 3000, 16384});
  ASSERT_NE(h, 0);
  EXPECT_EQ(mixer.RampFrames(), 32u);
  EXPECT_FALSE(mixer.IsPlaying(h));
  mixer.Play(h, false);
  EXPECT_TRUE(mixer.IsPlaying(h));
  std::vector<float> out = Mix(6);
  const float expected[] = {S(1000), S(-2000), S(3000), 0.5f, 0, 0};
  for (int i = 0; i < 6; ++i) {
    EXPECT_FLOAT_EQ(out[2 * i], expected[i]) << i;
    EXPECT_FLOAT_EQ(out[2 * i + 1], expected[i]) << i;
  }
  EXPECT_FALSE(mixer.IsPlaying(h));
  // Played to the end, it starts from the top again.
  mixer.Play(h, false);
  out = Mix(1);
  EXPECT_FLOAT_EQ(out[0], S(1000));
}

TEST_F(MixerTest, NothingPlayingIsSilence) {
  Constant(1000, 10);
  for (float v : Mix(16)) EXPECT_EQ(v, 0.0f);
}

TEST_F(MixerTest, VolumeAndPanScaleTheChannels) {
  struct Case {
    int32_t volume, pan;
  } cases[] = {{0, 0},       {-600, 0},   {0, 10000},   {0, -10000},
               {-300, 1500}, {-10000, 0}, {-1200, -400}};
  for (const Case& c : cases) {
    SoundHandle h = Constant(16384, 4);
    mixer.SetVolume(h, c.volume);
    mixer.SetPan(h, c.pan);
    mixer.Play(h, false);
    std::vector<float> out = Mix(1);
    StereoGain g = GainsFromVolumePan(c.volume, c.pan);
    EXPECT_FLOAT_EQ(out[0], 0.5f * g.left) << c.volume << "/" << c.pan;
    EXPECT_FLOAT_EQ(out[1], 0.5f * g.right) << c.volume << "/" << c.pan;
    mixer.Release(h);
    Mix(64);  // let the cut voice fade
  }
}

TEST_F(MixerTest, VoicesAddUpAndTheSumIsClamped) {
  SoundHandle a = Buffer({1000, 20000, -20000});
  SoundHandle b = Buffer({500, 20000, -20000});
  mixer.Play(a, false);
  mixer.Play(b, false);
  std::vector<float> out = Mix(3);
  EXPECT_FLOAT_EQ(out[0], S(1500));
  EXPECT_FLOAT_EQ(out[2], 1.0f);
  EXPECT_FLOAT_EQ(out[4], -1.0f);
}

TEST_F(MixerTest, StereoSamplesKeepTheirSides) {
  SoundHandle h = Buffer({1000, -1000, 2000, -2000}, 2);
  EXPECT_EQ(mixer.LengthFrames(h), 2u);
  mixer.Play(h, false);
  std::vector<float> out = Mix(3);
  EXPECT_FLOAT_EQ(out[0], S(1000));
  EXPECT_FLOAT_EQ(out[1], S(-1000));
  EXPECT_FLOAT_EQ(out[2], S(2000));
  EXPECT_FLOAT_EQ(out[3], S(-2000));
  EXPECT_EQ(out[4], 0.0f);
}

TEST_F(MixerTest, EightBitSamplesAreCentredOn128) {
  std::vector<uint8_t> bytes = {0, 128, 255, 64};
  SoundHandle h = mixer.CreateBuffer(Format(1, 8), bytes.data(), bytes.size());
  mixer.Play(h, false);
  std::vector<float> out = Mix(4);
  EXPECT_FLOAT_EQ(out[0], -1.0f);
  EXPECT_FLOAT_EQ(out[2], 0.0f);
  EXPECT_FLOAT_EQ(out[4], 127.0f / 128.0f);
  EXPECT_FLOAT_EQ(out[6], -0.5f);
}

TEST_F(MixerTest, ALoopingVoiceRunsOnWithoutAGap) {
  SoundHandle h = Buffer({100, 200, 300});
  mixer.Play(h, true);
  std::vector<float> out = Mix(3);
  out = Mix(8);  // a mix that starts mid-way through the repeats
  const int16_t expected[] = {100, 200, 300, 100, 200, 300, 100, 200};
  for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(out[2 * i], S(expected[i])) << i;
  EXPECT_TRUE(mixer.IsPlaying(h));
}

TEST_F(MixerTest, OtherRatesAreConvertedOnceAtCreation) {
  // 4000 Hz to 8000 Hz: twice the frames, the new ones halfway between; the
  // last leans toward the first, as the end of a loop joins its start.
  SoundHandle h = Buffer({0, 1000, 2000, 3000}, 1, 4000);
  EXPECT_EQ(mixer.LengthFrames(h), 8u);
  mixer.Play(h, false);
  std::vector<float> out = Mix(8);
  const int16_t expected[] = {0, 500, 1000, 1500, 2000, 2500, 3000, 1500};
  for (int i = 0; i < 8; ++i) EXPECT_NEAR(out[2 * i], S(expected[i]), 1e-6) << i;

  // 16000 Hz to 8000 Hz: every other frame.
  SoundHandle d = Buffer({10, 20, 30, 40, 50, 60}, 1, 16000);
  EXPECT_EQ(mixer.LengthFrames(d), 3u);
  mixer.Play(d, false);
  out = Mix(3);
  EXPECT_FLOAT_EQ(out[0], S(10));
  EXPECT_FLOAT_EQ(out[2], S(30));
  EXPECT_FLOAT_EQ(out[4], S(50));

  // One second at 22050 Hz lasts one second at the output rate.
  EXPECT_EQ(mixer.LengthFrames(Buffer(std::vector<int16_t>(22050, 0), 1, 22050)), 8000u);
}

TEST_F(MixerTest, DuplicatesShareTheSampleButPlayOnTheirOwn) {
  SoundHandle master = Buffer({100, 200, 300, 400});
  SoundHandle dup = mixer.Duplicate(master);
  ASSERT_NE(dup, 0);
  EXPECT_NE(dup, master);
  mixer.Play(master, false);
  Mix(2);
  mixer.Play(dup, false);
  std::vector<float> out = Mix(2);
  EXPECT_FLOAT_EQ(out[0], S(300 + 100));
  EXPECT_FLOAT_EQ(out[2], S(400 + 200));
  // The master can go while its duplicate still plays.
  mixer.Release(master);
  EXPECT_FALSE(mixer.IsPlaying(master));
  out = Mix(2);
  EXPECT_FLOAT_EQ(out[0], S(300));
  EXPECT_FLOAT_EQ(out[2], S(400));
  EXPECT_EQ(mixer.Duplicate(master), 0);
}

TEST_F(MixerTest, GainChangesGlideOverTheRamp) {
  SoundHandle h = Constant(16384, 1000);
  mixer.Play(h, false);
  Mix(4);
  mixer.SetVolume(h, -10000);
  std::vector<float> out = Mix(40);
  const uint32_t ramp = mixer.RampFrames();
  for (uint32_t i = 0; i < ramp; ++i) {
    float expected = 0.5f * (1.0f - static_cast<float>(i + 1) / ramp);
    EXPECT_NEAR(out[2 * i], expected, 1e-5) << i;
  }
  for (uint32_t i = ramp; i < 40; ++i) EXPECT_EQ(out[2 * i], 0.0f) << i;
  // Back up, while stopped: the new gain applies at once when it starts.
  mixer.Stop(h);
  mixer.SetVolume(h, 0);
  mixer.Play(h, false);
  out = Mix(1);
  EXPECT_FLOAT_EQ(out[0], 0.5f);
}

TEST_F(MixerTest, AVoiceCutWhilePlayingFadesOutInsteadOfClicking) {
  SoundHandle h = Constant(16384, 1000);
  mixer.Play(h, false);
  Mix(10);
  mixer.Stop(h);
  EXPECT_FALSE(mixer.IsPlaying(h));  // at once, for the game
  std::vector<float> out = Mix(40);
  const uint32_t ramp = mixer.RampFrames();
  EXPECT_GT(out[0], 0.45f);
  for (uint32_t i = 1; i < ramp; ++i) EXPECT_LT(out[2 * i], out[2 * i - 2]) << i;
  for (uint32_t i = ramp - 1; i < 40; ++i) EXPECT_EQ(out[2 * i], 0.0f) << i;
}

TEST_F(MixerTest, StopPausesAndRewindGoesBackToTheTop) {
  std::vector<int16_t> samples(100);
  for (int i = 0; i < 100; ++i) samples[i] = static_cast<int16_t>(i * 10);
  SoundHandle h = Buffer(samples);
  mixer.Play(h, false);
  Mix(5);
  mixer.Stop(h);
  Mix(64);  // the fade of the cut
  mixer.Play(h, false);
  std::vector<float> out = Mix(1);
  EXPECT_FLOAT_EQ(out[0], S(50));  // it goes on where it stopped
  mixer.Stop(h);
  mixer.Rewind(h);
  Mix(64);
  mixer.Play(h, false);
  out = Mix(2);
  EXPECT_FLOAT_EQ(out[0], S(0));
  EXPECT_FLOAT_EQ(out[2], S(10));
}

TEST_F(MixerTest, UnplayableFormatsAndUnknownHandlesAreRefused) {
  std::vector<uint8_t> bytes(64, 1);
  WaveFormat bad[] = {Format(1, 24), Format(0, 16), Format(3, 16), Format(1, 16, 0)};
  for (const WaveFormat& f : bad) EXPECT_EQ(mixer.CreateBuffer(f, bytes.data(), bytes.size()), 0);
  EXPECT_EQ(mixer.CreateBuffer(Format(1, 16), bytes.data(), 1), 0);  // not one whole frame
  EXPECT_EQ(mixer.CreateBuffer(Format(1, 16), nullptr, 0), 0);
  // A rate so low that converting it would make an enormous buffer.
  std::vector<uint8_t> big(2 * 200000);
  EXPECT_EQ(mixer.CreateBuffer(Format(1, 16, 100), big.data(), big.size()), 0);
  EXPECT_EQ(mixer.Duplicate(77), 0);
  mixer.Play(77, true);
  mixer.Stop(77);
  mixer.Rewind(77);
  mixer.SetVolume(77, -100);
  mixer.SetPan(77, 100);
  mixer.Release(77);
  EXPECT_FALSE(mixer.IsPlaying(77));
  EXPECT_EQ(mixer.LiveVoices(), 0u);
}

TEST_F(MixerTest, TheGameThreadAndTheAudioThreadShareTheMixerSafely) {
  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::vector<float> out(2 * 256);
    while (!done) mixer.Mix(out.data(), 256);
  });
  SoundHandle master = Buffer(std::vector<int16_t>(2000, 1000));
  for (int i = 0; i < 2000; ++i) {
    SoundHandle v = mixer.Duplicate(master);
    mixer.SetPan(v, (i % 21 - 10) * 1000);
    mixer.Play(v, i % 3 == 0);
    if (i % 2) mixer.Rewind(v);
    mixer.SetVolume(v, -(i % 50) * 100);
    mixer.IsPlaying(v);
    mixer.Release(v);
  }
  done = true;
  audio.join();
  EXPECT_EQ(mixer.LiveVoices(), 1u);
}

// ---- Volume and pan to gains ----

TEST(Gain, VolumeAndPanBecomeDecibelsOnEachSide) {
  struct Case {
    int32_t volume, pan;
    double left, right;  // in decibels below full; 1000 = silent
  } cases[] = {
      {0, 0, 0, 0},
      {-600, 0, -6, -6},
      {-2000, 0, -20, -20},
      {0, 2000, -20, 0},  // pan right turns the left side down
      {0, -2000, 0, -20},
      {-5000, 1600, -66, -50},  // a sound 800 pixels to the right
      {0, 10000, 1000, 0},
      {0, -10000, 0, 1000},
      {-10000, 0, 1000, 1000},
      {-9000, 1000, 1000, -90},  // -100 dB on the left is silence
      {-20000, 0, 1000, 1000},   // beyond the range: clamped
      {500, 0, 0, 0},
      {0, 30000, 1000, 0},
  };
  for (const Case& c : cases) {
    StereoGain g = GainsFromVolumePan(c.volume, c.pan);
    auto check = [&](float gain, double db, const char* side) {
      if (db == 1000) {
        EXPECT_EQ(gain, 0.0f) << side << " " << c.volume << "/" << c.pan;
      } else {
        EXPECT_NEAR(gain, std::pow(10.0, db / 20.0), 1e-6)
            << side << " " << c.volume << "/" << c.pan;
      }
    };
    check(g.left, c.left, "left");
    check(g.right, c.right, "right");
  }
}

}  // namespace
}  // namespace torvel
