// How the autoplayer's hero fights the giant: the place above it where a
// pillar holds it (checked against the giant's own walk in the game), and
// what one rock of its quake would cost.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "autoplay/combat.h"
#include "autoplay/nav.h"
#include "player/player.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

using autoplay::Fighter;
using autoplay::Foe;
using autoplay::GiantRockHurt;
using autoplay::ListFoes;
using autoplay::NavGrid;

constexpr uint8_t kGiant = 32;

class GiantFightTest : public Scenario {
 protected:
  // An open hall, 18 tiles wide and `rows` deep, walled round.
  void BuildHall(int rows) {
    BuildMap({"#"}, rows + 2 > 20 ? 64 : 20);
    OpenRoom(1, 1, 18, rows);
  }
};

TEST_F(GiantFightTest, APillarBetweenHoldsTheGiantBelowAHeroAboveIt) {
  struct Case {
    const char* name;
    bool pillar;
    int heroX, heroY;  // pixels; the giant stands at (330, 400)
    bool holds;
    bool walks;  // nothing stops it coming on (it guards and slams at a hero below)
  };
  const Case cases[] = {
      {"a pillar between, the hero above", true, 345, 170, true, false},
      {"open floor: it would walk on up", false, 345, 170, false, true},
      {"the hero below it, not above", true, 345, 300 + 330, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Deeper when the hero stands below; a pillar at (9, 14) when asked.
    BuildHall(c.heroY > 480 ? 38 : 18);
    if (c.pillar) At(9, 14).wall = 1;
    Player().life = Player().lifeMax = 100;
    Guy* hero = AddAtPixel(1, c.heroX, c.heroY);
    Guy* giant = AddAtPixel(kGiant, 330, 400);
    ASSERT_NE(hero, nullptr);
    ASSERT_NE(giant, nullptr);
    NavGrid grid;
    grid.Build(map(), world(), false, {});
    const Foe* foe = nullptr;
    std::vector<Foe> foes = ListFoes();
    for (const Foe& f : foes) {
      if (f.kind == kGiant) foe = &f;
    }
    ASSERT_NE(foe, nullptr);
    Fighter fighter;
    int px = 0, py = 0;
    ASSERT_EQ(fighter.GiantHoldPoint(*hero, grid, map(), *foe, px, py), c.holds);
    if (!c.holds) {
      if (c.walks) {
        // Nothing stops it: it comes on at the hero.
        const int x0 = Px(giant), y0 = Py(giant);
        Tick(60);
        EXPECT_GT(std::abs(Px(giant) - x0) + std::abs(Py(giant) - y0), 40);
      }
      continue;
    }
    // From there a bolt meets it...
    EXPECT_LT(py, Py(giant));
    Guy probe = *hero;
    probe.x = px << 16;
    probe.y = py << 16;
    EXPECT_GE(fighter.FiringFacing(probe, *foe, map(), 0), 0);
    // ...and the game agrees: with the hero standing there, the giant walks
    // into the pillar and stays, within its quake-only range.
    hero->x = px << 16;
    hero->y = py << 16;
    hero->dx = hero->dy = 0;
    Tick(60);
    const int x0 = Px(giant), y0 = Py(giant);
    Tick(30);
    EXPECT_LE(std::abs(Px(giant) - x0) + std::abs(Py(giant) - y0), 2);
    const int d = std::abs(Px(giant) - px) + std::abs(Py(giant) - py);
    EXPECT_GE(d, 180);
    EXPECT_LT(d, 300);
    EXPECT_LT(py, Py(giant));
  }
}

TEST_F(GiantFightTest, TheBoltsOfAVolleyThatMeetItByWhereTheHeroStands) {
  struct Case {
    const char* name;
    uint8_t power;
    int heroX, heroY;  // pixels; the foe's box is 96 by 72 about (330, 400)
    int facing;
    bool wall;  // a wall between, at (9, 12) and (10, 12)
    int meet;
  };
  const Case cases[] = {
      {"a pair, straight above, near", 2, 330, 220, 2, false, 2},
      {"a pair, from the side, not lined up", 2, 130, 370, 0, false, 1},
      {"a pair, from the side, lined up", 2, 180, 400, 0, false, 2},
      {"a pair fired away from it", 2, 330, 220, 6, false, 0},
      {"beyond a bolt's flight", 1, 330, 10, 2, false, 0},
      {"a wall between", 2, 330, 220, 2, true, 0},
      {"a fan of five, straight above: the wide ones miss", 5, 330, 220, 2, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildHall(18);
    if (c.wall) At(9, 12).wall = At(10, 12).wall = 1;
    Player().shotPower = c.power;
    Foe foe;
    foe.x = 330;
    foe.y = 400;
    foe.half = 48;
    foe.halfY = 36;
    EXPECT_EQ(Fighter::BoltsThatMeet(c.heroX, c.heroY, c.facing, foe, map()), c.meet);
  }
}

TEST_F(GiantFightTest, ARockCostsItsWeightLessArmourLessUnderProtection) {
  struct Case {
    const char* name;
    bool giant;
    uint8_t armour;
    uint16_t protection;
    uint8_t protectionSpell;
    int hurt;
  };
  const Case cases[] = {
      {"no giant on the map", false, 0, 0, 0, 0},
      {"bare", true, 0, 0, 0, 20},
      {"armour 3", true, 3, 0, 0, 17},
      {"armour 3, protected", true, 3, 100, 1, 8},
      {"armour 3, upgraded protection", true, 3, 100, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildMap({"##########", "#........#", "#........#", "##########"});
    if (c.giant) {
      ASSERT_NE(AddAtPixel(kGiant, 160, 36), nullptr);
    }
    PlayerRecord& p = Player();
    p.armourValue = c.armour;
    p.protectionTimer = c.protection;
    p.spells[6] = c.protectionSpell;
    EXPECT_EQ(GiantRockHurt(), c.hurt);
  }
}

}  // namespace
}  // namespace torvel::testing
