// The forged creature sets, read back with the game's loader: every frame the
// kinds' sequences show exists with art, the hero's two looks hold every
// frame the hero draws, and the frames stand where the game puts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actors/kinds.h"
#include "common/byte_io.h"
#include "forge/creatures/creature_sets.h"
#include "forge/forged_data.h"
#include "forge/sprite_output.h"
#include "gfx/sprites.h"

namespace torvel::forge::testing {
namespace {

// "graphics\\bat.vsp" -> the file in the forged game folder.
std::string SetPath(const char* systemName) {
  std::string name = systemName;
  std::replace(name.begin(), name.end(), '\\', '/');
  return GameFile(name);
}

bool HasArt(const Sprite* s) {
  return s && s->width > 0 && s->height > 0 && !s->data.empty();
}

class ForgedCreatures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sets_ = new std::vector<SpriteSet>(kKindCount);
    for (int kind = 1; kind < kKindCount; ++kind)
      (*sets_)[kind].LoadFile(SetPath(KindSpriteFile(kind)));
  }
  static void TearDownTestSuite() {
    delete sets_;
    sets_ = nullptr;
  }
  static const SpriteSet& Set(int kind) { return (*sets_)[kind]; }
  static bool OneFacing(int kind) { return (KindFlags(kind) & KindFlag::OneFacing) != 0; }

  static std::vector<SpriteSet>* sets_;
};

std::vector<SpriteSet>* ForgedCreatures::sets_ = nullptr;

TEST_F(ForgedCreatures, EverySetHoldsItsKindsSprites) {
  for (int kind = 2; kind < kKindCount; ++kind) {
    SCOPED_TRACE("kind " + std::to_string(kind) + " " + KindSpriteFile(kind));
    int expected = OneFacing(kind) ? KindFramesPerFacing(kind) : KindFramesPerFacing(kind) * 8;
    if (kind == 7) expected = 26;
    EXPECT_EQ(Set(kind).Count(), expected);
  }
}

TEST_F(ForgedCreatures, EveryFrameASequenceShowsHasArtFromEveryFacing) {
  for (int kind = 1; kind < kKindCount; ++kind) {
    int facings = OneFacing(kind) ? 1 : 8;
    for (int anim = 0; anim < kSequenceCount; ++anim) {
      int length = KindSequenceLength(kind, anim);
      for (int i = 0; i < length; ++i) {
        if (KindSequence(kind, anim)[i] == kBlankFrame) continue;
        for (int facing = 0; facing < facings; ++facing) {
          int n = GuySpriteNumber(kind, anim, i, facing);
          EXPECT_TRUE(HasArt(Set(kind).GetSprite(n)))
              << "kind " << kind << " sequence " << anim << " entry " << i << " facing " << facing
              << " sprite " << n;
        }
      }
    }
  }
}

TEST_F(ForgedCreatures, BothHeroLooksHoldEveryFrameTheHeroDraws) {
  SpriteSet plain, armoured;
  ASSERT_TRUE(plain.LoadFile(SetPath("graphics\\sylabulus.vsp")));
  ASSERT_TRUE(armoured.LoadFile(SetPath("graphics\\sylab2.vsp")));
  for (const SpriteSet* set : {&plain, &armoured}) {
    ASSERT_GE(set->Count(), 472);
    // The 25 frames of every facing, the placeholders, the shimmer ring.
    for (int n = 0; n < 200; ++n) EXPECT_TRUE(HasArt(set->GetSprite(n))) << "sprite " << n;
    for (int n = 200; n < kHeroShimmerFrame; ++n) {
      const Sprite* s = set->GetSprite(n);
      EXPECT_TRUE(!s || (s->width == 0 && s->height == 0)) << "placeholder " << n;
    }
    for (int v = 0; v < 8; ++v) EXPECT_TRUE(HasArt(set->GetSprite(kHeroShimmerFrame + v)));
  }
  EXPECT_EQ(plain.Count(), armoured.Count());
}

