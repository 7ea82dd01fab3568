// Maths for the synthesiser that gives the same bits on every build.
//
// The sounds must come out byte for byte the same whatever compiler, library
// or optimisation level made the forge. The C library's sin and exp may round
// differently from one version to the next, and a compiler may fold a call
// with constant arguments at build time with yet another rounding. So the
// synthesiser uses only these functions, built from + - * / floor and ldexp,
// whose IEEE results are fixed. (The forge is also compiled without fused
// multiply-add contraction, which would change the rounding of a * b + c.)
#pragma once

#include <cmath>
#include <cstdint>

namespace torvel::forge::synth {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 6.28318530717958647692;
constexpr double kLn2 = 0.69314718055994530942;
constexpr double kLn10 = 2.30258509299404568402;

// sin x for any x, to about 1e-9.
double Sin(double x);
inline double Cos(double x) {
  return Sin(x + kPi / 2);
}
// tan x away from its poles.
inline double Tan(double x) {
  return Sin(x) / Cos(x);
}
// e^x, relative error about 1e-15; 0 below -700.
double Exp(double x);
inline double Exp2(double x) {
  return Exp(x * kLn2);
}
double Tanh(double x);
// Natural logarithm of x > 0 (used for measuring, not in signal paths).
double Log(double x);

// 20 log10 scale: -6.02 dB halves.
inline double DbToGain(double db) {
  return Exp(db * (kLn10 / 20.0));
}
inline double GainToDb(double gain) {
  return Log(gain) * (20.0 / kLn10);
}
// Equal temperament, A4 = MIDI 69 = 440 Hz.
inline double NoteHz(double midi) {
  return 440.0 * Exp2((midi - 69.0) / 12.0);
}

// Rounds to the nearest integer, halves away from zero.
inline double RoundHalfAway(double x) {
  return x < 0 ? -std::floor(-x + 0.5) : std::floor(x + 0.5);
}

// A small generator with a fixed seed: every noise in every sound is one of
// these, seeded by the sound, so nothing depends on the time or on run order.
class Noise {
 public:
  explicit Noise(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
    if (state_ == 0) state_ = 1;
  }
  uint64_t NextBits() {
    // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  // Uniform in [-1, 1).
  double Next() {
    return static_cast<double>(static_cast<int64_t>(NextBits() >> 11) - (int64_t{1} << 52)) /
           static_cast<double>(int64_t{1} << 52);
  }
  // Uniform in [0, 1).
  double Unit() {
    return static_cast<double>(NextBits() >> 11) / static_cast<double>(uint64_t{1} << 53);
  }
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  // 0 .. n-1.
  uint32_t Below(uint32_t n) { return n ? static_cast<uint32_t>((NextBits() >> 32) % n) : 0; }

 private:
  uint64_t state_;
};

}  // namespace torvel::forge::synth
