#include "gfx/flc_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "gfx/display.h"
#include "gfx/movie.h"
#include "gfx/movie_fixture.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::BuildMovie;
using testing::HeadlessTest;
using testing::MovieFrame;
using testing::SubChunk;

struct Frame {
  std::vector<uint8_t> pixels;
  std::vector<uint8_t> palette;  // 256 x blue, green, red, reserved
};

// A small deterministic generator for test pictures.
struct Noise {
  uint32_t state;
  uint8_t Next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<uint8_t>(state >> 24);
  }
};

std::vector<uint8_t> BasePalette() {
  std::vector<uint8_t> p(1024);
  for (int i = 0; i < 256; ++i) {
    p[i * 4 + 0] = static_cast<uint8_t>(i);
    p[i * 4 + 1] = static_cast<uint8_t>(255 - i);
    p[i * 4 + 2] = static_cast<uint8_t>((i * 7) & 255);
  }
  return p;
}

// A sequence that exercises every choice the encoder makes: an unchanged
// frame, small and large changes, a palette change alone, noise, long runs,
// and a change in the last column.
std::vector<Frame> Sequence(int w, int h) {
  std::vector<Frame> frames;
  Frame f{std::vector<uint8_t>(static_cast<size_t>(w) * h), BasePalette()};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) f.pixels[y * w + x] = static_cast<uint8_t>((x / 4 + y / 3) * 5);
  frames.push_back(f);
  frames.push_back(f);  // unchanged
  for (int y = h / 3; y < h / 3 + 2; ++y)
    for (int x = 2; x < 8 && x < w; ++x) f.pixels[y * w + x] = 200;  // a small change
  frames.push_back(f);
  f.palette[17 * 4 + 1] = 3;  // colours only
  f.palette[18 * 4 + 2] = 4;
  f.palette[250 * 4 + 0] = 5;
  frames.push_back(f);
  Noise noise{7};
  for (uint8_t& p : f.pixels) p = noise.Next();  // everything changes
  frames.push_back(f);
  for (int y = 0; y < h; y += 2)
    for (int x = 0; x < w; ++x) f.pixels[y * w + x] = static_cast<uint8_t>(y);  // long runs
  frames.push_back(f);
  f.pixels[(h - 1) * w + w - 1] ^= 0x55;  // the last pixel only
  frames.push_back(f);
  for (int y = 0; y < h; ++y) f.pixels[y * w + (y % w)] = 9;                  // a diagonal
  for (int i = 0; i < 1024; ++i) f.palette[i] = static_cast<uint8_t>(i / 3);  // every colour
  frames.push_back(f);
  return frames;
}

std::vector<uint8_t> Encode(int w, int h, const std::vector<Frame>& frames) {
  FlcEncoder encoder;
  EXPECT_TRUE(encoder.Begin(w, h, 60));
  for (const Frame& f : frames) EXPECT_TRUE(encoder.AddFrame(f.pixels.data(), f.palette.data()));
  return encoder.Finish();
}

// The sub-chunk types of every frame of a file, walking the chunks.
std::vector<std::vector<uint16_t>> ChunkTypes(const std::vector<uint8_t>& file) {
  std::vector<std::vector<uint16_t>> out;
  ByteReader r(file);
  r.Seek(128);
  const uint32_t prefix = r.U32();
  r.Seek(128 + prefix);
  while (r.ok() && r.Remaining() >= 16) {
    const size_t start = r.pos();
    const uint32_t size = r.U32();
    r.U16();
    const uint16_t count = r.U16();
    r.Skip(8);
    std::vector<uint16_t> types;
    for (int i = 0; i < count; ++i) {
      const size_t sub = r.pos();
      const uint32_t subSize = r.U32();
      types.push_back(r.U16());
      EXPECT_EQ(subSize % 2, 0u) << "chunks keep an even size";
      r.Seek(sub + subSize);
    }
    EXPECT_EQ(r.pos(), start + size) << "frame size matches its sub-chunks";
    out.push_back(types);
  }
  return out;
}

