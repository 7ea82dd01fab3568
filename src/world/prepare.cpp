// Map preparation at map start.
#include "world/prepare.h"

#include "actors/guys.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/play_loop.h"
#include "world/world.h"

namespace torvel {

namespace {

constexpr uint8_t kScroll = 5;
constexpr uint8_t kCollectible = 11;
constexpr uint8_t kFirstPiece = 12;
constexpr uint8_t kLastPiece = 15;
constexpr uint8_t kSkullDoor = 69;
constexpr uint8_t kSkullDoorOpen = 80;
constexpr int8_t kBlack = -32;

struct PrepareState {
  uint32_t collectibleTotal = 0;
};

PrepareState gPrepare;

}  // namespace

uint32_t CollectibleTotal() {
  return gPrepare.collectibleTotal;
}

void SetCollectibleTotal(uint32_t total) {
  gPrepare.collectibleTotal = total;
}

void PrepareMapForPlay(Map& map, World&) {
  const PlayerRecord& p = Player();
  bool scrollSeen = SpellSeenHere();
  // Once the castle's map 6 is done its skull doors show their other face.
  bool skullDoorsTurn = p.worldNumber == 2 && PlayerMapDone(2, 6);
  uint32_t total = 0;
  for (Tile& t : map.tiles) {
    if (t.item == kCollectible) ++total;
    if (t.item >= kFirstPiece && t.item <= kLastPiece && PlayerHasPiece(t.item - kFirstPiece))
      t.item = 0;
    if (t.item == kScroll && scrollSeen) t.item = 0;
    t.curLight = kBlack;
    if (t.item == kSkullDoor && skullDoorsTurn) t.item = kSkullDoorOpen;
  }
  gPrepare.collectibleTotal = total;

  uint8_t challenge = ChallengeParameter();
  if (challenge != 0) {
    PlaceChallengeMonsters(map, challenge);
  } else {
    PlaceMapMonsters(map);
  }
}

}  // namespace torvel
