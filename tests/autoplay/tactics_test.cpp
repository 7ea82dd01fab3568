// What the autoplayer's hero steps aside for even while it goes on boldly:
// the rocks a quake drops on its way (each a heavy blow), not the small
// shots it may as well take.
#include <gtest/gtest.h>

#include <vector>

#include "actors/bullets.h"
#include "autoplay/combat.h"
#include "autoplay/nav.h"
#include "input/input.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

using autoplay::Fighter;
using autoplay::ListFoes;
using autoplay::NavGrid;

class BoldTacticsTest : public Scenario {};

constexpr uint8_t kQuakeRock = 23;
constexpr uint8_t kSkeletonBolt = 9;

TEST_F(BoldTacticsTest, AFallingRockOnTheWayIsDeadlyASmallShotIsNot) {
  struct Case {
    const char* name;
    uint8_t kind;
    int dx, dy;  // where it lies from the hero, in pixels
    bool deadly;
  };
  const Case cases[] = {
      {"a rock falling on the way east", kQuakeRock, 64, 0, true},
      {"a rock falling off the way", kQuakeRock, 0, -72, false},
      {"a rock falling behind the hero", kQuakeRock, -96, 0, false},
      {"a skeleton's bolt on the way", kSkeletonBolt, 64, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildMap({
        "############",
        "#..........#",
        "#..........#",
        "#..........#",
        "############",
    });
    InitBullets();
    Player().topSpeed = 0x50000;
    Guy* hero = Hero(2, 2);
    ASSERT_NE(hero, nullptr);
    ASSERT_NE(AddBullet(hero->x + (c.dx << 16), hero->y + (c.dy << 16), 150 << 16, 0, 0, 0, 0, 30,
                        2, c.kind),
              nullptr);
    NavGrid grid;
    grid.Build(map(), world(), false, {});
    Fighter fighter;
    uint8_t held = 0;
    ASSERT_TRUE(
        fighter.Tactics(*hero, grid, map(), ListFoes(), {}, kActionRight, true, false, held));
    EXPECT_EQ(fighter.deadlyAhead(), c.deadly);
  }
}

}  // namespace
}  // namespace torvel::testing
