// The forge's movies: the intro, the four chapter openings, the ending and
// the sword scene, drawn with the forge's palette, paint, fonts and sprite
// sets and encoded as FLC files.
#include <cstdio>

#include "forge/forge.h"
#include "forge/forge_files.h"
#include "forge/movie/movie_list.h"
#include "forge/parallel.h"
#include "forge/preview.h"

namespace torvel::forge {

bool ForgeMovies(const ForgeOptions& options) {
  MovieCast cast;
  std::string error;
  if (!cast.Load(options, error)) {
    std::fprintf(stderr, "forge: %s\n", error.c_str());
    return false;
  }
  const std::vector<MovieSpec>& movies = GameMovies();
  std::vector<std::vector<uint8_t>> bytes(movies.size());
  ParallelFor(movies.size(), [&](size_t i) {
    bytes[i] = MakeMovie(i, cast, PreviewPath(options, movies[i].preview));
  });
  for (size_t i = 0; i < movies.size(); ++i) {
    if (!WriteGameFile(options, movies[i].file, bytes[i])) return false;
  }
  return true;
}

}  // namespace torvel::forge
