// Glyphs from the DejaVu outline fonts, rasterised by FreeType with
// antialiasing: the raw material of the game's bitmap fonts and of lettering
// painted into pictures and sprites.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forge/paint/mask.h"

namespace torvel::forge {

// The host path of a DejaVu face ("DejaVuSans-Bold.ttf").
std::string DejaVuPath(const std::string& file);

// One rasterised glyph: coverage 0..255, with its placement relative to the
// pen on the baseline.
struct GlyphBitmap {
  int width = 0, height = 0;
  int left = 0;     // pen x to the bitmap's left edge
  int top = 0;      // baseline to the bitmap's top row (up is positive)
  int advance = 0;  // pen movement, whole pixels
  std::vector<uint8_t> coverage;
  uint8_t At(int x, int y) const {
    return x < 0 || y < 0 || x >= width || y >= height
               ? 0
               : coverage[static_cast<size_t>(y) * width + x];
  }
};

// A face opened at a pixel size (the em height). Not copyable; closes the
// face when it goes.
class GlyphFace {
 public:
  GlyphFace(const std::string& path, int pixelSize);
  ~GlyphFace();
  GlyphFace(const GlyphFace&) = delete;
  GlyphFace& operator=(const GlyphFace&) = delete;

  bool ok() const { return face_ != nullptr; }
  int ascender() const { return ascender_; }
  int descender() const { return descender_; }  // negative: below the baseline
  // A glyph by Unicode code point; false when the face cannot render it.
  bool Render(uint32_t codePoint, GlyphBitmap& out) const;
  // Kerning between two code points, whole pixels.
  int Kerning(uint32_t left, uint32_t right) const;

 private:
  void* face_ = nullptr;
  int ascender_ = 0, descender_ = 0;
};

// A line of text as coverage over a box just big enough, the baseline at
// row `baseline`; the mask keeps pixels of coverage >= threshold.
struct TextRaster {
  int width = 0, height = 0, baseline = 0;
  std::vector<uint8_t> coverage;
  Mask ToMask(uint8_t threshold = 110) const;
};
TextRaster RenderText(const GlyphFace& face, const std::u32string& text, int letterSpacing = 0);

}  // namespace torvel::forge
