// The player record and the rules that change it.
#pragma once

#include <cstdint>

namespace torvel {

enum ResetKind : uint8_t { kResetMapStart = 0, kResetWorldStart = 1, kResetNewGame = 2 };

void ResetPlayer(uint8_t kind, uint8_t world, uint8_t map);
// 0 the plain hero, 1 the armoured one; loads kind 1's sprite set when it changes.
void SetHeroAppearance(uint8_t armoured);

}  // namespace torvel
