// Objects that appear in several sprite sets (keys on the floor and in the
// status bar, sword pieces as items, in the stats panel and on the shop's
// shelf, coins, potions, runes), painted from one description each so that
// they look alike wherever they are shown.
#pragma once

#include "forge/paint/shade_image.h"
#include "forge/paint/splat.h"

namespace torvel::forge {

// The looks of the three special keys and of the ordinary one.
enum class KeyKind { kOrdinary, kRed, kBlue, kViolet };
int KeyGemRamp(KeyKind kind);  // -1 for the ordinary key

// A key lying on the ground: its bow at `bow`, the blade pointing along
// `angle` (0 = to the right), `scale` 1 is about 20 px long.
void PaintKey(ShadeImage& img, Vec2 bow, double scale, double angle, KeyKind kind);

// A coin seen from the front, turned `spin` radians about the vertical axis.
void PaintCoin(ShadeImage& img, Vec2 centre, double radius, double spin, const Material& metal,
               bool crown);

// A round potion flask standing with its base centre at `base`.
void PaintPotion(ShadeImage& img, Vec2 base, double scale, int liquidRamp);

// The great sword, assembled from four pieces: 0 hilt (pommel and grip),
// 1 cross-guard, 2 lower blade, 3 upper blade with the tip. Its length at
// scale 1 is 170 px, pommel at the bottom; `origin` is the pommel's foot.
constexpr double kSwordLength = 170;
// Where each piece starts and ends along the sword (0 = pommel foot, up).
double SwordPieceStart(int piece);
double SwordPieceEnd(int piece);
void PaintSword(ShadeImage& img, Vec2 origin, double scale, const Mat3& turn, unsigned pieceMask,
                double extraBias = 0);
// One piece turning about its own middle, its lowest point at `base`.
void PaintSwordPiece(ShadeImage& img, Vec2 base, int piece, double scale, double spin);

// Rune tablets of the three shot power-ups.
enum class RuneSymbol { kRate, kReverse, kBounce };
int RuneRamp(RuneSymbol symbol);
// ghost: dark art for the ghost mode (the ground gives the light).
void PaintRune(ShadeImage& img, Vec2 centre, double scale, double spin, RuneSymbol symbol,
               bool ghost);

// A rolled spell scroll, turned `spin` about the vertical axis.
void PaintScroll(ShadeImage& img, Vec2 centre, double scale, double spin);

}  // namespace torvel::forge
