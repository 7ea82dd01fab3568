// The program-wide random generators.
//
// Random/RandomLong draw from the one gameplay generator: it has a fixed start
// and is never seeded, so the same inputs give the same game. Only update-step
// code may use it. Drawing-only jitter (the screen shake) takes JitterRandom,
// a separate generator, so that the number of frames drawn never changes the
// sequence of game states.
#pragma once

#include <cstdint>

namespace torvel {

// 0 .. n-1 with n reduced to 16 bits first (n up to 65535); 0 when n is 0.
int32_t Random(int32_t n);
// 0 .. n-1 with n taken as a full 32-bit unsigned value; 0 when n is 0.
uint32_t RandomLong(uint32_t n);

// The drawing-only generator.
int32_t JitterRandom(int32_t n);

// The gameplay generator's state, for tests and replays.
struct RandomState {
  uint64_t state;
};
RandomState GetRandomState();
void SetRandomState(RandomState state);
// Back to the fixed start (both generators).
void ResetRandom();

}  // namespace torvel
