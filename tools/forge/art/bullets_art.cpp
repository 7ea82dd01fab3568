#include "forge/art/bullets_art.h"

namespace torvel::forge {

void PaintAlong(ShadeImage& img, Vec2 centre, double angle, double reach,
                const AlongPainter& painter) {
  double c = Cos(angle), s = Sin(angle);
  Paint(img, static_cast<int>(centre.x - reach - 1), static_cast<int>(centre.y - reach - 1),
        static_cast<int>(centre.x + reach + 1), static_cast<int>(centre.y + reach + 1),
        [&](double x, double y, int& ramp, double& shade) {
          double dx = x - centre.x, dy = y - centre.y;
          double u = dx * c + dy * s, v = -dx * s + dy * c;
          return painter(u, v, ramp, shade);
        });
}

Vec3 TurnNormal(Vec3 n, double angle) {
  double c = Cos(angle), s = Sin(angle);
  return {n.x * c - n.y * s, n.x * s + n.y * c, n.z};
}

SpriteSetArt BuildBulletArt() {
  SpriteSetArt set(kBulletSpriteCount);
  PaintBulletShots(set);
  PaintBulletEffects(set);
  return set;
}

}  // namespace torvel::forge
