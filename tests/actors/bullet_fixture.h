// A room for bullets to fly in: the scenario harness with an open 20 x 20
// room, the bullets stepped on their own (the guys stand still and think
// nothing), and counts of what a tick left behind.
#pragma once

#include <gtest/gtest.h>

#include "actors/bullets.h"
#include "actors/particles.h"
#include "support/scenario.h"

namespace torvel::testing {

class BulletRoom : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    OpenRoom();
  }

  // Walls all round a room of 18 x 18 open tiles: the inner pixels run
  // from 32 to 607 across and from 24 to 455 down.
  void OpenRoom() {
    BuildMap({
        "####################", "#..................#", "#..................#",
        "#..................#", "#..................#", "#..................#",
        "#..................#", "#..................#", "#..................#",
        "#..................#", "#..................#", "#..................#",
        "#..................#", "#..................#", "#..................#",
        "#..................#", "#..................#", "#..................#",
        "#..................#", "####################",
    });
  }

  // Only the bullets move.
  void Fly(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) UpdateBullets(map(), world());
  }

  // A bullet of the kind placed by hand at pixel (px, py), height z pixels,
  // flying (dx, dy) pixels per tick.
  Bullet* Place(uint8_t kind, int px, int py, int z, Fixed dx, Fixed dy, int32_t timer = 30,
                uint8_t facing = 0) {
    return AddBullet(ToFixed(px), ToFixed(py), ToFixed(z), dx, dy, 0, 0, timer, facing, kind);
  }

  static int Bullets(uint8_t kind) {
    int n = 0;
    for (int i = 0; i < kBulletPoolSize; ++i) n += GetBullet(i)->kind == kind;
    return n;
  }
  static int Particles(uint8_t type) {
    int n = 0;
    for (int i = 0; i < ParticlePoolSize(); ++i) {
      const Particle* p = GetParticle(i);
      n += p->life > 0 && p->type == type;
    }
    return n;
  }
  static int GuysOfKind(uint8_t kind) {
    int n = 0;
    for (int i = 0; i < GuyPoolSize(); ++i) n += GetGuy(i)->kind == kind;
    return n;
  }
};

}  // namespace torvel::testing
