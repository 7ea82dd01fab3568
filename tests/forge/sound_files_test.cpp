// The sounds the forge wrote into the game folder: the right numbers, in the
// layout the game reads, with the lengths and levels they were meant to have.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>

#include "audio/wav.h"
#include "common/byte_io.h"
#include "forge/sound/sound_bank.h"
#include "forge/sound/wav_writer.h"

namespace torvel::forge {
namespace {

struct Wav {
  int number = -1;
  std::vector<uint8_t> bytes;
  std::vector<int16_t> samples;
  double Seconds() const { return samples.size() / 22050.0; }
};

// Numbers the game never asks for.
const std::set<int> kUnused = {8,  24, 26, 41, 42,  51,  67,  68,  69,  70,  71,  72,  75,  80, 81,
                               84, 91, 93, 94, 101, 102, 109, 110, 138, 139, 140, 153, 154, 155};
const std::set<int> kSongs = {200, 201, 202, 203, 204, 206, 207, 208};

std::string SoundPath(int n) {
  char name[32];
  std::snprintf(name, sizeof name, "/sound/snd%03d.wav", n);
  return std::string(TORVEL_GAME_DIR) + name;
}

// Loads one file through the game's own reader, then checks the layout the
// forge promises on top: an 18-byte PCM "fmt " record right after the RIFF
// header, and "data" holding the rest of the file.
bool ReadWav(int n, Wav& wav, std::string& why) {
  wav.number = n;
  WavSound sound;
  if (!LoadWav(SoundPath(n), sound)) return why = "the game's reader refuses it", false;
  const WaveFormat& f = sound.format;
  if (f.formatTag != 1 || f.channels != 1 || f.samplesPerSec != 22050 || f.bitsPerSample != 16 ||
      f.blockAlign != 2 || f.avgBytesPerSec != 44100)
    return why = "not 16-bit mono 22050 Hz", false;
  if (!ReadFileBytes(SoundPath(n), wav.bytes)) return why = "cannot read", false;
  ByteReader r(wav.bytes);
  r.Seek(4);
  uint32_t riffSize = r.U32();
  r.Seek(16);
  uint32_t fmtSize = r.U32();
  r.Seek(36);
  uint16_t extra = r.U16();  // the format record's extra size, after bits per sample
  char data[4];
  r.Bytes(data, 4);
  uint32_t dataSize = r.U32();
  if (!r.ok() || riffSize != wav.bytes.size() - 8 || fmtSize != 18 || extra != 0 ||
      std::string(data, 4) != "data" || dataSize != r.Remaining() || dataSize != sound.data.size())
    return why = "layout", false;
  ByteReader pcm(sound.data);
  for (size_t i = 0; i < sound.data.size() / 2; ++i) wav.samples.push_back(pcm.I16());
  return true;
}

class ForgedSounds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (int n = 0; n <= 254; ++n) {
      if (!std::filesystem::exists(SoundPath(n))) continue;
      Wav wav;
      std::string why;
      if (ReadWav(n, wav, why)) {
        wavs_.push_back(std::move(wav));
      } else {
        broken_ += " " + std::to_string(n) + " (" + why + ")";
      }
    }
  }
  static void TearDownTestSuite() { wavs_.clear(); }

  static const Wav* Find(int n) {
    for (const Wav& w : wavs_)
      if (w.number == n) return &w;
    return nullptr;
  }

  static std::vector<Wav> wavs_;
  static std::string broken_;
};
std::vector<Wav> ForgedSounds::wavs_;
std::string ForgedSounds::broken_;

