#include "gfx/movie.h"

#include <algorithm>
#include <cstring>

#include "audio/sound.h"
#include "common/byte_io.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "shell/play_loop.h"
#include "shell/title.h"

namespace torvel {

namespace {

constexpr size_t kHeaderBytes = 128;
constexpr size_t kFrameHeaderBytes = 16;
constexpr size_t kSubHeaderBytes = 6;
constexpr uint16_t kSkippedFrameType = 0x00A1;
constexpr uint8_t kEscape = 27;

enum SubChunkType : uint16_t {
  kColour256 = 4,
  kWordDelta = 7,
  kColour64 = 11,
  kByteDelta = 12,
  kBlack = 13,
  kByteRun = 15,
  kUncompressed = 16,
};

uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The doubled frame on the screen: movie pixel (x, y) is the 2x2 block at
// screen (2x, 2y). Callers check that the span lies inside the movie frame.
struct Canvas {
  uint8_t* screen;
  int64_t pitch;
  int width;
  int height;

  bool Fits(int64_t x, int64_t y, int64_t n) const {
    return y >= 0 && y < height && x >= 0 && n >= 0 && x + n <= width;
  }
  uint8_t* At(int64_t x, int64_t y) const { return screen + 2 * y * pitch + 2 * x; }
  void Span(int64_t x, int64_t y, const uint8_t* src, int64_t n) const {
    uint8_t* row = At(x, y);
    for (int64_t i = 0; i < n; ++i) row[2 * i] = row[2 * i + 1] = src[i];
    std::memcpy(row + pitch, row, static_cast<size_t>(2 * n));
  }
  void Repeat(int64_t x, int64_t y, uint8_t value, int64_t n) const {
    uint8_t* row = At(x, y);
    std::memset(row, value, static_cast<size_t>(2 * n));
    std::memset(row + pitch, value, static_cast<size_t>(2 * n));
  }
  void Pairs(int64_t x, int64_t y, uint8_t a, uint8_t b, int64_t count) const {
    uint8_t* row = At(x, y);
    for (int64_t i = 0; i < count; ++i) {
      row[4 * i] = row[4 * i + 1] = a;
      row[4 * i + 2] = row[4 * i + 3] = b;
    }
    std::memcpy(row + pitch, row, static_cast<size_t>(4 * count));
  }
};

bool DecodePalette(ByteReader& r, uint8_t* palette, int shift) {
  const uint16_t packets = r.U16();
  int index = 0;
  for (uint32_t p = 0; p < packets && r.ok(); ++p) {
    index = (index + r.U8()) & 255;
    int count = r.U8();
    if (count == 0) count = 256;
    if (r.Remaining() < static_cast<size_t>(count) * 3) return false;
    for (int i = 0; i < count; ++i) {
      const int red = r.U8() << shift;
      const int green = r.U8() << shift;
      const int blue = r.U8() << shift;
      palette[index * 4 + 0] = static_cast<uint8_t>(std::min(blue, 255));
      palette[index * 4 + 1] = static_cast<uint8_t>(std::min(green, 255));
      palette[index * 4 + 2] = static_cast<uint8_t>(std::min(red, 255));
      index = (index + 1) & 255;
    }
  }
  return r.ok();
}

bool DecodeWordDelta(ByteReader& r, const Canvas& c) {
  const int16_t lines = r.I16();
  int64_t y = 0;
  for (int32_t line = 0; line < lines; ++line) {
    int16_t word = 0;
    for (;;) {
      word = r.I16();
      if (!r.ok()) return false;
      const uint16_t top = static_cast<uint16_t>(word) & 0xC000;
      if (top == 0xC000) {
        y -= word;  // skips -word lines
      } else if (top == 0) {
        break;  // the packet count
      }
      // Words with top bits 01 or 10 carry nothing the player uses.
    }
    int64_t x = 0;
    for (int16_t p = 0; p < word; ++p) {
      x += r.U8();
      const int8_t count = r.I8();
      if (!r.ok()) return false;
      if (count > 0) {
        const int64_t n = 2 * count;
        if (r.Remaining() < static_cast<size_t>(n) || !c.Fits(x, y, n)) return false;
        c.Span(x, y, r.Here(), n);
        r.Skip(static_cast<size_t>(n));
        x += n;
      } else if (count < 0) {
        const uint8_t a = r.U8();
        const uint8_t b = r.U8();
        const int64_t pairs = -count;
        if (!r.ok() || !c.Fits(x, y, 2 * pairs)) return false;
        c.Pairs(x, y, a, b, pairs);
        x += 2 * pairs;
      }
    }
    ++y;
  }
  return r.ok();
}

bool DecodeByteDelta(ByteReader& r, const Canvas& c) {
  int64_t y = r.U16();
  const uint16_t lines = r.U16();
  for (uint32_t line = 0; line < lines && r.ok(); ++line, ++y) {
    const uint8_t packets = r.U8();
    int64_t x = 0;
    for (uint32_t p = 0; p < packets; ++p) {
      x += r.U8();
      const int8_t size = r.I8();
      if (!r.ok()) return false;
      if (size > 0) {
        if (r.Remaining() < static_cast<size_t>(size) || !c.Fits(x, y, size)) return false;
        c.Span(x, y, r.Here(), size);
        r.Skip(static_cast<size_t>(size));
        x += size;
      } else if (size < 0) {
        const uint8_t v = r.U8();
        if (!r.ok() || !c.Fits(x, y, -size)) return false;
        c.Repeat(x, y, v, -size);
        x -= size;
      }
    }
  }
  return r.ok();
}

bool DecodeByteRun(ByteReader& r, const Canvas& c) {
  for (int64_t y = 0; y < c.height; ++y) {
    const uint8_t packets = r.U8();
    int64_t x = 0;
    for (uint32_t p = 0; p < packets; ++p) {
      const int8_t count = r.I8();
      if (!r.ok()) return false;
      if (count > 0) {
        const uint8_t v = r.U8();
        if (!r.ok() || !c.Fits(x, y, count)) return false;
        c.Repeat(x, y, v, count);
        x += count;
      } else if (count < 0) {
        const int64_t n = -count;
        if (r.Remaining() < static_cast<size_t>(n) || !c.Fits(x, y, n)) return false;
        c.Span(x, y, r.Here(), n);
        r.Skip(static_cast<size_t>(n));
        x += n;
      }
    }
  }
  return r.ok();
}

bool DecodeUncompressed(ByteReader& r, const Canvas& c) {
  if (r.Remaining() < static_cast<size_t>(c.width) * c.height) return false;
  for (int64_t y = 0; y < c.height; ++y) {
    c.Span(0, y, r.Here(), c.width);
    r.Skip(static_cast<size_t>(c.width));
  }
  return true;
}

bool EndsInC(const char* name) {
  const size_t n = std::strlen(name);
  return n > 0 && (name[n - 1] == 'c' || name[n - 1] == 'C');
}

}  // namespace

MovieDecoder::~MovieDecoder() {
  Close();
}

void MovieDecoder::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  bytes_ = nullptr;
  size_ = 0;
  pos_ = 0;
  frames_ = width_ = height_ = 0;
  firstChunkSize_ = 0;
  std::memset(palette_, 0, sizeof(palette_));
  chunk_.clear();
}

