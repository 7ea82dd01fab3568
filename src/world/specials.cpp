// Specials: the three ways they are tested, their conditions and effects,
// the chaining of neighbours, the wall floods and the exit markers.
#include "world/specials.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "actors/guys.h"
#include "audio/sound.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "world/items.h"
#include "world/light.h"
#include "world/prepare.h"
#include "world/world.h"

namespace torvel {

namespace {

constexpr uint8_t kHeroKind = 1;
constexpr int kMessageSteps = 75;
constexpr uint8_t kShopMap = 50;
// The hub of world 3 opens once four of the world's maps are done.
constexpr int kHubOpeningWorld = 3;
constexpr int kHubOpeningTally = 4;
constexpr uint8_t kHubOpenFloor = 35;
constexpr uint8_t kHubOpenDoor = 80;

// A message of 32 bytes need not hold its own end.
struct MessageText {
  char text[33] = {};
  explicit MessageText(const Special& s) { std::memcpy(text, s.msg, sizeof(s.msg)); }
};

Fixed TileCornerX(int32_t tx) {
  return ToFixed(tx * kTileWidth);
}
Fixed TileCornerY(int32_t ty) {
  return ToFixed(ty * kTileHeight);
}
Fixed TileCentreX(int32_t tx) {
  return ToFixed(tx * kTileWidth + kTileWidth / 2);
}
Fixed TileCentreY(int32_t ty) {
  return ToFixed(ty * kTileHeight + kTileHeight / 2);
}

// "Goto Map" destinations that have a completed flag in the world's row; the
// shop (50) and anything else past map 23 has none.
bool HasDoneFlag(int32_t map) {
  return map >= 0 && map < kRecordMapsPerWorld;
}

bool ConditionsHold(const Special& s) {
  if ((s.trigger & kTriggerNoneOfKind) && AnyGuyOfKind(s.trigValue)) return false;
  if ((s.trigger & kTriggerCollected) && PlayerCollected() < s.trigValue) return false;
  if ((s.trigger & kTriggerAllPieces) && !PlayerHasAllPieces()) return false;
  if ((s.trigger & kTriggerMapsDone) && PlayerMapsDoneInWorld() < s.trigValue) return false;
  return true;
}

// Moves the guy onto the target tile; the hero's camera jumps along.
void Teleport(Map& map, Guy& guy, int32_t tx, int32_t ty) {
  const bool hero = guy.kind == kHeroKind;
  MakeSoundAt(32, guy.x, guy.y, kSoundMayCutItself, 1500);
  guy.x = TileCentreX(tx);
  guy.y = TileCentreY(ty);
  guy.dx = 0;
  guy.dy = 0;
  if (hero) {
    SetCamera(guy.x, guy.y);
    UpdateCamera(FixedToInt(guy.x), FixedToInt(guy.y), static_cast<uint8_t>(guy.facing * 32),
                 map.width, map.height);
    SetSpecialCooldown(30);
  }
  // A flash on arrival that the light passes fade out.
  MapTile(map, tx, ty).curLight = 34;
  static constexpr int kEdges[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& e : kEdges) {
    if (OnMap(map, tx + e[0], ty + e[1])) MapTile(map, tx + e[0], ty + e[1]).curLight = 20;
  }
}

// Runs the effect. False when the effect declines in a way that leaves the
// special as it was and shows nothing.
//
// A target off the map (only a hand-edited or shrunk map holds one) is one
// rule for every effect that acts on it: nothing happens there, no sound
// plays, and the special otherwise counts as fired: its neighbours have
// fired, its message shows and a one-shot special is used up.
bool RunEffect(Map& map, Special& s, Guy* guy) {
  const int32_t tx = s.targetX, ty = s.targetY;
  const bool onMap = OnMap(map, tx, ty);
  switch (s.effect) {
    case kEffectSummon:
      // Off the map the monster could never move nor be reached, and would
      // keep a challenge from ever being cleared.
      if (!onMap) break;
      MakeSoundAt(32, TileCentreX(tx), TileCentreY(ty), kSoundMayCutItself, 1500);
      // Dropped from above, it falls onto the tile.
      AddGuy(TileCentreX(tx), TileCentreY(ty), ToFixed(64), static_cast<uint8_t>(s.value & 0xFF));
      break;
    case kEffectZapWall:
      if (onMap && MapTile(map, tx, ty).wall != 0) {
        MakeSoundAt(29, TileCornerX(tx), TileCornerY(ty), kSoundMayCutItself, 1500);
        ZapWall(map, tx, ty, static_cast<uint8_t>(s.value & 0xFF));
      }
      break;
    case kEffectMakeWall:
      if (onMap && MapTile(map, tx, ty).wall == 0) {
        MakeSoundAt(30, TileCornerX(tx), TileCornerY(ty), kSoundMayCutItself, 1500);
        RaiseWall(map, tx, ty, static_cast<uint8_t>(s.value & 0xFF));
      }
      break;
    case kEffectToggleWall:
      if (!onMap) break;
      if (MapTile(map, tx, ty).wall != 0) {
        // The wall is remembered to raise it again, and the region keeps
        // its roof image as floor.
        MakeSoundAt(29, TileCornerX(tx), TileCornerY(ty), kSoundMayCutItself, 1500);
        s.value = MapTile(map, tx, ty).wall;
        ZapWall(map, tx, ty, MapTile(map, tx, ty).floor);
      } else {
        MakeSoundAt(30, TileCornerX(tx), TileCornerY(ty), kSoundMayCutItself, 1500);
        RaiseWall(map, tx, ty, static_cast<uint8_t>(s.value & 0xFF));
      }
      break;
    case kEffectTeleport:
      if (guy && guy->kind == kHeroKind && SpecialCooldown() != 0) return false;
      // Off the map it would strand the guy outside it: nobody moves.
      if (guy && onMap) Teleport(map, *guy, tx, ty);
      break;
    case kEffectLight: {
      if (!onMap) break;
      MakeSoundAt(31, TileCornerX(tx), TileCornerY(ty), kSoundMayCutItself, 1300);
      int32_t strength = static_cast<int8_t>(s.value & 0xFF);
      // Wide enough that the most negative value has a size too.
      int32_t radius = static_cast<int32_t>((std::llabs(int64_t{s.value}) / 2) & 0xFF);
      SpreadLight(map, tx, ty, radius, strength, kLightRuleBase);
      break;
    }
    case kEffectGotoMap:
      if (HasDoneFlag(s.value) && PlayerMapDone(PlayerWorldNumber(), s.value)) return false;
      MakeNormalSound(27);
      PostMapEvent(1, static_cast<uint8_t>(s.value));
      break;
    case kEffectWinLevel:
      if (PlayerCollected() != CollectibleTotal()) return false;
      PostMapEvent(2, 0);
      if (NoChallengePending()) MakeNormalSound(28);
      break;
    case kEffectShowPic: {
      SetPlayMode(2);
      MakeNormalSound(33);
      char name[64];
      std::snprintf(name, sizeof(name), "graphics\\%s", MessageText(s).text);
      if (Display* display = TheDisplay()) display->LoadBmp(name);
      break;
    }
    default:
      break;
  }
  return true;
}

// The component of tiles 4-connected to (x, y) that `matches`, each changed
// by `change` as it is reached. A change must make a tile stop matching,
// so every tile is listed once and the list never outgrows the map; a work
// list rather than recursion, which a whole 128 x 128 map would take deep.
template <typename Matches, typename Change>
void Flood(Map& map, int32_t x, int32_t y, Matches matches, Change change) {
  std::vector<std::pair<int32_t, int32_t>> work;
  change(MapTile(map, x, y));
  work.emplace_back(x, y);
  static constexpr int kSteps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  while (!work.empty()) {
    auto [cx, cy] = work.back();
    work.pop_back();
    for (const auto& step : kSteps) {
      int32_t nx = cx + step[0], ny = cy + step[1];
      if (!OnMap(map, nx, ny)) continue;
      Tile& t = MapTile(map, nx, ny);
      if (!matches(t)) continue;
      change(t);
      work.emplace_back(nx, ny);
    }
  }
}

}  // namespace

void StepSpecials(Map& map, int32_t tx, int32_t ty, Guy* guy) {
  const bool hero = guy && guy->kind == kHeroKind;
  for (Special& s : map.specials) {
    const uint16_t trigger = s.trigger;
    if ((trigger & (kTriggerHeroStep | kTriggerMonsterStep)) && s.x == tx && s.y == ty) {
      if ((hero && (trigger & kTriggerHeroStep)) || (!hero && (trigger & kTriggerMonsterStep))) {
        FireSpecial(map, s, guy);
      }
      continue;
    }
    if ((trigger & kTriggerHeroNear) && hero &&
        std::abs(s.y - ty) + std::abs(s.x - tx) <= s.trigValue) {
      FireSpecial(map, s, guy);
    }
  }
}

void ShotSpecials(Map& map, int32_t tx, int32_t ty) {
  for (Special& s : map.specials) {
    if ((s.trigger & kTriggerShot) && std::abs(s.x - tx) <= 1 && std::abs(s.y - ty) <= 1) {
      FireSpecial(map, s, nullptr);
    }
  }
}

void TickSpecials(Map& map) {
  for (Special& s : map.specials) {
    if (s.trigger != 0 && (s.trigger & kTriggerEvents) == 0) FireSpecial(map, s, nullptr);
  }

  if (PlayerWorldNumber() != kHubOpeningWorld || PlayerCurrentMap() != 1 ||
      PlayerMapsDoneInWorld() < kHubOpeningTally) {
    return;
  }
  // The opening shakes the hub once; it shares its flag with the world's relic.
  PlayerRecord& p = Player();
  if (p.worldRelic[kHubOpeningWorld] == 0) {
    p.worldRelic[kHubOpeningWorld] = 1;
    SetShake(60);
    MakeNormalSound(174);
  }
  static constexpr int kOpenedFloor[6][2] = {{63, 12}, {64, 12}, {63, 13},
                                             {64, 13}, {63, 14}, {64, 14}};
  for (const auto& at : kOpenedFloor) {
    if (OnMap(map, at[0], at[1])) MapTile(map, at[0], at[1]).floor = kHubOpenFloor;
  }
  if (OnMap(map, 61, 8)) MapTile(map, 61, 8).item = kHubOpenDoor;
}

void FireSpecial(Map& map, Special& s, Guy* guy) {
  if (!ConditionsHold(s)) return;
  // Neighbours fire first, even when this special's own effect then declines.
  if (!(s.trigger & kTriggerChained)) ChainSpecials(map, s);
  if (!RunEffect(map, s, guy)) return;

  if (s.trigger & kTriggerShowMessage) {
    MessageText message(s);
    const char* shown = BigMessageText();
    // The line holds 31 characters: a 32nd in the special never shows, so
    // it must not make the same message look new on every tick.
    if (!shown || std::strncmp(shown, message.text, sizeof(s.msg) - 1) != 0) {
      ShowBigMessage(message.text, kMessageSteps);
      MakeNormalSound(33);
    }
  }
  if (!(s.trigger & kTriggerRepeat)) s.trigger = 0;
}

void ChainSpecials(Map& map, const Special& special) {
  const int32_t x = special.x, y = special.y;
  for (int32_t i = x - 1; i <= x + 1; ++i) {
    for (int32_t j = y - 1; j <= y + 1; ++j) {
      if (i == x && j == y) continue;
      for (Special& s : map.specials) {
        if (s.x == i && s.y == j && (s.trigger & kTriggerChained)) FireSpecial(map, s, nullptr);
      }
    }
  }
}

void ZapWall(Map& map, int32_t x, int32_t y, uint8_t floor) {
  if (!OnMap(map, x, y)) return;
  const Tile start = MapTile(map, x, y);
  if (start.wall == 0) return;
  Flood(
      map, x, y, [&](const Tile& t) { return t.wall == start.wall && t.floor == start.floor; },
      [&](Tile& t) {
        t.floor = floor;
        t.wall = 0;
      });
}

void RaiseWall(Map& map, int32_t x, int32_t y, uint8_t wall) {
  if (!OnMap(map, x, y)) return;
  const Tile start = MapTile(map, x, y);
  if (start.wall != 0 || wall == 0) return;
  // The floor stays under the new wall and becomes its roof.
  Flood(
      map, x, y, [&](const Tile& t) { return t.wall == 0 && t.floor == start.floor; },
      [&](Tile& t) { t.wall = wall; });
}

void DrawSpecialMarkers(Display* display, const Map& map, int world) {
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  const int32_t left = cx - 320, top = cy - 240;
  for (const Special& s : map.specials) {
    if (s.effect != kEffectGotoMap || !HasDoneFlag(s.value)) continue;
    if (!PlayerMapDone(world, s.value)) continue;
    DrawExitMarker(s.x * kTileWidth - left + kTileWidth / 2,
                   s.y * kTileHeight - top + kTileHeight / 2, display);
  }
}

}  // namespace torvel
