// Which spell the autoplayer casts, if any: the homing missiles at a foe in
// sight, an ally against a big foe or a crowd while none is out, and always
// enough mana kept back for one healing when the hero owns it.
#include <gtest/gtest.h>

#include <vector>

#include "autoplay/combat.h"
#include "autoplay/nav.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

using autoplay::Fighter;
using autoplay::ListFoes;
using autoplay::NavGrid;

class SpellChoiceTest : public Scenario {};

constexpr uint8_t kBat = 3;
constexpr uint8_t kHugeBat = 29;  // a thousand life: a big foe
constexpr uint8_t kPtero = 12;

TEST_F(SpellChoiceTest, MissilesAndAlliesWhereTheyHelpWithManaKeptForHealing) {
  struct Case {
    const char* name;
    int missiles, ally, heal;  // the spells' levels (0 not owned)
    int mana;
    bool bigFoe, allyOut, wallBetween;
    int slot;  // the spell cast, or -1 for none
  };
  // Upgraded missiles cost 8, the learned ally 20, the upgraded healing 30.
  const Case cases[] = {
      {"missiles at a bat in sight", 2, 0, 0, 45, false, false, false, 2},
      {"missiles, the healing's mana spared", 2, 0, 2, 38, false, false, false, 2},
      {"no missiles that would eat into the healing", 2, 0, 2, 37, false, false, false, -1},
      {"no missiles through a wall", 2, 0, 0, 45, false, false, true, -1},
      {"an ally against a big foe", 2, 1, 0, 45, true, false, false, 5},
      {"no second ally while one is out", 2, 1, 0, 45, true, true, false, 2},
      {"no ally against a lone bat", 0, 1, 0, 45, false, false, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildMap({
        "##########",
        "#........#",
        "#.....#..#",
        "#........#",
        "##########",
    });
    for (uint8_t& level : Player().spells) level = 0;
    Player().spells[2] = static_cast<uint8_t>(c.missiles);
    Player().spells[5] = static_cast<uint8_t>(c.ally);
    Player().spells[8] = static_cast<uint8_t>(c.heal);
    Player().mana = static_cast<uint8_t>(c.mana);
    Player().manaMax = 60;
    Player().life = Player().lifeMax = 45;
    Player().spellCooldown = 0;
    Guy* hero = Hero(2, 2);
    ASSERT_NE(hero, nullptr);
    ASSERT_NE(Add(kBat, c.wallBetween ? 8 : 4, c.wallBetween ? 2 : 1), nullptr);
    if (c.bigFoe) {
      ASSERT_NE(Add(kHugeBat, 7, 3), nullptr);
    }
    if (c.allyOut) {
      ASSERT_NE(Add(kPtero, 1, 3), nullptr);
    }
    NavGrid grid;
    grid.Build(map(), world(), false, {});
    Fighter fighter;
    int slot = -1, facing = -1;
    bool cast = fighter.SpellToCast(*hero, grid, map(), ListFoes(), slot, facing);
    EXPECT_EQ(cast ? slot : -1, c.slot);
  }
}

}  // namespace
}  // namespace torvel::testing
