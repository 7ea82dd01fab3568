#include "actors/kinds.h"

#include "actors/kinds_table.h"

namespace torvel {

namespace {

// What the table keeps at run time besides its compiled-in entries.
struct KindsState {
  uint16_t heroFlags = kKindTable[1].flags;
};

KindsState gKinds;

int KindIndex(int kind) {
  int k = kind & 0xFF;
  return k < kKindCount ? k : 0;
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
  return k == 1 ? gKinds.heroFlags : kKindTable[k].flags;
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
  if (on) {
    gKinds.heroFlags |= KindFlag::EntersLiquid;
  } else {
    gKinds.heroFlags &= static_cast<uint16_t>(~KindFlag::EntersLiquid);
  }
}

void ClearKindSprites() {
  gKinds.heroFlags = kKindTable[1].flags;
}

void FreeKindSprites() {}

// Stand-in until the kinds own their sprite sets.
const Sprite* KindSprite(int, int) {
  return nullptr;
}

}  // namespace torvel
