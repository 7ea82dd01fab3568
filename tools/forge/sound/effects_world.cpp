// Water, doors, walls, stone, metal and the ground itself.
#include "forge/sound/effect_kit.h"
#include "forge/sound/effects.h"

namespace torvel::forge {

using namespace synth;
using namespace kit;

namespace {

Samples SplashGurgle() {
  Samples splash = NoiseOf(Colour::kWhite, Strike(0.003, 0.35, 1.0), 0.4, 25);
  BandPass(splash, Curve::Geometric({{0, 3000.0}, {0.35, 1200.0}}), 0.9);
  Samples s = splash;
  Noise n(26);
  // Bubbles rising from below, slower and lower as the air runs out.
  double at = 0.15;
  for (int i = 0; i < 18; ++i) {
    at += n.Range(0.02, 0.09) * (1.0 + i / 12.0);
    double hz = 700.0 - 22.0 * i + 120.0 * n.Next();
    MixInto(s, Bubble(hz, n.Range(0.03, 0.06)), at, n.Range(0.2, 0.6) * (1.0 - i / 24.0));
  }
  Samples gulp = Squelch(0.5, 1.5, 27);
  MixInto(s, gulp, 0.5, 0.5);
  LowPass(s, 5000.0);
  return s;
}

Samples WallCrumble() {
  Samples s = Debris(1.3, Curve{{0, 500.0}, {0.5, 250.0}, {1.3, 10.0}}, 200.0, 2500.0, false, 29);
  Samples chunks = Debris(1.0, Curve{{0, 40.0}, {1.0, 5.0}}, 120.0, 700.0, true, 30);
  MixInto(s, chunks, 0.0, 0.8);
  MixInto(s, Rumble(1.4, 150.0, 31), 0.0, 0.7);
  Samples dust = Hiss(1.2, 3000.0, 32);
  MixInto(s, dust, 0.1, 0.15);
  return s;
}

Samples StoneGrind() {
  Samples s = NoiseOf(Colour::kBrown, Swell(0.15, 0.8, 0.25), 1.2, 30);
  BandPass(s, Curve::Geometric({{0, 250.0}, {1.2, 500.0}}), 1.2);
  Gain(s, 3.0);
  Tone groan;
  groan.wave = Wave::kSaw;
  groan.hz = Curve::Geometric({{0, 38.0}, {1.2, 55.0}});
  groan.amp = Swell(0.15, 0.8, 0.25, 0.5);
  groan.jitter = 1.0;
  groan.seed = 301;
  Samples low = Render(groan, 1.2);
  LowPass(low, 400.0);
  MixInto(s, low);
  Samples grit =
      Debris(1.2, Curve{{0, 80.0}, {0.6, 150.0}, {1.2, 30.0}}, 500.0, 3000.0, false, 302);
  MixInto(s, grit, 0.0, 0.4);
  Crush(s, 2, 4096);
  return s;
}

Samples DoorOpen() {
  Samples s = Modes({{2100, 1.0, 0.04}, {3550, 0.6, 0.03}}, 0.06);
  MixInto(s, Modes({{1600, 0.8, 0.05}, {2900, 0.5, 0.03}}, 0.06), 0.08);
  // The hinge: a rough voice-like creak.
  VoiceProfile hinge;
  hinge.pitch = 90.0;
  hinge.size = 2.2;
  hinge.rough = 2.5;
  hinge.breath = 0.0;
  hinge.buzz = 1.0;
  hinge.seed = 92;
  Contour creak{0.55, Curve::Geometric({{0, 1.0}, {0.55, 1.6}}),
                Curve{{0, 0.0}, {0.05, 0.5}, {0.45, 0.4}, {0.55, 0.0}},
                Curve{{0, 3.0}, {0.55, 1.5}}};
  MixInto(s, Vocal(hinge, creak), 0.18, 0.35);
  MixInto(s, Thud(90.0, 0.25, 93), 0.75, 0.8);
  return s;
}

Samples BlockScrape() {
  Samples s = NoiseOf(Colour::kBrown, Swell(0.04, 0.35, 0.12), 0.5, 95);
  BandPass(s, 450.0, 1.5);
  Gain(s, 3.0);
  Samples grain = Debris(0.5, Curve{{0, 250.0}, {0.5, 100.0}}, 600.0, 2500.0, false, 96);
  MixInto(s, grain, 0.0, 0.5);
  Crush(s, 3, 2048);
  LowPass(s, 3000.0);
  return s;
}

Samples Earthquake() {
  Samples s = Rumble(3.6, 110.0, 174);
  MixInto(s, Boom(1.5, 2.0, 175), 0.0, 0.6);
  Samples falling =
      Debris(3.2, Curve{{0, 40.0}, {1.5, 120.0}, {3.2, 10.0}}, 150.0, 1800.0, false, 176);
  MixInto(s, falling, 0.3, 0.5);
  Samples thuds = Debris(3.0, Curve{{0, 4.0}, {3.0, 2.0}}, 50.0, 120.0, true, 177);
  MixInto(s, thuds, 0.2, 0.8);
  return s;
}

Samples EnginePutter() {
  Samples s;
  for (int i = 0; i < 10; ++i) {
    Samples pop = Thud(68.0 + 6.0 * (i % 3), 0.07, 108 + i);
    MixInto(s, pop, 0.075 * i, i % 2 ? 0.7 : 1.0);
  }
  Samples exhaust = NoiseOf(Colour::kPink, Swell(0.05, 0.6, 0.15), 0.8, 120);
  LowPass(exhaust, 900.0);
  MixInto(s, exhaust, 0.0, 0.3);
  Drive(s, 2.0);
  return s;
}

Samples QuakeImpact() {
  Samples s = Boom(1.6, 2.2, 148);
  MixInto(s, Thud(36.0, 0.9, 149), 0.0, 1.0);
  Samples stones = Debris(1.2, Curve{{0, 300.0}, {1.2, 10.0}}, 200.0, 2200.0, false, 150);
  MixInto(s, stones, 0.05, 0.5);
  return s;
}

Samples ShieldClang() {
  Samples s = Clang(620.0, 0.9, 0.8, 193);
  MixInto(s, Thud(180.0, 0.1, 194), 0.0, 0.4);
  return s;
}

Samples MetalClatter() {
  Samples s;
  const double at[] = {0.0, 0.14, 0.25, 0.33, 0.39, 0.43};
  for (int i = 0; i < 6; ++i)
    MixInto(s, Clang(1500.0 + 130.0 * i, 0.3, 0.7, 128 + i), at[i], 1.0 - 0.13 * i);
  return s;
}

Samples BoilerClang() {
  Samples s = Clang(175.0, 1.1, 0.9, 137);
  Samples steam = Hiss(0.8, 4500.0, 138);
  MixInto(s, steam, 0.1, 0.25);
  return s;
}

Samples StoneClank() {
  std::vector<Mode> modes = {
      {460, 1.0, 0.12}, {790, 0.7, 0.09}, {1240, 0.5, 0.06}, {1890, 0.3, 0.04}};
  Samples s = Modes(modes, 0.2);
  Samples grit = Debris(0.25, Curve{{0, 200.0}, {0.25, 0.0}}, 800.0, 3000.0, false, 175);
  MixInto(s, grit, 0.0, 0.5);
  MixInto(s, Thud(110.0, 0.15, 176), 0.0, 0.5);
  return s;
}

Samples CollapsingMasonry() {
  Samples s = Debris(2.0, Curve{{0, 350.0}, {0.8, 200.0}, {2.0, 5.0}}, 200.0, 2000.0, false, 176);
  Samples blocks = Debris(1.8, Curve{{0, 12.0}, {1.8, 3.0}}, 60.0, 220.0, true, 177);
  MixInto(s, blocks, 0.0, 1.0);
  MixInto(s, Rumble(2.0, 140.0, 178), 0.0, 0.8);
  MixInto(s, Thud(50.0, 0.6, 179), 0.0, 0.8);
  return s;
}

Samples CactusThud() {
  Samples s = Thud(120.0, 0.3, 122);
  Samples rustle = NoiseOf(Colour::kWhite, Strike(0.002, 0.2, 0.3), 0.2, 123);
  BandPass(rustle, 3500.0, 1.0);
  MixInto(s, rustle);
  return s;
}

Samples StoneCrack() {
  Samples crack = NoiseOf(Colour::kWhite, Strike(0.0003, 0.05, 1.0), 0.06, 186);
  HighPass(crack, 1500.0);
  Samples s = crack;
  MixInto(s, Modes({{530, 0.8, 0.1}, {1170, 0.5, 0.07}}, 0.12), 0.0, 0.6);
  Samples bits = Debris(0.4, Curve{{0, 150.0}, {0.4, 0.0}}, 500.0, 2500.0, true, 187);
  MixInto(s, bits, 0.02, 0.5);
  return s;
}

Samples GolemCrumble() {
  Samples s = CollapsingMasonry();
  MixInto(s, StoneCrack(), 0.0, 0.9);
  return s;
}

Samples StoneSlam() {
  Samples s = Thud(45.0, 0.7, 133);
  MixInto(s, Boom(0.6, 1.2, 134), 0.0, 0.5);
  Samples grit = Debris(0.6, Curve{{0, 250.0}, {0.6, 0.0}}, 300.0, 2500.0, false, 135);
  MixInto(s, grit, 0.02, 0.5);
  return s;
}

}  // namespace

const std::vector<EffectRecipe>& WorldEffects() {
  static const std::vector<EffectRecipe> kRecipes = {
      {25, Loud::kNormal, SplashGurgle}, {29, Loud::kLoud, WallCrumble},
      {30, Loud::kLoud, StoneGrind},     {92, Loud::kNormal, DoorOpen},
      {95, Loud::kNormal, BlockScrape},  {108, Loud::kNormal, EnginePutter},
      {122, Loud::kNormal, CactusThud},  {128, Loud::kNormal, MetalClatter},
      {133, Loud::kLoud, StoneSlam},     {137, Loud::kLoud, BoilerClang},
      {148, Loud::kBoss, QuakeImpact},   {174, Loud::kBoss, Earthquake},
      {175, Loud::kNormal, StoneClank},  {176, Loud::kLoud, CollapsingMasonry},
      {186, Loud::kNormal, StoneCrack},  {187, Loud::kLoud, GolemCrumble},
      {193, Loud::kLoud, ShieldClang},
  };
  return kRecipes;
}

}  // namespace torvel::forge
