#include "forge/movie/movie_list.h"

#include "forge/movie/story.h"

namespace torvel::forge {

const std::vector<MovieSpec>& GameMovies() {
  static const std::vector<MovieSpec> kMovies = {
      {"graphics\\intro.flc", "movie_intro", 60}, {"graphics\\ch1.flc", "movie_ch1", 60},
      {"graphics\\ch2.flc", "movie_ch2", 60},     {"graphics\\ch3.flc", "movie_ch3", 60},
      {"graphics\\ch4.flc", "movie_ch4", 60},     {"graphics\\ending.flc", "movie_ending", 100},
      {"graphics\\sword.flc", "movie_sword", 60},
  };
  return kMovies;
}

std::vector<uint8_t> MakeMovie(size_t index, const MovieCast& cast,
                               const std::string& previewPath) {
  MovieMaker movie(GameMovies().at(index).frameMs);
  switch (index) {
    case 0:
      MakeIntro(cast, movie);
      break;
    case 1:
    case 2:
    case 3:
    case 4:
      MakeChapter(static_cast<int>(index) - 1, cast, movie);
      break;
    case 5:
      MakeEnding(cast, movie);
      break;
    default:
      MakeSwordScene(cast, movie);
      break;
  }
  if (!previewPath.empty()) movie.WritePreview(previewPath);
  return movie.Finish();
}

}  // namespace torvel::forge
