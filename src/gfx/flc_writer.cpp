#include "gfx/flc_writer.h"

#include <algorithm>
#include <cstring>

#include "common/byte_io.h"
#include "gfx/movie.h"

namespace torvel {

namespace {

constexpr uint16_t kFlcMagic = 0xAF12;
constexpr uint16_t kPrefixType = 0xF100;
constexpr uint16_t kFrameType = 0xF1FA;
constexpr size_t kHeaderBytes = 128;
constexpr size_t kPrefixBytes = 16;
constexpr uint16_t kColour256 = 4;
constexpr uint16_t kWordDelta = 7;
constexpr uint16_t kByteRun = 15;
// A literal or repeat packet holds at most this many bytes (or pairs).
constexpr int kMaxRun = 127;
// The longest skip a word-delta packet makes while staying on a pair boundary.
constexpr int kMaxPairSkip = 254;

int RepeatLength(const uint8_t* row, int x, int width, int limit) {
  int n = 1;
  while (x + n < width && n < limit && row[x + n] == row[x]) ++n;
  return n;
}

// One line of byte run: repeats of 3 or more, literals between.
void ByteRunLine(const uint8_t* row, int width, ByteWriter& out) {
  ByteWriter packets;
  int count = 0;
  int x = 0;
  while (x < width) {
    const int run = RepeatLength(row, x, width, kMaxRun);
    if (run >= 3) {
      packets.I8(static_cast<int8_t>(run));
      packets.U8(row[x]);
      x += run;
    } else {
      const int start = x;
      while (x < width && x - start < kMaxRun) {
        if (x > start && RepeatLength(row, x, width, 3) >= 3) break;
        ++x;
      }
      packets.I8(static_cast<int8_t>(-(x - start)));
      packets.Bytes(row + start, static_cast<size_t>(x - start));
    }
    ++count;
  }
  // At most 320 / 2 packets: the count always fits its byte.
  out.U8(static_cast<uint8_t>(count));
  out.Bytes(packets.bytes().data(), packets.size());
}

std::vector<uint8_t> ByteRun(const uint8_t* pixels, int width, int height) {
  ByteWriter out;
  for (int y = 0; y < height; ++y) ByteRunLine(pixels + static_cast<size_t>(y) * width, width, out);
  return std::move(out.bytes());
}

struct Pairs {
  const uint8_t* cur;
  const uint8_t* prev;
  bool Changed(int i) const {
    return cur[2 * i] != prev[2 * i] || cur[2 * i + 1] != prev[2 * i + 1];
  }
  bool Same(int i, int j) const {
    return cur[2 * i] == cur[2 * j] && cur[2 * i + 1] == cur[2 * j + 1];
  }
  int Repeat(int i, int count, int limit) const {
    int n = 1;
    while (i + n < count && n < limit && Same(i, i + n)) ++n;
    return n;
  }
};

// One changed line of word delta: its packet count word and packets.
void WordDeltaLine(const Pairs& p, int pairCount, ByteWriter& out) {
  ByteWriter packets;
  int count = 0;
  int skip = 0;
  int i = 0;
  while (i < pairCount) {
    if (!p.Changed(i)) {
      skip += 2;
      ++i;
      continue;
    }
    while (skip > kMaxPairSkip) {
      // An empty packet carries a long skip.
      packets.U8(kMaxPairSkip);
      packets.I8(0);
      skip -= kMaxPairSkip;
      ++count;
    }
    packets.U8(static_cast<uint8_t>(skip));
    skip = 0;
    const int run = p.Repeat(i, pairCount, kMaxRun);
    if (run >= 2) {
      packets.I8(static_cast<int8_t>(-run));
      packets.U8(p.cur[2 * i]);
      packets.U8(p.cur[2 * i + 1]);
      i += run;
    } else {
      const int start = i;
      while (i < pairCount && i - start < kMaxRun) {
        // Two unchanged pairs in a row are cheaper skipped than copied.
        if (!p.Changed(i) && (i + 1 >= pairCount || !p.Changed(i + 1))) break;
        if (i > start && p.Repeat(i, pairCount, 3) >= 3) break;
        ++i;
      }
      packets.I8(static_cast<int8_t>(i - start));
      packets.Bytes(p.cur + 2 * start, static_cast<size_t>(2 * (i - start)));
    }
    ++count;
  }
  out.I16(static_cast<int16_t>(count));
  out.Bytes(packets.bytes().data(), packets.size());
}

// Word delta of cur against prev; false when it cannot carry the change (the
// last column of an odd width changed).
bool WordDelta(const uint8_t* cur, const uint8_t* prev, int width, int height,
               std::vector<uint8_t>& result) {
  const int pairCount = width / 2;
  ByteWriter out;
  out.I16(0);  // line count, patched below
  int lines = 0;
  int skipped = 0;
  for (int y = 0; y < height; ++y) {
    const size_t row = static_cast<size_t>(y) * width;
    if ((width & 1) && cur[row + width - 1] != prev[row + width - 1]) return false;
    if (std::memcmp(cur + row, prev + row, static_cast<size_t>(pairCount) * 2) == 0) {
      ++skipped;
      continue;
    }
    if (skipped > 0) out.I16(static_cast<int16_t>(-skipped));
    skipped = 0;
    WordDeltaLine(Pairs{cur + row, prev + row}, pairCount, out);
    ++lines;
  }
  out.PatchU16(0, static_cast<uint16_t>(lines));
  result = std::move(out.bytes());
  return true;
}

// Palette packets for the entries whose colours differ from before (all of
// them when before is empty); empty when nothing changed.
std::vector<uint8_t> PaletteChunk(const uint8_t* bgrx, const std::vector<uint8_t>& before) {
  auto changed = [&](int i) {
    return before.empty() || std::memcmp(bgrx + i * 4, before.data() + i * 4, 3) != 0;
  };
  ByteWriter packets;
  int count = 0;
  int next = 0;  // the palette index the next packet's skip counts from
  int i = 0;
  while (i < 256) {
    if (!changed(i)) {
      ++i;
      continue;
    }
    int j = i;
    while (j < 256 && changed(j)) ++j;
    packets.U8(static_cast<uint8_t>(i - next));
    packets.U8(static_cast<uint8_t>(j - i));  // 256 entries are written as 0
    for (int k = i; k < j; ++k) {
      packets.U8(bgrx[k * 4 + 2]);
      packets.U8(bgrx[k * 4 + 1]);
      packets.U8(bgrx[k * 4 + 0]);
    }
    ++count;
    next = j;
    i = j;
  }
  if (count == 0) return {};
  ByteWriter out;
  out.U16(static_cast<uint16_t>(count));
  out.Bytes(packets.bytes().data(), packets.size());
  return std::move(out.bytes());
}

void AddSubChunk(ByteWriter& frame, uint16_t type, const std::vector<uint8_t>& data) {
  const size_t padded = data.size() + (data.size() & 1);  // chunks keep an even size
  frame.U32(static_cast<uint32_t>(6 + padded));
  frame.U16(type);
  frame.Bytes(data.data(), data.size());
  frame.Zeros(padded - data.size());
}

}  // namespace

bool FlcEncoder::Begin(int width, int height, uint32_t frameMs) {
  *this = FlcEncoder{};
  if (width < 1 || height < 1 || width > kMovieMaxWidth || height > kMovieMaxHeight) return false;
  width_ = width;
  height_ = height;
  frameMs_ = frameMs;
  out_.assign(kHeaderBytes, 0);
  // The prefix chunk: no sub-chunks, skipped by every player.
  ByteWriter prefix;
  prefix.U32(kPrefixBytes);
  prefix.U16(kPrefixType);
  prefix.U16(0);
  prefix.Zeros(8);
  out_.insert(out_.end(), prefix.bytes().begin(), prefix.bytes().end());
  return true;
}

bool FlcEncoder::AddFrame(const uint8_t* pixels, const uint8_t* paletteBgrx) {
  if (width_ == 0 || !pixels || !paletteBgrx || frames_ == 0xFFFF) return false;
  const size_t area = static_cast<size_t>(width_) * height_;
  ByteWriter chunks;
  uint16_t count = 0;

  std::vector<uint8_t> palette = PaletteChunk(paletteBgrx, previousPalette_);
  if (!palette.empty()) {
    AddSubChunk(chunks, kColour256, palette);
    ++count;
  }
  if (frames_ == 0) {
    AddSubChunk(chunks, kByteRun, ByteRun(pixels, width_, height_));
    ++count;
  } else if (std::memcmp(pixels, previous_.data(), area) != 0) {
    std::vector<uint8_t> run = ByteRun(pixels, width_, height_);
    std::vector<uint8_t> delta;
    if (WordDelta(pixels, previous_.data(), width_, height_, delta) && delta.size() < run.size()) {
      AddSubChunk(chunks, kWordDelta, delta);
    } else {
      AddSubChunk(chunks, kByteRun, run);
    }
    ++count;
  }

  if (frames_ == 1) secondFrameOffset_ = static_cast<uint32_t>(out_.size());
  ByteWriter frame;
  frame.U32(static_cast<uint32_t>(16 + chunks.size()));
  frame.U16(kFrameType);
  frame.U16(count);
  frame.Zeros(8);
  out_.insert(out_.end(), frame.bytes().begin(), frame.bytes().end());
  out_.insert(out_.end(), chunks.bytes().begin(), chunks.bytes().end());

  previous_.assign(pixels, pixels + area);
  previousPalette_.assign(paletteBgrx, paletteBgrx + 1024);
  ++frames_;
  return true;
}

std::vector<uint8_t> FlcEncoder::Finish() {
  if (width_ == 0) return {};
  ByteWriter header;
  header.U32(static_cast<uint32_t>(out_.size()));
  header.U16(kFlcMagic);
  header.U16(frames_);
  header.U16(static_cast<uint16_t>(width_));
  header.U16(static_cast<uint16_t>(height_));
  header.U16(8);  // bits per pixel
  header.U16(3);  // flags: written completely
  header.U32(frameMs_);
  header.Zeros(2 + 4 * 4);  // reserved, creation and update stamps
  header.U16(1);            // aspect 1:1
  header.U16(1);
  header.Zeros(80 - header.size());
  header.U32(static_cast<uint32_t>(kHeaderBytes + kPrefixBytes));  // first frame
  header.U32(secondFrameOffset_ ? secondFrameOffset_
                                : static_cast<uint32_t>(kHeaderBytes + kPrefixBytes));
  header.Zeros(kHeaderBytes - header.size());
  std::copy(header.bytes().begin(), header.bytes().end(), out_.begin());
  std::vector<uint8_t> result = std::move(out_);
  *this = FlcEncoder{};
  return result;
}

bool WriteFlc(const std::string& hostPath, FlcEncoder& encoder) {
  std::vector<uint8_t> bytes = encoder.Finish();
  if (bytes.empty()) return false;
  return WriteFileAtomic(hostPath, bytes);
}

}  // namespace torvel
