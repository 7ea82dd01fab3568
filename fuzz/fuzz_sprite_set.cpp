// Sprite set loader: any bytes either load into sprites every drawing mode can
// draw anywhere, or are refused.
#include <cstddef>
#include <cstdint>

#include "fuzz_display.h"
#include "gfx/sprites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace torvel;
  Display* display = fuzz::FuzzDisplay();
  SpriteSet set;
  if (!set.LoadBytes(data, size)) return 0;
  const int positions[][2] = {{0, 0},     {320, 240}, {-20, 470},
                              {630, -10}, {639, 479}, {-70000, 70000}};
  for (int i = 0; i < set.Count() && i < 64; ++i) {
    const Sprite* s = set.GetSprite(i);
    for (const auto& p : positions) {
      Draw(s, p[0], p[1], display);
      DrawBright(s, p[0], p[1], display, -7);
      DrawColored(s, p[0], p[1], display, 5, 9);
      DrawGlow(s, p[0], p[1], display, 3);
      DrawGhost(s, p[0], p[1], display, -2);
      DrawShadow(s, p[0], p[1], display);
    }
  }
  std::vector<uint8_t> again = set.Encode();
  SpriteSet copy;
  if (!copy.LoadBytes(again.data(), again.size()))
    __builtin_trap();  // what loaded, saves and loads
  return 0;
}
