// The hero's control: once per tick, in place of a monster's behaviour, the
// held action bits become facing, acceleration, shots and spells.
#pragma once

#include <cstdint>

namespace torvel {

struct Guy;
struct Map;
struct World;

// One tick of the hero (timers, poison, friction and ice, the action bits).
void ControlHero(Guy& hero, Map& map, World& world);
// The hero's shot with the current shot power and flags; homing shots once
// the armour is complete.
void FireShot(Guy& hero);
// Casts the spell recorded when the cast began.
void CastSpell(Guy& hero);
// The facing for the held direction bits; none held leaves it.
void SetFacingFromBits(uint8_t bits, Guy& guy);
// The storm of spell 9: while the burst counter runs, once per tick.
void StepBurst(Map& map);

}  // namespace torvel
