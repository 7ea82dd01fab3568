// The movies themselves, and the small timing helpers their storyboards
// share. Each maker draws its frames into the movie maker it is given.
#pragma once

#include <algorithm>

#include "forge/movie/cast.h"
#include "forge/movie/movie_maker.h"
#include "forge/movie/picture.h"

namespace torvel::forge {

// 0 before start, 1 after end, smooth in between.
inline double Progress(double t, double start, double end) {
  if (t <= start) return 0.0;
  if (t >= end) return 1.0;
  double f = (t - start) / (end - start);
  return f * f * (3.0 - 2.0 * f);
}
// How far a caption shown from start to end has faded in (0 hidden .. 1
// full), fading over `fade` seconds at both ends.
inline double CaptionLight(double t, double start, double end, double fade = 0.6) {
  return std::min(Progress(t, start, start + fade), 1.0 - Progress(t, end - fade, end));
}

// Frames of frameMs that last as near to seconds as can be (at least one).
inline int FramesFor(double seconds, int frameMs) {
  return std::max(1, static_cast<int>(seconds * 1000.0 / frameMs + 0.5));
}

// The movies. Chapter world 0..3 opens the river, the forest, the castle
// and the underground.
void MakeIntro(const MovieCast& cast, MovieMaker& movie);
void MakeChapter(int world, const MovieCast& cast, MovieMaker& movie);
void MakeSwordScene(const MovieCast& cast, MovieMaker& movie);
void MakeEnding(const MovieCast& cast, MovieMaker& movie);

}  // namespace torvel::forge
