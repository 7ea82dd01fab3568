// Cheat words: the last letters typed during play are matched against nine
// secret words; a match grants its advantage at once.
#include "shell/cheats.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "audio/sound.h"
#include "gfx/draw_list.h"
#include "platform/random.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/play_loop.h"

namespace torvel {

namespace {

constexpr int kBufferLetters = 16;
constexpr int kWordBytes = 16;
constexpr int32_t kCheatMessageSteps = 30;
constexpr uint8_t kMaxLevel = 50;

// Lower case, in the order they are tested.
constexpr char kCheatWords[kCheatWordCount][kWordBytes] = {
    "tovrimasek", "brellowquintar", "zumbraxi", "kelpinor",   "drumvale",
    "fennowick",  "plimsoderant",   "gorbelin", "wexamundra",
};

struct CheatState {
  // The last 16 letters typed, oldest first, and a terminating zero.
  char typed[kBufferLetters + 1] = {};
};

CheatState gCheats;

void Say(const char* text) {
  ShowSmallMessage(text, kCheatMessageSteps);
}

// Power-ups as if the hero had walked over them where it stands.
void PickUp(uint8_t kind, int times) {
  Fixed x = 0, y = 0;
  if (Guy* hero = HeroGuy()) {
    x = hero->x;
    y = hero->y;
  }
  for (int i = 0; i < times; ++i) PickUpPowerUp(kind, x, y);
}

void ApplyCheat(int index) {
  PlayerRecord& p = Player();
  switch (index) {
    case 0:
      MakeNormalSound(22);
      Say("LYCTNTE MEHR!");
      PostMapEvent(2, 0);
      break;
    case 1:
      PickUp(1, 5);
      PickUp(2, 4);
      PickUp(3, 1);
      PickUp(4, 1);
      Say("YVbTPAM0V0T BbIP0C!");
      break;
    case 2: {
      int32_t cx = 0, cy = 0;
      GetCamera(cx, cy);
      for (int i = 0; i < 60; ++i) {
        int32_t x = cx - 320 + Random(640);
        int32_t y = cy - 240 + Random(480);
        FireBullet(ToFixed(x), ToFixed(y), 0, 8);
      }
      SetShake(10);
      break;
    }
    case 3:
      PickUp(16, 3);
      PickUp(17, 1);
      PickUp(18, 1);
      PickUp(19, 1);
      Say("R HACT0R&NN KVW4HNK");
      break;
    case 4:
      Heal(128);
      // Even above the maximum: the tank overflows until the next map.
      p.mana = 128;
      Say("AAAAAA");
      MakeNormalSound(23);
      break;
    case 5:
      p.protectionTimer = 600;
      break;
    case 6:
      TogglePlayerFloorImmunity();
      MakeNormalSound(22);
      break;
    case 7:
      // The maxima and the experience needed catch up at the next map start
      // or level-up.
      if (p.level != kMaxLevel) ++p.level;
      Say("P0CT YP0BHR");
      break;
    case 8:
      // Past the shop's cap, up to what the 16-bit purse holds; it stops
      // there rather than wrapping round to a few hundred.
      p.money = static_cast<uint16_t>(std::min<int32_t>(int32_t{p.money} + 500, UINT16_MAX));
      Say("DNHEP0 L0P T0D0C!");
      break;
    default:
      break;
  }
}

}  // namespace

const char* CheatWord(int index) {
  return index >= 0 && index < kCheatWordCount ? kCheatWords[index] : "";
}

void ResetCheatBuffer() {
  gCheats = CheatState{};
}

void CheatLetter(char letter) {
  char* typed = gCheats.typed;
  std::memmove(typed, typed + 1, kBufferLetters - 1);
  typed[kBufferLetters - 1] = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (int i = 0; i < kCheatWordCount; ++i) {
    size_t n = std::strlen(kCheatWords[i]);
    if (std::memcmp(typed + kBufferLetters - n, kCheatWords[i], n) != 0) continue;
    ApplyCheat(i);
    // The zero stays among the letters as they shift along, so the next
    // match needs the whole word typed anew.
    typed[kBufferLetters - 1] = 0;
  }
}

}  // namespace torvel
