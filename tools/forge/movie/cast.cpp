#include "forge/movie/cast.h"

#include "actors/kinds.h"
#include "audio/wav.h"
#include "forge/forge_files.h"

namespace torvel::forge {

namespace {

double SoundSeconds(const ForgeOptions& options, const char* name, bool& ok) {
  WavSound sound;
  if (!LoadWav(GameFilePath(options, name), sound) || sound.format.blockAlign == 0) {
    ok = false;
    return 0;
  }
  return static_cast<double>(sound.data.size()) / sound.format.blockAlign /
         sound.format.samplesPerSec;
}

// Entry tick % length of a sequence (skipping its blank frames' 0).
int SequenceFrame(int kind, int anim, int tick) {
  int length = KindSequenceLength(kind, anim);
  if (length <= 0) return 0;
  return ((tick % length) + length) % length;
}

}  // namespace

bool MovieCast::Load(const ForgeOptions& options, std::string& error) {
  const int kinds[] = {kHeroKind,  kSkeletonKind, kBatKind,        kSpiderKind,    kZombieKind,
                       kPygmyKind, kSerpentKind,  kShroomLordKind, kMagmazoidKind, kShroomKind};
  for (int kind : kinds) {
    auto set = std::make_unique<SpriteSet>();
    if (!set->LoadFile(GameFilePath(options, KindSpriteFile(kind)))) {
      error = std::string("the movies need ") + KindSpriteFile(kind);
      return false;
    }
    sets_[kind] = std::move(set);
  }
  if (!heroArmoured.LoadFile(GameFilePath(options, "graphics\\sylab2.vsp"))) {
    error = "the movies need graphics\\sylab2.vsp";
    return false;
  }
  if (LoadFontFile(GameFilePath(options, "graphics\\listium.vft"), small) != kFontOk) {
    error = "the movies need graphics\\listium.vft";
    return false;
  }
  if (LoadFontFile(GameFilePath(options, "graphics\\listiumbig.vft"), big) != kFontOk) {
    error = "the movies need graphics\\listiumbig.vft";
    return false;
  }
  bool ok = true;
  introSeconds = SoundSeconds(options, "sound\\snd205.wav", ok);
  swordSeconds = SoundSeconds(options, "sound\\snd194.wav", ok);
  if (!ok) {
    error = "the movies are timed to sounds 194 and 205, which are missing";
    return false;
  }
  return true;
}

const Sprite* MovieCast::Pose(int kind, int anim, int tick, int facing) const {
  auto it = sets_.find(kind);
  if (it == sets_.end()) return nullptr;
  int n = GuySpriteNumber(kind, anim, SequenceFrame(kind, anim, tick), facing);
  return it->second->GetSprite(n);
}

const Sprite* MovieCast::ArmouredPose(int anim, int tick, int facing) const {
  return heroArmoured.GetSprite(
      GuySpriteNumber(kHeroKind, anim, SequenceFrame(kHeroKind, anim, tick), facing));
}

}  // namespace torvel::forge
