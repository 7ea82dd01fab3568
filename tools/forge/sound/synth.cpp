#include "forge/sound/synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace torvel::forge::synth {

// ---------------------------------------------------------------------------
// Curves

Curve::Curve(std::initializer_list<Point> points) : points_(points) {
  if (points_.empty()) points_.push_back({0.0, 0.0});
}

Curve Curve::Geometric(std::initializer_list<Point> points) {
  Curve c(points);
  c.geometric_ = true;
  for (Point& p : c.points_) p.v = Log(std::max(p.v, 1e-9));
  return c;
}

double Curve::At(double t) const {
  double v;
  if (t <= points_.front().t) {
    v = points_.front().v;
  } else if (t >= points_.back().t) {
    v = points_.back().v;
  } else {
    size_t i = 1;
    while (points_[i].t < t) ++i;
    const Point& a = points_[i - 1];
    const Point& b = points_[i];
    double span = b.t - a.t;
    double f = span > 0 ? (t - a.t) / span : 1.0;
    v = a.v + (b.v - a.v) * f;
  }
  return geometric_ ? Exp(v) : v;
}

Curve Curve::Scaled(double factor) const {
  Curve c = *this;
  for (Point& p : c.points_) p.v = geometric_ ? p.v + Log(factor) : p.v * factor;
  return c;
}

Curve Curve::Stretched(double factor) const {
  Curve c = *this;
  for (Point& p : c.points_) p.t *= factor;
  return c;
}

Curve Strike(double attack, double decay, double level) {
  // -60 dB over decay, drawn as a few straight pieces of an exponential.
  Curve c{{0.0, 0.0},
          {attack, level},
          {attack + decay * 0.1, level * 0.5},
          {attack + decay * 0.25, level * 0.18},
          {attack + decay * 0.5, level * 0.032},
          {attack + decay, 0.0}};
  return c;
}

Curve Swell(double attack, double hold, double release, double level) {
  return Curve{{0.0, 0.0}, {attack, level}, {attack + hold, level}, {attack + hold + release, 0.0}};
}

// ---------------------------------------------------------------------------
// Oscillators

namespace {

constexpr int kSineSize = 4096;

const std::array<double, kSineSize + 1>& SineTable() {
  static const std::array<double, kSineSize + 1> table = [] {
    std::array<double, kSineSize + 1> t{};
    for (int i = 0; i <= kSineSize; ++i) t[i] = Sin(kTwoPi * i / kSineSize);
    return t;
  }();
  return table;
}

// sin(2 pi phase) for phase in [0, 1).
inline double SineAt(double phase) {
  const auto& table = SineTable();
  double x = phase * kSineSize;
  int i = static_cast<int>(x);
  double f = x - i;
  return table[i] + (table[i + 1] - table[i]) * f;
}

inline double Wrap(double phase) {
  return phase - std::floor(phase);
}

// Smooths the step of a saw or square edge over one sample each side.
inline double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

// A slow random wander for rough voices: new targets every 12 ms, smoothed.
class Wander {
 public:
  explicit Wander(uint64_t seed) : noise_(seed) {}
  double Next() {
    if (--countdown_ <= 0) {
      countdown_ = kRate / 80;
      target_ = noise_.Next();
    }
    value_ += (target_ - value_) * 0.02;
    return value_;
  }

 private:
  Noise noise_;
  int countdown_ = 0;
  double target_ = 0.0;
  double value_ = 0.0;
};

}  // namespace

