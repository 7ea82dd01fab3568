// Stand-in until the kinds table lands.
#include "actors/kinds.h"

namespace torvel {

void ClearKindSprites() {}
void FreeKindSprites() {}

}  // namespace torvel