TEST_F(ForgedCreatures, FramesStandOnTheirFeet) {
  // The idle frame facing south: the hot spot is the ground point under the
  // creature, so it lies across the sprite and low in it (the paws of the
  // sphinx hang down from their shoulders instead, their box is the sprite).
  for (int kind = 1; kind < kKindCount; ++kind) {
    if (KindFlags(kind) & KindFlag::BoxFromSprite && kind != 16) continue;
    SCOPED_TRACE("kind " + std::to_string(kind));
    int n = KindSequence(kind, 0)[0] + (OneFacing(kind) ? 0 : 2 * KindFramesPerFacing(kind));
    const Sprite* s = Set(kind).GetSprite(n);
    ASSERT_TRUE(HasArt(s));
    EXPECT_GT(s->ofsX, 0);
    EXPECT_LT(s->ofsX, s->width);
    EXPECT_GE(s->ofsY, s->height / 2);
    EXPECT_LE(s->ofsY, s->height + 6);
    EXPECT_EQ(s->height % 2, 0);
  }
}

TEST_F(ForgedCreatures, CreaturesAreDrawnToTheirSize) {
  // Seen from the front a creature is about as wide as its box, 2 * size;
  // flat things and wide wings may be narrower or wider, never by a lot.
  for (int kind = 2; kind < kKindCount; ++kind) {
    if (kind == 19) continue;  // the microbe's box is 2 pixels
    SCOPED_TRACE("kind " + std::to_string(kind));
    int idle = KindSequence(kind, 0)[0];
    int widest = 0;
    for (int facing = 0; facing < (OneFacing(kind) ? 1 : 8); ++facing) {
      const Sprite* s = Set(kind).GetSprite(idle + facing * KindFramesPerFacing(kind));
      if (s) widest = std::max<int>(widest, s->width);
    }
    EXPECT_GE(widest, KindSize(kind));
    EXPECT_LE(widest, 6 * KindSize(kind) + 8);
  }
}

TEST_F(ForgedCreatures, AFacingLooksTheWayItIsNamed) {
  // The hero's shot thrust (frame 11) and the skeleton's chop (frame 23)
  // reach out ahead: to the right facing east, to the left facing west.
  struct Case {
    int kind, frame;
  };
  for (Case c : {Case{1, 11}, Case{2, 23}}) {
    int fpf = KindFramesPerFacing(c.kind);
    const Sprite* east = Set(c.kind).GetSprite(c.frame);
    const Sprite* west = Set(c.kind).GetSprite(c.frame + 4 * fpf);
    ASSERT_TRUE(HasArt(east) && HasArt(west));
    EXPECT_GT(east->width - east->ofsX, east->ofsX) << "kind " << c.kind;
    EXPECT_GT(west->ofsX, west->width - west->ofsX) << "kind " << c.kind;
  }
}

TEST_F(ForgedCreatures, GlowingKindsAreDrawnAsLight) {
  // Drawn in glow mode, values below 32 add light to the floor; the
  // glowing kinds are mostly such light, with a few solid details.
  for (int kind = 1; kind < kKindCount; ++kind) {
    if (!(KindFlags(kind) & KindFlag::Glowing)) continue;
    SCOPED_TRACE("kind " + std::to_string(kind));
    const Sprite* s = Set(kind).GetSprite(KindSequence(kind, 0)[0]);
    ASSERT_TRUE(HasArt(s));
    Placed p = Place(*s, 0, 0);
    int drawn = 0, light = 0;
    for (size_t i = 0; i < p.pixels.size(); ++i) {
      if (!p.drawn[i]) continue;
      ++drawn;
      light += p.pixels[i] >= 1 && p.pixels[i] < 32;
    }
    EXPECT_GT(light * 2, drawn);
  }
}

TEST_F(ForgedCreatures, SetsAreDrawnTheSameAgain) {
  // The build's forge drew these on two threads; drawn again here, one by
  // one, they must come out byte for byte the same.
  for (int kind : {19, 27, 41, 52}) {
    std::vector<Sprite> sprites;
    for (const SpriteImage& image : creatures::RenderKindSet(kind)) {
      sprites.push_back(EncodeSpriteImage(image));
    }
    std::vector<uint8_t> built;
    ASSERT_TRUE(ReadFileBytes(SetPath(KindSpriteFile(kind)), built));
    EXPECT_TRUE(EncodeSpriteSet(sprites) == built) << KindSpriteFile(kind);
  }
}

}  // namespace
}  // namespace torvel::forge::testing
