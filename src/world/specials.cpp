// Stand-in until the specials module lands: nothing fires yet.
#include "world/specials.h"

namespace torvel {

void StepSpecials(Map&, int32_t, int32_t, Guy*) {}
void ShotSpecials(Map&, int32_t, int32_t) {}
void TickSpecials(Map&) {}
void FireSpecial(Map&, Special&, Guy*) {}
void ChainSpecials(Map&, const Special&) {}
void ZapWall(Map&, int32_t, int32_t, uint8_t) {}
void RaiseWall(Map&, int32_t, int32_t, uint8_t) {}
void DrawSpecialMarkers(Display*, const Map&, int) {}

}  // namespace torvel
