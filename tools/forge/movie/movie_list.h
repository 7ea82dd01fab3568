// The seven movies the game plays, with the files they go to and the frame
// time the game plays each at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forge/movie/cast.h"

namespace torvel::forge {

struct MovieSpec {
  const char* file;     // the game's name for it
  const char* preview;  // the name of its preview strip
  int frameMs;          // as the game plays it
};

// intro, ch1 to ch4, ending, sword.
const std::vector<MovieSpec>& GameMovies();

// Draws and encodes one movie of the list; the file bytes, and a preview
// strip (one frame a second) written to previewPath unless it is empty.
std::vector<uint8_t> MakeMovie(size_t index, const MovieCast& cast, const std::string& previewPath);

}  // namespace torvel::forge
