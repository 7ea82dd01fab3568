// The compiled-in monster kinds table.
//
// Sequence frames are numbers before the facing offset; E ends a sequence and
// B is a blank frame. Roles: 0 idle, 1 move, 2 attack, 3 die, 4-8 as each
// behaviour uses them. The behaviours act on fixed positions of their
// sequences (a strike, a shot, a spawn), so each sequence below is laid out
// to have its telling pose on that position; the comment beside a kind names
// those beats. A walk of twelve written "a b c b a 0 d e f e d 0" swings one
// leg out and back, then the other; "1..6 1..6" is a six-frame loop played
// twice. Frames shared between sequences keep the pose of their first use.
#include "actors/kinds_table.h"

namespace torvel {

namespace {

constexpr uint8_t E = kSequenceEnd;
constexpr uint8_t B = kBlankFrame;

using namespace KindFlag;

}  // namespace

// clang-format off
const KindInfo kKindTable[kKindCount] = {
  // 0: an empty slot.
  {"", 0, 0, 0, 0, "", 0, {}},

  // 1 hero. Shot at attack position 6 (frame 11), small cast at 4, big cast at 2.
  {"CNVASYVYC", 11, 25, 128, 0, "graphics\\sylabulus.vsp", EntersLiquid | HeroSide,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {7, 8, 9, 10, 10, 11, 11, 12, 12, E},
    {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, E},
    {13, 13, 14, 14, 13, 13, E},
    {7, 8, 9, 10, 11, 12, 12, E},
    {1, 3, 1, 0, 4, 6, 4, 0, 1, 3, 1, 0, 0, B, B, B, B, E}}},

