// The status display's sprites. Each is painted on a screen-sized canvas at
// the place the display shows it, then cut out with the anchor the display
// code draws it at as its hot spot.
#include "forge/art/interface_art.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "forge/art/motifs.h"
#include "forge/paint/glyph_raster.h"

namespace torvel::forge {

namespace {

// Screen canvases are a little larger than the screen so that pieces may
// hang off its edges (the collection gauge slides in from the right).
constexpr int kMargin = 64;

struct ScreenCanvas {
  ShadeImage img{640 + 2 * kMargin, 480 + 2 * kMargin};
  // Screen position to canvas position.
  static int X(double x) { return static_cast<int>(x) + kMargin; }
  static int Y(double y) { return static_cast<int>(y) + kMargin; }
  static Vec2 P(double x, double y) { return {x + kMargin, y + kMargin}; }
  // Cuts the sprite out with its anchor as the hot spot. Pieces shown at
  // fixed places lose what would fall off the screen.
  SpriteImage Cut(int anchorX, int anchorY, bool outline = true, double dither = 0.4,
                  bool clipToScreen = true) const {
    ShadeImage clipped = img;
    if (clipToScreen) {
      for (int y = 0; y < clipped.height(); ++y)
        for (int x = 0; x < clipped.width(); ++x)
          if (x < kMargin || y < kMargin || x >= kMargin + 640 || y >= kMargin + 480)
            clipped.Erase(x, y);
    }
    Finish f = Finish::Unrimmed(dither);
    f.outline = outline;
    SpriteImage s = Finished(clipped, anchorX + kMargin, anchorY + kMargin, f);
    if (clipToScreen && outline) {
      // The outline may have grown past the screen's edge again.
      ClipToScreen(s, anchorX, anchorY);
      TrimSprite(s);
    }
    return s;
  }
  static void ClipToScreen(SpriteImage& s, int anchorX, int anchorY) {
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        int sx = anchorX - s.ofsX + x, sy = anchorY - s.ofsY + y;
        if (sx < 0 || sy < 0 || sx > 639 || sy > 479)
          s.opaque[static_cast<size_t>(y) * s.width + x] = 0;
      }
  }
};

Mask RoundedRect(int w, int h, double radius) {
  return MaskFrom(w, h, [&](double x, double y) {
    double qx = std::max(std::max(radius - x, x - (w - radius)), 0.0);
    double qy = std::max(std::max(radius - y, y - (h - radius)), 0.0);
    return qx * qx + qy * qy <= radius * radius;
  });
}

void Rivet(ShadeImage& img, Vec2 at) {
  Material g = Gold();
  g.lit = 22;
  Ellipsoid(img, at.x, at.y, 1.6, 1.6, g);
}

// The key standing upright, bow on top, for the status display's slots.
void UprightKey(ShadeImage& img, Vec2 bow, double scale, KeyKind kind) {
  PaintKey(img, bow, scale, kPi / 2, kind);
}

// Digits for the level box: bold numerals raised in gold.
SpriteImage LevelDigit(int digit, bool tens) {
  ScreenCanvas c;
  GlyphFace face(DejaVuPath("DejaVuSans-Bold.ttf"), 19);
  TextRaster t = RenderText(face, std::u32string(1, static_cast<char32_t>(U'0' + digit)));
  Mask m = t.ToMask(100);
  // Centre the numeral in its half of the level box (x 0..38, y 31..53).
  int bx0 = m.width, by0 = m.height, bx1 = 0, by1 = 0;
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      if (m.At(x, y)) {
        bx0 = std::min(bx0, x);
        by0 = std::min(by0, y);
        bx1 = std::max(bx1, x);
        by1 = std::max(by1, y);
      }
  double cx = tens ? 10.5 : 28.5, cy = 42.5;
  int ox = static_cast<int>(std::floor(cx - (bx0 + bx1 + 1) / 2.0)) + kMargin;
  int oy = static_cast<int>(std::floor(cy - (by0 + by1 + 1) / 2.0)) + kMargin;
  Material gold = Gold();
  gold.lit = 26;
  gold.dark = 10;
  PaintBevelled(c.img, m, ox, oy, 1.5, gold);
  return c.Cut(0, 31);
}

}  // namespace

