// How far the mother spider's spit lands, as the autoplayer's hero reckons
// it, checked against the game: she spits at a hero standing still, again
// and again, and only a hero within that reach is ever hit. And the ways
// within it cost more, so the hero's way goes round her; her egg sacs, which
// never move, are not shot on the way.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "autoplay/combat.h"
#include "autoplay/nav.h"
#include "player/player.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

using autoplay::AvoidBosses;
using autoplay::Fighter;
using autoplay::Foe;
using autoplay::ListFoes;
using autoplay::NavGrid;
using autoplay::TilePos;

constexpr uint8_t kEggSac = 7;
constexpr uint8_t kMotherSpider = 8;

class SpitterTest : public Scenario {
 protected:
  // An open hall, 62 tiles wide and 40 deep, walled round.
  void BuildHall() {
    BuildMap({"#"}, 64);
    OpenRoom(1, 1, 62, 40);
  }

  // The spider's spit reach as the fighter reckons it.
  int Reach() {
    for (const Foe& f : ListFoes()) {
      if (f.kind == kMotherSpider) return f.spit;
    }
    return 0;
  }
};

TEST_F(SpitterTest, HerSpitLandsOnlyWithinTheReachTheHeroKeepsOutOf) {
  struct Case {
    const char* name;
    int dirX, dirY;  // the way from her to the hero
    uint8_t facing;  // hers, toward the hero
    int beyond;      // the hero's distance, straight, less the reckoned reach
    bool hit;        // whether some spit lands in forty
  };
  const Case cases[] = {
      {"straight east, well within", 1, 0, 0, -70, true},
      {"straight east, just within", 1, 0, 0, -25, true},
      {"straight east, just beyond", 1, 0, 0, 4, false},
      {"slanting south-east, just beyond", 1, 1, 1, 4, false},
      {"straight north, just beyond", 0, -1, 6, 4, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildHall();
    constexpr int kSpiderX = 1000, kSpiderY = 500;
    Guy* spider = AddAtPixel(kMotherSpider, kSpiderX, kSpiderY);
    ASSERT_NE(spider, nullptr);
    const int reach = Reach();
    ASSERT_GT(reach, 128);  // beyond her bite
    const double len = std::hypot(c.dirX, c.dirY);
    const double d = reach + c.beyond;
    Guy* hero = AddAtPixel(1, kSpiderX + static_cast<int>(std::lround(c.dirX / len * d)),
                           kSpiderY + static_cast<int>(std::lround(c.dirY / len * d)));
    ASSERT_NE(hero, nullptr);
    Player().life = Player().lifeMax = 200;
    int hits = 0;
    for (int spit = 0; spit < 40; ++spit) {
      // She stands where she was, facing the hero, and spits.
      spider->x = kSpiderX << 16;
      spider->y = kSpiderY << 16;
      spider->dx = spider->dy = 0;
      spider->facing = c.facing;
      spider->anim = 2;
      spider->animFrame = 4;
      spider->busy = 1;
      spider->animRate = 128;
      spider->cooldown = 0;
      const int before = Player().life;
      Tick(30);
      if (Player().life < before) ++hits;
      Player().life = 200;
      Player().invulnerable = 0;
    }
    EXPECT_EQ(hits > 0, c.hit) << hits << " of 40 spits landed";
  }
}

TEST_F(SpitterTest, TheWaysWithinHerReachCostMore) {
  BuildHall();
  Guy* spider = AddAtPixel(kMotherSpider, 1008, 492);
  ASSERT_NE(spider, nullptr);
  NavGrid grid;
  grid.Build(map(), world(), false, {});
  AvoidBosses(grid, ListFoes());
  // Across the hall at her row: the way through her costs more than the
  // way round, once she is there.
  const TilePos west{5, 20}, east{58, 20};
  auto crosses = [&](const std::vector<TilePos>& way) {
    for (const TilePos& t : way) {
      if (std::hypot(t.x * 32 + 16 - 1008, t.y * 24 + 12 - 492) < Reach()) return true;
    }
    return false;
  };
  EXPECT_FALSE(crosses(grid.Path(west, east, true)));
  // The same way without her goes straight through.
  grid.ClearPenalties();
  EXPECT_TRUE(crosses(grid.Path(west, east, true)));
}

TEST_F(SpitterTest, AnEggSacInLineIsShotOnlyNearOrWhenItIsTheQuarry) {
  struct Case {
    const char* name;
    int dx;          // the egg sac east of the hero, in pixels
    uint8_t quarry;  // the kind the hero is after (0: none)
    bool shoots;
  };
  const Case cases[] = {
      {"in line, on the way elsewhere", 200, 0, false},
      {"in line, the hero after another kind", 200, kMotherSpider, false},
      {"in line, the hero after egg sacs", 200, kEggSac, true},
      {"close by, in the way", 64, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildHall();
    Player().shotPower = 1;
    Guy* hero = AddAtPixel(1, 400, 300);
    ASSERT_NE(hero, nullptr);
    ASSERT_NE(AddAtPixel(kEggSac, 400 + c.dx, 300), nullptr);
    Fighter fighter;
    fighter.SetQuarry(c.quarry);
    int target = -1;
    const int facing = fighter.BestShot(*hero, map(), ListFoes(), target);
    EXPECT_EQ(facing >= 0, c.shoots);
    if (c.shoots) {
      EXPECT_EQ(facing, 0);  // east
    }
  }
}

}  // namespace
}  // namespace torvel::testing
