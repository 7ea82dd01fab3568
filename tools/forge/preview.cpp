#include "forge/preview.h"

#include <algorithm>

#include "common/png.h"
#include "forge/palette.h"

namespace torvel::forge {

namespace {

// 3 x 5 label glyphs, one row per entry, bit 2 = left column.
struct LabelGlyph {
  char code;
  uint8_t rows[5];
};

constexpr LabelGlyph kLabelGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},
    {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},
    {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}},
    {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}}, {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},
    {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}}, {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}},
    {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},
    {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}}, {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},
    {'-', {0, 0, 7, 0, 0}}, {':', {0, 2, 0, 2, 0}}, {'.', {0, 0, 0, 0, 2}}, {'/', {1, 1, 2, 4, 4}},
    {'>', {4, 2, 1, 2, 4}}, {'+', {0, 2, 7, 2, 0}},
};

const LabelGlyph* FindGlyph(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const LabelGlyph& g : kLabelGlyphs)
    if (g.code == c) return &g;
  return nullptr;
}

constexpr int kLabelHeight = 7;  // 5 rows of glyph and a gap on each side
constexpr int kCellPad = 3;
constexpr int kSheetMargin = 4;

// Sheet colours, all from the game palette.
constexpr uint8_t kSheetBack = Shade(kGrey, 4);
constexpr uint8_t kCellBack = Shade(kGrey, 12);
constexpr uint8_t kLabelColour = Shade(kGrey, 30);
constexpr uint8_t kEmptyMark = Shade(kRed, 14);
constexpr uint8_t kHotSpotMark = Shade(kIce, 26);

uint8_t PreviewPixel(PreviewMode mode, uint8_t src, uint8_t dst) {
  switch (mode) {
    case PreviewMode::kGhost: {
      int s = ShadeOf(dst) + ShadeOf(src);
      return Shade(RampOf(src), s);
    }
    case PreviewMode::kGlow:
      if (src < 32) return Shade(RampOf(dst), ShadeOf(dst) + src);
      return src;
    case PreviewMode::kPlain:
      break;
  }
  return src;
}

struct Cell {
  int x = 0, y = 0, w = 0, h = 0;  // the sprite area inside the cell
};

}  // namespace

int DrawPreviewLabel(std::vector<uint8_t>& image, int pitch, int height, int x, int y,
                     const std::string& text, uint8_t colour) {
  int cx = x;
  for (char c : text) {
    const LabelGlyph* g = FindGlyph(c);
    if (g) {
      for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 3; ++col) {
          if (!(g->rows[row] & (4 >> col))) continue;
          int px = cx + col, py = y + row;
          if (px >= 0 && px < pitch && py >= 0 && py < height)
            image[static_cast<size_t>(py) * pitch + px] = colour;
        }
      }
    }
    cx += 4;
  }
  return cx - x;
}

std::vector<uint8_t> RenderSpriteSheet(const std::vector<SpriteImage>& sprites,
                                       const SheetOptions& options, int& width, int& height) {
  // Lay the cells out in shelves, index order.
  std::vector<Cell> cells(sprites.size());
  int rowX = kSheetMargin, rowY = kSheetMargin, rowHeight = 0, sheetWidth = 0;
  int maxSide = 0;
  for (const SpriteImage& s : sprites) maxSide = std::max({maxSide, s.width, s.height});
  for (size_t i = 0; i < sprites.size(); ++i) {
    const SpriteImage& s = sprites[i];
    int labelWidth = 4 * static_cast<int>(std::to_string(i).size());
    int w = std::max({s.Empty() ? 8 : s.width, labelWidth, 8});
    int h = s.Empty() ? 8 : s.height;
    int cellW = w + 2 * kCellPad, cellH = h + kLabelHeight + 2 * kCellPad;
    if (rowX + cellW > options.maxWidth && rowX > kSheetMargin) {
      rowX = kSheetMargin;
      rowY += rowHeight + 2;
      rowHeight = 0;
    }
    cells[i] = {rowX + kCellPad, rowY + kCellPad + kLabelHeight, w, h};
    rowX += cellW + 2;
    rowHeight = std::max(rowHeight, cellH);
    sheetWidth = std::max(sheetWidth, rowX);
  }
  int w0 = std::max(sheetWidth + kSheetMargin - 2, 16);
  int h0 = rowY + rowHeight + kSheetMargin;
  std::vector<uint8_t> image(static_cast<size_t>(w0) * h0, kSheetBack);

  for (size_t i = 0; i < sprites.size(); ++i) {
    const SpriteImage& s = sprites[i];
    const Cell& c = cells[i];
    for (int y = c.y - kLabelHeight - kCellPad; y < c.y + c.h + kCellPad; ++y)
      for (int x = c.x - kCellPad; x < c.x + c.w + kCellPad; ++x)
        image[static_cast<size_t>(y) * w0 + x] = kCellBack;
    DrawPreviewLabel(image, w0, h0, c.x, c.y - kLabelHeight, std::to_string(i), kLabelColour);
    if (s.Empty()) {
      for (int k = 0; k < 8; ++k) {
        image[static_cast<size_t>(c.y + k) * w0 + c.x + k] = kEmptyMark;
        image[static_cast<size_t>(c.y + k) * w0 + c.x + 7 - k] = kEmptyMark;
      }
      continue;
    }
    if (options.markHotSpots) {
      // Behind the sprite, so it shows wherever the sprite is see-through.
      for (int d = -2; d <= 2; ++d) {
        int hx = c.x + s.ofsX, hy = c.y + s.ofsY;
        int pts[2][2] = {{hx + d, hy}, {hx, hy + d}};
        for (auto& p : pts) {
          if (p[0] >= c.x && p[0] < c.x + c.w && p[1] >= c.y && p[1] < c.y + c.h)
            image[static_cast<size_t>(p[1]) * w0 + p[0]] = kHotSpotMark;
        }
      }
    }
    PreviewMode mode = i < options.modes.size() ? options.modes[i] : PreviewMode::kPlain;
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        if (!s.Opaque(x, y)) continue;
        uint8_t& dst = image[static_cast<size_t>(c.y + y) * w0 + c.x + x];
        dst = PreviewPixel(mode, s.At(x, y), dst);
      }
    }
  }

  int scale = options.scale;
  if (scale <= 0) scale = maxSide <= 160 ? 2 : 1;
  width = w0 * scale;
  height = h0 * scale;
  if (scale == 1) return image;
  std::vector<uint8_t> scaled(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      scaled[static_cast<size_t>(y) * width + x] =
          image[static_cast<size_t>(y / scale) * w0 + x / scale];
  return scaled;
}

bool WriteSpriteSheet(const std::string& hostPath, const std::vector<SpriteImage>& sprites,
                      const SheetOptions& options) {
  if (hostPath.empty()) return true;
  int width = 0, height = 0;
  std::vector<uint8_t> image = RenderSpriteSheet(sprites, options, width, height);
  std::array<uint8_t, 1024> bgrx = GamePaletteBgrx();
  return WritePalettedPng(hostPath, image.data(), width, height, width, bgrx.data());
}

bool WritePicturePreview(const std::string& hostPath, const std::vector<uint8_t>& pixels, int width,
                         int height, const std::array<uint8_t, 1024>& bgrx) {
  if (hostPath.empty()) return true;
  return WritePalettedPng(hostPath, pixels.data(), width, height, width, bgrx.data());
}

std::string PreviewPath(const ForgeOptions& options, const std::string& name) {
  if (options.previewDir.empty()) return "";
  return options.previewDir + "/" + name + ".png";
}

}  // namespace torvel::forge