void PaintTrimmedPlate(ShadeImage& img, const Mask& shape, int ox, int oy, int rimWidth,
                       int bodyRamp, double bodyLit) {
  Material gold = Gold();
  gold.lit = 20;
  gold.dark = 5;
  PaintBevelled(img, shape, ox, oy, 1.8, gold);
  Mask inner = Grow(shape, -rimWidth);
  Material slate = Stone(97);
  slate.ramp = bodyRamp;
  slate.lit = bodyLit;
  slate.dark = 3;
  slate.grain = 0.9;
  PaintBevelled(img, inner, ox, oy, 2.5, slate);
}

void PaintWell(ShadeImage& img, int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      double shade = 0.6;
      if (x == x1 || y == y1)
        shade = 5;  // the lit lower-right lip
      else if (x == x0 || y == y0)
        shade = 0;  // the shadowed upper-left lip
      img.Set(x, y, kGrey, shade);
    }
  }
}

namespace {

// Sprite 0: the panel behind the bars, the level box, the power pips, the
// keys and the shot power-ups; and a small plate behind the money.
SpriteImage MainPanel() {
  ScreenCanvas c;
  Mask top = RoundedRect(298, 34, 5);
  Mask bottom = RoundedRect(220, 60, 6);
  Mask shape(300, 62);
  for (int y = 0; y < 62; ++y)
    for (int x = 0; x < 300; ++x)
      if (top.At(x, y + 2) || bottom.At(x, y + 2)) shape.Set(x, y);
  PaintTrimmedPlate(c.img, shape, kMargin - 2, kMargin - 4, 2);
  // Wells for the bars, the level box, the pips and the keys.
  PaintWell(c.img, ScreenCanvas::X(1), ScreenCanvas::Y(2), ScreenCanvas::X(131),
            ScreenCanvas::Y(12));
  PaintWell(c.img, ScreenCanvas::X(1), ScreenCanvas::Y(18), ScreenCanvas::X(131),
            ScreenCanvas::Y(28));
  PaintWell(c.img, ScreenCanvas::X(1), ScreenCanvas::Y(31), ScreenCanvas::X(38),
            ScreenCanvas::Y(53));
  Material socket = Stone(99);
  socket.lit = 5;
  socket.dark = 0;
  for (int i = 0; i < 5; ++i) {
    Vec2 at = ScreenCanvas::P(42 + 21 * i + 9, 42);
    Torus(c.img, at.x, at.y, 8.2, 1.3, 1.0, Gold());
    Ellipsoid(c.img, at.x, at.y, 7, 7, socket);
    c.img.AddShade(static_cast<int>(at.x), static_cast<int>(at.y), 0);
  }
  for (int i = 0; i < 3; ++i) {
    int x0 = 150 + 22 * i;
    PaintWell(c.img, ScreenCanvas::X(x0), ScreenCanvas::Y(33), ScreenCanvas::X(x0 + 17),
              ScreenCanvas::Y(51));
  }
  PaintWell(c.img, ScreenCanvas::X(138), ScreenCanvas::Y(2), ScreenCanvas::X(200),
            ScreenCanvas::Y(28));
  // The shot power-ups sit on a lighter strip so that their ghost art shows.
  for (int y = 3; y <= 27; ++y)
    for (int x = 205; x <= 291; ++x)
      c.img.Set(ScreenCanvas::X(x), ScreenCanvas::Y(y), kGrey, 9 - (y - 3) / 8.0);
  for (double x : {5.0, 135.0, 212.0, 288.0}) Rivet(c.img, ScreenCanvas::P(x, 15));
  // The money plate under "$%05d" at (320, -1), a coin beside it.
  Mask money = RoundedRect(78, 19, 4);
  PaintTrimmedPlate(c.img, money, ScreenCanvas::X(301), ScreenCanvas::Y(-2), 2);
  PaintCoin(c.img, ScreenCanvas::P(310.5, 7.5), 5, 0.2, Gold(), true);
  return c.Cut(0, -1);
}

SpriteImage PowerPip() {
  ScreenCanvas c;
  Vec2 at = ScreenCanvas::P(42 + 9, 42);
  Material m = Jewel(kViolet);
  m.dark = 8;
  m.lit = 24;
  Ellipsoid(c.img, at.x, at.y, 6.2, 6.2, m);
  Disc(c.img, at.x - 1.5, at.y - 1.5, 1.6, kGrey, 31);
  return c.Cut(0, -1);
}

SpriteImage SpecialKeySprite(KeyKind kind, int socket) {
  ScreenCanvas c;
  double x = 150 + 22 * socket + 8.5;
  UprightKey(c.img, ScreenCanvas::P(x, 37.5), 0.68, kind);
  return c.Cut(86, -17);
}

SpriteImage OrdinaryKeys(int count) {
  ScreenCanvas c;
  for (int k = 0; k < count; ++k)
    UprightKey(c.img, ScreenCanvas::P(150 + 19 * k, 7), 0.85, KeyKind::kOrdinary);
  return c.Cut(86, -17);
}

// Sprites 8 and 9: the collection gauge, a glass tube whose blue fill the
// display draws between the two. 8 is the tube's back and frame, 9 the
// glass's gleam and the caps in front of the fill.
SpriteImage GaugeBack() {
  ScreenCanvas c;
  Material brass = Gold();
  brass.lit = 19;
  for (int y = 340; y <= 478; ++y) {
    for (int x = 617; x <= 639; ++x) {
      bool interior = x >= 621 && x <= 636 && y >= 349 && y <= 476;
      if (interior) {
        c.img.Set(ScreenCanvas::X(x), ScreenCanvas::Y(y), kBlue, 1 + 0.8 * ((x - 621) < 3));
      } else {
        double u = x < 621 ? (x - 619) / 2.0 : (x - 637.5) / 1.5;
        c.img.Set(ScreenCanvas::X(x), ScreenCanvas::Y(y), kGold,
                  LightShade(brass, Normalize({u, 0, 1})));
      }
    }
  }
  // The gem crowning the tube shows what it counts.
  Splatter sp(c.img, ScreenCanvas::P(628.5, 333), TurnX(-0.3), 0.25);
  Material gem = Jewel(kBlue);
  sp.Gem({0, 0, 0}, {6, 7, 6}, 6, gem);
  return c.Cut(640, 479);
}

SpriteImage GaugeFront() {
  ScreenCanvas c;
  Material brass = Gold();
  brass.lit = 21;
  // Caps over both ends of the glass and the gleam down its left side.
  for (int x = 617; x <= 639; ++x) {
    for (int y : {340, 341, 342, 343, 344, 345, 346, 347, 348, 477, 478}) {
      double v = y < 400 ? (y - 344) / 4.0 : (y - 477.5) / 1.5;
      c.img.Set(ScreenCanvas::X(x), ScreenCanvas::Y(y), kGold,
                LightShade(brass, Normalize({0, v, 1})));
    }
  }
  for (int y = 352; y <= 472; ++y) {
    c.img.Set(ScreenCanvas::X(623), ScreenCanvas::Y(y), kGrey, 27);
    if (y % 9 < 5) c.img.Set(ScreenCanvas::X(624), ScreenCanvas::Y(y), kGrey, 22);
  }
  for (int y = 360; y <= 470; y += 22) {
    c.img.Set(ScreenCanvas::X(634), ScreenCanvas::Y(y), kGrey, 24);  // graduation marks
    c.img.Set(ScreenCanvas::X(635), ScreenCanvas::Y(y), kGrey, 24);
  }
  return c.Cut(640, 479);
}

// Sprites 11..29: spell cards, learned (plain silver frame) and upgraded
// (ornate gold). Their hot spot is their top-left corner.
SpriteImage SpellCard(int slot, bool upgraded) {
  const int k = 4;  // painted four times larger, then shrunk
  ShadeImage big(14 * k, 22 * k);
  Mask card = RoundedRect(14 * k, 22 * k, 2.5 * k);
  Material frame = upgraded ? Gold() : Steel();
  frame.lit = upgraded ? 22 : 20;
  PaintBevelled(big, card, 0, 0, 1.2 * k, frame);
  Mask field = Grow(card, -static_cast<int>(1.6 * k));
  Material back;
  back.ramp = upgraded ? kViolet : kBlue;
  back.dark = 2;
  back.lit = 6;
  PaintBevelled(big, field, 0, 0, 0.8 * k, back);
  PaintSpellIcon(big, slot, upgraded, {7.0 * k, 11.5 * k}, k * 0.3);
  if (upgraded) {
    for (double x : {1.8, 12.2})
      for (double y : {1.8, 20.2}) Disc(big, x * k, y * k, 0.9 * k, kGold, 30);
  }
  ShadeImage small = Downsample(big, k);
  Finish f = Finish::Soft(0.2);
  return Finished(small, 0, 0, f);
}

// Sprite 30: the hurt creature's bar, the name tab above it.
SpriteImage CreatureBarFrame() {
  ScreenCanvas c;
  int base = 400;  // any height works: the frame is cut with its anchor
  Mask tab = RoundedRect(150, 24, 5);
  PaintTrimmedPlate(c.img, tab, ScreenCanvas::X(3), ScreenCanvas::Y(base - 24), 2, kRed, 8);
  Mask plate = RoundedRect(136, 18, 4);
  PaintTrimmedPlate(c.img, plate, ScreenCanvas::X(-1), ScreenCanvas::Y(base - 1), 2);
  PaintWell(c.img, ScreenCanvas::X(1), ScreenCanvas::Y(base + 3), ScreenCanvas::X(131),
            ScreenCanvas::Y(base + 13));
  return c.Cut(0, base, true, 0.4, false);
}

// Sprites 31..39: the shot-rate gauge, four chevrons filling in half steps;
// ghost art over the light strip of the panel.
SpriteImage RateGauge(int step) {
  ScreenCanvas c;
  for (int k = 0; k < 4; ++k) {
    double x0 = 208 + k * 10.5;
    int fill = std::clamp(step - 2 * k, 0, 2);  // 0 empty, 1 half, 2 full
    double shade = fill == 0 ? 1 : (fill == 1 ? 7 : 13);
    int ramp = fill == 0 ? kGrey : kGold;
    std::vector<Vec2> chevron = {ScreenCanvas::P(x0, 5),       ScreenCanvas::P(x0 + 5, 5),
                                 ScreenCanvas::P(x0 + 11, 15), ScreenCanvas::P(x0 + 5, 25),
                                 ScreenCanvas::P(x0, 25),      ScreenCanvas::P(x0 + 6, 15)};
    PolygonShaded(c.img, chevron, ramp,
                  [&](double, double y) { return shade + (y < ScreenCanvas::Y(15) ? 1.5 : -1); });
  }
  Finish f = Finish::Soft(0);
  return Finished(c.img, ScreenCanvas::X(244), ScreenCanvas::Y(14), f);
}

SpriteImage ShotFlagIcon(RuneSymbol symbol, int anchorX, int left) {
  ScreenCanvas c;
  PaintRune(c.img, ScreenCanvas::P(left + 7.5, 15), 0.95, 0, symbol, true);
  Finish f = Finish::Soft(0.3);
  return Finished(c.img, ScreenCanvas::X(anchorX), ScreenCanvas::Y(14), f);
}

// Sprite 42: the right-hand panel behind the spell cards and the spell name.
SpriteImage RightPanel() {
  ScreenCanvas c;
  Mask banner = RoundedRect(196, 18, 5);
  Mask rack = RoundedRect(140, 60, 6);
  Mask shape(200, 62);
  for (int y = 0; y < 62; ++y)
    for (int x = 0; x < 200; ++x)
      if (banner.At(x, y) || rack.At(x - 60, y)) shape.Set(x, y);
  PaintTrimmedPlate(c.img, shape, ScreenCanvas::X(444), ScreenCanvas::Y(-3), 2);
  PaintWell(c.img, ScreenCanvas::X(506), ScreenCanvas::Y(18), ScreenCanvas::X(638),
            ScreenCanvas::Y(55));
  for (double x : {450.0, 498.0}) Rivet(c.img, ScreenCanvas::P(x, 7));
  return c.Cut(443, -1);
}

// Sprites 63..67: the sword's pieces and the holder they fill in the stats
// panel. The holder is drawn with its foot at (x + 175, 476); each piece is
// cut with the same anchor, so drawn there it lands in its own place.
constexpr double kHolderScale = 0.8;

SpriteImage SwordHolder() {
  ScreenCanvas c;
  ShadeImage sword(c.img.width(), c.img.height());
  PaintSword(sword, ScreenCanvas::P(625, 476), kHolderScale, TurnX(0), 0xF);
  Mask shape(c.img.width(), c.img.height());
  for (int y = 0; y < sword.height(); ++y)
    for (int x = 0; x < sword.width(); ++x)
      if (sword.Painted(x, y)) shape.Set(x, y);
  Mask grown = Grow(shape, 2);
  Mask rim = Subtract(grown, Grow(shape, 1));
  for (int y = 0; y < shape.height; ++y) {
    for (int x = 0; x < shape.width; ++x) {
      if (rim.At(x, y))
        c.img.Set(x, y, kGold, 18);
      else if (grown.At(x, y))
        c.img.Set(x, y, kGrey, 1 + (x + y) % 2);
    }
  }
  return c.Cut(625, 476, false, 0);
}

SpriteImage HolderPiece(int piece) {
  ScreenCanvas c;
  PaintSword(c.img, ScreenCanvas::P(625, 476), kHolderScale, TurnX(0), 1u << piece);
  return c.Cut(625, 476);
}

// Sprite 68: the dialogue box; its text glows in the top shade of the box's
// own ramp, so the inside is a deep blue.
SpriteImage DialogueBox() {
  ScreenCanvas c;
  Mask box = RoundedRect(530, 94, 8);
  Material gold = Gold();
  gold.lit = 21;
  PaintBevelled(c.img, box, ScreenCanvas::X(60), ScreenCanvas::Y(86), 2.2, gold);
  Mask inner = Grow(box, -4);
  std::vector<float> depth = DistanceInside(inner);
  for (int y = 0; y < inner.height; ++y) {
    for (int x = 0; x < inner.width; ++x) {
      if (!inner.At(x, y)) continue;
      double d = depth[static_cast<size_t>(y) * inner.width + x];
      double shade = 3.5 + 1.5 * (1 - y / 94.0) - (d < 3 ? (3 - d) * 0.9 : 0);
      c.img.Set(ScreenCanvas::X(60 + x), ScreenCanvas::Y(86 + y), kBlue, shade);
    }
  }
  // Corner ornaments: a gem at each corner of the frame.
  for (double x : {66.0, 583.0})
    for (double y : {92.0, 173.0}) {
      Material gem = Jewel(kViolet);
      Ellipsoid(c.img, ScreenCanvas::X(x), ScreenCanvas::Y(y), 3.2, 3.2, gem);
    }
  return c.Cut(180, 86, true, 0.6);
}

}  // namespace

