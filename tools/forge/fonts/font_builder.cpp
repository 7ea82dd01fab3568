#include "forge/fonts/font_builder.h"

#include <algorithm>
#include <cmath>

#include "forge/paint/glyph_raster.h"
#include "forge/palette.h"

namespace torvel::forge {

FontDesign BigFontDesign() {
  FontDesign d;
  d.face = "DejaVuSansCondensed-Bold.ttf";
  d.pixelSize = 22;
  d.gap = 2;
  d.letterCoding = true;
  d.ramp = kGold;  // gold letters that still show 16 shades darker
  d.shadeEdge = 13;
  d.shadeFull = 28;
  d.gradient = 3;
  d.threshold = 56;
  return d;
}

FontDesign EditorFontDesign() {
  FontDesign d;
  d.face = "DejaVuSans.ttf";
  d.pixelSize = 10;
  d.gap = 1;
  d.pointerArrow = true;
  d.ramp = kGrey;
  d.shadeEdge = 20;
  d.shadeFull = 31;
  d.threshold = 72;
  return d;
}

FontDesign EditorCodedFontDesign() {
  FontDesign d = EditorFontDesign();
  d.pointerArrow = false;
  d.letterCoding = true;
  return d;
}

FontDesign SmallFontDesign() {
  FontDesign d;
  d.face = "DejaVuSansCondensed-Bold.ttf";
  d.pixelSize = 12;
  d.gap = 1;
  d.letterCoding = true;
  d.ramp = kGrey;
  d.shadeEdge = 18;
  d.shadeFull = 31;
  d.threshold = 64;
  return d;
}

char32_t LetterCodingGlyph(uint8_t code) {
  switch (code) {
    case 'A':
      return U'А';
    case 'B':
      return U'В';
    case 'C':
      return U'С';
    case 'D':
      return U'Д';
    case 'E':
      return U'Е';
    case 'F':
      return U'Г';
    case 'G':
      return U'Ж';
    case 'H':
      return U'Н';
    case 'I':
      return U'I';  // a bare stem: after b it reads as Ы
    case 'J':
      return U'Й';
    case 'K':
      return U'К';
    case 'L':
      return U'П';
    case 'M':
      return U'М';
    case 'N':
      return U'И';
    case 'O':
      return U'Ф';
    case 'P':
      return U'Р';
    case 'Q':
      return U'Ц';
    case 'R':
      return U'Я';
    case 'S':
      return U'Б';
    case 'T':
      return U'Т';
    case 'U':
      return U'Ш';
    case 'V':
      return U'Л';
    case 'W':
      return U'Ю';
    case 'X':
      return U'Х';
    case 'Y':
      return U'У';
    case 'Z':
      return U'Э';
    case 'b':
      return U'Ь';
    case '&':
      return U'Щ';
    case '0':
      return U'О';  // round: zero and the letter О alike
    case '4':
      return U'Ч';  // an open-topped 4
    default:
      return code;  // 3 keeps the digit's open lower bowl, like З
  }
}

namespace {

// The editor's pointer: an arrow with its tip at the top-left pixel.
constexpr const char* kPointer[12] = {
    "X.......", "XX......", "XXX.....", "XXXX....", "XXXXX...", "XXXXXX..",
    "XXXXXXX.", "XXXXXXXX", "XXXXX...", "XX.XX...", "X...XX..", "....XX..",
};

}  // namespace

BuiltFont BuildFont(const FontDesign& design) {
  BuiltFont out;
  GlyphFace face(DejaVuPath(design.face), design.pixelSize);
  if (!face.ok()) return out;
  int ascent = face.ascender(), descent = -face.descender();
  int height = ascent + descent;
  if (design.pointerArrow) height = std::max(height, 12);
  int baseline = ascent;
  out.height = static_cast<uint8_t>(height);
  out.gap = static_cast<uint8_t>(design.gap);
  int spaceWidth = std::max(3, (design.pixelSize + 1) / 3);
  out.blankWidth = static_cast<uint8_t>(spaceWidth);

  for (int code = 32; code <= 126; ++code) {
    FontGlyph glyph;
    if (code == 125 && design.pointerArrow) {
      glyph.width = 8;
      glyph.pixels.assign(8u * height, 0);
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 8; ++x)
          if (kPointer[y][x] == 'X')
            glyph.pixels[static_cast<size_t>(y) * 8 + x] = Shade(kGrey, 31);
      out.glyphs.push_back(glyph);
      continue;
    }
    char32_t letter = design.letterCoding ? LetterCodingGlyph(static_cast<uint8_t>(code))
                                          : static_cast<char32_t>(code);
    GlyphBitmap g;
    bool drawn = code != ' ' && face.Render(letter, g);
    // The ink's columns.
    int x0 = g.width, x1 = -1;
    for (int y = 0; drawn && y < g.height; ++y)
      for (int x = 0; x < g.width; ++x)
        if (g.At(x, y) >= design.threshold) {
          x0 = std::min(x0, x);
          x1 = std::max(x1, x);
        }
    if (x1 < 0) {
      glyph.width = static_cast<uint8_t>(spaceWidth);
      glyph.pixels.assign(static_cast<size_t>(spaceWidth) * height, 0);
      out.glyphs.push_back(glyph);
      continue;
    }
    int width = x1 - x0 + 1;
    glyph.width = static_cast<uint8_t>(width);
    glyph.pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < g.height; ++y) {
      int row = baseline - g.top + y;
      if (row < 0 || row >= height) continue;
      for (int x = x0; x <= x1; ++x) {
        uint8_t c = g.At(x, y);
        if (c < design.threshold) continue;
        double t = (c - design.threshold) / (255.0 - design.threshold);
        double shade = design.shadeEdge + (design.shadeFull - design.shadeEdge) * t +
                       design.gradient * (1 - 2.0 * row / (height - 1));
        int s = static_cast<int>(std::floor(shade + 0.5));
        glyph.pixels[static_cast<size_t>(row) * width + (x - x0)] =
            Shade(design.ramp, std::clamp(s, 1, 31));
      }
    }
    out.glyphs.push_back(glyph);
  }
  return out;
}

}  // namespace torvel::forge
