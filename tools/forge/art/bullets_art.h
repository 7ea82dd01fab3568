// "graphics\bullets.vsp": shots, spells, blasts and the sprite particles.
// Bullets are drawn at their centre (hot spot in the middle of the body, so
// a shot flies where its bullet is); things that rest on the floor (blasts,
// shockwaves, strikes) have their hot spot on the ground point they hit.
// Ghost art keeps to low shades: the ground under it gives the light.
#pragma once

#include <functional>

#include "forge/art/art_kit.h"

namespace torvel::forge {

constexpr int kBulletSpriteCount = 259;

SpriteSetArt BuildBulletArt();

// The angle of facing f of n directions: 0 east, turning clockwise on the
// screen (y grows downward).
inline double FacingAngle(int f, int n) {
  return kTwoPi * f / n;
}

// Paints a shape described in its own frame: u runs forward along `angle`,
// v to the shape's right; the painter returns the ramp and shade of (u, v).
using AlongPainter = std::function<bool(double u, double v, int& ramp, double& shade)>;
void PaintAlong(ShadeImage& img, Vec2 centre, double angle, double reach,
                const AlongPainter& painter);
// A normal given in the shape's own frame (x forward, y right, z up), turned
// onto the screen.
Vec3 TurnNormal(Vec3 local, double angle);

// The parts of the set.
void PaintBulletShots(SpriteSetArt& set);    // directional shots and bolts
void PaintBulletEffects(SpriteSetArt& set);  // puffs, blasts, beams, strikes

}  // namespace torvel::forge
