// The game's bitmap fonts, rendered from the DejaVu outline faces. Fonts 0
// and 2 draw the game's letter coding: upper-case Latin codes get the
// Cyrillic letters they stand for (N is И, R is Я, b is Ь, & is Щ), and 0,
// 3 and 4 are shaped to read both as digits and as О, З and Ч. Font 1 is
// plain Latin with the editor's pointer arrow at code 125.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/font.h"

namespace torvel::forge {

struct FontDesign {
  const char* face = "DejaVuSans.ttf";
  int pixelSize = 12;
  int gap = 1;  // extra pixels after every glyph
  bool letterCoding = false;
  bool pointerArrow = false;  // code 125 becomes the editor's pointer
  int ramp = 0;
  double shadeEdge = 16;   // shade where the outline just covers a pixel
  double shadeFull = 31;   // shade where it covers it fully
  double gradient = 0;     // shades added at the top row, taken at the bottom
  uint8_t threshold = 64;  // coverage below this stays transparent
};

// The three fonts as the game numbers them.
FontDesign BigFontDesign();     // 0: "graphics\listiumbig.vft"
FontDesign EditorFontDesign();  // 1: "graphics\verdana.vft"
FontDesign SmallFontDesign();   // 2: "graphics\listium.vft"
// The editor's font drawing the letter coding, for the game's own texts in
// the editor's panels: "graphics\verdanaru.vft".
FontDesign EditorCodedFontDesign();

struct BuiltFont {
  uint8_t firstChar = 32;
  uint8_t height = 0;
  uint8_t blankWidth = 0;
  uint8_t gap = 0;
  std::vector<FontGlyph> glyphs;  // codes firstChar onward
};

// Codes 32..126, each glyph as wide as its ink (the space a third of the
// size). Empty when the face cannot be opened.
BuiltFont BuildFont(const FontDesign& design);

// The Unicode letter a code of the game's letter coding is drawn as.
char32_t LetterCodingGlyph(uint8_t code);

}  // namespace torvel::forge
