// A small synthesiser: oscillators, noise, grains, struck modes, filters,
// envelopes, echo and reverb over plain sample buffers, and the finishing
// steps (loudness, limiting, 16-bit rounding) every sound goes through.
//
// Buffers are doubles at kRate samples per second, nominally within -1..1.
// Everything is deterministic: noise comes from seeded generators and the
// maths from det_math.h.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "forge/sound/det_math.h"

namespace torvel::forge::synth {

constexpr int kRate = 22050;
using Samples = std::vector<double>;

inline size_t SampleCount(double seconds) {
  return seconds <= 0 ? 0 : static_cast<size_t>(seconds * kRate + 0.5);
}
inline double Seconds(const Samples& s) {
  return static_cast<double>(s.size()) / kRate;
}

// A value that moves with time: breakpoints (seconds, value), straight lines
// between them (or geometric steps, for pitches and cut-offs), the first
// value before the first point and the last after the last.
class Curve {
 public:
  struct Point {
    double t;
    double v;
  };
  Curve(double value = 0.0) : points_{{0.0, value}} {}  // NOLINT: a number is a flat curve
  Curve(std::initializer_list<Point> points);
  // The same points, stepped geometrically (every value must be above 0).
  static Curve Geometric(std::initializer_list<Point> points);

  double At(double t) const;
  double End() const { return points_.back().t; }
  bool Flat() const { return points_.size() == 1; }
  // Every value multiplied (times stay).
  Curve Scaled(double factor) const;
  // Every time multiplied (values stay): the same move, slower or quicker.
  Curve Stretched(double factor) const;

 private:
  std::vector<Point> points_;
  bool geometric_ = false;
};

// An envelope that rises in attack seconds, then falls off exponentially
// by 60 dB over decay seconds (the shape of anything struck).
Curve Strike(double attack, double decay, double level = 1.0);
// Rises in attack, holds at level until release starts, falls to 0 in release.
Curve Swell(double attack, double hold, double release, double level = 1.0);

enum class Wave { kSine, kTriangle, kSaw, kSquare, kPulse, kNoise };

struct Tone {
  Wave wave = Wave::kSine;
  Curve hz = 440.0;
  Curve amp = 1.0;
  double pulseWidth = 0.25;   // of kPulse
  double vibratoHz = 0.0;     // pitch wobble rate
  double vibratoDepth = 0.0;  // in semitones
  double jitter = 0.0;        // random pitch drift in semitones (rough voices)
  double phase = 0.0;         // starting phase, in turns
  uint64_t seed = 1;          // for kNoise and jitter
};
Samples Render(const Tone& tone, double seconds);

enum class Colour { kWhite, kPink, kBrown };
Samples NoiseOf(Colour colour, const Curve& amp, double seconds, uint64_t seed);

// A bank of decaying sines: what a struck bell, pan or stone rings with.
struct Mode {
  double hz;
  double amp;
  double decay;  // seconds to fall 60 dB
};
Samples Modes(std::initializer_list<Mode> modes, double seconds, double attack = 0.001);
Samples Modes(const std::vector<Mode>& modes, double seconds, double attack = 0.001);

// Many tiny clicks, pings or puffs scattered in time: debris, rattles, sizzle.
struct Grains {
  Curve rate = 40.0;     // grains per second
  double length = 0.01;  // seconds per grain
  Curve hzLow = 800.0;   // grain pitch range (band of noise grains)
  Curve hzHigh = 3000.0;
  Curve amp = 1.0;
  double ampSpread = 0.5;  // 0: all grains equal, 1: from silent to full
  bool tonal = false;      // sine pings instead of noise puffs
  uint64_t seed = 7;
};
Samples Render(const Grains& grains, double seconds);

// Filters, in place. Cut-offs in Hz, q as a resonance (0.707 = none).
void LowPass(Samples& s, const Curve& hz, double q = 0.707);
void HighPass(Samples& s, const Curve& hz, double q = 0.707);
// A band around hz, unity gain at its centre.
void BandPass(Samples& s, const Curve& hz, double q = 2.0);
// Resonant peak or dip of gainDb at hz.
void Peak(Samples& s, double hz, double q, double gainDb);
void DcBlock(Samples& s);

// Vowel formants over a buzzy source: vowel 0 = "i", 1 = "e", 2 = "a",
// 3 = "o", 4 = "u" and anything between; size scales the throat (below 1 a
// bigger beast, above 1 a smaller one).
void Formants(Samples& s, const Curve& vowel, double size);

void Gain(Samples& s, double gain);
void Shape(Samples& s, const Curve& amp);
// Soft saturation: drive 1 barely bends, 10 is a fuzz.
void Drive(Samples& s, double drive);
// Holds every n-th sample and keeps levels levels: gritty lo-fi grain.
void Crush(Samples& s, int hold, int levels);
void RingMod(Samples& s, const Curve& hz);
// Reads the sound at a changing speed (2 = an octave up and half as long).
Samples Resample(const Samples& s, const Curve& speed);
void Reverse(Samples& s);
void FadeIn(Samples& s, double seconds);
void FadeOut(Samples& s, double seconds);

// Adds src into dst at a time offset, growing dst as needed.
void MixInto(Samples& dst, const Samples& src, double atSeconds = 0.0, double gain = 1.0);
Samples Sum(std::initializer_list<const Samples*> parts);

// Repeats with feedback; the buffer grows by the tail.
void Echo(Samples& s, double delaySeconds, double feedback, double wet);
// A small room to a hall (size 0..1), damp 0..1 darkens the tail. The
// buffer grows by tailSeconds; dry 0 leaves only the reverberation.
void Reverb(Samples& s, double size, double damp, double wet, double tailSeconds, double dry = 1.0);

// Loudness as the ear roughly hears it: the loudest 100 ms (or the whole
// sound, if shorter) after a gentle high-pass and presence lift, in dBFS.
double LoudnessDb(const Samples& s);
double PeakOf(const Samples& s);

// Brings a finished effect to a loudness, trims its silent tail, fades the
// very ends so nothing clicks, and keeps every peak below full scale with a
// soft knee.
void FinishEffect(Samples& s, double loudnessDb);
// Soft knee above 0.8 so that nothing ever reaches full scale.
double SoftLimit(double x);
// Rounds to 16-bit PCM in order, after the soft limit.
std::vector<int16_t> ToPcm16(const Samples& s);

}  // namespace torvel::forge::synth
