// Saved games on arbitrary bytes: a torvel.sav of any size and content is
// listed on the continue screen, its first slot is loaded from there and
// played, the pause menu loads its second slot, and play goes on in that
// one, 200 steps in all. World numbers past the four worlds, a roaming
// position off the map, levels and volumes out of range must all be
// answered without a fault.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/byte_io.h"
#include "common/file_io.h"
#include "fuzz_game.h"
#include "input/input.h"
#include "player/player.h"
#include "shell/pause_menu.h"
#include "shell/title.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace torvel;
  fuzz::FuzzGame& game = fuzz::Game();
  if (!WriteFileBytes(UserPath(kSaveFileName), data, size)) std::abort();
  ResetPlayer(kResetNewGame, 0, 0);
  // The last input's play left its keys held; a new start has none.
  ThawActions();
  SetActionState(0, 0);

  // The continue screen: fire on the first slot.
  HeadlessPlatform& platform = game.platform();
  platform.presentMs = 33;
  game.display()->quit = false;
  const uint64_t frame = platform.frameCount() + 3;
  platform.AtFrame(frame, {HeadlessPlatform::EventType::KeyDown, 28});
  platform.AtFrame(frame + 2, {HeadlessPlatform::EventType::KeyUp, 28});
  const bool chosen = ContinueScreen(game.display());
  while (platform.PendingEvents()) {
    platform.Present();
    platform.PumpMessages();
  }
  game.display()->TakeLastKey();
  if (!chosen) std::abort();  // fire on a slot always loads it

  // Play, then Escape, down to "load", fire, down to slot 2, fire: the game
  // loaded takes over after its countdown.
  std::vector<ReplayStep> steps = fuzz::WanderSteps(60, 7);
  steps.push_back({0, 0, 0});
  steps.push_back({0, 0, 27});
  const uint8_t menu[][2] = {{0, 0}, {0, 0}, {0, 0}, {2, 2},   {0, 0}, {16, 16},
                             {0, 0}, {2, 2}, {0, 0}, {16, 16}, {0, 0}};
  for (const auto& m : menu) steps.push_back({m[0], m[1], 0});
  std::vector<ReplayStep> after = fuzz::WanderSteps(200 - static_cast<int>(steps.size()), 11);
  steps.insert(steps.end(), after.begin(), after.end());
  game.Play(steps);
  return 0;
}
