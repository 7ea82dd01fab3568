// The autoplayer's ways over the tile grid: the floors that act when the
// hero's middle comes onto them (plates that toggle, cracked floors) must be
// crossed only where the way means to, and a diagonal step passes over one
// of its two straight neighbours, so it may not cut the corner of such a
// floor any more than the corner of a wall.
#include "autoplay/nav.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/scenario.h"

namespace torvel::testing {
namespace {

using autoplay::NavGrid;
using autoplay::TilePos;

class NavTest : public Scenario {
 protected:
  std::vector<TilePos> WayOn(std::initializer_list<std::string_view> rows, TilePos from,
                             TilePos to) {
    BuildMap(rows);
    NavGrid grid;
    grid.Build(map(), world(), false, {});
    return grid.Path(from, to, false);
  }
};

// The way from the left to the right of each row: it may go diagonally past
// plain floor, never past the corner of a wall or an acting floor.
TEST_F(NavTest, DiagonalStepsCutNoCornerOfAWallOrOfAFloorThatActs) {
  struct Case {
    const char* name;
    const char* corner;  // what stands below the diagonal's straight way
    bool diagonal;       // a diagonal step is fine there
  };
  const Case cases[] = {
      {"plain floor", ".", true},
      {"a wall", "#", false},
      {"a floor that toggles", "s", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // From (1,2) up to (2,1): one diagonal step, or two straight ones
    // around the corner at (2,2) by way of (1,1).
    std::string row2 = std::string("#.") + c.corner + ".#";
    std::vector<TilePos> way = WayOn({"#####", "#...#", row2, "#####"}, {1, 2}, {2, 1});
    ASSERT_FALSE(way.empty());
    for (const TilePos& t : way) {
      EXPECT_FALSE(t.x == 2 && t.y == 2) << "the way crosses the corner tile itself";
    }
    const bool oneStep = way.size() == 2;
    EXPECT_EQ(oneStep, c.diagonal) << "way of " << way.size() << " tiles";
  }
}

}  // namespace
}  // namespace torvel::testing
