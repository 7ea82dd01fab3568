#include "common/trig.h"

#include <cmath>

namespace torvel {

int32_t gCosTable[256];
int32_t gSinTable[256];

void InitTrigTables() {
  // 0.024543671875 is 2*pi/256 as the tables were always built, slightly
  // short of the true value; keeping it keeps every entry the same.
  for (int i = 0; i < 256; ++i) {
    double angle = i * 0.024543671875;
    gCosTable[i] = static_cast<int32_t>(std::cos(angle) * 65536.0);
    gSinTable[i] = static_cast<int32_t>(std::sin(angle) * 65536.0);
  }
}

}  // namespace torvel