  // 2 skeleton. Blow lands at 3, the bone shot leaves at 3 of the cast; 5 is a pose.
  {"CKEVET", 8, 38, 10, 50, "graphics\\skeleton.vsp", 0,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {20, 21, 22, 23, 24, E},
    {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, E},
    {25, 26, 27, 28, 29, 30, E},
    {31, 32, 32, 32, 31, E}}},

  // 3 bat. Bite at 2; the dive hurts from 2 on; 5 recoils after a dive hit.
  {"VETY4AR MbIUb", 8, 27, 5, 25, "graphics\\bat.vsp", Flies,
   {{0, E},
    {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, E},
    {7, 8, 9, 10, 11, E},
    {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, E},
    {22, 23, 24, 24, 24, 24, 24, 24, 23, E},
    {25, 26, 26, 25, 0, E}}},

  // 4 spider. Bite at 2.
  {"LAY40K", 4, 22, 1, 10, "graphics\\spider.vsp", 0,
   {{0, E},
    {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, E},
    {7, 8, 9, 10, 11, E},
    {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 21, 21, 21, E}}},

  // 5 big spider. Spits at 6.
  {"S0VbU0J LAYK", 8, 21, 10, 50, "graphics\\bigspdr.vsp", 0,
   {{0, E},
    {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, E},
    {7, 8, 9, 10, 11, 12, 13, 12, 11, E},
    {14, 15, 16, 17, 18, 19, 20, 20, 20, 20, 20, 20, 20, E}}},

  // 6 zombie. The lunge leaps at 5 and hits from 7 to 12.
  {"30MSN", 11, 32, 20, 150, "graphics\\zombie.vsp", 0,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, E},
    {22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 31, 31, E}}},

  // 7 egg sac. A spider hatches at 18.
  {"LAY4NJ K0K0H", 20, 19, 150, 1000, "graphics\\eggsac.vsp",
   OneFacing | OnlyHeroBumps | NoKnockback,
   {{0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 1, 0, E},
    {0, E},
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, E},
    {19, 20, 21, 22, 23, 24, 25, E}}},

  // 8 mother spider. Spits from 5 to 7, bites at 2 of sequence 4.
  {"LAY4NXA-MATb", 30, 30, 200, 1500, "graphics\\mamaspdr.vsp", NoKnockback,
   {{0, E},
    {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, E},
    {7, 8, 9, 10, 11, 12, 13, 14, 15, E},
    {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 26, 26, E},
    {27, 28, 29, 28, 27, E}}},

  // 9 pygmy. Long fidgeting idle; blow at 6; 4 and 5 are poses, 6 turns angry.
  {"LNFMEJ", 10, 50, 15, 100, "graphics\\pygmy.vsp", 0,
   {{0, 0, 0, 1, 2, 1, 0, 0, 0, 0, 3, 4, 3, 0, 0, 0, 0, 1, 2, 1, 0, 0, 0, E},
    {5, 6, 7, 6, 5, 0, 8, 9, 10, 9, 8, 0, E},
    {11, 12, 13, 14, 15, 16, 17, 18, 19, E},
    {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, E},
    {30, 31, 32, 33, 34, 35, 36, 35, 34, 33, 32, 31, 30, E},
    {37, 38, 39, 40, 41, 42, 43, 43, 43, 42, 41, 40, 39, 38, 37, 0, E},
    {44, 45, 46, 47, 48, 49, 48, 47, 46, 45, 44, E}}},

  // 10 water serpent. Spits at 6.
  {"B0DRH0J 3MEJ", 15, 20, 15, 75, "graphics\\serpent.vsp", EntersLiquid | Swims,
   {{0, E},
    {1, 2, 3, 4, 5, 6, E},
    {7, 8, 9, 10, 11, 12, 13, 14, 15, E},
    {16, 17, 18, 19, 19, 19, 19, E}}},

  // 11 friendly. Held on one of four looks, chosen by map: 0, 1, 2 and 4.
  {"D0SPRK", 11, 4, 100, 0, "graphics\\friendly.vsp", OneFacing | NoKnockback | Invulnerable,
   {{0, E}, {1, E}, {2, E}, {0, E}, {3, E}}},

  // 12 ptero. Flaps; shoots at 3.
  {"LTEP0DAKTNVb", 10, 11, 15, 5, "graphics\\ptero.vsp",
   Flies | OnlyHeroBumps | HeroPassesThrough | HeroSide,
   {{0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, E},
    {0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, E},
    {6, 7, 8, 8, 8, 7, 6, E},
    {9, 10, 10, E}}},

  // 13 eye guy. Shoots at 4.
  {"FVA3ACTNK", 14, 17, 20, 75, "graphics\\eyeguy.vsp", 0,
   {{0, 1, E},
    {2, 3, 4, 3, 2, 0, 5, 6, 7, 6, 5, 0, E},
    {8, 9, 10, 11, 12, 13, E},
    {14, 15, 16, 16, E}}},

  // 14 peeper. Shoots at 3; 4 looks around; 5 stays shut while it sleeps.
  {"C0FVRDATAJ", 26, 8, 40, 150, "graphics\\peeper.vsp", Flies | NoKnockback,
   {{0, 1, E},
    {0, 1, E},
    {1, 4, 4, 4, 0, E},
    {4, 2, 3, 7, 7, 7, 7, 7, 7, E},
    {0, 5, 5, 0, 6, 6, 0, E},
    {3, 3, 3, 3, 3, 3, 3, 3, E}}},

  // 15 walking tower. Charge: wind-up 0-3, dash 4, brake 5-7, shockwave 12;
  // 4 spins the mortar (it turns one facing per frame).
  {"X0DR4AR SAUHR", 60, 17, 500, 1000, "graphics\\tower.vsp", NoKnockback,
   {{0, 0, 0, E},
    {1, 2, 3, 4, 1, 2, 3, 4, E},
    {5, 5, 6, 6, 7, 8, 8, 8, 9, 9, 9, 9, 10, 10, 10, 11, 11, 11, 11, E},
    {12, 13, 14, 15, 15, 15, 15, 15, 15, E},
    {16, 16, 16, 16, 16, 16, 16, 16, E}}},

  // 16 all-seeing eye. Opens slowly, beam at 9, closes by 18; hurt only meanwhile.
  {"BCEBNDR&EE 0K0", 64, 7, 1000, 2500, "graphics\\lookyloo.vsp",
   OneFacing | NoKnockback | BoxFromSprite,
   {{0, E},
    {0, E},
    {0, 1, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 3, 3, 2, 1, 0, E},
    {4, 5, 5, 6, 6, 6, 6, E}}},

  // 17 pink eye. Shoots at 5; its death collapses by 3 (held there) and revives.
  {"P030BbIJ FVA3", 11, 13, 20, 1, "graphics\\pinkeye.vsp", NoKnockback,
   {{0, E},
    {1, E},
    {2, 3, 4, 5, 5, 6, 7, 2, E},
    {8, 9, 10, 11, 12, 11, 10, 9, 8, E}}},

  // 18 mushroom lord. Spore fan from 6 to 8.
  {"FPNSH0J BVADbIKA", 15, 14, 40, 300, "graphics\\shrmlord.vsp", 0,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {7, 8, 9, 10, 11, 11, 12, 12, 12, 11, 9, 7, E},
    {13, 13, E}}},

  // 19 microbe. One frame for every facing.
  {"MNKP0S", 1, 1, 1, 1, "graphics\\micro.vsp", EntersLiquid | Swims | NoShadow,
   {{0, E}, {0, E}, {0, E}, {0, E}}},

  // 20 golem. Punch shockwave at 5; rises from the ground in 4; death blinks.
  {"F0VEM", 32, 26, 100, 0, "graphics\\golem.vsp", NoKnockback | HeroSide,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {7, 8, 9, 10, 11, 12, 12, 12, 11, 10, 9, 8, E},
    {13, 14, 15, 16, 17, 18, 19, 20, B, 20, B, 20, B, 20, B, E},
    {21, 22, 23, 24, E}}},

  // 21 moss. Grows north or south in 1, west or east in 2, full at 4; withers in 3.
  {"M0X", 15, 17, 10, 1, "graphics\\moss.vsp",
   OneFacing | OnlyHeroBumps | NoKnockback | HeroPassesThrough | PassesWalls | NoShadow,
   {{0, E},
    {1, 2, 3, 4, 0, E},
    {5, 6, 7, 8, 0, E},
    {9, 10, 11, 12, 13, 14, 15, 16, 16, 16, E}}},

  // 22 moss source. Pulses; bursts into a ring of shots at 11.
  {"NCT04HNK MXA", 18, 17, 100, 250, "graphics\\mossgrnd.vsp",
   OneFacing | OnlyHeroBumps | NoKnockback,
   {{0, 1, 2, 3, 2, 1, 0, E},
    {0, E},
    {4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 10, 11, 11, 0, E},
    {12, 13, 14, 15, 16, 16, 16, E}}},

  // 23 magmazoid. Spits fireballs from 6 to 12.
  {"MAFMA30ND", 15, 20, 20, 80, "graphics\\magmazoid.vsp", EntersLiquid | Swims,
   {{0, E},
    {1, 2, 3, 4, 5, 6, E},
    {7, 8, 9, 10, 11, 12, 13, 14, 13, 14, 13, 14, 13, 12, 8, E},
    {15, 16, 17, 18, 19, 19, 19, E}}},

  // 24 mushroom. Ring of spores at 5.
  {"FPNS0K", 15, 23, 10, 25, "graphics\\shroom.vsp", 0,
   {{0, E},
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, E},
    {13, 14, 15, 16, 17, 18, 18, 13, E},
    {19, 20, 21, 22, 22, 22, 22, 22, E}}},

  // 25 giant mushroom. Pod from its right at 1; spores from its left 1-15 of 4; 5 wakes.
  {"FPNSN&E", 32, 27, 200, 800, "graphics\\bgshroom.vsp", NoKnockback,
   {{0, E},
    {1, 2, 2, 1, 0, 3, 4, 4, 3, 0, E},
    {5, 6, 6, 7, 7, 8, 8, E},
    {9, 10, 11, 12, 13, 14, 14, 14, 14, E},
    {15, 16, 17, 16, 17, 16, 17, 16, 17, 16, 17, 16, 17, 16, 17, 16, 18, 18, 15, 0, E},
    {19, 19, 20, 21, 22, 23, 24, 25, 26, 26, 0, E}}},

  // 26 the thing. Bellows in 2, twitches in 4; the world is won at 14 of its death.
  {"HE4T0", 64, 11, 800, 5000, "graphics\\thething.vsp",
   EntersLiquid | OneFacing | OnlyHeroBumps | NoKnockback | Swims,
   {{0, E},
    {1, E},
    {2, 3, 4, 5, 5, 6, 5, 6, 5, 6, 5, 6, 5, 4, 3, 2, 0, E},
    {7, 8, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, E},
    {10, 10, 1, E}}},

  // 27, 28 tentacles. They vanish on their first tick.
  {"&YLAVbQE", 32, 1, 500, 100, "graphics\\thingtent.vsp",
   OnlyHeroBumps | NoKnockback | NoGravity | HeroPassesThrough,
   {{0, E}, {0, E}, {0, E}, {0, 0, 0, 0, 0, E}}},
  {"&YLAVbQE 2", 32, 1, 500, 100, "graphics\\thingtent2.vsp",
   OnlyHeroBumps | NoKnockback | NoGravity | HeroPassesThrough,
   {{0, E}, {0, E}, {0, E}, {0, 0, 0, 0, 0, E}}},

  // 29 bat queen. Releases three bats at 2.
  {"K0P0VEBA VETY4NX MbIUEJ", 64, 7, 1000, 5000, "graphics\\hugebat.vsp",
   OneFacing | OnlyHeroBumps | NoKnockback,
   {{0, 1, E},
    {0, E},
    {2, 3, 4, 3, 2, E},
    {5, 6, 5, 6, 5, 6, 5, 6, 6, 6, 6, 6, E}}},

  // 30 stick man. Lunge hits at 1; 4 wakes up; 5 staggers.
  {"LAV04HbIJ 4EV0BEK", 16, 12, 100, 1000, "graphics\\stickman.vsp", OneFacing,
   {{0, E},
    {1, 2, 3, 4, E},
    {5, 6, 6, 5, E},
    {7, 8, 9, 10, 10, 10, 10, E},
    {11, 11, 0, 11, 11, 0, 11, 11, 11, 0, 0, E},
    {7, E}}},

  // 31 big bat. Releases a bat at 2.
  {"S0VbUAR VETY4AR MbIUb", 26, 15, 200, 500, "graphics\\bigbat.vsp",
   Flies | OnlyHeroBumps | NoKnockback,
   {{0, 1, 2, 3, 4, 5, 4, 3, 2, 1, E},
    {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, E},
    {6, 7, 8, 8, 7, 6, 0, E},
    {9, 10, 11, 12, 13, 14, E}}},

  // 32 giant Bobby. Slam lands at 5; guard holds 2-10; the sweep goes round from
  // 3 (front) through 4-9 (clockwise from the left) to 10 (front) and 11 (left);
  // the quake stamps at 9 and 10; 7 answers a blocked hit.
  {"BEVNKAH S0SSN", 48, 46, 2000, 25000, "graphics\\bobby.vsp", OneFacing | NoKnockback,
   {{0, 1, E},
    {2, 3, 4, 3, 2, 0, 5, 6, 7, 6, 5, 0, E},
    {8, 9, 10, 11, 12, 13, 13, 8, E},
    {14, 15, 16, 17, 18, 19, 20, 21, 21, 21, 21, 21, E},
    {22, 23, 24, 24, 24, 24, 24, 24, 24, 24, 24, 23, 22, E},
    {25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 28, 30, 26, 25, 0, 0, E},
    {35, 36, 37, 38, 39, 39, 40, 40, 41, 42, 42, 41, 36, 35, E},
    {43, 44, 45, 44, 43, E}}},

  // 33 snowman. Blow at 3; snowball leaves at 11 of 4; death blinks.
  {"CHEF0BNK", 26, 36, 40, 200, "graphics\\snowguy.vsp", 0,
   {{0, E},
    {1, 2, 1, 0, 3, 4, 3, 0, E},
    {5, 6, 7, 8, 9, 10, E},
    {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, B, 20, B, 20, B, E},
    {21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 32, 31, 22, 21, E}}},

  // 34 penguin. Dashes 0-3, then backs off; spins and blinks as it dies.
  {"LNHFBNH", 10, 8, 5, 50, "graphics\\penguin.vsp", Flies,
   {{0, 1, 0, 2, 0, 1, 0, 2, 0, 0, E},
    {1, 0, 2, 0, 1, 0, 2, 0, 1, 0, E},
    {3, 3, 3, 3, 4, 4, 4, 4, 4, 0, 0, E},
    {5, 6, 7, 6, 5, 6, 7, 7, B, 7, B, 7, B, E}}},

  // 35 zomboni. Exhaust at 0 of the drive, engine at 1; the driver climbs out at 8.
  {"30MS0HN", 48, 9, 100, 500, "graphics\\zomboni.vsp", NoKnockback,
   {{0, E},
    {1, 2, 3, 1, 2, 3, E},
    {1, E},
    {4, 5, 6, 7, 7, 7, 7, 8, 8, E}}},

  // 36, 37 yeti. Snowball at 7 of 2; blasts at 5 and 6 of 4; roar from 4 of 5; 6 wakes.
  {"JETN", 48, 40, 500, 5000, "graphics\\yeti.vsp", NoKnockback,
   {{0, E},
    {1, 2, 3, 4, 5, 6, 7, 8, E},
    {9, 10, 11, 12, 13, 14, 15, 16, 17, 18, E},
    {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 28, 28, 28, 28, 28, 28, 28, 28, E},
    {29, 30, 31, 32, 33, 34, 34, 32, 30, 29, E},
    {35, 36, 37, 38, 38, 38, 38, 37, 36, E},
    {39, 39, 39, 39, 35, 36, 37, 38, 38, 38, 37, 36, 35, 0, 0, E}}},
  {"VEDRH0J JETN", 48, 40, 500, 5000, "graphics\\yeti.vsp", NoKnockback,
   {{0, E},
    {1, 2, 3, 4, 5, 6, 7, 8, E},
    {9, 10, 11, 12, 13, 14, 15, 16, 17, 18, E},
    {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 28, 28, 28, 28, 28, 28, 28, 28, E},
    {29, 30, 31, 32, 33, 34, 34, 32, 30, 29, E},
    {35, 36, 37, 38, 38, 38, 38, 37, 36, E},
    {39, 39, 39, 39, 35, 36, 37, 38, 38, 38, 37, 36, 35, 0, 0, E}}},

  // 38 geozoid. Hops in 1; throws a rock at 6.
  {"FE030ND", 15, 20, 20, 75, "graphics\\geozoid.vsp", NoKnockback,
   {{0, E},
    {1, 2, 3, 4, 5, 6, E},
    {7, 8, 9, 10, 11, 12, 13, 12, 7, E},
    {14, 15, 16, 17, 18, 19, 19, E}}},

  // 39 mummy. Steps and stands still on 3-5 and 9-11 of its walk; blow at 5.
  {"MYMNR", 15, 28, 30, 100, "graphics\\mumble.vsp", NoKnockback,
   {{0, E},
    {1, 2, 3, 4, 4, 4, 5, 6, 7, 8, 8, 8, E},
    {9, 10, 11, 12, 13, 14, 15, 9, E},
    {16, 17, 18, 19, 20, 21, 22, 23, 24, E}}},

  // 40 djinni. Blow at 5; 4 is a flourish; 5 takes shape out of the lamp's smoke.
  {"DGNHH", 12, 24, 10, 50, "graphics\\djinni.vsp",
   Flies | OnlyHeroBumps | HeroPassesThrough | PassesWalls | NoShadow | Glowing,
   {{0, 1, 2, 3, 2, 1, E},
    {4, 5, 6, 7, 6, 5, E},
    {8, 9, 10, 11, 12, 13, 14, 8, E},
    {15, 16, 17, 18, E},
    {19, 20, 21, 22, 23, 22, 21, 20, 19, 20, 21, 22, 23, 22, 21, 20, 19, 0, 1, 0, E},
    {18, 17, 16, 15, E}}},

  // 41 magic lamp. Shakes, smokes from 5, the djinni leaves at 18; death blinks.
  {"B0VUESHAR VAMLA", 15, 10, 150, 500, "graphics\\lamp.vsp",
   OneFacing | OnlyHeroBumps | NoKnockback,
   {{0, E},
    {0, E},
    {1, 2, 3, 2, 1, 4, 5, 6, 5, 6, 5, 6, 5, 6, 5, 6, 5, 4, 0, E},
    {7, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, B, 9, B, 9, B, 9, B, E}}},

  // 42 cactus. Sways; 4 tips over into a roll, 1 rolls, 5 stops; needles at 3; death blinks.
  {"KAKTYC", 20, 25, 25, 100, "graphics\\cactus.vsp", 0,
   {{0, 0, 0, 1, 2, 2, 2, 1, 0, 0, 0, 3, 4, 4, 4, 3, 0, 0, 0, E},
    {5, 6, 7, 8, 9, E},
    {10, 11, 12, 13, 13, 12, 11, 10, E},
    {14, 15, 16, 17, 18, 19, 20, 21, 21, B, 21, B, 21, B, 21, B, E},
    {22, 23, 24, E},
    {24, 23, 22, E}}},

  // 43 spiked boulder. Rolls south in 1, north in 2, east in 4, west in 5; its
  // spikes repeat every quarter turn, so the loops close.
  {"KATR&NJCR BAVYH", 35, 11, 2000, 1000, "graphics\\roller.vsp", OneFacing | NoKnockback,
   {{0, E},
    {0, 1, 2, 3, 4, 5, E},
    {0, 5, 4, 3, 2, 1, E},
    {8, 9, E},
    {0, 6, 7, 0, 6, 7, E},
    {0, 7, 6, 0, 7, 6, E}}},

  // 44 lich. Casts its beam at 1.
  {"VN4", 50, 8, 1500, 1500, "graphics\\lich.vsp",
   Flies | OneFacing | NoKnockback | NoShadow | Glowing,
   {{0, E},
    {1, E},
    {2, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 2, 0, E},
    {5, 6, 6, 7, 7, E}}},

  // 45 dust devil. Spins; strikes at 5.
  {"LbIVbHbIJ CMEP4", 50, 23, 600, 2000, "graphics\\dustdevil.vsp",
   OneFacing | NoKnockback | NoShadow | Glowing,
   {{0, 1, 2, 3, 4, 5, E},
    {6, 7, 8, 9, 10, 11, E},
    {12, 13, 14, 15, 16, 17, 17, 16, 15, 14, 13, E},
    {18, 19, 20, 21, 22, 22, E}}},

  // 46 mechagorvash. Fires at 4; 4 boosts, 5 hovers idle, 6 powers up.
  {"MEXAF0PBAU", 20, 24, 500, 1000, "graphics\\mechagorvash.vsp", 0,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {7, 8, 9, 10, 11, 11, 10, 7, E},
    {12, 13, 14, 15, 16, 17, 17, 17, 17, E},
    {18, 19, 20, 19, 18, 19, 20, 19, E},
    {21, E},
    {22, 23, 22, 23, 22, 23, 22, 23, E}}},

  // 47, 48 the sphinx's paws. Smash at 6; death blinks.
  {"VEBAR VALA CONHKCA", 30, 10, 1000, 2000, "graphics\\sphinxarm1.vsp",
   OneFacing | NoKnockback | BoxFromSprite,
   {{0, E},
    {0, E},
    {1, 2, 3, 3, 4, 5, 6, 6, 5, 0, E},
    {7, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, B, 9, B, 9, B, 9, B, E}}},
  {"LPABAR VALA CONHKCA", 30, 10, 1000, 2000, "graphics\\sphinxarm2.vsp",
   OneFacing | NoKnockback | BoxFromSprite,
   {{0, E},
    {0, E},
    {1, 2, 3, 3, 4, 5, 6, 6, 5, 0, E},
    {7, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, B, 9, B, 9, B, 9, B, E}}},

  // 49 sphinx. Summons at 2; roars rocks down at 12 of 4.
  {"CONHKC", 80, 11, 2000, 5000, "graphics\\sphinx.vsp", OneFacing | NoKnockback,
   {{0, E},
    {0, E},
    {1, 2, 2, E},
    {3, 4, 5, 6, 6, 6, 6, 6, 6, E},
    {7, 8, 9, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 9, E}}},

  // 50 freakazoid. Spits at 6.
  {"OPNKA30ND", 15, 18, 15, 75, "graphics\\freakazoid.vsp", EntersLiquid | Swims,
   {{0, E},
    {1, 2, 3, 4, 5, 6, E},
    {7, 8, 9, 10, 11, 12, 13, 12, 8, 7, E},
    {14, 15, 16, 17, 17, 17, 17, E}}},

  // 51 centipede segment. Legs ripple.
  {"TEV0 C0P0K0H0GKN", 14, 5, 20, 200, "graphics\\cpbody.vsp", OnlyHeroBumps,
   {{0, E},
    {1, 2, 1, 0, 3, 4, 3, 0, E},
    {0, E},
    {2, 4, 2, E}}},

  // 52 centipede head. One frame for every facing.
  {"C0P0K0H0GKA", 14, 1, 40, 500, "graphics\\cphead.vsp", OnlyHeroBumps,
   {{0, E}, {0, E}, {0, E}, {0, 0, 0, E}}},

  // 53 wacko. Flails throughout its attack; death blinks.
  {"40KHYTbIJ", 12, 21, 20, 100, "graphics\\wacko.vsp", 0,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {7, 8, 9, 10, 11, 12, 7, 8, 9, 10, 11, 12, 7, 8, 9, 10, 11, 12, 7, 8, E},
    {13, 14, 15, 16, 17, 18, 19, 20, B, 20, B, 20, B, 20, E}}},

  // 54 hell boiler. Bubbles; spews lava from 3 to 10.
  {"ADCKNJ K0TEV", 100, 22, 1400, 2000, "graphics\\boiler.vsp", OneFacing | NoKnockback,
   {{0, 1, 2, 3, 4, 5, 6, 7, E},
    {0, E},
    {8, 9, 10, 11, 12, 13, 14, 11, 12, 13, 14, 15, 16, 9, 8, E},
    {17, 18, 19, 20, 21, 21, E}}},

  // 55 great pumpkin. Only its idle is ever seen.
  {"BEVNKAR TbIKBA", 120, 13, 2000, 4000, "graphics\\greatpk.vsp",
   OneFacing | OnlyHeroBumps | NoKnockback,
   {{0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7, E},
    {0, E},
    {8, 9, 10, 10, 10, 10, 10, 10, 9, 8, E},
    {11, 12, 12, 12, 12, 12, 12, 12, E}}},

  // 56 ultrazoid. Volleys at 6 and 7.
  {"YVbTPA30ND", 40, 17, 750, 2500, "graphics\\ultrazoid.vsp", OneFacing | NoKnockback,
   {{0, E},
    {0, E},
    {1, 2, 3, 4, 5, 6, 7, 8, 9, E},
    {10, 11, 12, 13, 14, 15, 16, E}}},

  // 57 Vorga. Rises in 2; at 15 of its death it turns into its true form.
  {"B0PFA", 40, 21, 50, 10000, "graphics\\vorga.vsp", 0,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 13, 13, 12, 11, 10, 10, 10, 0, 0, E},
    {14, 15, 16, 17, 18, 19, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, E}}},

  // 58 Vorga's true form. Walks right in 1 and left in 4; the sweep hits from 9
  // to 13; spits at 12 of 5; the quake stamps at 7 and 8 of 6.
  {"NCTNHHbIJ VNK B0PFN", 40, 48, 1500, 25000, "graphics\\sdzl.vsp", OneFacing | NoKnockback,
   {{0, E},
    {1, 2, 3, 4, 5, 6, 7, 8, E},
    {9, 9, 10, 10, 11, 11, 12, 12, 13, 14, 15, 16, 17, 18, 10, 9, E},
    {19, 20, 21, 22, 23, 24, 25, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, E},
    {27, 28, 29, 30, 31, 32, 33, 34, E},
    {35, 35, 36, 36, 37, 37, 38, 38, 39, 39, 39, 39, 40, 40, 36, 35, E},
    {41, 42, 43, 44, 45, 46, 46, 47, 47, 46, 45, 44, 43, 42, 41, E}}},

  // 59 wicked Grandfather Frost. Blow lands at 8; death blinks.
  {"3V0J DED M0P03", 16, 25, 100, 500, "graphics\\santa.vsp", 0,
   {{0, E},
    {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0, E},
    {7, 8, 9, 10, 11, 12, 13, 14, 15, 15, 14, 8, 7, E},
    {16, 17, 18, 19, 20, 21, 22, 23, 24, B, 24, B, 24, B, 24, E}}},
};
// clang-format on

}  // namespace torvel
