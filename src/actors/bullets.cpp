// Stand-in until the bullets module lands: only the bullet sprite set, which
// the particles already draw with.
#include "actors/bullets.h"

#include "gfx/sprites.h"

namespace torvel {

namespace {
SpriteSet gBulletSprites;
}  // namespace

bool InitBullets() {
  return gBulletSprites.Load("graphics\\bullets.vsp");
}
void ExitBullets() {
  gBulletSprites.Free();
}
const Sprite* GetBulletSprite(int index) {
  return gBulletSprites.GetSprite(index);
}

}  // namespace torvel