Samples Render(const Tone& tone, double seconds) {
  Samples out(SampleCount(seconds));
  Noise noise(tone.seed);
  Wander wander(tone.seed * 31 + 7);
  double phase = Wrap(tone.phase);
  double vibPhase = 0.0;
  const bool flatHz = tone.hz.Flat();
  const double fixedHz = tone.hz.At(0.0);
  for (size_t n = 0; n < out.size(); ++n) {
    double t = static_cast<double>(n) / kRate;
    double hz = flatHz ? fixedHz : tone.hz.At(t);
    double semis = 0.0;
    if (tone.vibratoDepth != 0.0) {
      semis += tone.vibratoDepth * SineAt(vibPhase);
      vibPhase = Wrap(vibPhase + tone.vibratoHz / kRate);
    }
    if (tone.jitter != 0.0) semis += tone.jitter * wander.Next();
    if (semis != 0.0) hz *= Exp2(semis / 12.0);
    double dt = std::min(hz / kRate, 0.5);
    double v = 0.0;
    switch (tone.wave) {
      case Wave::kSine:
        v = SineAt(phase);
        break;
      case Wave::kTriangle:
        v = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        break;
      case Wave::kSaw:
        v = 2.0 * phase - 1.0 - PolyBlep(phase, dt);
        break;
      case Wave::kSquare:
      case Wave::kPulse: {
        double width = tone.wave == Wave::kSquare ? 0.5 : tone.pulseWidth;
        v = phase < width ? 1.0 : -1.0;
        v += PolyBlep(phase, dt);
        v -= PolyBlep(Wrap(phase + 1.0 - width), dt);
        break;
      }
      case Wave::kNoise:
        v = noise.Next();
        break;
    }
    out[n] = v * tone.amp.At(t);
    phase = Wrap(phase + dt);
  }
  return out;
}

Samples NoiseOf(Colour colour, const Curve& amp, double seconds, uint64_t seed) {
  Samples out(SampleCount(seconds));
  Noise noise(seed);
  double b0 = 0, b1 = 0, b2 = 0, brown = 0;
  for (size_t n = 0; n < out.size(); ++n) {
    double w = noise.Next();
    double v = w;
    if (colour == Colour::kPink) {
      b0 = 0.99765 * b0 + w * 0.0990460;
      b1 = 0.96300 * b1 + w * 0.2965164;
      b2 = 0.57000 * b2 + w * 1.0526913;
      v = (b0 + b1 + b2 + w * 0.1848) * 0.25;
    } else if (colour == Colour::kBrown) {
      brown = brown * 0.995 + w * 0.1;
      v = brown * 2.5;
    }
    out[n] = v * amp.At(static_cast<double>(n) / kRate);
  }
  return out;
}

Samples Modes(std::initializer_list<Mode> modes, double seconds, double attack) {
  return Modes(std::vector<Mode>(modes), seconds, attack);
}

Samples Modes(const std::vector<Mode>& modes, double seconds, double attack) {
  Samples out(SampleCount(seconds));
  size_t attackSamples = std::max<size_t>(1, SampleCount(attack));
  for (const Mode& m : modes) {
    if (m.hz >= kRate * 0.48) continue;  // would fold back as a false tone
    double decay = Exp(-6.907755 / (std::max(m.decay, 0.001) * kRate));
    double level = m.amp;
    double phase = 0.0;
    double dt = m.hz / kRate;
    for (size_t n = 0; n < out.size(); ++n) {
      double ramp = n < attackSamples ? static_cast<double>(n) / attackSamples : 1.0;
      out[n] += SineAt(phase) * level * ramp;
      level *= decay;
      phase = Wrap(phase + dt);
      if (level < 1e-6) break;
    }
  }
  return out;
}

Samples Render(const Grains& g, double seconds) {
  struct Live {
    size_t start;
    size_t length;
    double hz;
    double amp;
    double phase;
  };
  Samples out(SampleCount(seconds));
  Noise noise(g.seed);
  std::vector<Live> live;
  size_t grainLength = std::max<size_t>(4, SampleCount(g.length));
  for (size_t n = 0; n < out.size(); ++n) {
    double t = static_cast<double>(n) / kRate;
    double chance = g.rate.At(t) / kRate;
    if (noise.Unit() < chance) {
      double lo = g.hzLow.At(t);
      double hi = std::max(lo, g.hzHigh.At(t));
      double hz = lo * Exp(Log(hi / lo) * noise.Unit());
      double amp = g.amp.At(t) * (1.0 - g.ampSpread * noise.Unit());
      size_t len = grainLength / 2 + noise.Below(static_cast<uint32_t>(grainLength));
      live.push_back({n, len, hz, amp, noise.Unit()});
    }
    double v = 0.0;
    for (Live& grain : live) {
      size_t age = n - grain.start;
      double f = static_cast<double>(age) / grain.length;
      // Sharp onset, quadratic fall: a tick, not a swell.
      double env = (1.0 - f) * (1.0 - f) * (age < 8 ? age / 8.0 : 1.0);
      double carrier = SineAt(grain.phase);
      grain.phase = Wrap(grain.phase + grain.hz / kRate);
      v += grain.amp * env * (g.tonal ? carrier : carrier * noise.Next());
    }
    out[n] = v;
    live.erase(std::remove_if(live.begin(), live.end(),
                              [n](const Live& l) { return n + 1 - l.start >= l.length; }),
               live.end());
  }
  return out;
}

