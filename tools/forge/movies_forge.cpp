// The forge's movies: the intro, the four chapter openings, the ending and
// the sword scene, drawn with the forge's palette, paint, fonts and sprite
// sets and encoded as FLC files.
#include <atomic>
#include <cstdio>
#include <thread>

#include "forge/forge.h"
#include "forge/forge_files.h"
#include "forge/movie/movie_list.h"
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
  // Each movie is made on its own, so the workers give the same bytes as one.
  std::vector<std::vector<uint8_t>> bytes(movies.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < movies.size(); i = next++)
      bytes[i] = MakeMovie(i, cast, PreviewPath(options, movies[i].preview));
  };
  unsigned workers = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  std::vector<std::thread> threads;
  for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  for (size_t i = 0; i < movies.size(); ++i) {
    if (!WriteGameFile(options, movies[i].file, bytes[i])) return false;
  }
  return true;
}

}  // namespace torvel::forge
