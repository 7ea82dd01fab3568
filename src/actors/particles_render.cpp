// Drawing particles: sprite particles go on the draw list with the bullet or
// hero sprites, dots go on it as particle entries that PlotDot draws.
#include <cstddef>

#include "actors/bullets.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "gfx/draw_list.h"

namespace torvel {

namespace {

constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;

// A shade or two darker toward a dot's rim, never below its ramp's darkest.
uint8_t Darker(uint8_t colour, int shades) {
  return (colour & 31) < shades ? colour : static_cast<uint8_t>(colour - shades);
}

void Put(uint8_t* screen, int32_t x, int32_t y, uint8_t colour) {
  screen[static_cast<size_t>(y) * kScreenWidth + static_cast<size_t>(x)] = colour;
}

}  // namespace

void RenderParticles() {
  for (int slot = 0; slot < ParticlePoolSize(); ++slot) {
    const Particle& p = *GetParticle(slot);
    if (p.life <= 0) continue;
    const int32_t x = FixedToInt(p.x);
    const int32_t y = FixedToInt(p.y);
    const int32_t z = FixedToInt(p.z);
    const int8_t bright = static_cast<int8_t>(p.colour - 64);
    switch (p.type) {
      case kParticleSpark:
        AddToDrawList(x, y, z, kOwnColours, bright, GetBulletSprite(37 + p.size),
                      kDrawVisible | kDrawGlow);
        break;
      case kParticleExplosion:
        AddToDrawList(x, y, z, kOwnColours, bright, GetBulletSprite(110 + p.size),
                      kDrawVisible | kDrawGhost);
        break;
      case kParticleLevelUp:
        // Blinks out its last twenty ticks.
        if (p.life <= 20 && (p.life & 1) == 0) break;
        AddToDrawList(x, y, z, kOwnColours, 0, GetBulletSprite(222), kDrawVisible | kDrawGhost);
        break;
      case kParticleAfterImage:
        AddToDrawList(x, y, z, kOwnColours, 0, KindSprite(1, p.size), kDrawVisible | kDrawGhost);
        break;
      default:
        AddParticle(x, y, z, p.colour, static_cast<int8_t>(p.size), kDrawVisible | kDrawParticle);
        break;
    }
  }
}

void PlotDot(int32_t x, int32_t y, uint8_t* screen, uint8_t colour, uint8_t size) {
  if (!screen) return;
  switch (size) {
    case 0:
      if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return;
      Put(screen, x, y, colour);
      break;
    case 1: {
      if (x < 1 || y < 1 || x > kScreenWidth - 2 || y > kScreenHeight - 2) return;
      const uint8_t arm = Darker(colour, 1);
      Put(screen, x, y, colour);
      Put(screen, x - 1, y, arm);
      Put(screen, x + 1, y, arm);
      Put(screen, x, y - 1, arm);
      Put(screen, x, y + 1, arm);
      break;
    }
    case 2: {
      if (x < 2 || y < 2 || x > kScreenWidth - 3 || y > kScreenHeight - 3) return;
      const uint8_t ring = Darker(colour, 2);
      const uint8_t tip = Darker(ring, 2);
      Put(screen, x, y - 1, colour);
      Put(screen, x, y, colour);
      Put(screen, x, y + 1, colour);
      Put(screen, x - 1, y - 1, ring);
      Put(screen, x + 1, y - 1, ring);
      Put(screen, x - 1, y, ring);
      Put(screen, x + 1, y, ring);
      Put(screen, x - 1, y + 1, ring);
      Put(screen, x + 1, y + 1, ring);
      Put(screen, x, y - 2, tip);
      Put(screen, x - 2, y, tip);
      Put(screen, x + 2, y, tip);
      Put(screen, x, y + 2, tip);
      break;
    }
    default:
      break;
  }
}

}  // namespace torvel
