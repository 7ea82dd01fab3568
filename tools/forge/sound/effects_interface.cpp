// Menus, pickups, messages and the hero's small magic.
#include "forge/sound/effect_kit.h"
#include "forge/sound/effects.h"

namespace torvel::forge {

using namespace synth;
using namespace kit;

namespace {

// A short, clean electronic tone.
Samples Beep(Wave wave, double hz, double seconds, double level = 1.0) {
  Tone t;
  t.wave = wave;
  t.hz = hz;
  t.amp = Curve{{0, 0.0}, {0.002, level}, {seconds * 0.7, level * 0.8}, {seconds, 0.0}};
  return Render(t, seconds);
}

Samples MenuTick() {
  Samples s = Modes({{2400, 1.0, 0.035}, {4150, 0.5, 0.02}}, 0.04);
  Samples tick = NoiseOf(Colour::kWhite, Strike(0.0003, 0.004, 0.6), 0.006, 10);
  HighPass(tick, 3000.0);
  MixInto(s, tick);
  return s;
}

Samples ConfirmBlip() {
  Samples s = Beep(Wave::kSquare, 880.0, 0.06, 0.8);
  MixInto(s, Beep(Wave::kSquare, 1318.5, 0.11), 0.055);
  LowPass(s, 4000.0);
  return s;
}

Samples PauseSwoosh() {
  Samples s = Whoosh(0.32, 2600.0, 500.0, 1.4, 20);
  Samples low = Sweep(Wave::kTriangle, 660.0, 330.0, 0.3);
  MixInto(s, low, 0.05, 0.35);
  return s;
}

Samples CheatChime() {
  Samples s = Chime({72, 76, 79, 84, 88}, 0.05, 0.7);
  MixInto(s, Sparkle(0.5, 3000.0, 6000.0, 60.0, 22), 0.1, 0.3);
  return s;
}

Samples PortalWhoosh() {
  Samples s = Whoosh(0.7, 300.0, 3500.0, 3.0, 27);
  Tone glide;
  glide.hz = Curve::Geometric({{0, 220.0}, {0.65, 880.0}});
  glide.amp = Swell(0.2, 0.2, 0.3, 0.4);
  glide.vibratoHz = 9.0;
  glide.vibratoDepth = 0.6;
  MixInto(s, Render(glide, 0.7));
  Reverb(s, 0.5, 0.4, 0.3, 0.5);
  return s;
}

Samples LightShimmer() {
  Samples s = Chime({88}, 0.0, 0.5);
  Gain(s, 0.3);
  MixInto(s, Sparkle(0.9, 2200.0, 4500.0, 45.0, 31));
  for (double m : {76.0, 83.0, 88.0}) {
    Tone t;
    t.hz = NoteHz(m);
    t.amp = Swell(0.25, 0.25, 0.4, 0.18);
    t.vibratoHz = 6.0;
    t.vibratoDepth = 0.05;
    MixInto(s, Render(t, 0.9));
  }
  Reverb(s, 0.6, 0.3, 0.35, 0.6);
  return s;
}

Samples TeleportWarp() {
  Tone warble;
  warble.hz = Curve::Geometric({{0, 180.0}, {0.45, 1400.0}, {0.8, 2400.0}});
  warble.amp = Swell(0.1, 0.45, 0.25);
  warble.vibratoHz = 17.0;
  warble.vibratoDepth = 2.0;
  Samples s = Render(warble, 0.8);
  RingMod(s, Curve::Geometric({{0, 90.0}, {0.8, 600.0}}));
  Samples air = Whoosh(0.8, 400.0, 5000.0, 2.0, 32);
  MixInto(s, air, 0.0, 0.8);
  Reverb(s, 0.5, 0.4, 0.3, 0.4);
  return s;
}

Samples MessageChime() {
  Samples s = Chime({81, 88}, 0.09, 0.45);
  Gain(s, 0.8);
  return s;
}

Samples TypeBlip() {
  Samples s = Beep(Wave::kSquare, 1750.0, 0.018, 0.5);
  Samples click = NoiseOf(Colour::kWhite, Strike(0.0002, 0.006, 0.7), 0.008, 158);
  HighPass(click, 2500.0);
  MixInto(s, click);
  LowPass(s, 5000.0);
  return s;
}

Samples PowerUpRise() {
  // The old arcade climb: quick steps up a major arpeggio, then a sweep.
  Samples s;
  const double steps[] = {60, 64, 67, 72, 76, 79, 84};
  for (int i = 0; i < 7; ++i) MixInto(s, Beep(Wave::kPulse, NoteHz(steps[i]), 0.07, 0.7), 0.05 * i);
  MixInto(s, Sweep(Wave::kTriangle, NoteHz(72), NoteHz(96), 0.3), 0.33, 0.5);
  LowPass(s, 6000.0);
  Echo(s, 0.09, 0.3, 0.3);
  return s;
}

Samples PowerUpDing() {
  Samples s = Chime({84, 91}, 0.07, 0.55);
  MixInto(s, Beep(Wave::kTriangle, NoteHz(96), 0.15, 0.2), 0.07);
  return s;
}

Samples ManaBubble() {
  Samples s;
  const double hz[] = {420, 520, 610, 760, 880, 1050, 1250};
  for (int i = 0; i < 7; ++i) MixInto(s, Bubble(hz[i], 0.05), 0.06 * i, 0.8);
  Samples glow = Sparkle(0.6, 1500.0, 3000.0, 30.0, 83);
  MixInto(s, glow, 0.1, 0.25);
  Reverb(s, 0.4, 0.4, 0.25, 0.4);
  return s;
}

Samples GemChime() {
  Samples s = Chime({88, 95, 100}, 0.045, 0.5);
  MixInto(s, Sparkle(0.35, 4000.0, 7000.0, 50.0, 85), 0.02, 0.2);
  return s;
}

Samples KeyJingle() {
  Samples s;
  const double at[] = {0.0, 0.07, 0.12, 0.21, 0.26};
  const double hz[] = {2900, 3700, 3300, 4100, 3500};
  for (int i = 0; i < 5; ++i) MixInto(s, Clang(hz[i], 0.22, 0.6, 860 + i), at[i], 1.0 - 0.12 * i);
  return s;
}

Samples HealingSparkle() {
  Samples s = Sparkle(0.9, 1400.0, 4200.0, 40.0, 88);
  for (double m : {72.0, 76.0, 79.0}) {
    Tone t;
    t.hz = NoteHz(m);
    t.amp = Swell(0.15, 0.35, 0.4, 0.25);
    MixInto(s, Render(t, 0.9));
  }
  Reverb(s, 0.5, 0.3, 0.35, 0.5);
  return s;
}

Samples CoinClink() {
  Samples s = Clang(3150.0, 0.25, 0.7, 156);
  MixInto(s, Clang(4250.0, 0.3, 0.6, 157), 0.045, 0.8);
  return s;
}

Samples SummonWhistle() {
  Tone t;
  t.hz = Curve::Geometric({{0, 1100.0}, {0.25, 2300.0}, {0.32, 2300.0}, {0.6, 1500.0}});
  t.amp = Curve{{0, 0.0}, {0.03, 1.0}, {0.5, 0.8}, {0.6, 0.0}};
  t.vibratoHz = 7.0;
  t.vibratoDepth = 0.3;
  Samples s = Render(t, 0.6);
  Samples breath = NoiseOf(Colour::kWhite, Swell(0.03, 0.45, 0.12, 0.08), 0.6, 161);
  BandPass(breath, 2500.0, 2.0);
  MixInto(s, breath);
  Reverb(s, 0.5, 0.4, 0.25, 0.4);
  return s;
}

}  // namespace

const std::vector<EffectRecipe>& InterfaceEffects() {
  static const std::vector<EffectRecipe> kRecipes = {
      {0, Loud::kTick, MenuTick},          {1, Loud::kSoft, ConfirmBlip},
      {2, Loud::kSoft, PauseSwoosh},       {22, Loud::kNormal, CheatChime},
      {27, Loud::kNormal, PortalWhoosh},   {31, Loud::kNormal, LightShimmer},
      {32, Loud::kNormal, TeleportWarp},   {33, Loud::kSoft, MessageChime},
      {78, Loud::kNormal, PowerUpRise},    {79, Loud::kNormal, PowerUpDing},
      {83, Loud::kSoft, ManaBubble},       {85, Loud::kSoft, GemChime},
      {86, Loud::kSoft, KeyJingle},        {88, Loud::kNormal, HealingSparkle},
      {156, Loud::kSoft, CoinClink},       {158, Loud::kTick, TypeBlip},
      {161, Loud::kNormal, SummonWhistle},
  };
  return kRecipes;
}

}  // namespace torvel::forge