double PeakOf(const Wav& w) {
  int peak = 0;
  for (int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak / 32768.0;
}

// RMS of the loudest tenth of a second, in dB below full scale.
double LoudestDb(const Wav& w) {
  size_t window = std::min<size_t>(w.samples.size(), 2205);
  double sum = 0, best = 0;
  for (size_t i = 0; i < w.samples.size(); ++i) {
    double x = w.samples[i] / 32768.0;
    sum += x * x;
    if (i >= window) {
      double y = w.samples[i - window] / 32768.0;
      sum -= y * y;
    }
    best = std::max(best, sum);
  }
  return 10.0 * std::log10(std::max(best / window, 1e-12));
}

TEST_F(ForgedSounds, EveryNumberTheGamePlaysAndNoOther) {
  EXPECT_EQ(broken_, "");
  std::set<int> made;
  for (const Wav& w : wavs_) made.insert(w.number);
  for (int n = 0; n <= 254; ++n) {
    bool wanted = n <= 208 && !kUnused.count(n);
    EXPECT_EQ(made.count(n) == 1, wanted) << "sound " << n;
  }
  EXPECT_EQ(made.size(), 180u);
}

TEST_F(ForgedSounds, LengthsFitWhereTheyPlay) {
  for (const Wav& w : wavs_) {
    double s = w.Seconds();
    if (kSongs.count(w.number)) {
      EXPECT_GE(s, 45.0) << w.number;
      EXPECT_LE(s, 90.0) << w.number;
    } else if (w.number == 205 || w.number == 194) {
      EXPECT_GE(s, 8.0) << w.number;  // scores for movies of 8 to 20 seconds
      EXPECT_LE(s, 20.0) << w.number;
    } else if (w.number == 158) {
      EXPECT_LE(s, 0.06) << "the typing blip repeats every other letter";
    } else if (w.number == 195) {
      EXPECT_LE(s, 4.0) << "the first splash sting";
    } else {
      EXPECT_GE(s, 0.015) << w.number;
      EXPECT_LE(s, 6.0) << w.number;
    }
  }
}

TEST_F(ForgedSounds, NothingClipsNothingIsSilentAndNothingDrownsTheRest) {
  for (const Wav& w : wavs_) {
    bool song = kSongs.count(w.number) != 0;
    int clipped = 0;
    for (int16_t s : w.samples) clipped += (s >= 32700 || s <= -32700);
    EXPECT_EQ(clipped, 0) << w.number;
    double db = LoudestDb(w);
    EXPECT_GE(db, -26.0) << w.number << " is too quiet to hear over the rest";
    EXPECT_LE(db, -3.0) << w.number << " would drown the rest";
    if (song) continue;
    // An effect speaks at once and ends without a click.
    double peak = PeakOf(w);
    size_t head = std::min<size_t>(w.samples.size(), 441);
    int early = 0;
    for (size_t i = 0; i < head; ++i)
      early = std::max(early, std::abs(static_cast<int>(w.samples[i])));
    EXPECT_GE(early / 32768.0, peak * 0.02) << w.number << " starts late";
    EXPECT_LE(std::abs(w.samples.back()), 64) << w.number << " ends with a click";
  }
}

TEST_F(ForgedSounds, SongsJoinTheirEndToTheirStartAndSitAtOneLevel) {
  double quietest = 0, loudest = -100;
  for (int n : kSongs) {
    const Wav* w = Find(n);
    ASSERT_NE(w, nullptr) << n;
    std::vector<int> steps;
    for (size_t i = 1; i < w->samples.size(); ++i)
      steps.push_back(std::abs(w->samples[i] - w->samples[i - 1]));
    auto at = steps.begin() + steps.size() * 999 / 1000;
    std::nth_element(steps.begin(), at, steps.end());
    int usual = *at;
    int seam = std::abs(w->samples.front() - w->samples.back());
    EXPECT_LE(seam, usual) << "song " << n << " jumps where it loops";
    double db = LoudestDb(*w);
    quietest = std::min(quietest, db);
    loudest = std::max(loudest, db);
  }
  EXPECT_LE(loudest - quietest, 4.0);
}

TEST_F(ForgedSounds, NoTwoSoundsAreTheSame) {
  for (size_t i = 0; i < wavs_.size(); ++i) {
    for (size_t j = i + 1; j < wavs_.size(); ++j) {
      EXPECT_NE(wavs_[i].samples, wavs_[j].samples) << wavs_[i].number << " " << wavs_[j].number;
    }
  }
}

// The forge in this test binary (another build, other optimisation) makes the
// very bytes the forge program wrote.
TEST_F(ForgedSounds, MakingThemAgainGivesTheSameBytes) {
  std::vector<SoundJob> jobs;
  std::string error;
  ASSERT_TRUE(ListSounds(std::string(TORVEL_SOURCE_DIR) + "/content/music", jobs, error)) << error;
  // One of each kind of making: effects of every family and scored cues (a
  // song is made the same way as a cue, only longer).
  const std::set<int> sample = {0, 12, 25, 48, 92, 107, 146, 158, 193, 199, 3, 162};
  int checked = 0;
  for (const SoundJob& job : jobs) {
    if (!sample.count(job.number)) continue;
    std::vector<int16_t> pcm;
    ASSERT_TRUE(RenderSound(job, pcm, error)) << error;
    const Wav* w = Find(job.number);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(EncodeWav16Mono(pcm, 22050), w->bytes) << job.number;
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(sample.size()));
}

}  // namespace
}  // namespace torvel::forge