// ---------------------------------------------------------------------------
// Filters

namespace {

// The state-variable filter in its trapezoidal form: stable however fast the
// cut-off moves, with low, band and high outputs from one state.
class Svf {
 public:
  void Set(double hz, double q) {
    hz = std::clamp(hz, 10.0, kRate * 0.45);
    double g = Tan(kPi * hz / kRate);
    k_ = 1.0 / std::max(q, 0.05);
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
  }
  void Step(double x) {
    double v3 = x - ic2_;
    double v1 = a1_ * ic1_ + a2_ * v3;
    double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    low = v2;
    band = v1;
    high = x - k_ * v1 - v2;
  }
  double k() const { return k_; }
  double low = 0, band = 0, high = 0;

 private:
  double k_ = 1.414, a1_ = 0, a2_ = 0, a3_ = 0, ic1_ = 0, ic2_ = 0;
};

enum class Out { kLow, kBand, kHigh };

void RunSvf(Samples& s, const Curve& hz, double q, Out out) {
  Svf f;
  f.Set(hz.At(0.0), q);
  const bool flat = hz.Flat();
  for (size_t n = 0; n < s.size(); ++n) {
    if (!flat && (n & 3) == 0) f.Set(hz.At(static_cast<double>(n) / kRate), q);
    f.Step(s[n]);
    s[n] = out == Out::kLow ? f.low : out == Out::kHigh ? f.high : f.band * f.k();
  }
}

}  // namespace

void LowPass(Samples& s, const Curve& hz, double q) {
  RunSvf(s, hz, q, Out::kLow);
}
void HighPass(Samples& s, const Curve& hz, double q) {
  RunSvf(s, hz, q, Out::kHigh);
}
void BandPass(Samples& s, const Curve& hz, double q) {
  RunSvf(s, hz, q, Out::kBand);
}

void Peak(Samples& s, double hz, double q, double gainDb) {
  Svf f;
  f.Set(hz, q);
  double extra = DbToGain(gainDb) - 1.0;
  for (double& x : s) {
    f.Step(x);
    x += extra * f.k() * f.band;
  }
}

void DcBlock(Samples& s) {
  double x1 = 0, y1 = 0;
  for (double& x : s) {
    double y = x - x1 + 0.9985 * y1;
    x1 = x;
    y1 = y;
    x = y;
  }
}

void Formants(Samples& s, const Curve& vowel, double size) {
  // F1, F2, F3 of i, e, a, o, u for a grown man's throat.
  static const double kTable[5][3] = {
      {270, 2290, 3010}, {530, 1840, 2480}, {730, 1090, 2440}, {570, 840, 2410}, {300, 870, 2240}};
  static const double kLevel[3] = {1.0, 0.5, 0.25};
  static const double kWidth[3] = {90, 110, 170};  // Hz of bandwidth at size 1
  Svf f[3];
  auto setAt = [&](double t) {
    double v = std::clamp(vowel.At(t), 0.0, 4.0);
    int i = std::min(static_cast<int>(v), 3);
    double w = v - i;
    for (int k = 0; k < 3; ++k) {
      double hz = (kTable[i][k] + (kTable[i + 1][k] - kTable[i][k]) * w) * size;
      f[k].Set(hz, hz / (kWidth[k] * size));
    }
  };
  setAt(0.0);
  for (size_t n = 0; n < s.size(); ++n) {
    if (!vowel.Flat() && (n & 7) == 0) setAt(static_cast<double>(n) / kRate);
    double x = s[n];
    double y = 0.0;
    for (int k = 0; k < 3; ++k) {
      f[k].Step(x);
      y += f[k].band * f[k].k() * kLevel[k];
    }
    s[n] = y;
  }
}

