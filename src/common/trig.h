// The program's cosine and sine tables: 256 steps to a full turn, 16.16.
#pragma once

#include <cstdint>

namespace torvel {

// Filled once at start-up; angle units are 1/256 of a turn, facing f is angle f * 32.
void InitTrigTables();

extern int32_t gCosTable[256];
extern int32_t gSinTable[256];

inline int32_t Cosine(int angle) { return gCosTable[angle & 255]; }
inline int32_t Sine(int angle) { return gSinTable[angle & 255]; }

}  // namespace torvel
