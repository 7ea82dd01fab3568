#include "forge/sound/instruments.h"

#include <algorithm>
#include <vector>

namespace torvel::forge {

using namespace synth;

namespace {

// 1 while held, then down to 0 over release seconds.
Curve Held(double attack, double held, double release, double level = 1.0) {
  double top = std::max(held, attack);
  return Curve{{0.0, 0.0}, {attack, level}, {top, level}, {top + release, 0.0}};
}

// Harmonic partials that ring down, higher ones sooner: the family of
// struck and plucked strings.
Samples StruckString(double hz, double held, double ring, double release, int partials, double tilt,
                     double stretch) {
  std::vector<Mode> modes;
  for (int k = 1; k <= partials; ++k) {
    double f = hz * k * std::sqrt(1.0 + stretch * k * k);
    double amp = Exp(-tilt * Log(static_cast<double>(k)));
    modes.push_back({f, amp, ring / (1.0 + 0.35 * (k - 1))});
  }
  double length = std::min(held, ring) + release;
  Samples s = Modes(modes, length, 0.002);
  // Dampers fall when the key is let go.
  Shape(s, Curve{{0.0, 1.0}, {held, 1.0}, {held + release, 0.0}});
  return s;
}

Samples KarplusStrong(double hz, double held, double bright, uint64_t seed) {
  double ring = 2.5;
  double length = std::min(held, ring) + 0.2;
  Samples out(SampleCount(length));
  double delay = kRate / hz - 0.5;
  size_t size = static_cast<size_t>(delay) + 2;
  std::vector<double> line(size, 0.0);
  Noise noise(seed);
  // A soft pick: noise smoothed by 'bright'.
  double smooth = 0.0;
  for (size_t i = 0; i < size; ++i) {
    smooth += (noise.Next() - smooth) * bright;
    line[i] = smooth;
  }
  size_t write = 0;
  double last = 0.0;
  for (size_t n = 0; n < out.size(); ++n) {
    double readPos = static_cast<double>(write) - delay;
    while (readPos < 0) readPos += size;
    size_t i = static_cast<size_t>(readPos);
    double f = readPos - i;
    double a = line[i % size];
    double b = line[(i + 1) % size];
    double y = a + (b - a) * f;
    double filtered = 0.5 * (y + last) * 0.998;
    last = y;
    line[write] = filtered;
    write = (write + 1) % size;
    out[n] = y;
  }
  Shape(out, Curve{{0.0, 1.0}, {std::min(held, ring), 1.0}, {std::min(held, ring) + 0.2, 0.0}});
  return out;
}

Samples Saws(double hz, double seconds, std::initializer_list<double> cents, const Curve& amp,
             double vibratoDepth, uint64_t seed) {
  Samples sum;
  int i = 0;
  for (double c : cents) {
    Tone t;
    t.wave = Wave::kSaw;
    t.hz = hz * Exp2(c / 1200.0);
    t.amp = amp;
    t.vibratoHz = 5.2 + 0.3 * i;
    t.vibratoDepth = vibratoDepth;
    t.phase = 0.31 * i;
    t.seed = seed + i;
    Samples one = Render(t, seconds);
    MixInto(sum, one, 0.0, 1.0 / cents.size());
    ++i;
  }
  return sum;
}

}  // namespace

Samples PlayNote(Instrument instrument, int midi, double held) {
  const double hz = NoteHz(midi);
  const uint64_t seed = static_cast<uint64_t>(midi) * 977 + static_cast<uint64_t>(instrument);
  switch (instrument) {
    case Instrument::kPiano: {
      double ring = std::clamp(4.0 * std::sqrt(220.0 / hz), 0.8, 6.0);
      Samples s = StruckString(hz, held, ring, 0.25, 10, 1.1, 0.0004);
      Samples hammer = NoiseOf(Colour::kWhite, Strike(0.001, 0.02, 0.15), 0.03, seed);
      LowPass(hammer, 2000.0);
      MixInto(s, hammer);
      Gain(s, 0.45);
      return s;
    }
    case Instrument::kHarp: {
      double ring = std::clamp(3.0 * std::sqrt(220.0 / hz), 0.8, 4.0);
      Samples s = StruckString(hz, held + 0.6, ring, 0.6, 6, 1.8, 0.0001);
      Gain(s, 0.55);
      return s;
    }
    case Instrument::kPluck: {
      Samples s = KarplusStrong(hz, held, 0.45, seed);
      Gain(s, 0.7);
      return s;
    }
    case Instrument::kMarimba: {
      Samples s = Modes({{hz, 1.0, 0.7}, {hz * 3.93, 0.35, 0.18}, {hz * 9.2, 0.12, 0.05}},
                        std::min(held, 0.8) + 0.15, 0.002);
      FadeOut(s, 0.1);
      Gain(s, 0.6);
      return s;
    }
    case Instrument::kBell: {
      Samples s = Modes({{hz, 1.0, 2.8},
                         {hz * 2.0, 0.3, 1.8},
                         {hz * 2.76, 0.45, 1.3},
                         {hz * 5.4, 0.25, 0.6},
                         {hz * 8.93, 0.12, 0.3}},
                        3.0, 0.001);
      FadeOut(s, 0.3);
      Gain(s, 0.4);
      return s;
    }
    case Instrument::kFlute: {
      double length = held + 0.15;
      Curve amp = Held(0.06, held, 0.15);
      Samples s;
      const double parts[3][2] = {{1, 1.0}, {2, 0.22}, {3, 0.07}};
      for (const auto& p : parts) {
        Tone t;
        t.hz = hz * p[0];
        t.amp = amp.Scaled(p[1]);
        t.vibratoHz = 5.0;
        t.vibratoDepth = 0.12;
        MixInto(s, Render(t, length));
      }
      Samples breath = NoiseOf(Colour::kWhite, amp.Scaled(0.12), length, seed);
      BandPass(breath, hz * 2.0, 2.5);
      MixInto(s, breath);
      Gain(s, 0.45);
      return s;
    }
    case Instrument::kLead: {
      Tone t;
      t.wave = Wave::kPulse;
      t.pulseWidth = 0.3;
      t.hz = hz;
      t.amp = Held(0.012, held, 0.09);
      t.vibratoHz = 5.5;
      t.vibratoDepth = 0.1;
      Samples s = Render(t, held + 0.1);
      LowPass(s, std::min(hz * 6.0, 5000.0), 0.9);
      Gain(s, 0.3);
      return s;
    }
    case Instrument::kBrass: {
      double length = held + 0.16;
      Samples s = Saws(hz, length, {-6.0, 5.0}, Held(0.04, held, 0.16), 0.06, seed);
      LowPass(s, Curve::Geometric({{0.0, hz * 1.5}, {0.07, hz * 7.0}, {0.3, hz * 4.0}}), 1.1);
      Gain(s, 0.55);
      return s;
    }
    case Instrument::kStrings: {
      double length = held + 0.35;
      Samples s = Saws(hz, length, {-9.0, 0.0, 8.0}, Held(0.18, held, 0.35), 0.09, seed);
      LowPass(s, std::min(hz * 4.0 + 600.0, 5500.0), 0.7);
      Gain(s, 0.5);
      return s;
    }
    case Instrument::kPad: {
      double length = held + 1.0;
      Samples s = Saws(hz, length, {-12.0, 11.0}, Held(0.5, held, 1.0), 0.05, seed);
      LowPass(s, std::min(hz * 2.0 + 400.0, 3000.0), 0.8);
      Gain(s, 0.55);
      return s;
    }
    case Instrument::kChoir: {
      double length = held + 0.45;
      Samples s = Saws(hz, length, {-10.0, 0.0, 9.0}, Held(0.25, held, 0.45), 0.16, seed);
      Formants(s, 2.6, hz > 400 ? 1.15 : 1.0);
      Gain(s, 1.4);
      return s;
    }
    case Instrument::kOrgan: {
      double length = held + 0.07;
      Curve amp = Held(0.012, held, 0.07);
      Samples s;
      const double bars[6][2] = {{1, 1.0}, {2, 0.65}, {3, 0.4}, {4, 0.3}, {6, 0.15}, {8, 0.12}};
      for (const auto& b : bars) {
        Tone t;
        t.hz = hz * b[0] * (b[0] == 2 ? Exp2(2.0 / 1200.0) : 1.0);
        t.amp = amp.Scaled(b[1] * 0.4);
        MixInto(s, Render(t, length));
      }
      Gain(s, 0.55);
      return s;
    }
    case Instrument::kBass: {
      double length = held + 0.08;
      Curve amp{{0.0, 0.0},
                {0.005, 1.0},
                {0.3, 0.65},
                {std::max(held, 0.3), 0.6},
                {std::max(held, 0.3) + 0.08, 0.0}};
      Tone body;
      body.hz = hz;
      body.amp = amp;
      Tone edge;
      edge.wave = Wave::kSaw;
      edge.hz = hz;
      edge.amp = amp.Scaled(0.45);
      Samples s = Render(body, length);
      Samples e = Render(edge, length);
      LowPass(e, Curve::Geometric({{0.0, hz * 8.0}, {0.25, hz * 2.5}}), 0.8);
      MixInto(s, e);
      Gain(s, 0.6);
      return s;
    }
    case Instrument::kSynthBass: {
      double length = held + 0.06;
      Curve amp = Held(0.004, held, 0.06);
      Tone saw;
      saw.wave = Wave::kSaw;
      saw.hz = hz;
      saw.amp = amp;
      Tone sub;
      sub.wave = Wave::kSquare;
      sub.hz = hz / 2;
      sub.amp = amp.Scaled(0.35);
      Samples s = Render(saw, length);
      MixInto(s, Render(sub, length));
      LowPass(s, Curve::Geometric({{0.0, hz * 10.0}, {0.18, hz * 2.2}}), 1.4);
      Gain(s, 0.5);
      return s;
    }
    case Instrument::kDrums:
      break;
  }
  return {};
}

Samples PlayDrum(Drum drum) {
  const uint64_t seed = 4000 + static_cast<uint64_t>(drum);
  switch (drum) {
    case kKick: {
      Tone t;
      t.hz = Curve::Geometric({{0.0, 165.0}, {0.12, 48.0}});
      t.amp = Strike(0.002, 0.4);
      Samples s = Render(t, 0.4);
      Samples click = NoiseOf(Colour::kWhite, Strike(0.0005, 0.012, 0.5), 0.02, seed);
      HighPass(click, 1500.0);
      MixInto(s, click);
      return s;
    }
    case kSnare: {
      Tone body;
      body.wave = Wave::kTriangle;
      body.hz = Curve::Geometric({{0.0, 240.0}, {0.05, 185.0}});
      body.amp = Strike(0.001, 0.12, 0.7);
      Samples s = Render(body, 0.25);
      Samples rattle = NoiseOf(Colour::kWhite, Strike(0.001, 0.22, 0.6), 0.25, seed);
      HighPass(rattle, 1400.0);
      MixInto(s, rattle);
      return s;
    }
    case kHat:
    case kOpenHat: {
      double decay = drum == kHat ? 0.06 : 0.4;
      Samples s = NoiseOf(Colour::kWhite, Strike(0.0005, decay, 0.6), decay + 0.02, seed);
      HighPass(s, 6500.0, 0.9);
      return s;
    }
    case kCrash: {
      Samples s = NoiseOf(Colour::kWhite, Strike(0.002, 1.8, 0.5), 1.9, seed);
      HighPass(s, 3200.0);
      Samples ring =
          Modes({{430, 0.1, 1.2}, {1190, 0.08, 1.0}, {2290, 0.06, 0.9}, {3640, 0.05, 0.7}}, 1.9);
      MixInto(s, ring);
      return s;
    }
    case kLowTom:
    case kMidTom: {
      double hz = drum == kLowTom ? 105.0 : 155.0;
      Tone t;
      t.hz = Curve::Geometric({{0.0, hz * 1.35}, {0.15, hz}});
      t.amp = Strike(0.002, 0.45);
      Samples s = Render(t, 0.45);
      Samples skin = NoiseOf(Colour::kWhite, Strike(0.001, 0.05, 0.25), 0.06, seed);
      LowPass(skin, 1200.0);
      MixInto(s, skin);
      return s;
    }
    case kRim: {
      Samples s = Modes({{1700, 0.6, 0.03}, {2650, 0.4, 0.02}}, 0.05);
      Samples n = NoiseOf(Colour::kWhite, Strike(0.0005, 0.02, 0.4), 0.03, seed);
      BandPass(n, 1900.0, 4.0);
      MixInto(s, n);
      return s;
    }
    case kShaker: {
      Samples s =
          NoiseOf(Colour::kWhite, Curve{{0.0, 0.0}, {0.015, 0.5}, {0.075, 0.0}}, 0.08, seed);
      BandPass(s, 5200.0, 1.6);
      return s;
    }
    case kClap: {
      Samples s;
      for (int i = 0; i < 3; ++i) {
        Samples burst = NoiseOf(Colour::kWhite, Strike(0.0005, i == 2 ? 0.16 : 0.012, 0.6),
                                i == 2 ? 0.18 : 0.015, seed + i);
        MixInto(s, burst, 0.011 * i);
      }
      BandPass(s, 1200.0, 1.5);
      return s;
    }
    case kBigDrum: {
      Tone t;
      t.hz = Curve::Geometric({{0.0, 95.0}, {0.25, 40.0}});
      t.amp = Strike(0.004, 1.2);
      Samples s = Render(t, 1.2);
      Samples thud = NoiseOf(Colour::kBrown, Strike(0.002, 0.3, 0.6), 0.3, seed);
      LowPass(thud, 400.0);
      MixInto(s, thud);
      return s;
    }
    case kGong: {
      std::vector<Mode> modes;
      const double ratios[] = {1.0, 1.41, 1.73, 2.24, 2.63, 3.12, 3.79, 4.47};
      int k = 0;
      for (double r : ratios) {
        modes.push_back({92.0 * r, 1.0 / (1.0 + 0.4 * k), 4.0 / (1.0 + 0.2 * k)});
        ++k;
      }
      Samples s = Modes(modes, 4.0, 0.03);
      Samples wash = NoiseOf(Colour::kPink, Curve{{0.0, 0.0}, {0.3, 0.12}, {3.5, 0.0}}, 3.5, seed);
      BandPass(wash, 600.0, 1.0);
      MixInto(s, wash);
      FadeOut(s, 0.5);
      Gain(s, 0.5);
      return s;
    }
    case kDrumCount:
      break;
  }
  return {};
}

double ReverbSend(Instrument instrument) {
  switch (instrument) {
    case Instrument::kBass:
    case Instrument::kSynthBass:
      return 0.08;
    case Instrument::kPad:
    case Instrument::kChoir:
    case Instrument::kStrings:
    case Instrument::kBell:
      return 0.65;
    case Instrument::kDrums:
      return 0.25;
    default:
      return 0.4;
  }
}

double DrumReverbSend(Drum drum) {
  switch (drum) {
    case kBigDrum:
    case kGong:
    case kCrash:
      return 0.6;
    case kKick:
      return 0.1;
    default:
      return 0.25;
  }
}

}  // namespace torvel::forge
