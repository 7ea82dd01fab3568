// Specials: small scripted events placed on map tiles. Each of a map's 32
// slots holds trigger flags and one effect: open or close walls, summon a
// monster, teleport, light a room, end the map, send the hero elsewhere, show
// a message or a picture.
//
// A special is tested in three ways: when a guy enters or bumps its tile
// (StepSpecials), when a bullet is stopped by a wall near it (ShotSpecials),
// and once per tick when it has only conditions (TickSpecials). Firing may
// change tiles, add guys and post map events in the middle of a tick.
#pragma once

#include <cstdint>

namespace torvel {

class Display;
struct Guy;
struct Map;
struct Special;

// Trigger flags of a special.
enum SpecialTrigger : uint16_t {
  kTriggerHeroStep = 0x0001,     // the hero enters (or bumps) the tile
  kTriggerMonsterStep = 0x0002,  // any other guy does
  kTriggerHeroNear = 0x0004,     // the hero comes within trigValue tiles
  kTriggerMapsDone = 0x0008,     // condition: completed-map tally >= trigValue
  kTriggerAllPieces = 0x0010,    // condition: all four armour pieces owned
  kTriggerNoneOfKind = 0x0020,   // condition: no guy of kind trigValue (255: no live enemy)
  kTriggerCollected = 0x0040,    // condition: collected count >= trigValue
  kTriggerShot = 0x0080,         // a bullet stopped within one tile
  kTriggerRepeat = 0x0100,       // stays armed after firing
  kTriggerShowMessage = 0x0200,  // msg becomes the big message after the effect
  kTriggerChained = 0x0400,      // fires when a neighbouring special fires
};
// The bits that make a special wait for an event rather than for its conditions.
constexpr uint16_t kTriggerEvents =
    kTriggerHeroStep | kTriggerMonsterStep | kTriggerHeroNear | kTriggerShot | kTriggerChained;

enum SpecialEffect : uint8_t {
  kEffectNone = 0,
  kEffectSummon = 1,
  kEffectZapWall = 2,
  kEffectMakeWall = 3,
  kEffectToggleWall = 4,
  kEffectTeleport = 5,
  kEffectLight = 6,
  kEffectGotoMap = 7,
  kEffectWinLevel = 8,
  kEffectShowPic = 9,
};

// A guy entered tile (tx, ty), or was refused it.
void StepSpecials(Map& map, int32_t tx, int32_t ty, Guy* guy);
// A bullet whose centre is on tile (tx, ty) was stopped.
void ShotSpecials(Map& map, int32_t tx, int32_t ty);
// Once per tick of normal play: the condition-only specials, and the opening
// of world 3's hub once four of its maps are done.
void TickSpecials(Map& map);
// Tests the conditions and, when they hold, chains, runs the effect, shows
// the message and disarms a one-shot special. guy may be null.
void FireSpecial(Map& map, Special& special, Guy* guy);
// Fires the Chained specials on the eight tiles around the special's.
void ChainSpecials(Map& map, const Special& special);
// Removes the 4-connected region of tiles sharing the start tile's wall and
// roof, leaving floor. Nothing without a wall at the start.
void ZapWall(Map& map, int32_t x, int32_t y, uint8_t floor);
// Raises wall over the 4-connected region of wall-less tiles sharing the
// start tile's floor. Nothing when the start has a wall or wall is 0.
void RaiseWall(Map& map, int32_t x, int32_t y, uint8_t wall);
// Marks every "Goto Map" special whose destination in world `world` is done,
// on top of the frame drawn so far.
void DrawSpecialMarkers(Display* display, const Map& map, int world);

}  // namespace torvel
