#include "actors/kinds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace torvel {
namespace {

using namespace KindFlag;

// The kinds as the game defines them: everything but the frame numbers,
// which only have to fit the sets. -1 marks a sequence the kind lacks.
struct KindRow {
  int kind;
  const char* file;
  int size, framesPerFacing, life, points;
  uint16_t flags;
  int lengths[kSequenceCount];
};

constexpr int X = -1;

// clang-format off
const KindRow kRows[] = {
  {1, "graphics\\sylabulus.vsp", 11, 25, 128, 0, EntersLiquid | HeroSide, {1, 12, 9, 10, 6, 7, 17, X, X}},
  {2, "graphics\\skeleton.vsp", 8, 38, 10, 50, 0, {1, 12, 5, 10, 6, 5, X, X, X}},
  {3, "graphics\\bat.vsp", 8, 27, 5, 25, Flies, {1, 12, 5, 10, 9, 5, X, X, X}},
  {4, "graphics\\spider.vsp", 4, 22, 1, 10, 0, {1, 12, 5, 13, X, X, X, X, X}},
  {5, "graphics\\bigspdr.vsp", 8, 21, 10, 50, 0, {1, 12, 9, 13, X, X, X, X, X}},
  {6, "graphics\\zombie.vsp", 11, 32, 20, 150, 0, {1, 12, 15, 12, X, X, X, X, X}},
  {7, "graphics\\eggsac.vsp", 20, 19, 150, 1000, OneFacing | OnlyHeroBumps | NoKnockback, {12, 1, 19, 7, X, X, X, X, X}},
  {8, "graphics\\mamaspdr.vsp", 30, 30, 200, 1500, NoKnockback, {1, 12, 9, 13, 5, X, X, X, X}},
  {9, "graphics\\pygmy.vsp", 10, 50, 15, 100, 0, {23, 12, 9, 10, 13, 16, 11, X, X}},
  {10, "graphics\\serpent.vsp", 15, 20, 15, 75, EntersLiquid | Swims, {1, 6, 9, 7, X, X, X, X, X}},
  {11, "graphics\\friendly.vsp", 11, 4, 100, 0, OneFacing | NoKnockback | Invulnerable, {1, 1, 1, 1, 1, X, X, X, X}},
  {12, "graphics\\ptero.vsp", 10, 11, 15, 5, Flies | OnlyHeroBumps | HeroPassesThrough | HeroSide, {12, 12, 7, 3, X, X, X, X, X}},
  {13, "graphics\\eyeguy.vsp", 14, 17, 20, 75, 0, {2, 12, 6, 4, X, X, X, X, X}},
  {14, "graphics\\peeper.vsp", 26, 8, 40, 150, Flies | NoKnockback, {2, 2, 5, 9, 7, 8, X, X, X}},
  {15, "graphics\\tower.vsp", 60, 17, 500, 1000, NoKnockback, {3, 8, 19, 9, 8, X, X, X, X}},
  {16, "graphics\\lookyloo.vsp", 64, 7, 1000, 2500, OneFacing | NoKnockback | BoxFromSprite, {1, 1, 20, 7, X, X, X, X, X}},
  {17, "graphics\\pinkeye.vsp", 11, 13, 20, 1, NoKnockback, {1, 1, 8, 9, X, X, X, X, X}},
  {18, "graphics\\shrmlord.vsp", 15, 14, 40, 300, 0, {1, 12, 12, 2, X, X, X, X, X}},
  {19, "graphics\\micro.vsp", 1, 1, 1, 1, EntersLiquid | Swims | NoShadow, {1, 1, 1, 1, X, X, X, X, X}},
  {20, "graphics\\golem.vsp", 32, 26, 100, 0, NoKnockback | HeroSide, {1, 12, 12, 15, 4, X, X, X, X}},
  {21, "graphics\\moss.vsp", 15, 17, 10, 1, OneFacing | OnlyHeroBumps | NoKnockback | HeroPassesThrough | PassesWalls | NoShadow, {1, 5, 5, 10, X, X, X, X, X}},
  {22, "graphics\\mossgrnd.vsp", 18, 17, 100, 250, OneFacing | OnlyHeroBumps | NoKnockback, {7, 1, 15, 7, X, X, X, X, X}},
  {23, "graphics\\magmazoid.vsp", 15, 20, 20, 80, EntersLiquid | Swims, {1, 6, 15, 7, X, X, X, X, X}},
  {24, "graphics\\shroom.vsp", 15, 23, 10, 25, 0, {1, 12, 8, 8, X, X, X, X, X}},
  {25, "graphics\\bgshroom.vsp", 32, 27, 200, 800, NoKnockback, {1, 10, 7, 9, 20, 11, X, X, X}},
  {26, "graphics\\thething.vsp", 64, 11, 800, 5000, EntersLiquid | OneFacing | OnlyHeroBumps | NoKnockback | Swims, {1, 1, 17, 15, 3, X, X, X, X}},
  {27, "graphics\\thingtent.vsp", 32, 1, 500, 100, OnlyHeroBumps | NoKnockback | NoGravity | HeroPassesThrough, {1, 1, 1, 5, X, X, X, X, X}},
  {28, "graphics\\thingtent2.vsp", 32, 1, 500, 100, OnlyHeroBumps | NoKnockback | NoGravity | HeroPassesThrough, {1, 1, 1, 5, X, X, X, X, X}},
  {29, "graphics\\hugebat.vsp", 64, 7, 1000, 5000, OneFacing | OnlyHeroBumps | NoKnockback, {2, 1, 5, 12, X, X, X, X, X}},
  {30, "graphics\\stickman.vsp", 16, 12, 100, 1000, OneFacing, {1, 4, 4, 7, 11, 1, X, X, X}},
  {31, "graphics\\bigbat.vsp", 26, 15, 200, 500, Flies | OnlyHeroBumps | NoKnockback, {10, 10, 7, 6, X, X, X, X, X}},
  {32, "graphics\\bobby.vsp", 48, 46, 2000, 25000, OneFacing | NoKnockback, {2, 12, 8, 12, 13, 16, 14, 5, X}},
  {33, "graphics\\snowguy.vsp", 26, 36, 40, 200, 0, {1, 8, 6, 15, 16, X, X, X, X}},
  {34, "graphics\\penguin.vsp", 10, 8, 5, 50, Flies, {10, 10, 11, 13, X, X, X, X, X}},
  {35, "graphics\\zomboni.vsp", 48, 9, 100, 500, NoKnockback, {1, 6, 1, 9, X, X, X, X, X}},
  {36, "graphics\\yeti.vsp", 48, 40, 500, 5000, NoKnockback, {1, 8, 10, 18, 10, 9, 15, X, X}},
  {37, "graphics\\yeti.vsp", 48, 40, 500, 5000, NoKnockback, {1, 8, 10, 18, 10, 9, 15, X, X}},
  {38, "graphics\\geozoid.vsp", 15, 20, 20, 75, NoKnockback, {1, 6, 9, 7, X, X, X, X, X}},
  {39, "graphics\\mumble.vsp", 15, 28, 30, 100, NoKnockback, {1, 12, 8, 9, X, X, X, X, X}},
  {40, "graphics\\djinni.vsp", 12, 24, 10, 50, Flies | OnlyHeroBumps | HeroPassesThrough | PassesWalls | NoShadow | Glowing, {6, 6, 8, 4, 20, 4, X, X, X}},
  {41, "graphics\\lamp.vsp", 15, 10, 150, 500, OneFacing | OnlyHeroBumps | NoKnockback, {1, 1, 19, 18, X, X, X, X, X}},
  {42, "graphics\\cactus.vsp", 20, 25, 25, 100, 0, {19, 5, 8, 16, 3, 3, X, X, X}},
  {43, "graphics\\roller.vsp", 35, 11, 2000, 1000, OneFacing | NoKnockback, {1, 6, 6, 2, 6, 6, X, X, X}},
  {44, "graphics\\lich.vsp", 50, 8, 1500, 1500, Flies | OneFacing | NoKnockback | NoShadow | Glowing, {1, 1, 19, 5, X, X, X, X, X}},
  {45, "graphics\\dustdevil.vsp", 50, 23, 600, 2000, OneFacing | NoKnockback | NoShadow | Glowing, {6, 6, 11, 6, X, X, X, X, X}},
  {46, "graphics\\mechagorvash.vsp", 20, 24, 500, 1000, 0, {1, 12, 8, 9, 8, 1, 8, X, X}},
  {47, "graphics\\sphinxarm1.vsp", 30, 10, 1000, 2000, OneFacing | NoKnockback | BoxFromSprite, {1, 1, 10, 18, X, X, X, X, X}},
  {48, "graphics\\sphinxarm2.vsp", 30, 10, 1000, 2000, OneFacing | NoKnockback | BoxFromSprite, {1, 1, 10, 18, X, X, X, X, X}},
  {49, "graphics\\sphinx.vsp", 80, 11, 2000, 5000, OneFacing | NoKnockback, {1, 1, 3, 9, 14, X, X, X, X}},
  {50, "graphics\\freakazoid.vsp", 15, 18, 15, 75, EntersLiquid | Swims, {1, 6, 10, 7, X, X, X, X, X}},
  {51, "graphics\\cpbody.vsp", 14, 5, 20, 200, OnlyHeroBumps, {1, 8, 1, 3, X, X, X, X, X}},
  {52, "graphics\\cphead.vsp", 14, 1, 40, 500, OnlyHeroBumps, {1, 1, 1, 3, X, X, X, X, X}},
  {53, "graphics\\wacko.vsp", 12, 21, 20, 100, 0, {1, 12, 20, 14, X, X, X, X, X}},
  {54, "graphics\\boiler.vsp", 100, 22, 1400, 2000, OneFacing | NoKnockback, {8, 1, 15, 6, X, X, X, X, X}},
  {55, "graphics\\greatpk.vsp", 120, 13, 2000, 4000, OneFacing | OnlyHeroBumps | NoKnockback, {16, 1, 10, 8, X, X, X, X, X}},
  {56, "graphics\\ultrazoid.vsp", 40, 17, 750, 2500, OneFacing | NoKnockback, {1, 1, 9, 7, X, X, X, X, X}},
  {57, "graphics\\vorga.vsp", 40, 21, 50, 10000, 0, {1, 12, 23, 16, X, X, X, X, X}},
  {58, "graphics\\sdzl.vsp", 40, 48, 1500, 25000, OneFacing | NoKnockback, {1, 8, 16, 17, 8, 16, 15, X, X}},
  {59, "graphics\\santa.vsp", 16, 25, 100, 500, 0, {1, 12, 13, 15, X, X, X, X, X}},
};
// clang-format on

// Kinds whose death sequence ends in a blink (a frame alternating with blanks).
const int kBlinkingDeaths[] = {20, 33, 34, 41, 42, 47, 48, 53, 59};

bool BlinksOnDeath(int kind) {
  for (int k : kBlinkingDeaths) {
    if (k == kind) return true;
  }
  return false;
}

// Sprites a kind's set holds per facing: framesPerFacing, except the egg sac,
// whose one-facing set keeps its hatching frames beyond it.
int FramesInSet(int kind) {
  return kind == 7 ? 26 : KindFramesPerFacing(kind);
}

std::vector<int> Sequence(int kind, int anim) {
  const uint8_t* seq = KindSequence(kind, anim);
  std::vector<int> frames;
  for (int i = 0; i < kSequenceLength && seq[i] != kSequenceEnd; ++i) frames.push_back(seq[i]);
  return frames;
}

TEST(KindsTable, PropertiesMatchTheKindsOfTheGame) {
  ASSERT_EQ(std::size(kRows), static_cast<size_t>(kKindCount - 1));
  for (const KindRow& row : kRows) {
    SCOPED_TRACE("kind " + std::to_string(row.kind));
    EXPECT_STREQ(KindSpriteFile(row.kind), row.file);
    EXPECT_EQ(KindSize(row.kind), row.size);
    EXPECT_EQ(KindFramesPerFacing(row.kind), row.framesPerFacing);
    EXPECT_EQ(KindLife(row.kind), row.life);
    EXPECT_EQ(KindPoints(row.kind), row.points);
    EXPECT_EQ(KindFlags(row.kind), row.flags);
  }
}

TEST(KindsTable, SequencesHaveTheirLengthsEndMarksAndFramesInsideTheSet) {
  for (const KindRow& row : kRows) {
    for (int anim = 0; anim < kSequenceCount; ++anim) {
      SCOPED_TRACE("kind " + std::to_string(row.kind) + " sequence " + std::to_string(anim));
      const uint8_t* seq = KindSequence(row.kind, anim);
      if (row.lengths[anim] == X) {
        // A sequence the kind does not have is all zeros.
        for (int i = 0; i < kSequenceLength; ++i) EXPECT_EQ(seq[i], 0) << "entry " << i;
        continue;
      }
      ASSERT_LT(row.lengths[anim], kSequenceLength);
      EXPECT_EQ(KindSequenceLength(row.kind, anim), row.lengths[anim]);
      EXPECT_EQ(seq[row.lengths[anim]], kSequenceEnd);
      for (int i = 0; i < row.lengths[anim]; ++i) {
        if (seq[i] == kBlankFrame) continue;
        EXPECT_LT(seq[i], FramesInSet(row.kind)) << "entry " << i;
      }
    }
  }
}

TEST(KindsTable, BlankFramesOnlyWhereTheCreatureVanishes) {
  for (const KindRow& row : kRows) {
    for (int anim = 0; anim < kSequenceCount; ++anim) {
      std::vector<int> seq = Sequence(row.kind, anim);
      int blanks = 0;
      for (int f : seq) blanks += f == kBlankFrame;
      SCOPED_TRACE("kind " + std::to_string(row.kind) + " sequence " + std::to_string(anim));
      bool drowning = row.kind == 1 && anim == 6;
      bool blink = BlinksOnDeath(row.kind) && anim == kAnimDie;
      if (!drowning && !blink) {
        EXPECT_EQ(blanks, 0);
        continue;
      }
      ASSERT_GE(blanks, 2);
      if (drowning) {
        // The hero sinks: the last frames are all blank.
        for (size_t i = seq.size() - blanks; i < seq.size(); ++i) EXPECT_EQ(seq[i], kBlankFrame);
        continue;
      }
      // A blink alternates one frame with blanks to the end, and nothing is
      // blank before it starts.
      size_t first = 0;
      while (seq[first] != kBlankFrame) ++first;
      ASSERT_GE(first, 1u);
      int shown = seq[first - 1];
      for (size_t i = first; i < seq.size(); ++i) {
        EXPECT_EQ(seq[i], (i - first) % 2 == 0 ? kBlankFrame : shown) << "entry " << i;
      }
    }
  }
}

TEST(KindsTable, FixedSequencesOfTheHeroSkeletonAndEggSac) {
  struct Fixed {
    int kind, anim;
    std::vector<int> frames;
  };
  const int b = kBlankFrame;
  const Fixed fixed[] = {
      {1, 0, {0}},
      {1, 1, {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0}},
      {1, 2, {7, 8, 9, 10, 10, 11, 11, 12, 12}},
      {1, 3, {15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
      {1, 4, {13, 13, 14, 14, 13, 13}},
      {1, 5, {7, 8, 9, 10, 11, 12, 12}},
      {1, 6, {1, 3, 1, 0, 4, 6, 4, 0, 1, 3, 1, 0, 0, b, b, b, b}},
      {2, 0, {0}},
      {2, 1, {1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0}},
      {2, 2, {20, 21, 22, 23, 24}},
      {2, 3, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {2, 4, {25, 26, 27, 28, 29, 30}},
      {2, 5, {31, 32, 32, 32, 31}},
      {7, 0, {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 1, 0}},
      {7, 1, {0}},
      {7, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0}},
      {7, 3, {19, 20, 21, 22, 23, 24, 25}},
  };
  for (const Fixed& f : fixed) {
    EXPECT_EQ(Sequence(f.kind, f.anim), f.frames) << "kind " << f.kind << " sequence " << f.anim;
  }
}

TEST(KindsTable, NamesAreShortTextsOfTheLetterCoding) {
  const std::string allowed = "ABCDEFGHIJKLMNOPQRSTUVWXYZb0123456789&!?.,:;/-+$%()'\" ";
  EXPECT_STREQ(KindName(0), "");
  for (int kind = 1; kind < kKindCount; ++kind) {
    std::string name = KindName(kind);
    SCOPED_TRACE("kind " + std::to_string(kind) + " " + name);
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 31u);
    EXPECT_EQ(name.find_first_not_of(allowed), std::string::npos);
    EXPECT_NE(name.front(), ' ');
    EXPECT_NE(name.back(), ' ');
  }
}

TEST(KindsTable, KindNumbersWrapAtAByteAndPastTheTableGiveTheEmptyEntry) {
  EXPECT_EQ(KindSize(256 + 2), KindSize(2));
  EXPECT_STREQ(KindName(256 + 33), KindName(33));
  EXPECT_EQ(KindLife(60), 0);
  EXPECT_EQ(KindFlags(200), 0);
  EXPECT_EQ(KindSequenceLength(255, 0), 0);
}

TEST(KindsTable, SpriteNumbersApplyTheFacing) {
  struct Case {
    int kind, anim, frame, facing, expected;
  };
  const Case cases[] = {
      {2, 2, 3, 0, 23},           // skeleton blow, east
      {2, 2, 3, 2, 23 + 2 * 38},  // the same facing south
      {1, 1, 2, 7, 3 + 7 * 25},   // hero walking north-east
      {7, 2, 5, 6, 6},            // the egg sac has one facing
      {1, 6, 13, 4, 0},           // a blank frame of the drowning hero
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GuySpriteNumber(c.kind, c.anim, c.frame, c.facing), c.expected)
        << "kind " << c.kind << " sequence " << c.anim << " entry " << c.frame;
  }
}

TEST(KindsTable, HeroEntersLiquidOnlyOffTheRoamingMap) {
  ClearKindSprites();
  ASSERT_TRUE(KindFlags(1) & EntersLiquid);
  SetHeroEntersLiquid(false);
  EXPECT_EQ(KindFlags(1), HeroSide);
  EXPECT_EQ(KindFlags(257), HeroSide);
  EXPECT_EQ(KindEntry(1).flags, EntersLiquid | HeroSide);  // the compiled entry stays
  SetHeroEntersLiquid(true);
  EXPECT_EQ(KindFlags(1), EntersLiquid | HeroSide);
  SetHeroEntersLiquid(false);
  ClearKindSprites();
  EXPECT_EQ(KindFlags(1), EntersLiquid | HeroSide);
}

}  // namespace
}  // namespace torvel
