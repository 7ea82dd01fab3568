// Movie decoder: any bytes are decoded frame by frame until the movie ends or
// a frame is refused, never reading beyond the data or writing outside the
// screen.
#include <cstddef>
#include <cstdint>

#include "fuzz_display.h"
#include "gfx/movie.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace torvel;
  Display* display = fuzz::FuzzDisplay();
  for (bool prefix : {false, true}) {
    MovieDecoder movie;
    if (!movie.OpenBytes(data, size, prefix)) continue;
    for (int frame = 0; frame < 64; ++frame) {
      if (!movie.DecodeFrame(display)) break;
    }
    movie.SeekLoopPoint();
    movie.DecodeFrame(display);
  }
  return 0;
}
