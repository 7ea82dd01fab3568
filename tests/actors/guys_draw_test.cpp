// How guys are queued for drawing: shadows, tints and the hero's looks.
#include <gtest/gtest.h>

#include "actors/guys.h"
#include "actors/kinds.h"
#include "gfx/draw_list.h"
#include "player/player_record.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

class GuyDrawTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    BuildMap({"..........", "..........", ".........."});
    SetCamera(ToFixed(100), ToFixed(40));
    ClearDrawList();
  }
  // The queued entries, shadows and bodies apart.
  struct Queued {
    std::vector<DrawEntry> shadows, bodies;
  };
  static Queued Take() {
    Queued q;
    for (const DrawEntry& e : DrawListInOrder())
      (e.flags & kDrawShadow ? q.shadows : q.bodies).push_back(e);
    ClearDrawList();
    return q;
  }
};

TEST_F(GuyDrawTest, AGuyIsItsShadowAndItsBodyInItsOwnColoursAtItsLight) {
  Guy* g = Add(2, 2, 1);
  g->z = ToFixed(5);
  DrawGuy(*g, -3);
  Queued q = Take();
  ASSERT_EQ(q.shadows.size(), 1u);
  ASSERT_EQ(q.bodies.size(), 1u);
  EXPECT_EQ(q.shadows[0].z, 0);
  EXPECT_EQ(q.bodies[0].x, Px(g));
  EXPECT_EQ(q.bodies[0].y, Py(g));
  EXPECT_EQ(q.bodies[0].z, 5);
  EXPECT_EQ(q.bodies[0].colour, kOwnColours);
  EXPECT_EQ(q.bodies[0].bright, -3);
  EXPECT_EQ(q.bodies[0].object, reinterpret_cast<uintptr_t>(GuySprite(2, 0, 0, 2)));
  EXPECT_EQ(q.shadows[0].object, q.bodies[0].object);
}

TEST_F(GuyDrawTest, TintsForHurtAndFrozenGuys) {
  struct Case {
    uint8_t kind;
    uint8_t hurt;
    uint16_t frozen;
    uint8_t colour;
    int bright;  // from light 2
    uint8_t flags;
  } cases[] = {
      {2, 3, 0, 4, 2, 0},                     // hurt: red
      {2, 0, 31, 7, 6, 0},                    // frozen
      {2, 0, 30, kOwnColours, 2, 0},          // thawing: blinks on odd ticks
      {2, 0, 12, 7, 6, 0},                    // and shows the ice on even ones
      {2, 2, 100, 4, 2, 0},                   // hurt wins
      {40, 0, 0, kOwnColours, 2, kDrawGlow},  // a djinni glows
      {40, 0, 50, 7, -2, 0},                  // unless frozen
  };
  for (const Case& c : cases) {
    InitGuys(kGuyPoolSize);
    Guy* g = Add(c.kind, 3, 1);
    g->hurtTimer = c.hurt;
    g->frozenTimer = c.frozen;
    if (c.frozen == 30) g->frozenTimer = 29;
    DrawGuy(*g, 2);
    Queued q = Take();
    ASSERT_EQ(q.bodies.size(), 1u);
    EXPECT_EQ(q.bodies[0].colour, c.colour) << "kind " << int(c.kind) << " frozen " << c.frozen;
    EXPECT_EQ(q.bodies[0].bright, c.bright) << "kind " << int(c.kind) << " frozen " << c.frozen;
    EXPECT_EQ(q.bodies[0].flags & kDrawGlow, c.flags) << "kind " << int(c.kind);
  }
}

TEST_F(GuyDrawTest, KindsWithoutShadowAndBlankFrames) {
  Guy* djinni = Add(40, 3, 1);
  DrawGuy(*djinni, 0);
  EXPECT_EQ(Take().shadows.size(), 0u);
  Guy* hero = Hero(5, 1);
  hero->anim = 6;
  hero->animFrame = 14;  // the drowning hero has gone under
  DrawGuy(*hero, 0);
  Queued q = Take();
  EXPECT_TRUE(q.bodies.empty());
  EXPECT_TRUE(q.shadows.empty());
}

