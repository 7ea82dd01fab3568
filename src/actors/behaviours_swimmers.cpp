// Creatures of the water and the lava: the serpent, the magmazoid and the
// freakazoid. They share one way of wandering and of rising to attack
// (behaviours_shared.cpp) and differ in what they spit.
#include <initializer_list>

#include "actors/behaviour_kinds.h"
#include "actors/behaviours_shared.h"
#include "actors/bullets.h"
#include "platform/random.h"

namespace torvel {

void SerpentBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 64, 65);
  if (guy.busy) {
    if (Beat(guy, 2, 6)) {
      for (int spread : {0, 4, -4}) {
        FireAhead(guy, 8, static_cast<uint8_t>(guy.facing * 32 + spread), 9);
      }
      guy.cooldown = 15;
    }
    return;
  }
  SwimmerDecide(guy, target);
}

void MagmazoidBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 64, 65);
  if (guy.busy) {
    if (guy.anim == 2 && guy.animFrame >= 6 && guy.animFrame <= 12 && guy.cooldown == 0) {
      // A stream of fireballs while its mouth is open.
      FireAhead(guy, 16, guy.facing, 13);
      guy.cooldown = 2;
    } else if (AtFrame(guy, 2, 13) && NewFrame(guy)) {
      guy.cooldown = 20;
    }
    return;
  }
  SwimmerDecide(guy, target);
}

void FreakazoidBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 64, 65);
  if (guy.busy) {
    if (Beat(guy, 2, 6)) {
      FireAhead(guy, 8, static_cast<uint8_t>(guy.facing * 32 + Random(33) - 16), 24);
      guy.cooldown = 15;
    }
    return;
  }
  SwimmerDecide(guy, target);
}

}  // namespace torvel
