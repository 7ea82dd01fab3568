// Font loader: any bytes either load into a font every text variant can draw
// anywhere, or are refused with a result code.
#include <cstddef>
#include <cstdint>

#include "fuzz_display.h"
#include "gfx/font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace torvel;
  Display* display = fuzz::FuzzDisplay();
  Font font;
  const int result = LoadFontBytes(data, size, font);
  if (result != kFontOk && result != kFontShortRead) __builtin_trap();
  char text[129];
  for (int i = 0; i < 128; ++i) text[i] = static_cast<char>(i * 2 + 1);
  text[128] = 0;
  const int positions[][2] = {{0, 0}, {1, 1}, {-40, 470}, {600, -5}, {639, 479}};
  for (const auto& p : positions) {
    DrawString(display, p[0], p[1], text, font);
    DrawStringBright(display, p[0], p[1], text, font, -9);
    DrawStringSolid(display, p[0], p[1], text, font, 31);
    DrawStringGlow(display, p[0], p[1], text, font);
    DrawStringGlowBright(display, p[0], p[1], text, font, 4);
  }
  (void)TextWidth(text, font);
  return 0;
}
