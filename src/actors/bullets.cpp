// Stand-in until the bullets module lands: the sprite set, which the
// particles already draw with, and the pool; bullets do not fly yet.
#include "actors/bullets.h"

#include "gfx/sprites.h"

namespace torvel {

namespace {
struct BulletState {
  SpriteSet sprites;
  Bullet pool[kBulletPoolSize];
};
BulletState gBullets;
}  // namespace

bool InitBullets() {
  ResetBullets();
  return gBullets.sprites.Load("graphics\\bullets.vsp");
}
void ExitBullets() {
  gBullets.sprites.Free();
}
void ResetBullets() {
  for (Bullet& b : gBullets.pool) b = Bullet{};
}
const Sprite* GetBulletSprite(int index) {
  return gBullets.sprites.GetSprite(index);
}
Bullet* GetBullet(int slot) {
  return slot >= 0 && slot < kBulletPoolSize ? &gBullets.pool[slot] : nullptr;
}
int LiveBulletCount() {
  int n = 0;
  for (const Bullet& b : gBullets.pool) n += b.kind != 0;
  return n;
}
Bullet* FireBullet(Fixed, Fixed, uint8_t, uint8_t) {
  return nullptr;
}
Bullet* FireBulletAfter(Fixed, Fixed, uint8_t, uint8_t, const Bullet&) {
  return nullptr;
}
Bullet* FireBeam(Fixed, Fixed, int16_t) {
  return nullptr;
}
Bullet* AddBullet(Fixed, Fixed, Fixed, Fixed, Fixed, Fixed, uint8_t, int32_t, uint8_t, uint8_t) {
  return nullptr;
}
void StartBullet(Bullet&, Fixed, Fixed, uint8_t, uint8_t) {}
void HeroShot(Fixed, Fixed, uint8_t, uint8_t, uint8_t) {}
void HeroShot2(Fixed, Fixed, uint8_t, uint8_t, uint8_t) {}
void StormStrike(const Map&, Fixed, Fixed) {}
void UpdateBullets(Map&, const World&) {}
void UpdateBullet(Bullet&, Map&, const World&) {}
bool BulletFits(Fixed, Fixed, Map&, int32_t) {
  return true;
}
void RenderBullets() {}

}  // namespace torvel
