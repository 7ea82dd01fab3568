// The route block of a map: every step read with its words, its tiles
// resolved on the map as built, and nothing of it in the world file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "level_fixture.h"

namespace torvel::forge {
namespace {

using testing::Final;
using testing::Hub;
using testing::Map0;
using testing::WorldFile;

// Lines 1..19 set the map up; the route's steps are on lines 21..37.
constexpr char kRouteMap[] =
    "map 3\n"
    "name \"R\"\n"
    "size 20\n"
    "fill .\n"
    "legend\n"
    "  k  item key\n"
    "  X  wall stone roof block\n"
    "  D  like # special gate\n"
    "  F  monster friendly\n"
    "  Y  like X\n"
    "end\n"
    "grid at 2 2\n"
    "k.X.\n"
    ".D.F\n"
    "end\n"
    "rect 10 10 1 1 Y\n"
    "hero at 9 9\n"
    "special gate step do zap 'D' floor grass\n"
    "special out at 15 15 step do win\n"
    "route\n"
    "  take 'k'\n"
    "  take key\n"
    "  take 16\n"
    "  take all\n"
    "  push 'X' north 2\n"
    "  push 10 10 west\n"
    "  step 6 7\n"
    "  go 'k'\n"
    "  bump 'D'\n"
    "  shoot 17 1\n"
    "  kill all\n"
    "  kill spider\n"
    "  talk\n"
    "  talk 'F'\n"
    "  wait 90\n"
    "  win\n"
    "  win 15 15\n"
    "end\n";

struct StepCase {
  RouteStep::Op op;
  int line;
  bool placed;
  int x, y;
  int item, kind, dir, count;
  const char* text;
};

TEST(LevelRoute, EveryStepIsReadAndItsTileResolved) {
  const StepCase expected[] = {
      {RouteStep::kTake, 21, true, 2, 2, 0, 0, 0, 1, "take 'k'"},
      {RouteStep::kTake, 22, false, 0, 0, 16, 0, 0, 1, "take key"},
      {RouteStep::kTake, 23, false, 0, 0, 16, 0, 0, 1, "take 16"},
      {RouteStep::kTakeAll, 24, false, 0, 0, 0, 0, 0, 1, "take all"},
      {RouteStep::kPush, 25, true, 4, 2, 0, 0, 6, 2, "push 'X' north 2"},
      {RouteStep::kPush, 26, true, 10, 10, 0, 0, 4, 1, "push 10 10 west"},
      {RouteStep::kStep, 27, true, 6, 7, 0, 0, 0, 1, "step 6 7"},
      {RouteStep::kGo, 28, true, 2, 2, 0, 0, 0, 1, "go 'k'"},
      {RouteStep::kBump, 29, true, 3, 3, 0, 0, 0, 1, "bump 'D'"},
      {RouteStep::kShoot, 30, true, 17, 1, 0, 0, 0, 1, "shoot 17 1"},
      {RouteStep::kKill, 31, false, 0, 0, 0, 0, 0, 1, "kill all"},
      {RouteStep::kKill, 32, false, 0, 0, 0, 4, 0, 1, "kill spider"},
      {RouteStep::kTalk, 33, false, 0, 0, 0, 0, 0, 1, "talk"},
      {RouteStep::kTalk, 34, true, 5, 3, 0, 0, 0, 1, "talk 'F'"},
      {RouteStep::kWait, 35, false, 0, 0, 0, 0, 0, 90, "wait 90"},
      {RouteStep::kWin, 36, false, 0, 0, 0, 0, 0, 1, "win"},
      {RouteStep::kWin, 37, true, 15, 15, 0, 0, 0, 1, "win 15 15"},
  };
  CompiledWorld w;
  std::string error;
  ASSERT_TRUE(
      testing::Compile(WorldFile(), {Map0(), Hub(), Final(), {"w/03.map", kRouteMap}}, w, error))
      << error;
  ASSERT_EQ(w.routes.size(), 4u);
  EXPECT_TRUE(w.routes[0].empty());
  EXPECT_TRUE(w.routes[1].empty());
  EXPECT_TRUE(w.routes[2].empty());
  const std::vector<RouteStep>& route = w.routes[3];
  ASSERT_EQ(route.size(), std::size(expected));
  for (size_t i = 0; i < route.size(); ++i) {
    const RouteStep& s = route[i];
    const StepCase& c = expected[i];
    SCOPED_TRACE(c.text);
    EXPECT_EQ(s.op, c.op);
    EXPECT_EQ(s.at.file, "w/03.map");
    EXPECT_EQ(s.at.line, c.line);
    EXPECT_EQ(s.place.given, c.placed);
    if (c.placed) {
      EXPECT_EQ(s.place.x, c.x);
      EXPECT_EQ(s.place.y, c.y);
      EXPECT_EQ(s.place.cell, 0u) << "a character's tile is resolved to its place";
    }
    EXPECT_EQ(s.item, c.item);
    EXPECT_EQ(s.kind, c.kind);
    EXPECT_EQ(s.dir, c.dir);
    EXPECT_EQ(s.count, c.count);
    EXPECT_EQ(s.text, c.text);
  }
}

TEST(LevelRoute, TheHubsRouteVisitsMapsAndTheShop) {
  CompiledWorld w;
  std::string error;
  ASSERT_TRUE(testing::Compile(
      WorldFile(),
      {Map0(),
       {"w/01.map",
        "map 1\nname \"HUB\"\nsize 64\nfill .\nhero at 5 5\nroute\n  visit 3\n  shop\n  visit "
        "2\nend\n"},
       Final(),
       {"w/03.map", "map 3\nname \"E\"\nsize 20\nfill .\nhero at 1 1\n"}},
      w, error))
      << error;
  const std::vector<RouteStep>& hub = w.routes[1];
  ASSERT_EQ(hub.size(), 3u);
  EXPECT_EQ(hub[0].op, RouteStep::kVisit);
  EXPECT_EQ(hub[0].map, 3);
  EXPECT_EQ(hub[1].op, RouteStep::kShop);
  EXPECT_EQ(hub[2].op, RouteStep::kVisit);
  EXPECT_EQ(hub[2].map, 2);
  EXPECT_EQ(hub[2].at.line, 9);
}

// The game never reads a route: writing one leaves the world file's bytes as
// they were, so the recorded playthroughs stay valid.
TEST(LevelRoute, LeavesTheWorldFileAsItWas) {
  std::string plain = kRouteMap;
  plain.erase(plain.find("route\n"));
  CompiledWorld with, without;
  std::string error;
  ASSERT_TRUE(
      testing::Compile(WorldFile(), {Map0(), Hub(), Final(), {"w/03.map", kRouteMap}}, with, error))
      << error;
  ASSERT_TRUE(
      testing::Compile(WorldFile(), {Map0(), Hub(), Final(), {"w/03.map", plain}}, without, error))
      << error;
  EXPECT_TRUE(without.routes[3].empty());
  EXPECT_EQ(CompiledWorldBytes(with), CompiledWorldBytes(without));
}

}  // namespace
}  // namespace torvel::forge