bool MovieDecoder::Read(void* dst, size_t count) {
  if (count > size_ - pos_) return false;
  if (file_) {
    if (count > 0 && std::fread(dst, 1, count, file_) != count) return false;
  } else if (count > 0) {
    std::memcpy(dst, bytes_ + pos_, count);
  }
  pos_ += count;
  return true;
}

bool MovieDecoder::Seek(uint64_t offset) {
  if (offset > size_) return false;
  if (file_ && std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
  pos_ = offset;
  return true;
}

bool MovieDecoder::OpenFile(const std::string& hostPath, bool skipPrefix) {
  Close();
  file_ = std::fopen(hostPath.c_str(), "rb");
  if (!file_) return false;
  if (std::fseek(file_, 0, SEEK_END) != 0) return Close(), false;
  const long end = std::ftell(file_);
  if (end < 0 || std::fseek(file_, 0, SEEK_SET) != 0) return Close(), false;
  size_ = static_cast<uint64_t>(end);
  return OpenHeader(skipPrefix);
}

bool MovieDecoder::OpenBytes(const uint8_t* bytes, size_t size, bool skipPrefix) {
  Close();
  if (!bytes) return false;
  bytes_ = bytes;
  size_ = size;
  return OpenHeader(skipPrefix);
}

bool MovieDecoder::OpenHeader(bool skipPrefix) {
  uint8_t header[kHeaderBytes + 4];
  if (!Read(header, sizeof(header))) return Close(), false;
  frames_ = Le16(header + 6);
  width_ = Le16(header + 8);
  height_ = Le16(header + 10);
  firstChunkSize_ = Le32(header + kHeaderBytes);
  // Bigger frames would not fit doubled on the screen.
  if (width_ == 0 || height_ == 0 || width_ > kMovieMaxWidth || height_ > kMovieMaxHeight) {
    return Close(), false;
  }
  if (!Seek(kHeaderBytes)) return Close(), false;
  if (skipPrefix && !Seek(kHeaderBytes + uint64_t{firstChunkSize_})) return Close(), false;
  return true;
}

bool MovieDecoder::SeekLoopPoint() {
  return Seek(kHeaderBytes + uint64_t{firstChunkSize_});
}

bool MovieDecoder::DecodeFrame(Display* display) {
  if (!display || !display->screen || (!file_ && !bytes_)) return false;
  if (display->pitch < 2 * width_ || display->height < 2 * height_) return false;
  uint8_t header[kFrameHeaderBytes];
  if (!Read(header, sizeof(header))) return false;
  const uint32_t size = Le32(header);
  const uint16_t type = Le16(header + 4);
  const uint16_t subChunks = Le16(header + 6);
  if (type == kSkippedFrameType) return Seek(Tell() + size);

  for (uint32_t i = 0; i < subChunks; ++i) {
    uint8_t sub[kSubHeaderBytes];
    if (!Read(sub, sizeof(sub))) return false;
    const uint32_t subSize = Le32(sub);
    const uint16_t subType = Le16(sub + 4);
    uint64_t dataSize = 0;
    if (subType == kUncompressed) {
      // The size field is not trusted here: a raw frame is always the full frame.
      dataSize = uint64_t{width_} * height_;
    } else {
      if (subSize < kSubHeaderBytes) return false;
      dataSize = subSize - kSubHeaderBytes;
    }
    if (dataSize > size_ - pos_) return false;
    chunk_.resize(static_cast<size_t>(dataSize));
    if (!Read(chunk_.data(), chunk_.size())) return false;
    if (!DecodeSubChunk(subType, chunk_.data(), chunk_.size(), display)) return false;
  }
  return true;
}

bool MovieDecoder::DecodeSubChunk(uint16_t type, const uint8_t* data, size_t size,
                                  Display* display) {
  ByteReader r(data, size);
  const Canvas canvas{display->screen, display->pitch, width_, height_};
  switch (type) {
    case kColour256:
    case kColour64:
      if (!DecodePalette(r, palette_, type == kColour64 ? 2 : 0)) return false;
      display->SetPalette(palette_);
      display->RealizePalette();
      return true;
    case kWordDelta:
      return DecodeWordDelta(r, canvas);
    case kByteDelta:
      return DecodeByteDelta(r, canvas);
    case kBlack:
      display->ClearScreen();
      return true;
    case kByteRun:
      return DecodeByteRun(r, canvas);
    case kUncompressed:
      return DecodeUncompressed(r, canvas);
    default:
      return true;  // a thumbnail or anything else the player has no use for
  }
}

namespace {
int gMoviesPlaying = 0;
// Counts the movie in for as long as it plays.
struct MovieCount {
  MovieCount() { ++gMoviesPlaying; }
  ~MovieCount() { --gMoviesPlaying; }
};
}  // namespace

bool MoviePlaying() {
  return gMoviesPlaying > 0;
}

bool PlayMovie(const char* name, bool loop, int frameMs, Display* display) {
  if (!name || !display) return false;
  MovieCount counted;
  const bool flc = EndsInC(name);
  MovieDecoder movie;
  if (!movie.OpenFile(DataPath(name), flc)) return false;
  display->TakeLastKey();
  if (movie.Frames() == 0) return false;

  // Chunks count from the one at offset 128; an .flc file's first chunk is
  // its prefix, so its frames are chunks 1 .. frames and the ring frame the
  // one after.
  const uint32_t last = flc ? movie.Frames() : movie.Frames() - 1u;
  uint32_t index = flc ? 1 : 0;
  const uint32_t waitMs = static_cast<uint32_t>(std::max(frameMs, 0));
  uint8_t key = 0;
  for (;;) {
    const uint32_t noted = PlatformMilliseconds();
    if (!movie.DecodeFrame(display)) return false;
    display->Flip();
    bool done = false;
    if (loop) {
      if (index == last + 1) {
        // The ring frame brought the picture back to the start.
        if (!movie.SeekLoopPoint()) return false;
        index = 1;
      } else {
        ++index;
      }
    } else {
      done = index++ >= last;
    }
    key = display->TakeLastKey();
    WaitSince(noted, waitMs);
    if (done || !display->ProcessMessages() || key == kEscape) break;
  }
  return key == kEscape;
}

void PlayNumberedMovie(int n) {
  Display* display = GraphicsDisplay() ? GraphicsDisplay() : TheDisplay();
  if (!display) return;
  MovieCount counted;  // the ending's epilogue and credits too
  const uint32_t start = PlatformMilliseconds();
  const uint32_t excludedBefore = ExcludedTimeSoFar();
  display->ClearScreen();
  display->Flip();
  switch (n) {
    case 0:
    case 1:
      PlaySong(202);
      PlayMovie(n == 0 ? "graphics\\ch1.flc" : "graphics\\ch2.flc", false, 60, display);
      break;
    case 2:
    case 3:
      PlaySong(208);
      PlayMovie(n == 2 ? "graphics\\ch3.flc" : "graphics\\ch4.flc", false, 60, display);
      break;
    case 4:
      PlaySong(203);
      PlayMovie("graphics\\ending.flc", false, 100, display);
      ShowEpilogue(display);
      ShowCredits(display, true);
      break;
    case 10:
      StopSong();
      MakeNormalSound(194);
      PlayMovie("graphics\\sword.flc", false, 60, display);
      ResumeSong();
      break;
    case 11:
      StopSong();
      MakeNormalSound(205);  // the intro's music plays along with it
      if (PlayMovie("graphics\\intro.flc", false, 60, display)) StopEffect(205);
      break;
    default:
      break;
  }
  display->ClearScreen();
  display->Flip();
  display->LoadBmp("graphics\\pal.bmp");
  // The movie's whole time is kept out of the game clock once: a wait in an
  // inactive window during it has already been counted by Flip.
  const uint32_t inner = ExcludedTimeSoFar() - excludedBefore;
  const uint32_t whole = PlatformMilliseconds() - start;
  AddExcludedTime(whole > inner ? static_cast<int32_t>(whole - inner) : 0);
}

}  // namespace torvel
