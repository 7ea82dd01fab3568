// The movie player: a small streaming FLC/FLI decoder drawing every movie
// pixel as a 2x2 block on the screen, and the numbered-movie dispatcher that
// takes care of the music around each movie and of the game clock.
//
// File: a 128-byte header (frame count at 6, width at 8, height at 10, all
// u16), then frame chunks: u32 size, u16 type, u16 sub-chunk count, 8 unused
// bytes, and the sub-chunks right after (u32 size including the 6-byte
// header, u16 type). Sub-chunks decoded: 4 and 11 (palette, 8-bit and 6-bit
// components), 7 (word delta), 12 (byte delta), 13 (black), 15 (byte run),
// 16 (uncompressed); others are skipped. A frame chunk of type 0x00A1 is
// skipped whole. An .flc file starts with a prefix chunk that is skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace torvel {

class Display;

constexpr int kMovieMaxWidth = 320;
constexpr int kMovieMaxHeight = 240;

// One movie being decoded: the header, the position in the stream and the
// movie's own palette. Reads from a file a chunk at a time, or from bytes in
// memory. Every length is checked against the bytes present, and every pixel
// written lies inside the movie's doubled frame.
class MovieDecoder {
 public:
  MovieDecoder() = default;
  ~MovieDecoder();
  MovieDecoder(const MovieDecoder&) = delete;
  MovieDecoder& operator=(const MovieDecoder&) = delete;

  // Reads the header and places the stream at the first frame (past the
  // prefix chunk when skipPrefix). False for a missing or short file, or a
  // frame size of 0 or beyond 320 x 240.
  bool OpenFile(const std::string& hostPath, bool skipPrefix);
  bool OpenBytes(const uint8_t* bytes, size_t size, bool skipPrefix);
  void Close();

  uint16_t Frames() const { return frames_; }
  uint16_t Width() const { return width_; }
  uint16_t Height() const { return height_; }
  // Palette of the movie so far (256 x blue, green, red, reserved).
  const uint8_t* Palette() const { return palette_; }

  // Decodes the next frame chunk into the display's screen. False when the
  // data end early or hold sizes that do not fit the frame; the screen then
  // keeps what was drawn before the fault, and nothing outside the frame.
  bool DecodeFrame(Display* display);
  // Continues at the loop point (128 + the first chunk's size).
  bool SeekLoopPoint();

 private:
  bool Read(void* dst, size_t count);
  bool Seek(uint64_t offset);
  uint64_t Tell() const { return pos_; }
  bool OpenHeader(bool skipPrefix);
  bool DecodeSubChunk(uint16_t type, const uint8_t* data, size_t size, Display* display);

  std::FILE* file_ = nullptr;
  const uint8_t* bytes_ = nullptr;
  uint64_t size_ = 0;
  uint64_t pos_ = 0;
  uint16_t frames_ = 0;
  uint16_t width_ = 0;
  uint16_t height_ = 0;
  uint32_t firstChunkSize_ = 0;
  uint8_t palette_[1024] = {};
  std::vector<uint8_t> chunk_;  // the current sub-chunk's data
};

// Plays a movie from the game folder ("graphics\\intro.flc"), frameMs
// milliseconds a frame; names ending in "c" are .flc files with a prefix
// chunk. With loop set it plays on, ring frame included, until stopped.
// Stops at the end, on Escape or when the window closes. True only when the
// player stopped it with Escape; a movie that cannot be opened, ends early or
// is inconsistent stops there with false.
bool PlayMovie(const char* name, bool loop, int frameMs, Display* display);
// Plays movie n (0..4 the chapters and ending, 10 the sword, 11 the intro)
// with its music, restores the game palette from "graphics\\pal.bmp" and keeps
// the time spent out of the game clock. Other numbers play nothing.
void PlayNumberedMovie(int n);
// Whether a movie is being played now, or a numbered movie's show (the
// ending's epilogue and credits) runs: tools that watch the game.
bool MoviePlaying();

}  // namespace torvel