class FlcWriterTest : public HeadlessTest {
 protected:
  // Decodes every frame with our player, as movie pixels and RGB colours.
  std::vector<Frame> DecodeAll(const std::vector<uint8_t>& file, int w, int h) {
    std::vector<Frame> out;
    MovieDecoder movie;
    EXPECT_TRUE(movie.OpenBytes(file.data(), file.size(), true));
    EXPECT_EQ(movie.Width(), w);
    EXPECT_EQ(movie.Height(), h);
    for (int i = 0; i < movie.Frames(); ++i) {
      EXPECT_TRUE(movie.DecodeFrame(&display()));
      Frame f{std::vector<uint8_t>(static_cast<size_t>(w) * h), std::vector<uint8_t>(1024)};
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) f.pixels[y * w + x] = Pixel(2 * x, 2 * y);
      std::memcpy(f.palette.data(), display().palette, 1024);
      out.push_back(f);
    }
    return out;
  }
  // Our decoded frames as RGB, three bytes a pixel.
  static std::vector<uint8_t> Rgb(const Frame& f) {
    std::vector<uint8_t> rgb;
    for (uint8_t p : f.pixels) {
      rgb.push_back(f.palette[p * 4 + 2]);
      rgb.push_back(f.palette[p * 4 + 1]);
      rgb.push_back(f.palette[p * 4 + 0]);
    }
    return rgb;
  }
  // Frames decoded by ffmpeg, each w * h * 3 bytes of RGB.
  std::vector<std::vector<uint8_t>> FfmpegFrames(const std::vector<uint8_t>& file, int w, int h) {
    const std::string path = dir() + "/check.flc";
    EXPECT_TRUE(WriteFileBytes(path, file));
    const std::string command = "ffmpeg -v error -nostdin -i '" + path +
                                "' -f rawvideo -pix_fmt rgb24 -fps_mode passthrough - 2>&1";
    std::vector<uint8_t> bytes;
    if (FILE* pipe = popen(command.c_str(), "r")) {
      uint8_t buffer[65536];
      size_t n;
      while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
      EXPECT_EQ(pclose(pipe), 0) << "ffmpeg failed (scripts/setup installs it): "
                                 << std::string(
                                        bytes.begin(),
                                        bytes.begin() + std::min<size_t>(bytes.size(), 300));
    } else {
      ADD_FAILURE() << "cannot run ffmpeg";
    }
    std::vector<std::vector<uint8_t>> frames;
    const size_t frameBytes = static_cast<size_t>(w) * h * 3;
    for (size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
      frames.emplace_back(bytes.begin() + static_cast<long>(at),
                          bytes.begin() + static_cast<long>(at + frameBytes));
    }
    EXPECT_EQ(bytes.size() % frameBytes, 0u);
    return frames;
  }
  void ExpectFfmpegAgrees(const std::vector<uint8_t>& file, int w, int h) {
    std::vector<Frame> ours = DecodeAll(file, w, h);
    std::vector<std::vector<uint8_t>> theirs = FfmpegFrames(file, w, h);
    ASSERT_EQ(theirs.size(), ours.size());
    for (size_t i = 0; i < ours.size(); ++i)
      EXPECT_TRUE(theirs[i] == Rgb(ours[i])) << "frame " << i;
  }
};

TEST_F(FlcWriterTest, RoundTripGivesTheSamePixelsAndColours) {
  struct Size {
    int w, h;
  };
  for (Size s : {Size{64, 48}, Size{33, 21}, Size{1, 1}, Size{320, 240}}) {
    SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
    std::vector<Frame> frames = Sequence(s.w, s.h);
    std::vector<Frame> decoded = DecodeAll(Encode(s.w, s.h, frames), s.w, s.h);
    ASSERT_EQ(decoded.size(), frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_TRUE(decoded[i].pixels == frames[i].pixels) << "frame " << i;
      for (int c = 0; c < 256; ++c)
        for (int k = 0; k < 3; ++k)
          ASSERT_EQ(decoded[i].palette[c * 4 + k], frames[i].palette[c * 4 + k])
              << "frame " << i << " colour " << c;
    }
  }
}

TEST_F(FlcWriterTest, ChunksAreChosenByWhatChanged) {
  std::vector<uint8_t> file = Encode(64, 48, Sequence(64, 48));
  std::vector<std::vector<uint16_t>> types = ChunkTypes(file);
  const std::vector<std::vector<uint16_t>> want = {
      {4, 15},  // the whole palette and a full image
      {},       // nothing changed
      {7},      // a small change: word delta
      {4},      // colours only
      {15},     // noise: a word delta would be larger
      {7},      // every other line
      {7},      // one pixel
      {4, 7},
  };
  EXPECT_EQ(types, want);
  // The header: magic, frame count, size, speed, and the offsets of frames 1 and 2.
  ByteReader r(file);
  EXPECT_EQ(r.U32(), file.size());
  EXPECT_EQ(r.U16(), 0xAF12);
  EXPECT_EQ(r.U16(), 8);
  EXPECT_EQ(r.U16(), 64);
  EXPECT_EQ(r.U16(), 48);
  EXPECT_EQ(r.U16(), 8);
  r.U16();
  EXPECT_EQ(r.U32(), 60u);
  r.Seek(80);
  EXPECT_EQ(r.U32(), 144u);
  const uint32_t second = r.U32();
  r.Seek(144);
  EXPECT_EQ(second, 144u + r.U32());
}

