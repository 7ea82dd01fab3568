#include "forge/sound/sound_preview.h"

#include <algorithm>
#include <cstdio>

#include "common/png.h"

namespace torvel::forge {

namespace {

constexpr int kCellW = 200;
constexpr int kCellH = 56;
constexpr int kColumns = 8;

// 3x5 figures for the labels: digits, '.', 's'.
const char* Glyph(char c) {
  static const char* kDigits[10] = {"111101101101111", "010110010010111", "111001111100111",
                                    "111001111001111", "101101111001001", "111100111001111",
                                    "111100111101111", "111001001001001", "111101111101111",
                                    "111101111001111"};
  if (c >= '0' && c <= '9') return kDigits[c - '0'];
  if (c == '.') return "000000000000010";
  if (c == 's') return "000011110001110";
  return "000000000000000";
}

struct Canvas {
  int width, height;
  std::vector<uint8_t> rgb;
  void Put(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
  }
  void Text(int x, int y, const std::string& text) {
    for (char c : text) {
      const char* g = Glyph(c);
      for (int i = 0; i < 15; ++i) {
        if (g[i] == '1') Put(x + i % 3, y + i / 3, 230, 230, 230);
      }
      x += 4;
    }
  }
};

}  // namespace

bool WriteSoundPreview(const std::string& hostPath, const std::vector<int>& numbers,
                       const std::vector<std::vector<int16_t>>& pcm) {
  int rows = static_cast<int>((numbers.size() + kColumns - 1) / kColumns);
  Canvas c{kCellW * kColumns, kCellH * rows, {}};
  c.rgb.assign(static_cast<size_t>(c.width) * c.height * 3, 24);
  for (size_t i = 0; i < numbers.size(); ++i) {
    int x0 = static_cast<int>(i % kColumns) * kCellW;
    int y0 = static_cast<int>(i / kColumns) * kCellH;
    bool song = numbers[i] >= 200;
    for (int x = 0; x < kCellW; ++x) c.Put(x0 + x, y0 + kCellH - 1, 60, 60, 60);
    for (int y = 0; y < kCellH; ++y) c.Put(x0 + kCellW - 1, y0 + y, 60, 60, 60);
    const std::vector<int16_t>& s = pcm[i];
    char label[32];
    std::snprintf(label, sizeof label, "%03d %.2fs", numbers[i], s.size() / 22050.0);
    c.Text(x0 + 3, y0 + 3, label);
    int mid = y0 + 32;
    for (int x = 0; x < kCellW - 4; ++x) {
      size_t a = s.size() * x / (kCellW - 4);
      size_t b = std::max(a + 1, s.size() * (x + 1) / (kCellW - 4));
      int lo = 0, hi = 0;
      for (size_t k = a; k < b && k < s.size(); ++k) {
        lo = std::min<int>(lo, s[k]);
        hi = std::max<int>(hi, s[k]);
      }
      for (int y = mid - hi * 22 / 32768; y <= mid - lo * 22 / 32768; ++y) {
        if (song) {
          c.Put(x0 + 2 + x, y, 110, 160, 240);
        } else {
          c.Put(x0 + 2 + x, y, 120, 220, 140);
        }
      }
    }
  }
  return WriteRgbPng(hostPath, c.rgb.data(), c.width, c.height);
}

}  // namespace torvel::forge