// ---------------------------------------------------------------------------
// Shaping

void Gain(Samples& s, double gain) {
  for (double& x : s) x *= gain;
}

void Shape(Samples& s, const Curve& amp) {
  for (size_t n = 0; n < s.size(); ++n) s[n] *= amp.At(static_cast<double>(n) / kRate);
}

void Drive(Samples& s, double drive) {
  double norm = 1.0 / Tanh(drive);
  for (double& x : s) x = Tanh(x * drive) * norm;
}

void Crush(Samples& s, int hold, int levels) {
  double held = 0.0;
  double steps = std::max(levels, 2) / 2.0;
  for (size_t n = 0; n < s.size(); ++n) {
    if (n % std::max(hold, 1) == 0) held = RoundHalfAway(s[n] * steps) / steps;
    s[n] = held;
  }
}

void RingMod(Samples& s, const Curve& hz) {
  double phase = 0.0;
  for (size_t n = 0; n < s.size(); ++n) {
    s[n] *= SineAt(phase);
    phase = Wrap(phase + hz.At(static_cast<double>(n) / kRate) / kRate);
  }
}

Samples Resample(const Samples& s, const Curve& speed) {
  Samples out;
  double pos = 0.0;
  while (pos + 1.0 < static_cast<double>(s.size())) {
    size_t i = static_cast<size_t>(pos);
    double f = pos - i;
    out.push_back(s[i] + (s[i + 1] - s[i]) * f);
    pos += std::max(speed.At(static_cast<double>(out.size()) / kRate), 0.01);
  }
  return out;
}

void Reverse(Samples& s) {
  std::reverse(s.begin(), s.end());
}

void FadeIn(Samples& s, double seconds) {
  size_t n = std::min(s.size(), SampleCount(seconds));
  for (size_t i = 0; i < n; ++i) s[i] *= static_cast<double>(i) / n;
}

void FadeOut(Samples& s, double seconds) {
  size_t n = std::min(s.size(), SampleCount(seconds));
  for (size_t i = 0; i < n; ++i) s[s.size() - 1 - i] *= static_cast<double>(i) / n;
}

void MixInto(Samples& dst, const Samples& src, double atSeconds, double gain) {
  size_t at = SampleCount(atSeconds);
  if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0);
  for (size_t i = 0; i < src.size(); ++i) dst[at + i] += src[i] * gain;
}

Samples Sum(std::initializer_list<const Samples*> parts) {
  Samples out;
  for (const Samples* p : parts) MixInto(out, *p);
  return out;
}

// ---------------------------------------------------------------------------
// Space

void Echo(Samples& s, double delaySeconds, double feedback, double wet) {
  size_t d = std::max<size_t>(1, SampleCount(delaySeconds));
  int repeats = 1;
  for (double level = feedback; level > 0.001 && repeats < 64; level *= feedback) ++repeats;
  size_t dry = s.size();
  s.resize(dry + d * repeats, 0.0);
  Samples line(s.size(), 0.0);
  for (size_t n = d; n < s.size(); ++n) {
    double in = n - d < dry ? s[n - d] : 0.0;
    line[n] = in + feedback * line[n - d];
  }
  for (size_t n = 0; n < s.size(); ++n) s[n] = (n < dry ? s[n] : 0.0) + wet * line[n];
}

