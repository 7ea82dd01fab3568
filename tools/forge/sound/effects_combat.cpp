// Shots, impacts, blasts, spits and the hero's spells.
#include "forge/sound/effect_kit.h"
#include "forge/sound/effects.h"

namespace torvel::forge {

using namespace synth;
using namespace kit;

namespace {

// A wet "ptoo": the puff of a spit, a pop and a blob of liquid.
Samples Spit(double size, uint64_t seed) {
  Samples s = NoiseOf(Colour::kWhite, Strike(0.002, 0.08 * size, 1.0), 0.1 * size, seed);
  BandPass(s, Curve::Geometric({{0, 2200.0 / size}, {0.08 * size, 900.0 / size}}), 1.5);
  MixInto(s, Bubble(380.0 / size, 0.05 * size), 0.01, 0.6);
  MixInto(s, Squelch(0.12 * size, size, seed + 1), 0.02, 0.4);
  return s;
}

Samples ImpactZap() {
  Samples s = Sweep(Wave::kSquare, 1300.0, 250.0, 0.09);
  LowPass(s, 3500.0);
  Samples hit = NoiseOf(Colour::kWhite, Strike(0.0005, 0.05, 0.8), 0.06, 5);
  BandPass(hit, 2500.0, 1.0);
  MixInto(s, hit);
  return s;
}

Samples RicochetPing() {
  Tone ping;
  ping.hz = Curve::Geometric({{0, 3300.0}, {0.28, 1900.0}});
  ping.amp = Strike(0.001, 0.3);
  Samples s = Render(ping, 0.3);
  MixInto(s, Clang(2600.0, 0.2, 0.4, 6), 0.0, 0.5);
  return s;
}

Samples EnergyBoing() {
  Tone t;
  t.wave = Wave::kTriangle;
  t.hz = Curve::Geometric({{0, 260.0}, {0.04, 560.0}, {0.3, 300.0}});
  t.amp = Strike(0.003, 0.32);
  t.vibratoHz = 22.0;
  t.vibratoDepth = 1.2;
  Samples s = Render(t, 0.34);
  LowPass(s, 2500.0);
  return s;
}

Samples MagicPop() {
  Samples s = Boom(0.7, 0.6, 9);
  MixInto(s, Sweep(Wave::kSine, 900.0, 120.0, 0.18), 0.0, 0.8);
  MixInto(s, Sparkle(0.5, 2500.0, 1200.0, 80.0, 90), 0.02, 0.4);
  return s;
}

Samples SplatCrunch() {
  Samples s = Squelch(0.22, 0.8, 10);
  Samples ice = Debris(0.18, Curve{{0, 300.0}, {0.18, 50.0}}, 2500.0, 6500.0, true, 11);
  MixInto(s, ice, 0.0, 0.5);
  return s;
}

Samples BoltFizzle() {
  Samples crackle = Debris(0.35, Curve{{0, 500.0}, {0.35, 40.0}}, 1500.0, 6000.0, false, 12);
  Samples pop = Sweep(Wave::kSine, 700.0, 180.0, 0.07);
  MixInto(crackle, pop, 0.0, 0.9);
  return crackle;
}

Samples Explosion() {
  return Boom(1.5, 1.3, 13);
}

Samples EnergyHit() {
  Samples s = Sweep(Wave::kSine, 950.0, 180.0, 0.25);
  RingMod(s, 310.0);
  Samples hit = NoiseOf(Colour::kPink, Strike(0.001, 0.12, 0.7), 0.15, 14);
  LowPass(hit, 3000.0);
  MixInto(s, hit);
  MixInto(s, Sweep(Wave::kSine, 600.0, 150.0, 0.2), 0.0, 0.5);
  return s;
}

Samples BeamHit() {
  Tone buzz;
  buzz.wave = Wave::kSaw;
  buzz.hz = 112.0;
  buzz.amp = Strike(0.002, 0.3);
  Samples s = Render(buzz, 0.32);
  RingMod(s, 1250.0);
  Samples crackle = Debris(0.25, Curve{{0, 400.0}, {0.25, 50.0}}, 2000.0, 7000.0, false, 15);
  MixInto(s, crackle, 0.0, 0.7);
  return s;
}

Samples BombLaunch() {
  Samples s = Whoosh(0.5, 250.0, 1100.0, 1.2, 16);
  Samples fuse = Hiss(0.45, 5000.0, 17);
  MixInto(s, fuse, 0.05, 0.35);
  MixInto(s, Thud(70.0, 0.2, 18), 0.0, 0.6);
  return s;
}

Samples SeekerWhistle() {
  Tone t;
  t.hz = Curve::Geometric({{0, 700.0}, {0.5, 2600.0}});
  t.amp = Curve{{0, 0.0}, {0.02, 0.7}, {0.45, 0.6}, {0.6, 0.0}};
  t.vibratoHz = 11.0;
  t.vibratoDepth = 0.5;
  Samples s = Render(t, 0.6);
  MixInto(s, Whoosh(0.5, 400.0, 2000.0, 1.5, 19), 0.0, 0.6);
  return s;
}

Samples FireWhoosh() {
  Samples s = NoiseOf(Colour::kBrown, Swell(0.08, 0.25, 0.35), 0.68, 20);
  LowPass(s, Curve::Geometric({{0, 600.0}, {0.12, 2200.0}, {0.68, 500.0}}), 1.3);
  Gain(s, 2.0);
  Samples crackle =
      Debris(0.6, Curve{{0, 80.0}, {0.2, 160.0}, {0.6, 10.0}}, 1200.0, 5000.0, false, 21);
  MixInto(s, crackle, 0.03, 0.5);
  return s;
}

Samples EnergyCast() {
  Tone t;
  t.wave = Wave::kSaw;
  t.hz = Curve::Geometric({{0, 180.0}, {0.4, 720.0}});
  t.amp = Curve{{0, 0.0}, {0.05, 0.8}, {0.35, 1.0}, {0.45, 0.0}};
  Samples s = Render(t, 0.45);
  LowPass(s, Curve::Geometric({{0, 500.0}, {0.4, 4000.0}}), 3.0);
  Shape(s, Curve{{0, 1.0}, {0.45, 1.0}});
  MixInto(s, Sparkle(0.4, 2000.0, 4500.0, 50.0, 22), 0.05, 0.3);
  return s;
}

Samples ChargingBeam() {
  Tone a;
  a.wave = Wave::kSaw;
  a.hz = Curve::Geometric({{0, 70.0}, {1.2, 110.0}});
  a.amp = Curve{{0, 0.0}, {0.6, 0.8}, {1.1, 1.0}, {1.25, 0.0}};
  Tone b = a;
  b.hz = Curve::Geometric({{0, 141.0}, {1.2, 222.0}});
  Samples s = Render(a, 1.25);
  MixInto(s, Render(b, 1.25), 0.0, 0.6);
  LowPass(s, Curve::Geometric({{0, 200.0}, {1.2, 2600.0}}), 4.0);
  Tone wobble;
  wobble.hz = Curve::Geometric({{0, 4.0}, {1.2, 20.0}});
  Samples lfo = Render(wobble, 1.25);
  for (size_t i = 0; i < s.size() && i < lfo.size(); ++i) s[i] *= 0.75 + 0.25 * lfo[i];
  return s;
}

Samples HeroShot() {
  Samples s = Sweep(Wave::kSquare, 1500.0, 480.0, 0.09, 0.001);
  LowPass(s, 4500.0);
  Samples snap = NoiseOf(Colour::kWhite, Strike(0.0003, 0.015, 0.6), 0.02, 21);
  HighPass(snap, 2500.0);
  MixInto(s, snap);
  return s;
}

Samples BoltCast() {
  Tone t;
  t.wave = Wave::kSaw;
  t.hz = Curve::Geometric({{0, 520.0}, {0.22, 1500.0}});
  t.amp = Curve{{0, 0.0}, {0.01, 1.0}, {0.2, 0.5}, {0.28, 0.0}};
  Samples s = Render(t, 0.28);
  BandPass(s, Curve::Geometric({{0, 900.0}, {0.25, 3000.0}}), 2.0);
  MixInto(s, Sparkle(0.28, 3000.0, 5000.0, 70.0, 35), 0.0, 0.4);
  return s;
}

Samples RockClack() {
  Samples s = Modes({{880, 1.0, 0.05}, {1390, 0.7, 0.04}, {2230, 0.4, 0.03}}, 0.08);
  MixInto(s, Modes({{760, 0.8, 0.04}, {1610, 0.5, 0.03}}, 0.06), 0.06, 0.7);
  MixInto(s, Thud(140.0, 0.1, 131), 0.0, 0.5);
  return s;
}

Samples ChirpShot() {
  Samples s = Sweep(Wave::kSine, 1900.0, 3600.0, 0.06, 0.002);
  MixInto(s, Sweep(Wave::kSine, 2100.0, 3900.0, 0.07, 0.002), 0.075);
  Samples pew = Sweep(Wave::kTriangle, 1400.0, 600.0, 0.08);
  MixInto(s, pew, 0.14, 0.6);
  return s;
}

Samples IceCrackle() {
  Samples s = Debris(0.4, Curve{{0, 700.0}, {0.4, 30.0}}, 3000.0, 8000.0, true, 163);
  Samples crack = NoiseOf(Colour::kWhite, Strike(0.0005, 0.04, 1.0), 0.05, 164);
  HighPass(crack, 2500.0);
  MixInto(s, crack);
  return s;
}

Samples IceRayHum() {
  Samples s;
  for (double hz : {1180.0, 1770.0, 2360.0}) {
    Tone t;
    t.hz = hz;
    t.amp = Swell(0.1, 0.5, 0.3, 0.3);
    t.vibratoHz = 13.0;
    t.vibratoDepth = 0.3;
    MixInto(s, Render(t, 0.9));
  }
  Samples frost = Hiss(0.9, 6000.0, 165);
  MixInto(s, frost, 0.0, 0.4);
  MixInto(s, IceCrackle(), 0.5, 0.4);
  Reverb(s, 0.5, 0.2, 0.3, 0.4);
  return s;
}

Samples SpeedWhoosh() {
  Samples s = Whoosh(0.35, 500.0, 4000.0, 2.5, 166);
  Samples rise = Sweep(Wave::kTriangle, 300.0, 1400.0, 0.32);
  MixInto(s, rise, 0.0, 0.3);
  Echo(s, 0.06, 0.3, 0.4);
  return s;
}

Samples StoneSkinHum() {
  Tone drone;
  drone.wave = Wave::kSaw;
  drone.hz = Curve::Geometric({{0, 62.0}, {1.0, 82.0}});
  drone.amp = Swell(0.2, 0.5, 0.3);
  Samples s = Render(drone, 1.0);
  LowPass(s, 700.0, 1.5);
  Samples grit =
      Debris(1.0, Curve{{0, 20.0}, {0.5, 120.0}, {1.0, 10.0}}, 300.0, 1600.0, false, 167);
  MixInto(s, grit, 0.0, 0.5);
  MixInto(s, Chime({55, 62, 67}, 0.12, 0.6), 0.35, 0.4);
  return s;
}

Samples InfernoRoar() {
  Samples s = NoiseOf(Colour::kBrown, Swell(0.15, 0.6, 0.65), 1.4, 168);
  LowPass(s, Curve::Geometric({{0, 400.0}, {0.3, 1800.0}, {1.4, 300.0}}), 1.0);
  Gain(s, 2.5);
  Samples crackle =
      Debris(1.3, Curve{{0, 100.0}, {0.5, 300.0}, {1.3, 20.0}}, 1000.0, 5000.0, false, 169);
  MixInto(s, crackle, 0.0, 0.6);
  MixInto(s, Boom(0.8, 1.0, 170), 0.0, 0.6);
  Drive(s, 1.5);
  return s;
}

Samples EyeZap() {
  Tone t;
  t.wave = Wave::kSaw;
  t.hz = Curve::Geometric({{0, 260.0}, {0.2, 180.0}});
  t.amp = Strike(0.001, 0.2);
  Samples s = Render(t, 0.22);
  RingMod(s, 1350.0);
  Samples sizzle = NoiseOf(Colour::kWhite, Strike(0.001, 0.12, 0.5), 0.15, 171);
  HighPass(sizzle, 4000.0);
  MixInto(s, sizzle);
  return s;
}

Samples LaserBlip() {
  Samples s = Sweep(Wave::kSquare, 2300.0, 850.0, 0.08, 0.001);
  LowPass(s, 5000.0);
  return s;
}

Samples NeedleVolley() {
  Samples s;
  for (int i = 0; i < 5; ++i) {
    Samples flick = NoiseOf(Colour::kWhite, Strike(0.001, 0.05, 1.0), 0.06, 121 + i);
    BandPass(flick, Curve::Geometric({{0, 6000.0}, {0.05, 3000.0}}), 2.0);
    MixInto(s, flick, 0.045 * i + 0.01 * (i % 2), 1.0 - 0.1 * i);
  }
  return s;
}

Samples MortarThump() {
  Samples s = Thud(55.0, 0.5, 97);
  MixInto(s, Boom(0.4, 0.7, 98), 0.0, 0.4);
  MixInto(s, Whoosh(0.35, 300.0, 900.0, 1.0, 99), 0.05, 0.5);
  return s;
}

Samples SpitLaunch() {
  return Spit(1.0, 66);
}
Samples BigSpiderSpit() {
  return Spit(0.8, 47);
}

Samples SprayVolley() {
  Samples s;
  for (int i = 0; i < 3; ++i) MixInto(s, Spit(0.9 + 0.1 * i, 57 + i), 0.09 * i);
  return s;
}

Samples FireSpit() {
  Samples s = Spit(1.6, 149);
  Samples flame = FireWhoosh();
  MixInto(s, flame, 0.02, 0.9);
  return s;
}

Samples SporePuff() {
  Samples s = NoiseOf(Colour::kPink, Curve{{0, 0.0}, {0.03, 1.0}, {0.35, 0.0}}, 0.35, 76);
  LowPass(s, Curve::Geometric({{0, 1500.0}, {0.35, 400.0}}));
  Samples dust = Debris(0.3, Curve{{0, 60.0}, {0.3, 0.0}}, 2000.0, 5000.0, false, 77);
  MixInto(s, dust, 0.03, 0.2);
  return s;
}

Samples SporeSpray() {
  Samples s = Hiss(0.85, 3500.0, 98);
  Samples puff = SporePuff();
  MixInto(s, puff, 0.0, 0.8);
  MixInto(s, SporePuff(), 0.3, 0.6);
  return s;
}

Samples SwingGrunt() {
  Samples s = Whoosh(0.22, 700.0, 2200.0, 1.6, 34);
  VoiceProfile v;
  v.pitch = 120.0;
  v.size = 0.9;
  v.rough = 0.3;
  v.breath = 0.2;
  MixInto(s, Vocal(v, Grunt(0.9)), 0.02, 0.5);
  return s;
}

Samples StonePunch() {
  Samples s = Thud(60.0, 0.35, 185);
  Samples grit = Debris(0.5, Curve{{0, 200.0}, {0.5, 0.0}}, 300.0, 2000.0, false, 186);
  MixInto(s, grit, 0.01, 0.6);
  MixInto(s, Rumble(0.8, 120.0, 187), 0.05, 0.5);
  return s;
}

Samples BoulderCrash() {
  Samples s = Thud(48.0, 0.6, 130);
  Samples stones = Debris(0.7, Curve{{0, 300.0}, {0.7, 10.0}}, 250.0, 2500.0, true, 131);
  MixInto(s, stones, 0.0, 0.5);
  MixInto(s, Boom(0.6, 0.8, 132), 0.0, 0.5);
  return s;
}

}  // namespace

const std::vector<EffectRecipe>& CombatEffects() {
  static const std::vector<EffectRecipe> kRecipes = {
      {5, Loud::kSoft, ImpactZap},        {6, Loud::kSoft, RicochetPing},
      {7, Loud::kSoft, EnergyBoing},      {9, Loud::kNormal, MagicPop},
      {10, Loud::kNormal, SplatCrunch},   {11, Loud::kNormal, BoltFizzle},
      {12, Loud::kLoud, Explosion},       {13, Loud::kNormal, EnergyHit},
      {14, Loud::kNormal, BeamHit},       {15, Loud::kNormal, BombLaunch},
      {16, Loud::kNormal, SeekerWhistle}, {17, Loud::kNormal, FireWhoosh},
      {18, Loud::kNormal, EnergyCast},    {20, Loud::kNormal, ChargingBeam},
      {21, Loud::kSoft, HeroShot},        {34, Loud::kNormal, SwingGrunt},
      {35, Loud::kSoft, BoltCast},        {47, Loud::kNormal, BigSpiderSpit},
      {57, Loud::kNormal, SprayVolley},   {66, Loud::kNormal, SpitLaunch},
      {76, Loud::kSoft, SporePuff},       {97, Loud::kLoud, MortarThump},
      {98, Loud::kNormal, SporeSpray},    {121, Loud::kNormal, NeedleVolley},
      {130, Loud::kLoud, BoulderCrash},   {131, Loud::kSoft, RockClack},
      {149, Loud::kLoud, FireSpit},       {159, Loud::kSoft, ChirpShot},
      {163, Loud::kNormal, IceCrackle},   {164, Loud::kNormal, IceRayHum},
      {165, Loud::kNormal, SpeedWhoosh},  {166, Loud::kNormal, StoneSkinHum},
      {167, Loud::kLoud, InfernoRoar},    {168, Loud::kSoft, EyeZap},
      {171, Loud::kSoft, LaserBlip},      {185, Loud::kLoud, StonePunch},
  };
  return kRecipes;
}

}  // namespace torvel::forge
