#include <gtest/gtest.h>

#include "audio/wav.h"
#include "common/byte_io.h"
#include "forge/sound/wav_writer.h"

namespace torvel::forge {
namespace {

// What the forge writes, the game reads back sample for sample.
TEST(WavWriter, TheGamesReaderReadsBackEverySample) {
  std::vector<int16_t> ramp(3001);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<int16_t>(i * 21 - 32000);
  const std::vector<std::vector<int16_t>> cases = {{0}, {32767, -32768, 1, -1, 256}, ramp};
  for (const auto& samples : cases) {
    for (uint32_t rate : {22050u, 11025u, 44100u}) {
      std::vector<uint8_t> file = EncodeWav16Mono(samples, rate);
      EXPECT_EQ(file.size(), 46 + 2 * samples.size());  // 18-byte format record, no padding
      WavSound sound;
      ASSERT_TRUE(ParseWav(file.data(), file.size(), sound));
      EXPECT_EQ(sound.format.formatTag, 1);
      EXPECT_EQ(sound.format.channels, 1);
      EXPECT_EQ(sound.format.bitsPerSample, 16);
      EXPECT_EQ(sound.format.samplesPerSec, rate);
      ASSERT_EQ(sound.data.size(), 2 * samples.size());
      ByteReader r(sound.data);
      for (int16_t s : samples) EXPECT_EQ(r.I16(), s);
    }
  }
}

}  // namespace
}  // namespace torvel::forge
