#include "actors/kinds.h"

#include <array>
#include <memory>
#include <string>

#include "actors/kinds_table.h"
#include "gfx/display.h"
#include "gfx/sprites.h"

namespace torvel {

namespace {

// What the table keeps at run time besides its compiled-in entries: the
// loaded sets, and whether the hero may step into liquids.
struct KindsState {
  bool heroEntersLiquid = true;
  std::array<std::unique_ptr<SpriteSet>, kKindCount> sets;
};

KindsState gKinds;

int KindIndex(int kind) {
  int k = kind & 0xFF;
  return k < kKindCount ? k : 0;
}

// The entry that holds a kind's set: the two yetis share kind 36's.
int SetHolder(int k) {
  return k == 37 ? 36 : k;
}

}  // namespace

const KindInfo& KindEntry(int kind) {
  return kKindTable[KindIndex(kind)];
}

uint8_t KindSize(int kind) {
  return KindEntry(kind).size;
}

uint16_t KindFlags(int kind) {
  int k = KindIndex(kind);
  uint16_t flags = kKindTable[k].flags;
  if (k == 1) {
    flags &= static_cast<uint16_t>(~KindFlag::EntersLiquid);
    if (gKinds.heroEntersLiquid) flags |= KindFlag::EntersLiquid;
  }
  return flags;
}

uint16_t KindLife(int kind) {
  return KindEntry(kind).life;
}
uint16_t KindPoints(int kind) {
  return KindEntry(kind).points;
}
const char* KindName(int kind) {
  return KindEntry(kind).name;
}
uint8_t KindFramesPerFacing(int kind) {
  return KindEntry(kind).framesPerFacing;
}
const char* KindSpriteFile(int kind) {
  return KindEntry(kind).spriteFile;
}

const uint8_t* KindSequence(int kind, int anim) {
  return KindEntry(kind).anims[static_cast<unsigned>(anim) % kSequenceCount];
}

int KindSequenceLength(int kind, int anim) {
  const uint8_t* seq = KindSequence(kind, anim);
  for (int n = 0; n < kSequenceLength; ++n) {
    if (seq[n] == kSequenceEnd) return n;
  }
  return 0;  // no end mark: a sequence the kind does not have (all zeros)
}

int GuySpriteNumber(int kind, int anim, int frame, int facing) {
  if (frame < 0 || frame >= kSequenceLength) return 0;
  int n = KindSequence(kind, anim)[frame];
  if (n == kBlankFrame) return 0;
  uint16_t flags = KindFlags(kind);
  if (!(flags & KindFlag::OneFacing)) n += KindFramesPerFacing(kind) * facing;
  if (flags & KindFlag::FacingOffset) n += facing;
  return n;
}

void SetHeroEntersLiquid(bool on) {
  gKinds.heroEntersLiquid = on;
}

SpriteSet& KindSprites(int kind) {
  int holder = SetHolder(KindIndex(kind));
  std::unique_ptr<SpriteSet>& set = gKinds.sets[holder];
  if (!set) {
    auto loaded = std::make_unique<SpriteSet>();
    if (!loaded->Load(kKindTable[holder].spriteFile)) {
      // The system's own text, and a second line that names the file.
      const std::string text = std::string("MAV0 LAMRTN!\n") + kKindTable[holder].spriteFile +
                               " is missing or damaged; the game cannot go on without it.";
      FatalError(text.c_str());
    }
    set = std::move(loaded);
  }
  return *set;
}

bool KindSpritesLoaded(int kind) {
  return gKinds.sets[SetHolder(KindIndex(kind))] != nullptr;
}

const Sprite* GuySprite(int kind, int anim, int frame, int facing) {
  if (frame < 0 || frame >= kSequenceLength) return nullptr;
  if (KindSequence(kind, anim)[frame] == kBlankFrame) return nullptr;
  return KindSprites(kind).GetSprite(GuySpriteNumber(kind, anim, frame, facing));
}

const Sprite* KindSprite(int kind, int n) {
  const std::unique_ptr<SpriteSet>& set = gKinds.sets[SetHolder(KindIndex(kind))];
  return set ? set->GetSprite(n) : nullptr;
}

void DrawKindPicture(int x, int y, int kind, Display& screen) {
  // The first idle frame, facing south.
  int n = KindSequence(kind, kAnimIdle)[0];
  if (n == kBlankFrame) return;
  if (!(KindFlags(kind) & KindFlag::OneFacing)) n += 2 * KindFramesPerFacing(kind);
  Draw(KindSprites(kind).GetSprite(n), x, y, &screen);
}

bool LoadKindSprites(int kind, const char* file) {
  std::unique_ptr<SpriteSet>& set = gKinds.sets[SetHolder(KindIndex(kind))];
  set.reset();
  auto loaded = std::make_unique<SpriteSet>();
  if (!loaded->Load(file)) return false;
  set = std::move(loaded);
  return true;
}

void ClearKindSprites() {
  for (std::unique_ptr<SpriteSet>& set : gKinds.sets) set.reset();
  gKinds.heroEntersLiquid = true;
}

void FreeMonsterSprites() {
  for (int k = 2; k < kKindCount; ++k) gKinds.sets[k].reset();
}

void FreeKindSprites() {
  for (int k = 1; k < kKindCount; ++k) gKinds.sets[k].reset();
}

}  // namespace torvel
