// The monster kinds table: the compiled-in static properties of every kind of
// creature (the hero is kind 1), and the sprite sets they are drawn from.
//
// The table is read by the game and by the forge, which draws every kind's
// sprite set from the sequences below, so the two can never disagree about
// which frames exist.
#pragma once

#include <cstdint>

namespace torvel {

class Display;
class SpriteSet;
struct Sprite;

// Kind flags, as stored in a kind's flags.
namespace KindFlag {
inline constexpr uint16_t Flies = 0x0001;              // hovers at 20 pixels, crosses liquids
inline constexpr uint16_t EntersLiquid = 0x0002;       // may step onto Water and Lava
inline constexpr uint16_t OneFacing = 0x0004;          // sprites do not depend on facing
inline constexpr uint16_t OnlyHeroBumps = 0x0008;      // other monsters pass through it
inline constexpr uint16_t NoKnockback = 0x0010;        // hits do not push it
inline constexpr uint16_t Swims = 0x0020;              // confined to liquid floors
inline constexpr uint16_t Invulnerable = 0x0040;       // never hurt
inline constexpr uint16_t BoxFromSprite = 0x0080;      // collision box is the sprite's rectangle
inline constexpr uint16_t FacingOffset = 0x0100;       // facing added to the frame once more
inline constexpr uint16_t NoGravity = 0x0200;          // keeps its height
inline constexpr uint16_t HeroPassesThrough = 0x0400;  // the hero walks through it
inline constexpr uint16_t PassesWalls = 0x0800;        // walls and solid items do not stop it
inline constexpr uint16_t NoShadow = 0x1000;           // drawn without a shadow
inline constexpr uint16_t Glowing = 0x2000;            // drawn as light
inline constexpr uint16_t HeroSide = 0x4000;           // fights for the hero
}  // namespace KindFlag

inline constexpr int kKindCount = 60;  // entry 0 is empty
inline constexpr int kSequenceCount = 9;
inline constexpr int kSequenceLength = 24;
inline constexpr uint8_t kSequenceEnd = 255;
inline constexpr uint8_t kBlankFrame = 254;  // nothing drawn, empty box

// Sequence roles the generic guy code relies on; 4 to 8 belong to the behaviours.
inline constexpr int kAnimIdle = 0;
inline constexpr int kAnimMove = 1;
inline constexpr int kAnimAttack = 2;
inline constexpr int kAnimDie = 3;

// Where the hero's set keeps the invulnerability shimmer (8 frames).
inline constexpr int kHeroShimmerFrame = 0x1D0;

// One compiled-in kind.
struct KindInfo {
  char name[32];  // display name in the game's letter coding
  uint8_t size;   // half-width of the collision box
  uint8_t framesPerFacing;
  uint16_t life;
  uint16_t points;
  char spriteFile[32];
  uint16_t flags;  // as compiled; kind 1's EntersLiquid may change at run time (KindFlags)
  uint8_t anims[kSequenceCount][kSequenceLength];
};

// The compiled-in entry of a kind (taken modulo 256; numbers past the table give entry 0).
const KindInfo& KindEntry(int kind);

uint8_t KindSize(int kind);
uint16_t KindFlags(int kind);  // with kind 1's EntersLiquid as last set
uint16_t KindLife(int kind);
uint16_t KindPoints(int kind);
const char* KindName(int kind);
uint8_t KindFramesPerFacing(int kind);
const char* KindSpriteFile(int kind);
// The 24 bytes of sequence anim (0-8); entries end with 255.
const uint8_t* KindSequence(int kind, int anim);
// Frames a sequence shows before its end mark; 0 for one the kind lacks.
int KindSequenceLength(int kind, int anim);

// The sprite number of entry `frame` of sequence `anim` seen from `facing`:
// the stored frame, plus framesPerFacing * facing unless the kind has
// OneFacing, plus facing once more with FacingOffset. A blank frame gives 0.
int GuySpriteNumber(int kind, int anim, int frame, int facing);
// The same sprite, loading the kind's set on first use; none for a blank frame
// or a number the set does not hold.
const Sprite* GuySprite(int kind, int anim, int frame, int facing);
// Sprite n of the kind's set if it is loaded, or none (the hero's after-images).
const Sprite* KindSprite(int kind, int n);
// The kind's set, loading it on first use; a set that cannot be loaded ends
// the program with "MAV0 LAMRTN!".
SpriteSet& KindSprites(int kind);
// The editor's monster picker: the first idle frame facing south, drawn as it
// is with its hot spot at (x, y).
void DrawKindPicture(int x, int y, int kind, Display& screen);

// Loads a set file as the kind's sprites in place of whatever it held (the
// player module swaps the hero's two looks with it). False when the file
// cannot be loaded; the kind then has no set until its next use loads its own.
bool LoadKindSprites(int kind, const char* file);
// The hero may step into water and lava everywhere but on the roaming map.
void SetHeroEntersLiquid(bool on);

// Start-up: no kind has a loaded sprite set, kind 1's flags as compiled.
void ClearKindSprites();
// Map end: frees the sets of kinds 2 to 59; the hero's set stays.
void FreeMonsterSprites();
// Program end: frees the loaded sets of kinds 1 to 59.
void FreeKindSprites();
// Whether the kind's set is loaded (kind 37 reports the shared yeti set).
bool KindSpritesLoaded(int kind);

}  // namespace torvel
