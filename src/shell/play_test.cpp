// A map tried from the world editor: the play loop's own map start, steps
// and end, over a copy of the world the editor holds.
#include <algorithm>
#include <iterator>
#include <memory>

#include "audio/sound.h"
#include "gfx/display.h"
#include "input/input.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/pause_menu.h"
#include "shell/play_loop.h"
#include "shell/play_loop_state.h"
#include "world/map_render.h"

namespace torvel {

uint8_t PlayTestMap(Display* display, const World& world, uint8_t m, uint8_t level) {
  PlayLoopState& s = PlayState();
  if (m >= world.mapCount || !world.maps[m]) return kMapLeft;
  const PlayerRecord kept = Player();
  uint8_t palette[sizeof(display->palette)];
  std::copy(std::begin(display->palette), std::end(display->palette), palette);

  s.world = World{};
  s.world.mapCount = world.mapCount;
  s.world.terrain = world.terrain;
  for (int i = 0; i < world.mapCount && i < kMaxMaps; ++i) {
    if (!world.maps[i]) continue;
    s.world.maps[i] = std::make_unique<Map>();
    CopyMap(*s.world.maps[i], *world.maps[i]);
  }
  s.display = display;
  s.drawWorld = 0;
  s.worldFailed = false;
  s.challengeFlag = 0;
  s.playTest = true;
  ResetPlayer(kResetNewGame, 0, m);
  SetStartingLevel(level);
  ResetPauseMenu();
  display->TakeLastKey();

  uint8_t result = PlayMap(display, m);

  s.playTest = false;
  FreeWorld(s.world);
  s.world = World{};
  Player() = kept;
  ClearChallengeFlag();
  StopAllSounds();
  StopSong();
  SetMapDrawPlace(kNoMapPlace, kNoMapPlace);
  display->SetPalette(palette);
  display->RealizePalette();
  display->TakeLastKey();
  TakePressedActions();
  return result;
}

}  // namespace torvel
