// Pick-ups of the item set: power-ups, gems, keys, coins, potions, scrolls,
// runes, the sword pieces and the relic.
#include "forge/art/items_art.h"

#include <cmath>

#include "forge/art/motifs.h"

namespace torvel::forge {

namespace {

// Sprite 0: the shot-power orb, ghost art (it takes the ground's light and
// pulses with the item clock).
SpriteImage EnergyOrb() {
  Canvas c(40, 40, 20, 30);
  Material m = GhostGlow(kViolet, 1, 10);
  Ellipsoid(c.img, 20, 20, 8, 8, m);
  // Swirling bands of brighter light around a hot core.
  for (int y = 10; y < 30; ++y) {
    for (int x = 10; x < 30; ++x) {
      if (!c.img.Painted(x, y)) continue;
      double dx = x + 0.5 - 20, dy = y + 0.5 - 20;
      double r = std::sqrt(dx * dx + dy * dy);
      double a = Atan2(dy, dx);
      double swirl = Sin(a * 3 + r * 0.9);
      if (swirl > 0.55) c.img.AddShade(x, y, 3);
      if (r < 3.2) c.img.Set(x, y, kIce, 13 - r);
    }
  }
  return FinishSoft(c);
}

// Sprite 7: the map's collectible gem, ghost art floating 6 px up.
SpriteImage CollectibleGem() {
  Canvas c(32, 32, 16, 26);
  Splatter sp(c.img, {16, 17}, TurnX(-0.35) * TurnY(0.3), 0.25);
  Material m = GhostGlow(kBlue, 2, 11);
  m.specular = 0.8;
  m.glint = 16;
  sp.Gem({0, 0, 0}, {6, 8, 6}, 6, m, [](Vec3 q) {
    Decal d;
    if (q.y < -3) d.ramp = kIce;  // the crown catches the light in pale cyan
    return d;
  });
  return FinishSoft(c, 0.3);
}

// Sprite 8: the "done" seal over finished exits, drawn unshaded.
SpriteImage DoneSeal() {
  Canvas c(32, 32, 16, 16);
  Torus(c.img, 16, 16, 8.5, 2.2, 1.0, Gold());
  Material face = Gold();
  face.lit = 18;
  face.dark = 8;
  Ellipsoid(c.img, 16, 16, 7, 7, face);
  // A green tick pressed into the face.
  Material tick = Jewel(kGreen);
  Capsule(c.img, {12, 16}, {15, 19.5}, 1.4, 1.4, tick);
  Capsule(c.img, {15, 19.5}, {20.5, 12}, 1.4, 1.4, tick);
  return FinishPlain(c, 0.3);
}

SpriteImage KeySprite(KeyKind kind, double scale) {
  Canvas c(40, 32, 20, 22);
  PaintKey(c.img, {20 - 8.5 * scale, 17 - 2.5 * scale}, scale, 0.18, kind);
  return FinishPlain(c, 0.3);
}

SpriteImage SwordIcon(int piece) {
  Canvas c(48, 48, 24, 44);
  double scale[4] = {0.8, 1.1, 0.62, 0.62};
  PaintSwordPiece(c.img, {24, 43}, piece, scale[piece], 0.35);
  return FinishPlain(c, 0.3);
}

// Sprite 25: the relic crystal. It is drawn recoloured into a ramp that
// changes every 32 ticks and brightened by up to 16, so its own shades stay
// in the lower half and spread wide.
SpriteImage RelicCrystal() {
  Canvas c(48, 56, 24, 48);
  auto prism = [&](double x, double topY, double footY, double halfWidth, double lean) {
    Splatter sp(c.img, {x, footY}, TurnX(-0.25) * TurnZ(lean) * TurnY(0.4), 0.25);
    double height = footY - topY;
    Material m = Jewel(kViolet);
    m.dark = 3;
    m.lit = 15;
    m.glint = 20;
    sp.Gem({0, -height * 0.5, 0}, {halfWidth, height * 0.5, halfWidth}, 6, m);
  };
  prism(17, 26, 46, 4.5, -0.45);
  prism(31, 28, 46, 4, 0.4);
  prism(24, 8, 46, 7.5, 0.0);
  // A rough base of dark rock.
  Material rock = Stone(21);
  rock.lit = 9;
  Ellipsoid(c.img, 24, 46, 12, 3.5, rock);
  return FinishPlain(c, 0.4);
}

SpriteImage CoinSprite(int frame, bool big) {
  Canvas c(24, 24, 12, 20);
  double spin = kPi * frame / 8;
  if (big) {
    PaintCoin(c.img, {12, 12}, 7, spin, Gold(), true);
  } else {
    Material silver = Steel();
    silver.lit = 24;
    PaintCoin(c.img, {12, 14}, 5, spin, silver, false);
  }
  return FinishPlain(c, 0.3);
}

SpriteImage PotionSprite(int liquidRamp) {
  Canvas c(24, 32, 12, 26);
  PaintPotion(c.img, {12, 25}, 1.0, liquidRamp);
  SpriteImage s = FinishPlain(c, 0.3);
  return s;
}

SpriteImage ScrollFrame(int frame) {
  Canvas c(32, 24, 16, 19);
  PaintScroll(c.img, {16, 13}, 0.95, kTwoPi * frame / 16);
  SpriteImage s = FinishPlain(c, 0.3);
  StandOnHotSpot(s);
  return s;
}

SpriteImage RuneFrame(RuneSymbol symbol, int frame, bool ghost) {
  Canvas c(24, 28, 12, 22);
  PaintRune(c.img, {12, 12}, 1.0, kPi * frame / 8, symbol, ghost);
  SpriteImage s = ghost ? FinishSoft(c, 0.4) : FinishPlain(c, 0.3);
  StandOnHotSpot(s);
  return s;
}

SpriteImage SwordPieceFrame(int piece, int frame) {
  Canvas c(40, 40, 20, 36);
  double scale[4] = {0.6, 0.8, 0.47, 0.45};
  PaintSwordPiece(c.img, {20, 35}, piece, scale[piece], kTwoPi * frame / 16);
  SpriteImage s = FinishPlain(c, 0.3);
  StandOnHotSpot(s);
  return s;
}

}  // namespace

void PaintItemPickups(SpriteSetArt& set) {
  set.Put(0, EnergyOrb(), PreviewMode::kGhost);
  set.Put(3, RuneFrame(RuneSymbol::kRate, 0, false));
  set.Put(4, RuneFrame(RuneSymbol::kReverse, 0, false));
  set.Put(5, RuneFrame(RuneSymbol::kBounce, 0, false));
  set.Put(7, CollectibleGem(), PreviewMode::kGhost);
  set.Put(8, DoneSeal());
  set.Put(17, KeySprite(KeyKind::kOrdinary, 1.0));
  set.Put(18, KeySprite(KeyKind::kRed, 1.0));
  set.Put(19, KeySprite(KeyKind::kBlue, 1.0));
  set.Put(20, KeySprite(KeyKind::kViolet, 1.0));
  // Editor icons of items 13, 14, 15 and 12: pieces 1, 2, 3 and 0.
  set.Put(21, SwordIcon(1));
  set.Put(22, SwordIcon(2));
  set.Put(23, SwordIcon(3));
  set.Put(24, SwordIcon(0));
  set.Put(25, RelicCrystal());
  for (int f = 0; f < 16; ++f) set.Put(43 + f, ScrollFrame(f));
  for (int f = 0; f < 8; ++f) {
    set.Put(59 + f, RuneFrame(RuneSymbol::kRate, f, true), PreviewMode::kGhost);
    set.Put(67 + f, RuneFrame(RuneSymbol::kReverse, f, true), PreviewMode::kGhost);
    set.Put(75 + f, RuneFrame(RuneSymbol::kBounce, f, true), PreviewMode::kGhost);
  }
  for (int piece = 0; piece < 4; ++piece)
    for (int f = 0; f < 16; ++f) set.Put(83 + 16 * piece + f, SwordPieceFrame(piece, f));
  for (int f = 0; f < 8; ++f) {
    set.Put(147 + f, CoinSprite(f, false));
    set.Put(159 + f, CoinSprite(f, true));
  }
  set.Put(155, PotionSprite(kBlue));
  set.Put(156, PotionSprite(kRed));
}

SpriteSetArt BuildItemArt() {
  SpriteSetArt set(kItemSpriteCount);
  PaintItemPickups(set);
  PaintItemScenery(set);
  return set;
}

}  // namespace torvel::forge