TEST_F(FlcWriterTest, OddWidthFallsBackToByteRunWhenTheLastColumnChanges) {
  std::vector<Frame> frames = Sequence(33, 21);
  std::vector<std::vector<uint16_t>> types = ChunkTypes(Encode(33, 21, frames));
  ASSERT_EQ(types.size(), frames.size());
  EXPECT_EQ(types[6], std::vector<uint16_t>{15});  // only the last pixel changed
}

TEST_F(FlcWriterTest, RefusesSizesThePlayerCannotShow) {
  FlcEncoder encoder;
  for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {321, 10}, {10, 241}, {-1, 5}})
    EXPECT_FALSE(encoder.Begin(w, h, 60));
  std::vector<uint8_t> pixels(16), palette(1024);
  EXPECT_FALSE(encoder.AddFrame(pixels.data(), palette.data()));
  EXPECT_TRUE(encoder.Finish().empty());
}

// An independent decoder: ffmpeg shows every frame of our encoder's movies
// with the same colours our player gives them.
TEST_F(FlcWriterTest, FfmpegAgreesWithOurPlayerOnEncodedMovies) {
  for (auto [w, h] : {std::pair{64, 48}, {33, 21}, {320, 240}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    ExpectFfmpegAgrees(Encode(w, h, Sequence(w, h)), w, h);
  }
}

// The same for a hand-made movie using every chunk type the player knows.
TEST_F(FlcWriterTest, FfmpegAgreesWithOurPlayerOnEveryChunkType) {
  const int w = 8;
  const int h = 6;
  auto bytes = [](std::initializer_list<int> v) {
    std::vector<uint8_t> out;
    for (int x : v) out.push_back(static_cast<uint8_t>(x));
    return out;
  };
  std::vector<uint8_t> all = {1, 0, 0, 0};
  for (int i = 0; i < 256; ++i) {
    all.push_back(static_cast<uint8_t>(i));
    all.push_back(static_cast<uint8_t>(i * 3));
    all.push_back(static_cast<uint8_t>(255 - i));
  }
  std::vector<uint8_t> raw(w * h);
  for (int i = 0; i < w * h; ++i) raw[i] = static_cast<uint8_t>(i * 5);
  std::vector<uint8_t> run;
  for (int y = 0; y < h; ++y) {
    const std::vector<uint8_t> line = bytes({2, 3, 10 + y, 0xFB, 1, 2, 3, 4, 5});
    run.insert(run.end(), line.begin(), line.end());
  }
  const std::vector<MovieFrame> frames = {
      MovieFrame{{SubChunk{4, all}, SubChunk{15, run}}},
      // Word delta: skip a line, copy two pairs, repeat a pair; the next line a skip and a copy.
      MovieFrame{{SubChunk{7, bytes({2,  0, 0xFF, 0xFF, 2,  0, 0, 2, 40, 41, 42,
                                     43, 0, 0xFE, 44,   45, 1, 0, 4, 1,  46, 47})}}},
      // Byte delta from line 3: a copy and a repeat; line 4: nothing.
      MovieFrame{{SubChunk{12, bytes({3, 0, 2, 0, 2, 1, 2, 50, 51, 2, 0xFD, 52, 0})}}},
      // Six-bit colours (components below 16 expand the same in every decoder).
      MovieFrame{{SubChunk{11, bytes({2, 0, 40, 2, 1, 2, 3, 15, 14, 13, 200, 1, 9, 8, 7})}}},
      MovieFrame{{SubChunk{13, {}}}}, MovieFrame{{SubChunk{16, raw}}},
      MovieFrame{{SubChunk{18, bytes({1, 2, 3, 4})}}},  // a chunk nobody draws
  };
  ExpectFfmpegAgrees(BuildMovie(w, h, frames), w, h);
}

}  // namespace
}  // namespace torvel
