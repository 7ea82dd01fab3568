// Bullets: every short-lived thing that moves and hurts or is picked up.
#pragma once

namespace torvel {

struct Sprite;

// Play start: loads "graphics\bullets.vsp". ExitBullets frees it.
bool InitBullets();
void ExitBullets();
// A sprite of the bullet set (particles fly with these too), or null.
const Sprite* GetBulletSprite(int index);

}  // namespace torvel