SpriteSetArt BuildInterfaceArt() {
  SpriteSetArt set(kInterfaceSpriteCount);
  set.Put(0, MainPanel());
  set.Put(1, PowerPip());
  // Special keys 3, 1 and 2, each in its own socket; then 1..3 ordinary keys.
  set.Put(2, SpecialKeySprite(KeyKind::kViolet, 2));
  set.Put(3, SpecialKeySprite(KeyKind::kRed, 0));
  set.Put(4, SpecialKeySprite(KeyKind::kBlue, 1));
  for (int n = 1; n <= 3; ++n) set.Put(4 + n, OrdinaryKeys(n));
  set.Put(8, GaugeBack());
  set.Put(9, GaugeFront());
  for (int slot = 0; slot < 10; ++slot) {
    set.Put(11 + 2 * slot, SpellCard(slot, false));
    if (slot < 9) set.Put(12 + 2 * slot, SpellCard(slot, true));
  }
  set.Put(30, CreatureBarFrame());
  for (int step = 0; step < 9; ++step) set.Put(31 + step, RateGauge(step), PreviewMode::kGhost);
  set.Put(40, ShotFlagIcon(RuneSymbol::kReverse, 255, 255), PreviewMode::kGhost);
  set.Put(41, ShotFlagIcon(RuneSymbol::kBounce, 266, 273), PreviewMode::kGhost);
  set.Put(42, RightPanel());
  for (int d = 0; d < 10; ++d) {
    set.Put(43 + d, LevelDigit(d, true));
    set.Put(53 + d, LevelDigit(d, false));
  }
  // Pieces 0, 1, 2, 3 are sprites 63, 65, 66, 64.
  const int pieceSprite[4] = {63, 65, 66, 64};
  for (int piece = 0; piece < 4; ++piece) set.Put(pieceSprite[piece], HolderPiece(piece));
  set.Put(67, SwordHolder());
  set.Put(68, DialogueBox());
  return set;
}

}  // namespace torvel::forge