TEST_F(GuyDrawTest, TheHerosLooks) {
  struct Case {
    const char* what;
    void (*set)(PlayerRecord&, Guy&);
    size_t bodies, shadows;
    uint8_t colour;
    int bright;  // from light 0
  } cases[] = {
      {"plain", [](PlayerRecord&, Guy&) {}, 1, 1, kOwnColours, 0},
      {"poisoned", [](PlayerRecord& p, Guy&) { p.poison = 50; }, 1, 1, 1, -4},
      {"poisoned and hurt",
       [](PlayerRecord& p, Guy& h) {
         p.poison = 50;
         h.hurtTimer = 2;
       },
       1, 1, 4, 0},
      {"protected",
       [](PlayerRecord& p, Guy&) {
         p.protectionTimer = 9;
         p.spells[6] = 1;
       },
       1, 1, 2, -4},
      {"protected, upgraded, hurt",
       [](PlayerRecord& p, Guy& h) {
         p.protectionTimer = 9;
         p.spells[6] = 2;
         h.hurtTimer = 3;
       },
       1, 1, 0, 8},
      {"hasted", [](PlayerRecord& p, Guy&) { p.hasteTimer = 9; }, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    InitGuys(kGuyPoolSize);
    ResetPlayer(kResetMapStart, 0, 2);
    Guy* hero = Hero(3, 1);
    c.set(Player(), *hero);
    DrawGuy(*hero, 0);
    Queued q = Take();
    ASSERT_EQ(q.bodies.size(), c.bodies) << c.what;
    EXPECT_EQ(q.shadows.size(), c.shadows) << c.what;
    if (c.bodies == 0) continue;
    EXPECT_EQ(q.bodies[0].colour, c.colour) << c.what;
    EXPECT_EQ(q.bodies[0].bright, c.bright) << c.what;
  }
}

TEST_F(GuyDrawTest, TheInvulnerableHeroShimmersInBlinks) {
  Guy* hero = Hero(3, 1);
  struct Case {
    uint8_t timer;
    bool shimmer;
  } cases[] = {{40, true}, {18, true},  {15, false}, {14, false}, {12, true},
               {13, true}, {10, false}, {1, true},   {0, false}};
  for (const Case& c : cases) {
    Player().invulnerable = c.timer;
    DrawGuy(*hero, 0);
    Queued q = Take();
    size_t ghosts = 0;
    for (const DrawEntry& e : q.bodies) ghosts += (e.flags & kDrawGhost) != 0;
    EXPECT_EQ(ghosts, c.shimmer ? 1u : 0u) << "timer " << int(c.timer);
    EXPECT_EQ(q.bodies.size(), ghosts + 1) << "the body is drawn as well";
  }
}

TEST_F(GuyDrawTest, RenderGuysDrawsEveryGuyAndUnlitOnesAtLightZero) {
  Guy* a = Add(2, 2, 1);
  Guy* b = Add(3, 5, 1);
  a->light = -6;
  b->light = 4;
  RenderGuys(true);
  Queued lit = Take();
  ASSERT_EQ(lit.bodies.size(), 2u);
  EXPECT_EQ(lit.bodies[0].bright + lit.bodies[1].bright, -2);
  RenderGuys(false);
  Queued dark = Take();
  ASSERT_EQ(dark.bodies.size(), 2u);
  EXPECT_EQ(dark.bodies[0].bright, 0);
  EXPECT_EQ(dark.bodies[1].bright, 0);
}

TEST_F(GuyDrawTest, GuysTakeTheLightOfTheirTile) {
  Guy* g = Add(2, 2, 1);
  At(2, 1).curLight = -9;
  LightGuys(map());
  EXPECT_EQ(g->light, -9);
  At(2, 1).curLight = 3;
  Tick();
  EXPECT_EQ(g->light, MapTile(map(), 2, 1).curLight);
}

}  // namespace
}  // namespace torvel::testing
