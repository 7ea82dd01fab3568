#include "forge/paint/glyph_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

namespace torvel::forge {

namespace {

// One FreeType library for the whole forge run.
FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) return static_cast<FT_Library>(nullptr);
    return lib;
  }();
  return library;
}

}  // namespace

std::string DejaVuPath(const std::string& file) {
  return std::string(TORVEL_FONT_DIR) + "/" + file;
}

GlyphFace::GlyphFace(const std::string& path, int pixelSize) {
  FT_Library lib = Library();
  if (!lib) return;
  FT_Face face = nullptr;
  if (FT_New_Face(lib, path.c_str(), 0, &face) != 0) {
    std::fprintf(stderr, "forge: cannot open the font %s\n", path.c_str());
    return;
  }
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    FT_Done_Face(face);
    return;
  }
  face_ = face;
  ascender_ = static_cast<int>(face->size->metrics.ascender >> 6);
  descender_ = static_cast<int>(face->size->metrics.descender >> 6);
}

GlyphFace::~GlyphFace() {
  if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
}

bool GlyphFace::Render(uint32_t codePoint, GlyphBitmap& out) const {
  if (!face_) return false;
  FT_Face face = static_cast<FT_Face>(face_);
  FT_UInt index = FT_Get_Char_Index(face, codePoint);
  if (index == 0) return false;
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  out.width = static_cast<int>(bm.width);
  out.height = static_cast<int>(bm.rows);
  out.left = slot->bitmap_left;
  out.top = slot->bitmap_top;
  out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x)
      out.coverage[static_cast<size_t>(y) * out.width + x] = bm.buffer[y * bm.pitch + x];
  return true;
}

int GlyphFace::Kerning(uint32_t left, uint32_t right) const {
  if (!face_) return 0;
  FT_Face face = static_cast<FT_Face>(face_);
  if (!FT_HAS_KERNING(face)) return 0;
  FT_Vector k{};
  FT_Get_Kerning(face, FT_Get_Char_Index(face, left), FT_Get_Char_Index(face, right),
                 FT_KERNING_DEFAULT, &k);
  return static_cast<int>((k.x + 32) >> 6);
}

Mask TextRaster::ToMask(uint8_t threshold) const {
  Mask m(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (coverage[static_cast<size_t>(y) * width + x] >= threshold) m.Set(x, y);
  return m;
}

TextRaster RenderText(const GlyphFace& face, const std::u32string& text, int letterSpacing) {
  TextRaster out;
  std::vector<GlyphBitmap> glyphs(text.size());
  std::vector<int> penX(text.size());
  int pen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i > 0) pen += face.Kerning(text[i - 1], text[i]) + letterSpacing;
    penX[i] = pen;
    if (face.Render(text[i], glyphs[i])) pen += glyphs[i].advance;
  }
  out.baseline = face.ascender() + 2;
  out.height = face.ascender() - face.descender() + 4;
  int minX = 0, maxX = pen;
  for (size_t i = 0; i < text.size(); ++i) {
    minX = std::min(minX, penX[i] + glyphs[i].left);
    maxX = std::max(maxX, penX[i] + glyphs[i].left + glyphs[i].width);
  }
  out.width = maxX - minX + 2;
  out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (size_t i = 0; i < text.size(); ++i) {
    const GlyphBitmap& g = glyphs[i];
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        int px = penX[i] + g.left + x - minX + 1, py = out.baseline - g.top + y;
        if (px < 0 || py < 0 || px >= out.width || py >= out.height) continue;
        uint8_t& c = out.coverage[static_cast<size_t>(py) * out.width + px];
        c = std::max(c, g.At(x, y));
      }
    }
  }
  return out;
}

}  // namespace torvel::forge
