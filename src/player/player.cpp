// Stand-in until the player module lands.
#include "player/player.h"

namespace torvel {

void ResetPlayer(uint8_t, uint8_t, uint8_t) {}
void SetHeroAppearance(uint8_t) {}

}  // namespace torvel
