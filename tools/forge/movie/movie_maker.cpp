#include "forge/movie/movie_maker.h"

#include <algorithm>
#include <cmath>

#include "common/png.h"
#include "forge/palette.h"

namespace torvel::forge {

std::vector<uint8_t> PaletteAt(double light) {
  std::array<uint8_t, 1024> base = GamePaletteBgrx();
  std::vector<uint8_t> out(base.begin(), base.end());
  // Steps of 1/64 are finer than the eye sees in a fade, and keep equal
  // lights giving equal palettes (so the encoder writes no needless chunk).
  light = std::floor(std::clamp(light, 0.0, 2.0) * 64.0 + 0.5) / 64.0;
  for (int i = 0; i < 256; ++i) {
    for (int c = 0; c < 3; ++c) {
      double v = base[i * 4 + c];
      v = light <= 1.0 ? v * light : v + (255.0 - v) * (light - 1.0);
      out[i * 4 + c] = static_cast<uint8_t>(std::clamp(std::floor(v + 0.5), 0.0, 255.0));
    }
  }
  return out;
}

MovieMaker::MovieMaker(int frameMs, int width, int height)
    : frameMs_(frameMs), width_(width), height_(height) {
  encoder_.Begin(width, height, static_cast<uint32_t>(frameMs));
}

void MovieMaker::Add(const Picture& frame, double light) {
  std::vector<uint8_t> palette = PaletteAt(light);
  encoder_.AddFrame(frame.pixels().data(), palette.data());
  if (frames_ * frameMs_ / 1000 != (frames_ + 1) * frameMs_ / 1000 || frames_ == 0) {
    std::vector<uint8_t> rgb(static_cast<size_t>(frame.width()) * frame.height() * 3);
    for (size_t i = 0; i < frame.pixels().size(); ++i) {
      uint8_t v = frame.pixels()[i];
      rgb[i * 3 + 0] = palette[v * 4 + 2];
      rgb[i * 3 + 1] = palette[v * 4 + 1];
      rgb[i * 3 + 2] = palette[v * 4 + 0];
    }
    kept_.push_back(std::move(rgb));
  }
  ++frames_;
}

std::vector<uint8_t> MovieMaker::Finish() {
  return encoder_.Finish();
}

bool MovieMaker::WritePreview(const std::string& hostPath, int columns) const {
  if (kept_.empty()) return false;
  const int w = width_, h = height_, gap = 4;
  int count = static_cast<int>(kept_.size());
  int rows = (count + columns - 1) / columns;
  int sheetW = columns * (w + gap) + gap, sheetH = rows * (h + gap) + gap;
  std::vector<uint8_t> sheet(static_cast<size_t>(sheetW) * sheetH * 3, 40);
  for (int k = 0; k < count; ++k) {
    int ox = gap + (k % columns) * (w + gap), oy = gap + (k / columns) * (h + gap);
    for (int y = 0; y < h; ++y)
      std::copy_n(&kept_[k][static_cast<size_t>(y) * w * 3], w * 3,
                  &sheet[(static_cast<size_t>(oy + y) * sheetW + ox) * 3]);
  }
  return WriteRgbPng(hostPath, sheet.data(), sheetW, sheetH);
}

}  // namespace torvel::forge
