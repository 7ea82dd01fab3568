// The three fonts, and a preview of each: every glyph by its code, and
// lines of the game's own texts as the game prints them.
#include <algorithm>
#include <cstdio>

#include "forge/fonts/font_builder.h"
#include "forge/forge.h"
#include "forge/forge_files.h"
#include "forge/palette.h"
#include "forge/preview.h"
#include "gfx/font.h"

namespace torvel::forge {

namespace {

// Prints text with a built font into an 8-bit image, glyph pixels as they
// are (the plain variant).
int PrintInto(std::vector<uint8_t>& image, int pitch, int rows, int x, int y,
              const std::string& text, const BuiltFont& font) {
  for (unsigned char code : text) {
    int index = code - font.firstChar;
    if (index < 0 || index >= static_cast<int>(font.glyphs.size())) {
      x += font.gap + font.blankWidth;
      continue;
    }
    const FontGlyph& g = font.glyphs[index];
    for (int gy = 0; gy < font.height; ++gy)
      for (int gx = 0; gx < g.width; ++gx) {
        uint8_t p = g.pixels[static_cast<size_t>(gy) * g.width + gx];
        int px = x + gx, py = y + gy;
        if (p && px >= 0 && py >= 0 && px < pitch && py < rows)
          image[static_cast<size_t>(py) * pitch + px] = p;
      }
    x += font.gap + g.width;
  }
  return x;
}

bool WriteFontPreview(const ForgeOptions& options, const std::string& name, const BuiltFont& font,
                      const std::vector<std::string>& samples) {
  std::string path = PreviewPath(options, name);
  if (path.empty()) return true;
  const int width = 640;
  int lineHeight = font.height + 8;
  int glyphRows = (static_cast<int>(font.glyphs.size()) + 15) / 16;
  int cell = std::max<int>(font.height + 10, 20);
  int height = glyphRows * cell + static_cast<int>(samples.size()) * lineHeight + 24;
  std::vector<uint8_t> image(static_cast<size_t>(width) * height, Shade(kBlue, 3));
  for (size_t i = 0; i < font.glyphs.size(); ++i) {
    int cx = 8 + static_cast<int>(i % 16) * 39, cy = 4 + static_cast<int>(i / 16) * cell;
    DrawPreviewLabel(image, width, height, cx, cy, std::to_string(font.firstChar + i),
                     Shade(kGrey, 14));
    PrintInto(image, width, height, cx + 14, cy + 2,
              std::string(1, static_cast<char>(font.firstChar + i)), font);
  }
  int y = glyphRows * cell + 16;
  for (const std::string& line : samples) {
    PrintInto(image, width, height, 8, y, line, font);
    y += lineHeight;
  }
  std::array<uint8_t, 1024> bgrx = GamePaletteBgrx();
  // Twice the size, so the pixels can be judged.
  std::vector<uint8_t> big(static_cast<size_t>(width) * 2 * height * 2);
  for (int py = 0; py < height * 2; ++py)
    for (int px = 0; px < width * 2; ++px)
      big[static_cast<size_t>(py) * width * 2 + px] =
          image[static_cast<size_t>(py / 2) * width + px / 2];
  return WritePicturePreview(path, big, width * 2, height * 2, bgrx);
}

bool ForgeOneFont(const ForgeOptions& options, const char* systemName, const char* previewName,
                  const FontDesign& design, const std::vector<std::string>& samples) {
  BuiltFont font = BuildFont(design);
  std::vector<uint8_t> bytes;
  if (font.glyphs.empty() ||
      !EncodeFont(font.firstChar, font.height, font.blankWidth, font.gap, font.glyphs, bytes)) {
    std::fprintf(stderr, "forge: cannot build the font %s\n", systemName);
    return false;
  }
  if (!WriteGameFile(options, systemName, bytes)) return false;
  return WriteFontPreview(options, previewName, font, samples);
}

}  // namespace

bool ForgeFonts(const ForgeOptions& options) {
  const std::vector<std::string> gameSamples = {
      "H0BAR NFPA   LP0D0VGNTb   BbIX0D",    "4ACTb ME4A APMAFEDD0HA!",
      "GN3Hb:045/064  MAHA:012/030  $00123", "R HACT0R&NN KVW4HNK   3BYK III",
      "%02d:%02d  YP0B:%02d   0123456789",   "ZNP VAHCEV0TC  L0DBECKA-CEPDQE  O0HAPb",
  };
  const std::vector<std::string> editorSamples = {
      "Floor Wall Item Mnstr Light Dark Smth Torch Spcl",
      "Click on floor tile to use   Wall #012   (031,064)",
      "Impassable Icy Muddy Water Lava Pushable Transparent Roof",
      "Pointer: }",
  };
  // The game's texts the editor shows: buttons, trigger names, monster kinds.
  const std::vector<std::string> codedSamples = {
      "C4NTATb  3ALNCb  TYMSVEP  H0BbIN MNP",
      "UAFN NFP0KA  NFP0K B n KBADPATAX  L0KA3 C00S&EHNN",
      "PA3SNTb QELb C0CEDA 0C0S0  MH0F0KPATH0",
      "01:CNVASYVYC  0123456789",
  };
  return ForgeOneFont(options, "graphics\\listiumbig.vft", "font0_listiumbig", BigFontDesign(),
                      gameSamples) &&
         ForgeOneFont(options, "graphics\\verdana.vft", "font1_verdana", EditorFontDesign(),
                      editorSamples) &&
         ForgeOneFont(options, "graphics\\listium.vft", "font2_listium", SmallFontDesign(),
                      gameSamples) &&
         ForgeOneFont(options, "graphics\\verdanaru.vft", "font1_verdanaru",
                      EditorCodedFontDesign(), codedSamples);
}

}  // namespace torvel::forge
