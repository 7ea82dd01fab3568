// Stand-in until the particle module lands: plots nothing.
#include "actors/particles.h"

namespace torvel {

void PlotDot(int32_t, int32_t, uint8_t*, uint8_t, uint8_t) {}

}  // namespace torvel
