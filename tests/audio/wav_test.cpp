#include "audio/wav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/mixer.h"
#include "audio/sound.h"
#include "common/byte_io.h"
#include "support/headless_fixture.h"
#include "support/wav_builder.h"

namespace torvel {
namespace {

using testing::BuildWav;
using testing::FmtBody;
using testing::MakeTempDir;
using testing::MakeWav16;
using testing::Pcm16;
using testing::TestName;
using testing::WavChunk;

std::vector<uint8_t> Bytes(const std::string& s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

bool Parse(const std::vector<uint8_t>& file, WavSound& out) {
  return ParseWav(file.data(), file.size(), out);
}

// ---- Files built here ----

TEST(Wav, PlainPcmFilesKeepTheirFormatAndSamples) {
  struct Case {
    uint16_t channels, bits;
    uint32_t rate;
  } cases[] = {{1, 16, 22050}, {2, 16, 44100}, {1, 8, 11025}, {2, 8, 8000}, {1, 16, 48000}};
  for (const Case& c : cases) {
    std::vector<uint8_t> body;
    for (int i = 0; i < 24; ++i) body.push_back(static_cast<uint8_t>(i * 11));
    WavSound sound;
    ASSERT_TRUE(
        Parse(BuildWav({{"fmt ", FmtBody(1, c.channels, c.rate, c.bits)}, {"data", body}}), sound))
        << c.channels << "/" << c.bits;
    EXPECT_EQ(sound.format.formatTag, 1);
    EXPECT_EQ(sound.format.channels, c.channels);
    EXPECT_EQ(sound.format.bitsPerSample, c.bits);
    EXPECT_EQ(sound.format.samplesPerSec, c.rate);
    EXPECT_EQ(sound.format.blockAlign, c.channels * c.bits / 8);
    EXPECT_EQ(sound.format.avgBytesPerSec, c.rate * c.channels * c.bits / 8);
    EXPECT_EQ(sound.data, body);
  }
}

TEST(Wav, ChunksAreFoundWhereverTheyLie) {
  std::vector<uint8_t> samples = Pcm16({100, -100, 200, -200});
  std::vector<uint8_t> fmt = FmtBody(1, 1, 22050, 16);
  std::vector<std::vector<WavChunk>> layouts = {
      {{"data", samples}, {"fmt ", fmt}},  // data first
      {{"LIST", Bytes("INFOISFT\x05\0\0\0tool\0")}, {"fmt ", fmt}, {"data", samples}},
      {{"fmt ", fmt},
       {"junk", Bytes("odd")},
       {"fact", Bytes("\4\0\0\0")},
       {"data", samples}},                                             // pad byte
      {{"fmt ", FmtBody(1, 1, 22050, 16, false)}, {"data", samples}},  // 16-byte format
      {{"fmt ",
        [&] {
          std::vector<uint8_t> longer = fmt;
          longer.resize(40, 0);
          return longer;
        }()},
       {"data", samples}},
      {{"fmt ", fmt}, {"data", samples}, {"LIST", Bytes("INFO")}},  // trailing chunk
  };
  for (size_t i = 0; i < layouts.size(); ++i) {
    WavSound sound;
    ASSERT_TRUE(Parse(BuildWav(layouts[i]), sound)) << "layout " << i;
    EXPECT_EQ(sound.data, samples) << "layout " << i;
    EXPECT_EQ(sound.format.samplesPerSec, 22050u);
  }
}

TEST(Wav, ADataChunkLongerThanTheFileTakesWhatIsThere) {
  // Written to a pipe, a WAV file cannot have its sizes filled in afterwards.
  std::vector<uint8_t> samples = Pcm16({1, 2, 3, 4, 5});
  std::vector<uint8_t> file =
      BuildWav({{"fmt ", FmtBody(1, 1, 8000, 16)}, {"data", samples, 0x7ffff000}});
  WavSound sound;
  ASSERT_TRUE(Parse(file, sound));
  EXPECT_EQ(sound.data, samples);
  // Cut in the middle of a sample: only whole frames are kept.
  file.pop_back();
  ASSERT_TRUE(Parse(file, sound));
  EXPECT_EQ(sound.data, Pcm16({1, 2, 3, 4}));
}

TEST(Wav, AWrongByteRateIsForgiven) {
  std::vector<uint8_t> fmt = FmtBody(1, 2, 22050, 16);
  fmt[8] = 0x12;  // average bytes per second, nonsense
  WavSound sound;
  ASSERT_TRUE(Parse(BuildWav({{"fmt ", fmt}, {"data", Pcm16({1, 2})}}), sound));
  EXPECT_EQ(sound.format.avgBytesPerSec, 88200u);
}

TEST(Wav, MalformedFilesAreRefused) {
  std::vector<uint8_t> samples = Pcm16({1, 2, 3, 4});
  auto withFmt = [&](std::vector<uint8_t> fmt) {
    return BuildWav({{"fmt ", fmt}, {"data", samples}});
  };
  auto patched = [&](size_t offset, uint16_t value) {
    std::vector<uint8_t> fmt = FmtBody(1, 1, 22050, 16);
    fmt[offset] = static_cast<uint8_t>(value);
    fmt[offset + 1] = static_cast<uint8_t>(value >> 8);
    return withFmt(fmt);
  };
  std::vector<uint8_t> good = withFmt(FmtBody(1, 1, 22050, 16));
  WavSound check;
  ASSERT_TRUE(Parse(good, check));  // the files below differ from this one in one point
  std::vector<uint8_t> notRiff = good;
  notRiff[0] = 'X';
  std::vector<uint8_t> notWave = good;
  notWave[8] = 'A';
  std::vector<uint8_t> shortFmt = FmtBody(1, 1, 22050, 16);
  shortFmt.resize(14);
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
  } cases[] = {
      {"empty", {}},
      {"not RIFF", notRiff},
      {"not WAVE", notWave},
      {"header only", BuildWav({})},
      {"no format", BuildWav({{"data", samples}})},
      {"no data", BuildWav({{"fmt ", FmtBody(1, 1, 22050, 16)}})},
      {"empty data", BuildWav({{"fmt ", FmtBody(1, 1, 22050, 16)}, {"data", {}}})},
      {"less than a frame", BuildWav({{"fmt ", FmtBody(1, 2, 22050, 16)}, {"data", Pcm16({7})}})},
      {"format too short", withFmt(shortFmt)},
      {"format longer than the file", BuildWav({{"fmt ", FmtBody(1, 1, 22050, 16), 4000}})},
      {"float samples", withFmt(FmtBody(3, 1, 22050, 32))},
      {"extensible", withFmt(FmtBody(0xFFFE, 1, 22050, 16))},
      {"ADPCM", withFmt(FmtBody(2, 1, 22050, 4))},
      {"24 bits", withFmt(FmtBody(1, 1, 22050, 24))},
      {"12 bits", patched(14, 12)},
      {"no channels", patched(2, 0)},
      {"three channels", withFmt(FmtBody(1, 3, 22050, 16))},
      {"rate 0", withFmt(FmtBody(1, 1, 0, 16))},
      {"rate 10 MHz", withFmt(FmtBody(1, 1, 10000000, 16))},
      {"block align wrong", patched(12, 4)},
  };
  for (const Case& c : cases) {
    WavSound sound;
    sound.data = {42};
    EXPECT_FALSE(Parse(c.file, sound)) << c.what;
    EXPECT_EQ(sound.data, std::vector<uint8_t>{42}) << c.what << ": output touched";
  }
}

TEST(Wav, EveryCutOfAFileIsHandled) {
  std::vector<uint8_t> file = BuildWav({{"LIST", Bytes("INFOabc")},
                                        {"fmt ", FmtBody(1, 2, 22050, 16)},
                                        {"data", Pcm16({1, 2, 3, 4, 5, 6})}});
  size_t dataStart = file.size() - 12;  // 6 samples of 2 bytes
  for (size_t cut = 0; cut < file.size(); ++cut) {
    std::vector<uint8_t> part(file.begin(), file.begin() + cut);
    WavSound sound;
    bool ok = Parse(part, sound);
    // Until one whole stereo frame of data is there, nothing is playable.
    EXPECT_EQ(ok, cut >= dataStart + 4) << cut;
    if (ok) {
      EXPECT_EQ(sound.data.size(), (cut - dataStart) / 4 * 4) << cut;
    }
  }
}

TEST(Wav, LoadWavReadsFromDisk) {
  std::string dir = MakeTempDir(TestName());
  std::vector<uint8_t> file = MakeWav16({5, 6, 7}, 1, 11025);
  ASSERT_TRUE(WriteFileBytes(dir + "/a.wav", file));
  WavSound sound;
  ASSERT_TRUE(LoadWav(dir + "/a.wav", sound));
  EXPECT_EQ(sound.data, Pcm16({5, 6, 7}));
  EXPECT_FALSE(LoadWav(dir + "/missing.wav", sound));
  EXPECT_FALSE(LoadWav(dir, sound));  // a folder
}

// ---- Files made by other tools ----

bool HaveTool(const char* name) {
  std::string cmd = std::string("command -v ") + name + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

bool RunTool(const std::string& cmd) {
  return std::system((cmd + " >/dev/null 2>&1").c_str()) == 0;
}

class ToolWavTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(TestName()); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string dir_;
};

// Raw samples written here, wrapped into a WAV file by sox: the reader must
// hand back exactly those samples in exactly that format.
TEST_F(ToolWavTest, SoxFilesKeepTheirSamples) {
  if (!HaveTool("sox")) GTEST_SKIP() << "sox is not installed (scripts/setup installs it)";
  struct Case {
    uint16_t channels, bits;
    uint32_t rate;
  } cases[] = {{1, 16, 22050}, {2, 16, 44100}, {1, 8, 11025}, {2, 8, 8000},
               {1, 16, 48000}, {2, 16, 32000}, {1, 8, 44100}};
  for (const Case& c : cases) {
    std::vector<uint8_t> raw(static_cast<size_t>(c.rate) / 10 * c.channels * c.bits / 8);  // 100 ms
    uint32_t x = 12345;
    for (uint8_t& b : raw) {
      x = x * 1103515245u + 12345u;
      b = static_cast<uint8_t>(x >> 16);
    }
    ASSERT_TRUE(WriteFileBytes(Path("in.raw"), raw));
    std::string enc = c.bits == 8 ? "unsigned-integer" : "signed-integer";
    ASSERT_TRUE(RunTool("sox -t raw -r " + std::to_string(c.rate) + " -e " + enc + " -b " +
                        std::to_string(c.bits) + " -c " + std::to_string(c.channels) + " -L " +
                        Path("in.raw") + " -t wav " + Path("out.wav")));
    WavSound sound;
    ASSERT_TRUE(LoadWav(Path("out.wav"), sound))
        << c.channels << "ch " << c.bits << "bit " << c.rate;
    EXPECT_EQ(sound.format.channels, c.channels);
    EXPECT_EQ(sound.format.bitsPerSample, c.bits);
    EXPECT_EQ(sound.format.samplesPerSec, c.rate);
    EXPECT_TRUE(sound.data == raw) << c.channels << "ch " << c.bits << "bit " << c.rate;
  }
}

TEST_F(ToolWavTest, SoxWritingToAPipeIsReadToTheEnd) {
  if (!HaveTool("sox")) GTEST_SKIP() << "sox is not installed";
  // Through a pipe sox cannot go back to fill in the sizes.
  ASSERT_TRUE(
      RunTool("sox -n -r 8000 -b 16 -c 1 -t wav - synth 0.25 sine 440 | tee " + Path("piped.wav")));
  WavSound sound;
  ASSERT_TRUE(LoadWav(Path("piped.wav"), sound));
  EXPECT_EQ(sound.data.size(), 2000u * 2u);
}

TEST_F(ToolWavTest, EspeakSpeechLoads) {
  if (!HaveTool("espeak-ng")) GTEST_SKIP() << "espeak-ng is not installed";
  ASSERT_TRUE(RunTool("espeak-ng -w " + Path("speech.wav") + " 'the sword is whole again'"));
  std::vector<uint8_t> file;
  ASSERT_TRUE(ReadFileBytes(Path("speech.wav"), file));
  WavSound sound;
  ASSERT_TRUE(ParseWav(file.data(), file.size(), sound));
  EXPECT_EQ(sound.format.channels, 1);
  EXPECT_EQ(sound.format.bitsPerSample, 16);
  EXPECT_EQ(sound.format.samplesPerSec, 22050u);
  // The sample is the whole data chunk, which runs to the end of the file.
  EXPECT_EQ(sound.data.size(), file.size() - 44);
  EXPECT_TRUE(std::equal(sound.data.begin(), sound.data.end(), file.begin() + 44));
  EXPECT_GT(sound.data.size(), 22050u);  // more than half a second of speech
}

TEST_F(ToolWavTest, FfmpegFilesWithAnInfoListLoad) {
  if (!HaveTool("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  ASSERT_TRUE(
      RunTool("ffmpeg -nostdin -y -f lavfi -i sine=frequency=300:sample_rate=16000:duration=0.5 "
              "-c:a pcm_u8 -ac 2 " +
              Path("ff.wav")));
  WavSound sound;
  ASSERT_TRUE(LoadWav(Path("ff.wav"), sound));
  EXPECT_EQ(sound.format.channels, 2);
  EXPECT_EQ(sound.format.bitsPerSample, 8);
  EXPECT_EQ(sound.format.samplesPerSec, 16000u);
  EXPECT_EQ(sound.data.size(), 8000u * 2u);
}

// A sox-made sample played through the game: the cached buffer holds the
// file's samples, and the voice plays for the sample's length.
class ToolWavGameTest : public testing::HeadlessTest {};

TEST_F(ToolWavGameTest, SoxSoundsPlayForTheirLength) {
  if (!HaveTool("sox")) GTEST_SKIP() << "sox is not installed";
  std::filesystem::create_directories(dir() + "/sound");
  struct Case {
    int number;
    const char* args;
    uint32_t ms;
  } cases[] = {
      {30, "-r 22050 -b 16 -c 1", 500},
      {31, "-r 11025 -b 8 -c 1", 200},
      {32, "-r 44100 -b 16 -c 2", 1000},
      {33, "-r 8000 -b 8 -c 2", 750},
  };
  auto& device = *static_cast<RecordingSoundDevice*>(platform().Sound());
  for (const Case& c : cases) {
    char name[32];
    std::snprintf(name, sizeof(name), "/sound/snd%03d.wav", c.number);
    ASSERT_TRUE(RunTool(std::string("sox -n ") + c.args + " " + dir() + name + " synth " +
                        std::to_string(c.ms / 1000.0) + " sine 440"));
    WavSound expected;
    ASSERT_TRUE(LoadWav(dir() + name, expected));
    MakeNormalSound(c.number);
    SoundChannel channel = GetSoundChannel(1);
    ASSERT_EQ(channel.sound, c.number);
    const RecordingSoundDevice::Voice* master = device.GetVoice(SlotVoice(CachedSlot(c.number)));
    ASSERT_NE(master, nullptr);
    EXPECT_TRUE(master->data == expected.data) << c.args;
    EXPECT_EQ(device.LengthMs(SlotVoice(channel.slot)), c.ms) << c.args;
    platform().AdvanceClock(c.ms - 1);
    EXPECT_TRUE(device.IsPlaying(SlotVoice(channel.slot))) << c.args;
    platform().AdvanceClock(1);
    EXPECT_FALSE(device.IsPlaying(SlotVoice(channel.slot))) << c.args;
    StopAllSounds();
  }
}

// The same through the mixer: a tool-made 16-bit file at the output rate
// comes out sample for sample.
TEST_F(ToolWavTest, SoxSamplesComeOutOfTheMixerUnchanged) {
  if (!HaveTool("sox")) GTEST_SKIP() << "sox is not installed";
  ASSERT_TRUE(RunTool("sox -n -r 44100 -b 16 -c 1 " + Path("tone.wav") + " synth 0.05 sine 1000"));
  WavSound sound;
  ASSERT_TRUE(LoadWav(Path("tone.wav"), sound));
  Mixer mixer(44100);
  SoundHandle h = mixer.CreateBuffer(sound.format, sound.data.data(), sound.data.size());
  ASSERT_NE(h, 0);
  size_t frames = sound.data.size() / 2;
  EXPECT_EQ(mixer.LengthFrames(h), frames);
  mixer.Play(h, false);
  std::vector<float> out(2 * (frames + 10));
  mixer.Mix(out.data(), frames + 10);
  ByteReader r(sound.data);
  for (size_t i = 0; i < frames; ++i) {
    float expected = r.I16() / 32768.0f;
    ASSERT_FLOAT_EQ(out[2 * i], expected) << i;
    ASSERT_FLOAT_EQ(out[2 * i + 1], expected) << i;
  }
  for (size_t i = frames; i < frames + 10; ++i) EXPECT_EQ(out[2 * i], 0.0f);
  EXPECT_FALSE(mixer.IsPlaying(h));
}

}  // namespace
}  // namespace torvel
