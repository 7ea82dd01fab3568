// The FLC encoder the forge makes the movies with.
//
// Frames of up to 320 x 240 8-bit pixels, each with its palette, go in; a
// .flc file comes out that the movie player (and any FLC decoder) plays: a
// normal 128-byte FLC header, a prefix chunk, then one frame chunk per frame.
// The first frame carries the whole palette and a byte-run image; later
// frames carry a palette chunk only when colours changed, and the smaller of
// a word delta against the previous frame or a fresh byte-run image (nothing
// at all when no pixel changed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvel {

class FlcEncoder {
 public:
  // Starts a movie; false (and nothing started) for a size outside 1..320 x
  // 1..240. frameMs is written as the header's speed.
  bool Begin(int width, int height, uint32_t frameMs);
  // Adds a frame: width * height pixels, rows top to bottom, and its palette
  // (256 x blue, green, red, reserved). False before Begin or after 65535
  // frames.
  bool AddFrame(const uint8_t* pixels, const uint8_t* paletteBgrx);
  // The file bytes; the encoder is then empty again.
  std::vector<uint8_t> Finish();

  int Width() const { return width_; }
  int Height() const { return height_; }
  uint16_t FrameCount() const { return frames_; }

 private:
  int width_ = 0;
  int height_ = 0;
  uint32_t frameMs_ = 0;
  uint16_t frames_ = 0;
  uint32_t secondFrameOffset_ = 0;
  std::vector<uint8_t> previous_;
  std::vector<uint8_t> previousPalette_;
  std::vector<uint8_t> out_;
};

// Writes an encoder's result atomically to a host path.
bool WriteFlc(const std::string& hostPath, FlcEncoder& encoder);

}  // namespace torvel
