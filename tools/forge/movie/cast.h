// What the movies are made of besides paint: the game's fonts and the
// sprite sets of the hero and the creatures, read back from the files the
// forge has already written, and the lengths of the music they play under.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "forge/forge.h"
#include "gfx/font.h"
#include "gfx/sprites.h"

namespace torvel::forge {

// The kinds that appear in the movies (numbers of the monster kinds table).
enum MovieKind : int {
  kHeroKind = 1,
  kSkeletonKind = 2,
  kBatKind = 3,
  kSpiderKind = 4,
  kZombieKind = 6,
  kPygmyKind = 9,
  kSerpentKind = 10,
  kShroomLordKind = 18,
  kMagmazoidKind = 23,
  kShroomKind = 24,
};

class MovieCast {
 public:
  Font small;                  // graphics\listium.vft: captions
  Font big;                    // graphics\listiumbig.vft: titles
  SpriteSet heroArmoured;      // graphics\sylab2.vsp: the hero once the sword is whole
  double introSeconds = 18.0;  // sound 205, which plays with the intro
  double swordSeconds = 13.0;  // sound 194, which plays with the sword scene

  // Reads everything; false with the first missing file named in error.
  bool Load(const ForgeOptions& options, std::string& error);

  // The sprite a creature of a kind shows at `tick` (the game's frame
  // clock, about 15 a second) into one of its sequences, seen from facing,
  // just as the game would pick it; null when the set is not loaded.
  const Sprite* Pose(int kind, int anim, int tick, int facing) const;
  // The same from the armoured hero's set.
  const Sprite* ArmouredPose(int anim, int tick, int facing) const;

 private:
  std::map<int, std::unique_ptr<SpriteSet>> sets_;
};

}  // namespace torvel::forge
