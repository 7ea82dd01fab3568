// The play loop's update step by mode, the map events, the keys typed during
// play and the drawn frame.
#include <cctype>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/font.h"
#include "gfx/movie.h"
#include "input/input.h"
#include "platform/random.h"
#include "player/hero_control.h"
#include "player/player_record.h"
#include "player/shop.h"
#include "player/status.h"
#include "shell/cheats.h"
#include "shell/messages.h"
#include "shell/pause_menu.h"
#include "shell/play_loop_state.h"
#include "world/items.h"
#include "world/light.h"
#include "world/specials.h"

namespace torvel {

namespace {

constexpr uint8_t kEscape = 27;
constexpr uint8_t kShopMap = 50;
constexpr uint8_t kEndReasonShop = 5;
constexpr uint8_t kRoamingMap = 1;
constexpr int32_t kNoRoamingPosition = -2000;
constexpr uint8_t kAnyEnemy = 255;
constexpr int kClearedSound = 19;
constexpr int kFledSound = 104;
constexpr uint8_t kHoldingSteps = 30;

PlayLoopState& S() {
  return PlayState();
}

bool OnRoamingMap() {
  return S().currentMapNumber == kRoamingMap && Player().currentMap == kRoamingMap;
}

// Leaving a challenge with enemies still standing: it counts as a flight.
void CheckChallengeLeft() {
  PlayLoopState& s = S();
  if (!AnyGuyOfKind(kAnyEnemy)) s.challengeCleared = 1;
  if (s.challengeFlag && !s.challengeCleared) {
    MakeNormalSound(kFledSound);
    ShowBigMessage("BbI CSEGAVN!", 75);
    Player().roamingX = kNoRoamingPosition;
  }
}

void TakeUpEvent() {
  PlayLoopState& s = S();
  uint8_t event = s.pendingEvent;
  uint8_t p = s.eventParameter;
  s.pendingEvent = kEventNone;
  switch (event) {
    case kEventLeaveToMap:
      if (p == kShopMap) {
        OpenShop();
        s.endCountdown = kHoldingSteps;
        s.endReason = kEndReasonShop;
        break;
      }
      CheckChallengeLeft();
      s.endCountdown = kHoldingSteps;
      s.nextMap = p;
      s.endReason = kMapLeft;
      s.challengeFlag = 0;
      break;
    case kEventMapCompleted:
      CheckChallengeLeft();
      s.challengeFlag = 0;
      s.nextMap = 0;
      s.endReason = kMapCompleted;
      s.endCountdown = p == 1 ? 1 : 40;
      break;
    case kEventHeroKilled:
      ShowBigMessage("3AH0B0!", 30);
      s.endCountdown = kHoldingSteps;
      s.endReason = kMapHeroKilled;
      if (s.challengeFlag) {
        // Beaten in a challenge: back to the roaming map, gains lost.
        s.endReason = kMapLeft;
        s.nextMap = kRoamingMap;
        s.challengeFlag = 0;
        if (!s.challengeCleared) Player().roamingX = kNoRoamingPosition;
      }
      break;
    case kEventGameLoaded:
      ShowBigMessage("3AFPY3KA NFPbI", 30);
      s.endCountdown = kHoldingSteps;
      s.endReason = kMapGameLoaded;
      s.challengeFlag = 0;
      break;
    case kEventGameWon:
      s.nextMap = 0;
      s.endCountdown = 1;
      s.endReason = kMapCompleted;
      PlayEnding();
      break;
    case kEventChallenge: {
      uint8_t w = Player().worldNumber;
      int base = w == 0 ? 6 : (w == 1 ? 7 : 2);
      s.nextMap = static_cast<uint8_t>(base + Random(4));
      s.challengeFlag = 1;
      s.challengeCleared = 0;
      s.challengeParameter = p;
      s.endCountdown = kHoldingSteps;
      s.endReason = kMapLeft;
      break;
    }
    default:
      break;
  }
}

// The key typed during play: cheat letters, the gamma key, spell digits and
// Escape.
void HandleTypedKey() {
  PlayLoopState& s = S();
  uint8_t key = s.display->TakeLastKey();
  if (key) {
    s.lastTypedKey = key;
    if (std::isalpha(key) && key < 128) CheatLetter(static_cast<char>(key));
  }
  if (s.lastTypedKey == 'g') {
    uint8_t gamma = static_cast<uint8_t>(GetGamma() + 1);
    if (gamma > 3) gamma = 0;
    s.display->SetBrightness(gamma);
    SetGamma(gamma);
    s.lastTypedKey = 0;
  } else if (key >= '0' && key <= '9') {
    // A digit picks its spell once, when typed; the spell keys go on
    // working after it.
    int slot = key == '0' ? 9 : key - '1';
    if (Player().spells[slot] != 0) Player().selectedSpell = static_cast<uint8_t>(slot);
  } else if (s.lastTypedKey == kEscape && s.playTest) {
    // A map tried from the editor has no pause menu to save from: Escape
    // goes straight back.
    s.lastTypedKey = 0;
    s.endReason = kMapQuit;
    s.endCountdown = 1;
  } else if (s.lastTypedKey == kEscape) {
    OpenPauseMenu();
    s.mode = kModePauseMenu;
  }
}

uint8_t StepPlaying() {
  PlayLoopState& s = S();
  Map& map = *s.map;
  World& world = s.world;
  if (s.endCountdown == 0) {
    if (s.startupCountdown > 0) {
      UpdateMapLight(map, kLightFadeIn, world);
      LightGuysAndHero(map);
      --s.startupCountdown;
    } else {
      UpdateMapLight(map, kLightPlay, world);
      if (OnRoamingMap()) {
        SpawnRoamer(map, world, Player().worldNumber + 1, true);
        UpdateGuysRoaming(map, world);
      } else {
        UpdateGuys(map, world);
      }
      StepBurst(map);
      UpdateBullets(map, world);
      TickSpecials(map);
    }
  } else {
    UpdateMapLight(map, kLightFadeOut, world);
    LightGuys(map);
  }
  UpdateParticles(map);
  UpdateMessages();
  TickItems();
  SlidePauseMenu();
  if (s.mapFlags & kMapSnow) SnowFall(map);
  if (s.endCountdown > 0 && --s.endCountdown == 0) {
    if (s.endReason != kEndReasonShop) return s.endReason;
    s.mode = kModeShop;
  }
  if (s.challengeFlag && !s.challengeCleared && !EnemiesPresent()) {
    MakeNormalSound(kClearedSound);
    s.challengeCleared = 1;
  }
  return kMapGoOn;
}

uint8_t StepPaused() {
  PlayLoopState& s = S();
  switch (StepPauseMenu(s.display)) {
    case 0:
      s.lastTypedKey = 0;
      s.mode = kModePlaying;
      break;
    case 2: {
      StopSong();
      s.lastTypedKey = 0;
      s.nextMap = s.currentMapNumber != 0 ? kRoamingMap : kLeaveWorld;
      bool challenge = s.challengeFlag != 0;
      CheckChallengeLeft();
      s.challengeFlag = 0;
      // A cleared challenge counts as a map completed.
      return (challenge && s.challengeCleared) ? kMapCompleted : kMapLeft;
    }
    case 3:
      s.nextMap = kLeaveWorld;
      s.lastTypedKey = 0;
      return kMapQuit;
    default:
      break;
  }
  return kMapGoOn;
}

void StepShopMode() {
  PlayLoopState& s = S();
  if (!StepShop(s.display)) return;
  CloseShop();
  PlaySong(Player().worldNumber < 2 ? 202 : 208);
  s.mode = kModePlaying;
  s.startupCountdown = kHoldingSteps;
  if (Guy* hero = HeroGuy()) {
    hero->dx = 0;
    hero->dy = 0;
  }
}

}  // namespace

uint8_t UpdateStep() {
  PlayLoopState& s = S();
  if (!s.display->ProcessMessages()) {
    s.nextMap = kLeaveWorld;
    return kMapLeft;
  }
  // The whole step sees the input as it stands now.
  FreezeActions();
  if (s.hooks.beforeStep && !s.hooks.beforeStep(s.hooks.context)) {
    ThawActions();
    s.display->RequestQuit();
    s.nextMap = kLeaveWorld;
    return kMapLeft;
  }
  if (s.mode == kModePlaying) HandleTypedKey();
  Player().playTime += 1;
  uint8_t result = kMapGoOn;
  switch (s.mode) {
    case kModePlaying:
      result = StepPlaying();
      break;
    case kModePauseMenu:
      result = StepPaused();
      break;
    case kModeShop:
      StepShopMode();
      break;
    case kModeDialogue:
      if (StepDialogue()) s.mode = kModePlaying;
      break;
    case kModePicture:
      if (TakePressedActions() & (kActionFire | kActionSpell)) {
        s.mode = kModePlaying;
        s.display->LoadBmp("graphics\\title.bmp");
      }
      break;
    default:
      break;
  }
  if (result == kMapGoOn) TakeUpEvent();
  ++s.steps;
  ThawActions();
  if (s.hooks.afterStep) s.hooks.afterStep(s.hooks.context);
  return result;
}

bool DrawPlayFrame() {
  PlayLoopState& s = S();
  Display* display = s.display;
  if (s.mode == kModeShop) {
    DrawShop();
  } else if (s.mode != kModePicture) {
    RenderGuys(true);
    RenderBullets();
    RenderParticles();
    RenderWorld(s.map.get(), &s.world, 7);
    DrawSpecialMarkers(display, *s.map, s.drawWorld);
    DrawMessages();
    DrawStatus(display);
    DrawPauseMenu();
    if (s.mode == kModeDialogue) DrawDialogue();
  }
  return display->Flip();
}

}  // namespace torvel
