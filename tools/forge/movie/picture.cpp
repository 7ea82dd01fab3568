#include "forge/movie/picture.h"

#include <algorithm>
#include <cmath>

#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge {

uint8_t Brighten(uint8_t value, int delta) {
  if (value == 0) return 0;
  return forge::Shade(RampOf(value), ShadeOf(value) + delta);
}

void Picture::Stamp(const ShadeImage& img, int x, int y, double dither, double lift) {
  for (int yy = 0; yy < img.height(); ++yy) {
    for (int xx = 0; xx < img.width(); ++xx) {
      if (!img.Painted(xx, yy) || !Inside(x + xx, y + yy)) continue;
      px_[Index(x + xx, y + yy)] =
          QuantizeShade(img.RampAt(xx, yy), img.ShadeAt(xx, yy) + lift, x + xx, y + yy, dither);
    }
  }
}

void Picture::StampTurned(const ShadeImage& img, Vec2 pivot, double x, double y, double angle,
                          double lift, double dither) {
  const double c = Cos(angle), s = Sin(angle);
  // The turned image fits in a square of the image's diagonal around (x, y).
  double reach = std::sqrt(static_cast<double>(img.width()) * img.width() +
                           static_cast<double>(img.height()) * img.height());
  int x0 = static_cast<int>(std::floor(x - reach)), x1 = static_cast<int>(std::ceil(x + reach));
  int y0 = static_cast<int>(std::floor(y - reach)), y1 = static_cast<int>(std::ceil(y + reach));
  for (int py = std::max(y0, 0); py <= std::min(y1, height_ - 1); ++py) {
    for (int px = std::max(x0, 0); px <= std::min(x1, width_ - 1); ++px) {
      // Back from the screen into the image: turn the other way.
      double dx = px + 0.5 - x, dy = py + 0.5 - y;
      int sx = static_cast<int>(std::floor(pivot.x + dx * c + dy * s));
      int sy = static_cast<int>(std::floor(pivot.y - dx * s + dy * c));
      if (!img.Painted(sx, sy)) continue;
      px_[Index(px, py)] =
          QuantizeShade(img.RampAt(sx, sy), img.ShadeAt(sx, sy) + lift, px, py, dither);
    }
  }
}

namespace {

// A sprite's pixels and which of them are drawn: unpacked over two different
// backgrounds, a pixel is transparent exactly when it took the background
// both times.
bool Unpack(const Sprite& s, std::vector<uint8_t>& values, std::vector<uint8_t>& drawn) {
  std::vector<uint8_t> other;
  if (!UnpackSprite(s, 0, values) || !UnpackSprite(s, 1, other)) return false;
  drawn.resize(values.size());
  for (size_t i = 0; i < values.size(); ++i) drawn[i] = !(values[i] == 0 && other[i] == 1);
  return true;
}

}  // namespace

void Picture::DrawSprite(const Sprite* s, int x, int y, int scale) {
  std::vector<uint8_t> values, drawn;
  if (!s || !Unpack(*s, values, drawn)) return;
  int left = x - s->ofsX * scale;
  int top = y - s->ofsY * scale;
  for (int yy = 0; yy < s->height; ++yy) {
    for (int xx = 0; xx < s->width; ++xx) {
      size_t i = static_cast<size_t>(yy) * s->width + xx;
      if (!drawn[i]) continue;
      for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
          Set(left + xx * scale + dx, top + yy * scale + dy, values[i]);
    }
  }
}

void Picture::DrawSpriteShadow(const Sprite* s, int x, int y, int scale) {
  std::vector<uint8_t> values, drawn;
  if (!s || !Unpack(*s, values, drawn)) return;
  // The shape at half height, leaning left as it rises, darkening the ground
  // once wherever it falls.
  std::vector<uint8_t> dark(px_.size(), 0);
  for (int yy = 0; yy < s->height; ++yy) {
    int rise = (s->ofsY - yy) * scale / 2;
    for (int xx = 0; xx < s->width; ++xx) {
      if (!drawn[static_cast<size_t>(yy) * s->width + xx]) continue;
      for (int dx = 0; dx < scale; ++dx) {
        int px = x + (xx - s->ofsX) * scale + dx - rise / 2;
        int py = y - rise;
        if (Inside(px, py)) dark[Index(px, py)] = 1;
      }
    }
  }
  for (size_t i = 0; i < px_.size(); ++i)
    if (dark[i]) px_[i] = Brighten(px_[i], -4);
}

void Picture::DrawText(const Font& font, int x, int y, const std::string& text, int ramp,
                       double coverage) {
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  auto shown = [&](int px, int py) { return (kBayer[py & 3][px & 3] + 0.5) / 16.0 < coverage; };
  for (int pass = 0; pass < 2; ++pass) {
    int at = x + (pass == 0 ? 1 : 0);
    int top = y + (pass == 0 ? 1 : 0);
    for (char ch : text) {
      uint8_t code = static_cast<uint8_t>(ch);
      int index = static_cast<int8_t>(code) - font.firstChar;
      if (index >= 0 && index < static_cast<int>(font.glyphStart.size())) {
        const uint8_t* glyph = font.data.data() + font.glyphStart[index];
        int w = glyph[0];
        for (int r = 0; r < font.height; ++r) {
          for (int c = 0; c < w; ++c) {
            uint8_t p = glyph[1 + r * w + c];
            if (p == 0 || !shown(at + c, top + r)) continue;
            Set(at + c, top + r, pass == 0 ? 0 : forge::Shade(ramp, ShadeOf(p)));
          }
        }
      }
      at += font.gap + CharWidth(code, font);
    }
  }
}

void Picture::DrawTextCentred(const Font& font, int cx, int y, const std::string& text, int ramp,
                              double coverage) {
  DrawText(font, cx - TextWidth(text.c_str(), font) / 2, y, text, ramp, coverage);
}

void Picture::Light(double cx, double cy, double radius, double amount, int liftRamp) {
  int x0 = static_cast<int>(std::floor(cx - radius)), x1 = static_cast<int>(std::ceil(cx + radius));
  int y0 = static_cast<int>(std::floor(cy - radius)), y1 = static_cast<int>(std::ceil(cy + radius));
  for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); ++y) {
    for (int x = std::max(x0, 0); x <= std::min(x1, width_ - 1); ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      double d2 = (dx * dx + dy * dy) / (radius * radius);
      if (d2 >= 1.0) continue;
      double f = (1.0 - d2) * (1.0 - d2);
      int delta = static_cast<int>(std::floor(amount * f + 0.5));
      if (delta == 0) continue;
      uint8_t& p = px_[Index(x, y)];
      if (p == 0 && liftRamp >= 0) p = forge::Shade(liftRamp, 0);
      p = Brighten(p, delta);
    }
  }
}

}  // namespace torvel::forge
