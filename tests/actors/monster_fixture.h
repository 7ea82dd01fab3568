// A scenario for the monsters' routines: an open walled room, a monster
// posed on a chosen frame of a chosen sequence, one think of its routine at a
// time, and counts of what came of it (bullets, guys, sounds played).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "actors/behaviour.h"
#include "actors/behaviour_kinds.h"
#include "actors/bullets.h"
#include "actors/guys.h"
#include "audio/sound.h"
#include "gfx/draw_list.h"
#include "player/player_record.h"
#include "support/scenario.h"

namespace torvel::testing {

class MonsterTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    BuildRoom();
    SetShake(0);
    // Hits on the hero land in full.
    Player().armourValue = 0;
    Player().invulnerable = 0;
    // A hero of 128 life, so that every blow shows in full.
    Player().lifeMax = 128;
    Player().life = 128;
  }

  // A room of open floor walled round the edge (20 x 20 tiles, 18 x 18 open).
  void BuildRoom() {
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
  // The centre of tile (tx, ty) in 16.16.
  static Fixed CentreX(int tx) { return ToFixed(tx * kTileWidth + kTileWidth / 2); }
  static Fixed CentreY(int ty) { return ToFixed(ty * kTileHeight + kTileHeight / 2); }

  // The monster on a frame of a sequence, busy in it, its cooldown spent,
  // the frame just begun.
  static void Pose(Guy* g, uint8_t anim, uint8_t frame, int16_t rate = 128) {
    g->anim = anim;
    g->animFrame = frame;
    g->animAccum = 0;
    g->animRate = rate;
    g->busy = 1;
    g->cooldown = 0;
  }
  // One think of the guy's own routine against its nearest foe.
  void Think(Guy* g) { RunBehaviour(*g, map(), world()); }

  // Update steps with the sound clock running, so that finished sounds free
  // their channels as they would in play.
  void Run(int n) {
    for (int i = 0; i < n; ++i) {
      Tick();
      platform().AdvanceClock(33);
      UpdateSounds();
    }
  }

  static int CountBullets(uint8_t kind) {
    int n = 0;
    for (int s = 0; s < kBulletPoolSize; ++s) n += GetBullet(s)->kind == kind;
    return n;
  }
  static const Bullet* FirstBullet(uint8_t kind) {
    for (int s = 0; s < kBulletPoolSize; ++s) {
      if (GetBullet(s)->kind == kind) return GetBullet(s);
    }
    return nullptr;
  }
  static int CountGuys(uint8_t kind) {
    int n = 0;
    for (int s = 0; s < GuyPoolSize(); ++s) n += GetGuy(s)->kind == kind;
    return n;
  }
  static Guy* FirstGuy(uint8_t kind, const Guy* besides = nullptr) {
    for (int s = 0; s < GuyPoolSize(); ++s) {
      Guy* g = GetGuy(s);
      if (g->kind == kind && g != besides) return g;
    }
    return nullptr;
  }

  // How often sound n has been started since the test began: every request
  // that plays sets the pan of a voice of n's sample once. Voices are made
  // one by one, by "create" (a sample) or "duplicate" (a voice of one), so
  // the calls tell whose sample each voice plays even after it is released.
  int Plays(int n) {
    int32_t slot = CachedSlot(n);
    if (slot < 0) return 0;
    SoundHandle master = SlotVoice(slot);
    std::vector<SoundHandle> sampleOf(1, 0);
    int count = 0;
    for (const RecordingSoundDevice::Call& c : Device().calls()) {
      if (c.op == "create") sampleOf.push_back(static_cast<SoundHandle>(sampleOf.size()));
      if (c.op == "duplicate") sampleOf.push_back(c.handle);
      bool known = c.handle > 0 && static_cast<size_t>(c.handle) < sampleOf.size();
      if (c.op == "pan" && known && sampleOf[static_cast<size_t>(c.handle)] == master) ++count;
    }
    return count;
  }
  RecordingSoundDevice& Device() { return *static_cast<RecordingSoundDevice*>(platform().Sound()); }
};

}  // namespace torvel::testing
