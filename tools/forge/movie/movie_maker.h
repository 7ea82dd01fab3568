// Turns drawn frames into an FLC movie through the game's encoder, with the
// light of each frame set through its palette (fades and flashes cost a
// palette chunk, not a new picture), and keeps a frame a second for people
// to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forge/movie/picture.h"
#include "gfx/flc_writer.h"

namespace torvel::forge {

class MovieMaker {
 public:
  MovieMaker(int frameMs, int width = kMovieWidth, int height = kMovieHeight);

  // Adds a frame seen at light: 0 black, 1 the game palette as it is,
  // above 1 washing toward white (a flash).
  void Add(const Picture& frame, double light = 1.0);
  int Frames() const { return frames_; }
  int FrameMs() const { return frameMs_; }
  // Seconds of the movie so far.
  double Seconds() const { return frames_ * frameMs_ / 1000.0; }
  // The file bytes.
  std::vector<uint8_t> Finish();

  // A strip of the frames kept (one each second), as RGB, side by side in
  // rows of `columns`.
  bool WritePreview(const std::string& hostPath, int columns = 5) const;

 private:
  int frameMs_;
  int width_, height_;
  int frames_ = 0;
  FlcEncoder encoder_;
  std::vector<std::vector<uint8_t>> kept_;  // RGB of one frame a second
};

// The game palette (blue, green, red, 0) at a light level, as above.
std::vector<uint8_t> PaletteAt(double light);

}  // namespace torvel::forge
