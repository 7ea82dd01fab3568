// Stand-in until the movie player lands.
#include "gfx/movie.h"

namespace torvel {

bool PlayMovie(const char*, bool, int, Display*) { return false; }
void PlayNumberedMovie(int) {}

}  // namespace torvel
