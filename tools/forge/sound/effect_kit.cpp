#include "forge/sound/effect_kit.h"

#include <algorithm>
#include <vector>

namespace torvel::forge::kit {

using namespace synth;

Samples Vocal(const VoiceProfile& v, const Contour& c) {
  Tone buzz;
  buzz.wave = Wave::kSaw;
  buzz.hz = c.pitch.Scaled(v.pitch);
  buzz.amp = c.amp.Scaled(v.buzz);
  buzz.jitter = v.rough;
  buzz.vibratoHz = 5.5;
  buzz.vibratoDepth = 0.15;
  buzz.seed = v.seed;
  Samples source = Render(buzz, c.seconds);
  if (v.buzz < 1.0) {
    Tone soft = buzz;
    soft.wave = Wave::kTriangle;
    soft.amp = c.amp.Scaled(1.0 - v.buzz);
    MixInto(source, Render(soft, c.seconds));
  }
  if (v.growl > 0.0) {
    Tone under = buzz;
    under.hz = c.pitch.Scaled(v.pitch * 0.5);
    under.amp = c.amp.Scaled(v.growl);
    under.wave = Wave::kPulse;
    under.pulseWidth = 0.2;
    MixInto(source, Render(under, c.seconds));
  }
  if (v.breath > 0.0) {
    Samples air = NoiseOf(Colour::kWhite, c.amp.Scaled(v.breath), c.seconds, v.seed + 99);
    MixInto(source, air);
  }
  Formants(source, c.vowel, v.size);
  if (v.drive > 1.0) {
    Gain(source, 1.0 / std::max(PeakOf(source), 1e-9));
    Drive(source, v.drive);
  }
  return source;
}

Contour Hurt(double l) {
  return {0.32 * l, Curve::Geometric({{0, 1.0}, {0.05, 1.35}, {0.32, 0.8}}).Stretched(l),
          Curve({{0, 0.0}, {0.012, 1.0}, {0.14, 0.75}, {0.32, 0.0}}).Stretched(l),
          Curve({{0, 2.2}, {0.32, 1.2}}).Stretched(l)};
}

Contour Death(double l) {
  return {1.1 * l, Curve::Geometric({{0, 1.3}, {0.15, 1.2}, {0.7, 0.75}, {1.1, 0.5}}).Stretched(l),
          Curve({{0, 0.0}, {0.03, 1.0}, {0.5, 0.8}, {1.1, 0.0}}).Stretched(l),
          Curve({{0, 2.0}, {0.5, 3.0}, {1.1, 4.0}}).Stretched(l)};
}

Contour Roar(double l) {
  return {1.2 * l, Curve::Geometric({{0, 0.8}, {0.35, 1.1}, {0.9, 1.0}, {1.2, 0.7}}).Stretched(l),
          Curve({{0, 0.0}, {0.15, 1.0}, {0.85, 0.9}, {1.2, 0.0}}).Stretched(l),
          Curve({{0, 3.2}, {0.3, 2.0}, {0.9, 2.3}, {1.2, 3.3}}).Stretched(l)};
}

Contour Grunt(double l) {
  return {0.2 * l, Curve::Geometric({{0, 1.05}, {0.2, 0.8}}).Stretched(l),
          Curve({{0, 0.0}, {0.01, 1.0}, {0.08, 0.8}, {0.2, 0.0}}).Stretched(l),
          Curve({{0, 3.6}, {0.2, 3.0}}).Stretched(l)};
}

Contour Yelp(double l) {
  return {0.22 * l, Curve::Geometric({{0, 1.2}, {0.05, 1.8}, {0.22, 1.1}}).Stretched(l),
          Curve({{0, 0.0}, {0.008, 1.0}, {0.1, 0.8}, {0.22, 0.0}}).Stretched(l),
          Curve({{0, 1.4}, {0.22, 0.6}}).Stretched(l)};
}

Contour Moan(double l) {
  return {1.3 * l, Curve::Geometric({{0, 1.0}, {0.4, 1.12}, {0.8, 0.95}, {1.3, 0.8}}).Stretched(l),
          Curve({{0, 0.0}, {0.25, 1.0}, {0.9, 0.8}, {1.3, 0.0}}).Stretched(l),
          Curve({{0, 4.0}, {0.5, 3.0}, {1.3, 3.8}}).Stretched(l)};
}

Samples Syllables(const VoiceProfile& voice, int count, double each, double gap,
                  std::initializer_list<double> vowels, std::initializer_list<double> pitches) {
  Samples out;
  std::vector<double> vs(vowels), ps(pitches);
  for (int i = 0; i < count; ++i) {
    double vowel = vs[i % vs.size()];
    double pitch = ps[i % ps.size()];
    Contour c{each, Curve::Geometric({{0, pitch * 1.1}, {each, pitch * 0.9}}),
              Curve{{0, 0.0}, {each * 0.12, 1.0}, {each * 0.6, 0.8}, {each, 0.0}},
              Curve{{0, vowel + 0.6}, {each * 0.4, vowel}}};
    MixInto(out, Vocal(voice, c), i * (each + gap));
  }
  return out;
}

Samples Whoosh(double seconds, double hzFrom, double hzTo, double q, uint64_t seed) {
  Samples s = NoiseOf(Colour::kPink, Swell(seconds * 0.45, 0.0, seconds * 0.55), seconds, seed);
  BandPass(s, Curve::Geometric({{0, hzFrom}, {seconds, hzTo}}), q);
  return s;
}

Samples Boom(double seconds, double weight, uint64_t seed) {
  Samples crack = NoiseOf(Colour::kWhite, Strike(0.001, 0.08, 1.0), 0.1, seed);
  LowPass(crack, 5000.0);
  Samples body = NoiseOf(Colour::kBrown, Strike(0.003, seconds, 1.0), seconds, seed + 1);
  LowPass(
      body,
      Curve::Geometric({{0, 2500.0 / weight}, {seconds * 0.5, 300.0 / weight}, {seconds, 120.0}}),
      0.9);
  Gain(body, 2.5);
  Tone thump;
  thump.hz = Curve::Geometric({{0, 90.0 / std::sqrt(weight)}, {0.25, 32.0}});
  thump.amp = Strike(0.002, 0.5 * weight, 0.9);
  Samples low = Render(thump, std::min(seconds, 0.5 * weight + 0.05));
  Samples rumble =
      Debris(seconds * 0.8, Curve{{0, 120.0}, {seconds * 0.8, 0.0}}, 80.0, 600.0, false, seed + 2);
  Gain(rumble, 0.6);
  Samples s = Sum({&crack, &body, &low, &rumble});
  Drive(s, 1.8);
  return s;
}

Samples Sweep(Wave wave, double hzFrom, double hzTo, double seconds, double attack) {
  Tone t;
  t.wave = wave;
  t.hz = Curve::Geometric({{0, hzFrom}, {seconds, hzTo}});
  t.amp = Curve{{0, 0.0}, {attack, 1.0}, {seconds * 0.6, 0.7}, {seconds, 0.0}};
  return Render(t, seconds);
}

Samples Bubble(double hz, double seconds) {
  Tone t;
  t.hz = Curve::Geometric({{0, hz}, {seconds, hz * 2.4}});
  t.amp = Curve{{0, 0.0}, {0.003, 1.0}, {seconds, 0.0}};
  return Render(t, seconds);
}

Samples Squelch(double seconds, double size, uint64_t seed) {
  Samples s = NoiseOf(Colour::kPink, Strike(0.004, seconds, 1.0), seconds, seed);
  BandPass(s, Curve::Geometric({{0, 900.0 / size}, {seconds, 250.0 / size}}), 5.0);
  Gain(s, 2.0);
  Noise n(seed + 5);
  int bubbles = 3 + static_cast<int>(seconds * 14);
  for (int i = 0; i < bubbles; ++i) {
    double at = seconds * 0.7 * n.Unit();
    MixInto(s, Bubble(n.Range(250.0, 700.0) / size, n.Range(0.02, 0.05)), at, n.Range(0.2, 0.5));
  }
  LowPass(s, 3500.0);
  return s;
}

Samples Clicks(double seconds, double rate, double hz, uint64_t seed) {
  Grains g;
  g.rate = rate;
  g.length = 0.006;
  g.hzLow = hz * 0.8;
  g.hzHigh = hz * 1.25;
  g.ampSpread = 0.6;
  g.tonal = true;
  g.seed = seed;
  g.amp = Curve{{0, 1.0}, {seconds * 0.8, 0.8}, {seconds, 0.0}};
  return Render(g, seconds);
}

Samples Debris(double seconds, const Curve& density, double hzLow, double hzHigh, bool tonal,
               uint64_t seed) {
  Grains g;
  g.rate = density;
  g.length = tonal ? 0.03 : 0.02;
  g.hzLow = hzLow;
  g.hzHigh = hzHigh;
  g.ampSpread = 0.8;
  g.tonal = tonal;
  g.seed = seed;
  g.amp = Curve{{0, 1.0}, {seconds, 0.2}};
  return Render(g, seconds);
}

Samples Clang(double hz, double seconds, double brightness, uint64_t seed) {
  const double ratios[] = {1.0, 1.59, 2.14, 2.65, 3.16, 3.65, 4.06, 5.4};
  std::vector<Mode> modes;
  Noise n(seed);
  for (int k = 0; k < 8; ++k) {
    double r = ratios[k] * (1.0 + 0.01 * n.Next());
    modes.push_back(
        {hz * r, (k == 0 ? 1.0 : brightness / (1.0 + 0.3 * k)), seconds / (1.0 + 0.25 * k)});
  }
  Samples s = Modes(modes, seconds, 0.0005);
  Samples hit = NoiseOf(Colour::kWhite, Strike(0.0005, 0.015, 0.8), 0.02, seed);
  HighPass(hit, 2000.0);
  MixInto(s, hit);
  return s;
}

Samples Thud(double hz, double seconds, uint64_t seed) {
  Tone t;
  t.hz = Curve::Geometric({{0, hz * 1.6}, {seconds * 0.5, hz}});
  t.amp = Strike(0.002, seconds);
  Samples s = Render(t, seconds);
  Samples grit = NoiseOf(Colour::kBrown, Strike(0.002, seconds * 0.6, 1.0), seconds, seed);
  LowPass(grit, hz * 8.0);
  MixInto(s, grit, 0.0, 1.5);
  return s;
}

Samples Hiss(double seconds, double hz, uint64_t seed) {
  Samples s =
      NoiseOf(Colour::kWhite, Swell(seconds * 0.15, seconds * 0.4, seconds * 0.45), seconds, seed);
  BandPass(s, Curve::Geometric({{0, hz}, {seconds, hz * 1.2}}), 1.8);
  return s;
}

Samples Chime(std::initializer_list<double> midis, double spacing, double ring) {
  Samples s;
  int i = 0;
  for (double m : midis) {
    double hz = NoteHz(m);
    Samples note = Modes({{hz, 1.0, ring},
                          {hz * 2.0, 0.25, ring * 0.6},
                          {hz * 2.76, 0.35, ring * 0.4},
                          {hz * 5.4, 0.12, ring * 0.2}},
                         ring, 0.001);
    MixInto(s, note, spacing * i, 1.0);
    ++i;
  }
  return s;
}

Samples Screech(double hz, double seconds, const Curve& bend, bool big, uint64_t seed) {
  Tone t;
  t.wave = Wave::kSaw;
  t.hz = bend.Scaled(hz);
  t.amp = Curve{{0, 0.0}, {big ? 0.02 : 0.01, 1.0}, {seconds * 0.6, 0.8}, {seconds, 0.0}};
  t.vibratoHz = big ? 23.0 : 31.0;
  t.vibratoDepth = big ? 1.2 : 1.5;
  t.jitter = big ? 1.8 : 1.5;
  t.seed = seed;
  Samples s = Render(t, seconds);
  Tone second = t;
  second.seed = seed + 1;
  if (big) {
    second.hz = bend.Scaled(hz * 0.5);
    MixInto(s, Render(second, seconds), 0.0, 0.7);
  } else {
    second.wave = Wave::kPulse;
    second.hz = bend.Scaled(hz * 1.5);
    MixInto(s, Render(second, seconds), 0.0, 0.5);
  }
  BandPass(s, hz * (big ? 2.0 : 2.2), big ? 0.9 : 1.2);
  Drive(s, big ? 2.5 : 2.0);
  if (big) Reverb(s, 0.6, 0.5, 0.25, 0.8);
  return s;
}

Samples Wings(double seconds, double rate, bool big, uint64_t seed) {
  Samples s;
  double flapLength = big ? 0.16 : 0.07;
  for (double at = 0.0; at < seconds; at += 1.0 / rate) {
    Curve env{{0, 0.0}, {big ? 0.04 : 0.02, 1.0}, {flapLength, 0.0}};
    Samples flap = NoiseOf(big ? Colour::kBrown : Colour::kPink, env, flapLength, seed++);
    LowPass(flap, big ? 500.0 : 900.0);
    if (big) Gain(flap, 3.0);
    MixInto(s, flap, at);
  }
  return s;
}

Samples Sparkle(double seconds, double hzFrom, double hzTo, double rate, uint64_t seed) {
  Grains g;
  g.rate = rate;
  g.length = 0.06;
  g.hzLow = Curve::Geometric({{0, hzFrom}, {seconds, hzTo}});
  g.hzHigh = Curve::Geometric({{0, hzFrom * 1.5}, {seconds, hzTo * 1.5}});
  g.ampSpread = 0.7;
  g.tonal = true;
  g.seed = seed;
  g.amp = Curve{{0, 1.0}, {seconds * 0.7, 0.8}, {seconds, 0.0}};
  return Render(g, seconds);
}

Samples Rumble(double seconds, double hz, uint64_t seed) {
  Samples s =
      NoiseOf(Colour::kBrown, Swell(seconds * 0.1, seconds * 0.5, seconds * 0.4), seconds, seed);
  LowPass(s, hz, 1.2);
  Gain(s, 3.0);
  Samples shake = Debris(seconds, Curve{{0, 30.0}, {seconds * 0.5, 60.0}, {seconds, 10.0}}, 150.0,
                         900.0, false, seed + 1);
  LowPass(shake, 1500.0);
  MixInto(s, shake, 0.0, 0.5);
  return s;
}

}  // namespace torvel::forge::kit
