// The autoplayer steers the hero by its own model of the hero's control:
// the model must give the velocity and facing the game gives, step for step,
// or its plans part from what the hero does. A change to the hero's rules
// breaks this test until the model follows.
#include "autoplay/motion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "player/hero_control.h"
#include "player/player.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

class HeroModelTest : public Scenario {};

constexpr uint8_t kDirectionBits = kActionUp | kActionDown | kActionLeft | kActionRight;

std::string Describe(uint8_t held, bool icy, Fixed top, Fixed dx0, Fixed dy0, int step) {
  char text[160];
  std::snprintf(text, sizeof text, "held %02x %s top %#x from (%#x, %#x), step %d", held,
                icy ? "on ice" : "on dry ground", static_cast<unsigned>(top),
                static_cast<unsigned>(dx0), static_cast<unsigned>(dy0), step);
  return text;
}

// Every choice of direction keys (opposite ones too), every top speed a
// player can buy and one between, dry ground and ice, from rest, moving and
// moving faster than the top speed allows: the keys held a while, let go,
// then held again.
TEST_F(HeroModelTest, TheAutoplayersModelMovesTheHeroAsTheGameDoes) {
  const Fixed tops[] = {TopSpeedOfLevel(0), TopSpeedOfLevel(1), TopSpeedOfLevel(2),
                        TopSpeedOfLevel(3), TopSpeedOfLevel(4), 0x2C000};
  struct Start {
    Fixed dx, dy;
    uint8_t facing;
  };
  const Start starts[] = {{0, 0, 2}, {0x38000, -0x24000, 5}, {-0x90000, 0x9C000, 7}};
  // Held for 12 steps, let go for 6, held for 4.
  const int phases[] = {12, 6, 4};
  for (bool icy : {false, true}) {
    BuildMap({"####################", icy ? "#==================#" : "#..................#",
              "####################"});
    for (Fixed top : tops) {
      for (const Start& start : starts) {
        for (uint8_t held = 0; held <= kDirectionBits; ++held) {
          InitGuys(kGuyPoolSize);
          Guy* hero = Hero(9, 1);
          ASSERT_NE(hero, nullptr);
          Player().topSpeed = top;
          hero->dx = start.dx;
          hero->dy = start.dy;
          hero->facing = start.facing;
          int32_t dx = start.dx, dy = start.dy;
          uint8_t facing = start.facing;
          int step = 0;
          for (int phase = 0; phase < 3; ++phase) {
            uint8_t keys = phase == 1 ? 0 : held;
            Hold(keys);
            for (int i = 0; i < phases[phase]; ++i, ++step) {
              ControlHero(*hero, map(), world());
              autoplay::HeroVelocityStep(dx, dy, facing, keys, icy, top);
              if (hero->dx != dx || hero->dy != dy || hero->facing != facing) {
                ADD_FAILURE() << Describe(held, icy, top, start.dx, start.dy, step)
                              << ": the game gives (" << hero->dx << ", " << hero->dy << ") facing "
                              << int(hero->facing) << ", the model (" << dx << ", " << dy
                              << ") facing " << int(facing);
                phase = 3;
                break;
              }
            }
          }
          Hold(0);
        }
      }
    }
  }
}

}  // namespace
}  // namespace torvel::testing
