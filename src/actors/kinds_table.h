// The compiled-in kinds table itself; everyone else reads it through kinds.h.
#pragma once

#include "actors/kinds.h"

namespace torvel {

extern const KindInfo kKindTable[kKindCount];

}  // namespace torvel
