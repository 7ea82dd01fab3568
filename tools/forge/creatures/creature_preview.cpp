#include "forge/creatures/creature_preview.h"

#include <algorithm>
#include <cstdio>

#include "actors/kinds.h"
#include "common/png.h"
#include "forge/creatures/creature_sets.h"
#include "forge/palette.h"
#include "forge/preview.h"

namespace torvel::forge::creatures {

namespace {

const char* const kFacingNames[8] = {"E", "SE", "S", "SW", "W", "NW", "N", "NE"};
constexpr int kRowLabelWidth = 14;

struct Row {
  std::string label;
  std::vector<SpriteImage> cells;
};

// Stacks one rendered sheet per row under each other, each with its label to
// the left, and writes the whole as a PNG.
bool WriteRows(const std::string& path, const std::vector<Row>& rows, PreviewMode mode) {
  std::vector<std::vector<uint8_t>> images;
  std::vector<int> widths, heights;
  int width = 0, height = 0;
  for (const Row& row : rows) {
    SheetOptions options;
    options.scale = 1;
    options.maxWidth = 1 << 20;  // one row, however long
    options.modes.assign(row.cells.size(), mode);
    int w = 0, h = 0;
    images.push_back(RenderSpriteSheet(row.cells, options, w, h));
    widths.push_back(w);
    heights.push_back(h);
    width = std::max(width, w + kRowLabelWidth);
    height += h;
  }
  if (width == 0 || height == 0) return true;
  const uint8_t back = Shade(kGrey, 4);
  std::vector<uint8_t> sheet(static_cast<size_t>(width) * height, back);
  int y0 = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    for (int y = 0; y < heights[r]; ++y) {
      std::copy_n(images[r].begin() + static_cast<size_t>(y) * widths[r], widths[r],
                  sheet.begin() + static_cast<size_t>(y0 + y) * width + kRowLabelWidth);
    }
    DrawPreviewLabel(sheet, width, height, 2, y0 + heights[r] / 2 - 2, rows[r].label,
                     Shade(kGrey, 30));
    y0 += heights[r];
  }
  // Sheets of small creatures are drawn at twice the size.
  int scale = width <= 900 && height <= 900 ? 2 : 1;
  std::vector<uint8_t> scaled(static_cast<size_t>(width) * scale * height * scale);
  for (int y = 0; y < height * scale; ++y) {
    for (int x = 0; x < width * scale; ++x) {
      scaled[static_cast<size_t>(y) * width * scale + x] =
          sheet[static_cast<size_t>(y / scale) * width + x / scale];
    }
  }
  std::array<uint8_t, 1024> bgrx = GamePaletteBgrx();
  return WritePalettedPng(path, scaled.data(), width * scale, height * scale, width * scale,
                          bgrx.data());
}

}  // namespace

bool WriteCreaturePreviews(const std::string& dir, int kind, const std::string& setName,
                           const std::vector<SpriteImage>& sprites) {
  const bool oneFacing = (KindFlags(kind) & KindFlag::OneFacing) != 0;
  const int perFacing = oneFacing ? SpriteCountFor(kind) : KindFramesPerFacing(kind);
  const int facings = oneFacing ? 1 : 8;
  const PreviewMode mode =
      (KindFlags(kind) & KindFlag::Glowing) ? PreviewMode::kGlow : PreviewMode::kPlain;
  char number[8];
  std::snprintf(number, sizeof number, "%02d_", kind);
  const std::string prefix = number + setName;
  auto sprite = [&](int frame, int facing) -> SpriteImage {
    size_t index = static_cast<size_t>(frame + (oneFacing ? 0 : perFacing * facing));
    return index < sprites.size() ? sprites[index] : SpriteImage{};
  };

  // Frames in the order the sequences first show them, then the unused ones.
  std::vector<int> order;
  std::vector<bool> seen(static_cast<size_t>(perFacing), false);
  for (int anim = 0; anim < kSequenceCount; ++anim) {
    const uint8_t* seq = KindSequence(kind, anim);
    for (int i = 0; i < KindSequenceLength(kind, anim); ++i) {
      int f = seq[i];
      if (f < perFacing && !seen[f]) {
        seen[f] = true;
        order.push_back(f);
      }
    }
  }
  for (int f = 0; f < perFacing; ++f) {
    if (!seen[f]) order.push_back(f);
  }
  std::vector<Row> rows;
  for (int facing = 0; facing < facings; ++facing) {
    Row row;
    row.label = oneFacing ? "" : kFacingNames[facing];
    for (int f : order) row.cells.push_back(sprite(f, facing));
    rows.push_back(row);
  }
  bool ok = WriteRows(dir + "/" + prefix + ".png", rows, mode);

  for (int anim = 0; anim < kSequenceCount; ++anim) {
    int length = KindSequenceLength(kind, anim);
    if (length == 0) continue;
    const uint8_t* seq = KindSequence(kind, anim);
    rows.clear();
    for (int facing = 0; facing < facings; ++facing) {
      Row row;
      row.label = oneFacing ? "" : kFacingNames[facing];
      for (int i = 0; i < length; ++i) {
        row.cells.push_back(seq[i] == kBlankFrame ? SpriteImage{} : sprite(seq[i], facing));
      }
      rows.push_back(row);
    }
    ok = WriteRows(dir + "/" + prefix + "_seq" + std::to_string(anim) + ".png", rows, mode) && ok;
  }
  if (kind == 1 && sprites.size() >= static_cast<size_t>(kHeroShimmerFrame + 8)) {
    Row row;
    row.label = "";
    for (int i = 0; i < 8; ++i) row.cells.push_back(sprites[kHeroShimmerFrame + i]);
    ok = WriteRows(dir + "/" + prefix + "_shimmer.png", {row}, PreviewMode::kGhost) && ok;
  }
  if (!ok) std::fprintf(stderr, "forge: cannot write the previews of kind %d\n", kind);
  return ok;
}

}  // namespace torvel::forge::creatures
