#include "platform/random.h"

namespace torvel {

namespace {

// PCG-XSH-RR: a small generator with good 32-bit output from a 64-bit state.
constexpr uint64_t kMultiplier = 6364136223846793005ull;
constexpr uint64_t kIncrement = 1442695040888963407ull;
constexpr uint64_t kGameStart = 0x853c49e6748fea9bull;
constexpr uint64_t kJitterStart = 0x2545f4914f6cdd1dull;

uint64_t gGameState = kGameStart;
uint64_t gJitterState = kJitterStart;

uint32_t Next(uint64_t& state) {
  uint64_t old = state;
  state = old * kMultiplier + kIncrement;
  uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  uint32_t rot = static_cast<uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

}  // namespace

int32_t Random(int32_t n) {
  uint32_t bound = static_cast<uint16_t>(n);
  uint32_t r = Next(gGameState);
  if (bound == 0) return 0;
  return static_cast<int32_t>(r % bound);
}

uint32_t RandomLong(uint32_t n) {
  uint32_t r = Next(gGameState);
  if (n == 0) return 0;
  return r % n;
}

int32_t JitterRandom(int32_t n) {
  uint32_t r = Next(gJitterState);
  if (n <= 0) return 0;
  return static_cast<int32_t>(r % static_cast<uint32_t>(n));
}

RandomState GetRandomState() { return RandomState{gGameState}; }

void SetRandomState(RandomState state) { gGameState = state.state; }

void ResetRandom() {
  gGameState = kGameStart;
  gJitterState = kJitterStart;
}

}  // namespace torvel