void Reverb(Samples& s, double size, double damp, double wet, double tailSeconds, double dry) {
  // Eight damped combs in parallel, four all-passes in a row.
  static const int kComb[8] = {558, 594, 639, 678, 711, 746, 779, 809};
  static const int kAllPass[4] = {278, 221, 171, 113};
  double feedback = 0.70 + 0.28 * std::clamp(size, 0.0, 1.0);
  double d = std::clamp(damp, 0.0, 1.0) * 0.4;
  size_t length = s.size();
  s.resize(length + SampleCount(tailSeconds), 0.0);
  std::vector<Samples> comb;
  std::vector<double> combStore(8, 0.0);
  std::vector<size_t> combPos(8, 0);
  for (int c : kComb) comb.emplace_back(static_cast<size_t>(c), 0.0);
  std::vector<Samples> allPass;
  std::vector<size_t> apPos(4, 0);
  for (int a : kAllPass) allPass.emplace_back(static_cast<size_t>(a), 0.0);
  for (size_t n = 0; n < s.size(); ++n) {
    double in = (n < length ? s[n] : 0.0) * 0.03;
    double acc = 0.0;
    for (int c = 0; c < 8; ++c) {
      double out = comb[c][combPos[c]];
      combStore[c] = out * (1.0 - d) + combStore[c] * d;
      comb[c][combPos[c]] = in + combStore[c] * feedback;
      if (++combPos[c] == comb[c].size()) combPos[c] = 0;
      acc += out;
    }
    for (int a = 0; a < 4; ++a) {
      double buffered = allPass[a][apPos[a]];
      double out = buffered - acc;
      allPass[a][apPos[a]] = acc + buffered * 0.5;
      if (++apPos[a] == allPass[a].size()) apPos[a] = 0;
      acc = out;
    }
    s[n] = (n < length ? s[n] * dry : 0.0) + acc * wet;
  }
}

// ---------------------------------------------------------------------------
// Finishing

double LoudnessDb(const Samples& s) {
  if (s.empty()) return -200.0;
  Samples w = s;
  HighPass(w, 60.0);
  Samples presence = w;
  HighPass(presence, 1500.0);
  for (size_t n = 0; n < w.size(); ++n) w[n] += 0.585 * presence[n];
  size_t window = std::min(w.size(), SampleCount(0.1));
  size_t hop = std::max<size_t>(1, window / 8);
  double best = 0.0;
  for (size_t start = 0; start + window <= w.size(); start += hop) {
    double sum = 0.0;
    for (size_t i = start; i < start + window; ++i) sum += w[i] * w[i];
    best = std::max(best, sum / window);
  }
  return best > 0 ? 10.0 * Log(best) / kLn10 : -200.0;
}

double PeakOf(const Samples& s) {
  double peak = 0.0;
  for (double x : s) peak = std::max(peak, std::fabs(x));
  return peak;
}

double SoftLimit(double x) {
  double a = std::fabs(x);
  if (a <= 0.8) return x;
  double y = 0.8 + 0.18 * Tanh((a - 0.8) / 0.18);
  return x < 0 ? -y : y;
}

void FinishEffect(Samples& s, double loudnessDb) {
  DcBlock(s);
  double peak = PeakOf(s);
  if (peak <= 0.0) return;
  // Nothing below -66 dB of the peak at either end: an effect speaks at once
  // and stops when it is heard to stop.
  double floor = peak * 0.0005;
  size_t first = 0;
  while (first < s.size() && std::fabs(s[first]) < floor) ++first;
  size_t last = s.size();
  while (last > first && std::fabs(s[last - 1]) < floor) --last;
  s = Samples(s.begin() + first, s.begin() + std::min(s.size(), last + SampleCount(0.005)));
  FadeIn(s, 0.001);
  FadeOut(s, std::min(0.01, Seconds(s) / 4));
  double gain = DbToGain(loudnessDb - LoudnessDb(s));
  gain = std::min(gain, 1.25 / PeakOf(s));
  Gain(s, gain);
}

std::vector<int16_t> ToPcm16(const Samples& s) {
  std::vector<int16_t> out(s.size());
  for (size_t n = 0; n < s.size(); ++n) {
    double v = RoundHalfAway(SoftLimit(s[n]) * 32767.0);
    out[n] = static_cast<int16_t>(std::clamp(v, -32767.0, 32767.0));
  }
  return out;
}

}  // namespace torvel::forge::synth
