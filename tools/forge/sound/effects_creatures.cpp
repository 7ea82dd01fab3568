// Every creature's cries, each creature in its own voice; the hero too.
#include "forge/sound/effect_kit.h"
#include "forge/sound/effects.h"

namespace torvel::forge {

using namespace synth;
using namespace kit;

namespace {

// The throats of the creatures that have voices.
VoiceProfile Hero() {
  return {125.0, 1.0, 0.1, 0.15, 0.0, 0.75, 1.0, 89};
}
VoiceProfile Zombie() {
  return {82.0, 0.85, 0.9, 0.35, 0.45, 0.9, 2.2, 48};
}
VoiceProfile Pygmy() {
  return {235.0, 1.45, 0.25, 0.1, 0.0, 0.6, 1.0, 58};
}
VoiceProfile Serpent() {
  return {150.0, 1.2, 1.2, 0.6, 0.2, 1.0, 1.5, 64};
}
VoiceProfile Shroom() {
  return {92.0, 0.75, 0.3, 0.5, 0.1, 0.3, 1.0, 73};
}
VoiceProfile Stickman() {
  return {300.0, 1.6, 0.6, 0.2, 0.0, 0.85, 1.5, 104};
}
VoiceProfile Penguin() {
  return {480.0, 1.8, 1.0, 0.1, 0.3, 1.0, 2.0, 111};
}
VoiceProfile Snowguy() {
  return {110.0, 0.95, 0.4, 0.3, 0.1, 0.6, 1.2, 113};
}
VoiceProfile Djinni() {
  return {330.0, 1.3, 0.05, 0.3, 0.0, 0.2, 1.0, 123};
}
VoiceProfile Mumble() {
  return {100.0, 0.9, 0.3, 0.2, 0.0, 0.5, 1.0, 129};
}
VoiceProfile Wacko() {
  return {280.0, 1.5, 0.6, 0.1, 0.0, 1.0, 1.6, 134};
}
VoiceProfile Santa() {
  return {105.0, 0.9, 0.15, 0.1, 0.0, 0.7, 1.0, 150};
}
VoiceProfile EyeGuy() {
  return {640.0, 2.0, 0.5, 0.2, 0.0, 0.8, 1.0, 172};
}

Samples Muffled(Samples s, double hz) {
  LowPass(s, hz);
  return s;
}

// ---- the hero
Samples HeroShout() {
  Contour c{1.0, Curve::Geometric({{0, 1.0}, {0.15, 1.45}, {0.8, 1.5}, {1.0, 1.3}}),
            Curve{{0, 0.0}, {0.04, 1.0}, {0.8, 0.9}, {1.0, 0.0}}, Curve{{0, 2.3}, {1.0, 2.0}}};
  Samples s = Vocal(Hero(), c);
  Reverb(s, 0.6, 0.4, 0.3, 0.6);
  return s;
}
Samples HeroGrunt() {
  Contour c = Hurt(0.7);
  c.vowel = Curve{{0, 3.5}, {0.22, 3.0}};
  return Vocal(Hero(), c);
}
Samples HeroDeath() {
  Samples s = Vocal(Hero(), Death(1.1));
  Reverb(s, 0.5, 0.5, 0.25, 0.5);
  return s;
}

// ---- skeleton: nothing but bones
Samples BoneRattle() {
  Samples s = Clicks(0.35, 55.0, 1500.0, 36);
  MixInto(s, Modes({{420, 0.6, 0.06}, {1010, 0.4, 0.04}}, 0.08), 0.0, 0.8);
  return s;
}
Samples BonesCollapse() {
  Samples s = Debris(1.0, Curve{{0, 160.0}, {0.35, 90.0}, {1.0, 5.0}}, 600.0, 2600.0, true, 37);
  MixInto(s, Modes({{380, 1.0, 0.08}, {900, 0.5, 0.05}}, 0.1), 0.45, 0.9);
  return s;
}

// ---- bats
Samples BatSqueak() {
  return Screech(1900.0, 0.12, Curve::Geometric({{0, 1.0}, {0.05, 1.3}, {0.12, 1.1}}), false, 38);
}
Samples BatDive() {
  Samples s = Screech(2100.0, 0.45, Curve::Geometric({{0, 1.3}, {0.45, 0.7}}), false, 39);
  MixInto(s, Wings(0.4, 14.0, false, 390), 0.0, 0.5);
  return s;
}
Samples BatDeath() {
  return Screech(1800.0, 0.6, Curve::Geometric({{0, 1.2}, {0.1, 1.35}, {0.6, 0.55}}), false, 40);
}
Samples BigBatScreech() {
  return Screech(1200.0, 0.35, Curve::Geometric({{0, 1.0}, {0.08, 1.35}, {0.35, 0.9}}), false, 179);
}
Samples BigBatDeath() {
  return Screech(1150.0, 0.9, Curve::Geometric({{0, 1.2}, {0.15, 1.4}, {0.9, 0.45}}), false, 180);
}
Samples BigBatShriek() {
  Samples s =
      Screech(1400.0, 0.5, Curve::Geometric({{0, 0.9}, {0.2, 1.5}, {0.5, 1.2}}), false, 181);
  MixInto(s, Wings(0.4, 10.0, false, 1810), 0.0, 0.5);
  return s;
}

// ---- spiders
Samples SmallSquish() {
  return Squelch(0.16, 0.5, 43);
}
Samples TinyBite() {
  Samples s = Modes({{3600, 1.0, 0.02}, {5200, 0.5, 0.015}}, 0.03);
  MixInto(s, Modes({{3300, 1.0, 0.02}, {4800, 0.5, 0.015}}, 0.03), 0.05);
  return s;
}
Samples Chitter() {
  Samples s = Clicks(0.4, 48.0, 3000.0, 45);
  MixInto(s, Hiss(0.35, 4500.0, 450), 0.0, 0.2);
  return s;
}
Samples SpiderSquelch() {
  return Squelch(0.45, 0.9, 46);
}
Samples BigChitter() {
  Samples s = Clicks(0.55, 40.0, 1800.0, 54);
  MixInto(s, Clicks(0.5, 25.0, 900.0, 540), 0.05, 0.8);
  MixInto(s, Hiss(0.5, 3000.0, 541), 0.0, 0.3);
  return s;
}
Samples BigSquelch() {
  Samples s = Squelch(0.8, 1.6, 55);
  MixInto(s, Squelch(0.5, 1.2, 550), 0.25, 0.7);
  return s;
}
Samples SnappingBite() {
  Samples s = Modes({{1700, 1.0, 0.04}, {2600, 0.6, 0.03}}, 0.05);
  MixInto(s, Modes({{1500, 1.0, 0.05}, {2300, 0.6, 0.03}}, 0.06), 0.09);
  Samples crunch = Debris(0.15, Curve{{0, 500.0}, {0.15, 0.0}}, 800.0, 3000.0, false, 56);
  MixInto(s, crunch, 0.09, 0.6);
  return s;
}

// ---- zombie
Samples ZombieGroan() {
  return Vocal(Zombie(), Moan(0.6));
}
Samples ZombieDeath() {
  Contour c = Moan(1.2);
  c.pitch = Curve::Geometric({{0, 1.1}, {0.4, 1.0}, {1.56, 0.55}});
  return Vocal(Zombie(), c);
}
Samples ZombieLunge() {
  return Vocal(Zombie(), Roar(0.5));
}

// ---- egg sac
Samples SacBurst() {
  Samples s = Bubble(220.0, 0.06);
  MixInto(s, Squelch(0.6, 1.3, 52));
  Samples splatter = Debris(0.4, Curve{{0, 300.0}, {0.4, 0.0}}, 400.0, 1500.0, false, 520);
  MixInto(s, splatter, 0.02, 0.6);
  return s;
}
Samples WetSquelch() {
  return Squelch(0.5, 1.2, 53);
}

// ---- pygmy
Samples PygmyYelp() {
  return Vocal(Pygmy(), Yelp());
}
Samples PygmyDeath() {
  return Vocal(Pygmy(), Death(0.8));
}
Samples PygmyChant() {
  return Syllables(Pygmy(), 4, 0.13, 0.05, {2.0, 3.0, 2.0, 4.0}, {1.0, 1.0, 1.2, 0.9});
}
Samples PygmyJabber() {
  return Syllables(Pygmy(), 6, 0.08, 0.03, {0.3, 2.0, 1.0, 3.0, 2.0, 0.5},
                   {1.2, 1.0, 1.3, 1.1, 1.0, 1.4});
}
Samples PygmyAttack() {
  Contour c = Yelp(1.6);
  c.vowel = Curve{{0, 2.0}, {0.35, 2.4}};
  return Vocal(Pygmy(), c);
}
Samples PygmyWarCry() {
  // An ululation: the tongue flicking the vowel between "i" and "u".
  return Syllables(Pygmy(), 9, 0.06, 0.0, {0.0, 4.0},
                   {1.5, 1.45, 1.5, 1.45, 1.55, 1.5, 1.6, 1.55, 1.6});
}

// ---- serpents and their kin
Samples CreatureHiss() {
  Samples s = Hiss(0.5, 4200.0, 64);
  Contour c = Hurt(1.0);
  c.vowel = 0.5;
  MixInto(s, Vocal(Serpent(), c), 0.02, 0.35);
  return s;
}
Samples DeathGurgle() {
  Samples s = Vocal(Serpent(), Death(0.9));
  Samples bubbles = Squelch(0.8, 1.4, 65);
  MixInto(s, bubbles, 0.2, 0.7);
  return s;
}

// ---- shroom lord
Samples FungalGrunt() {
  return Muffled(Vocal(Shroom(), Grunt(1.3)), 1200.0);
}
Samples FungalCollapse() {
  Samples s = Muffled(Vocal(Shroom(), Death(0.9)), 1400.0);
  MixInto(s, Squelch(0.5, 1.6, 74), 0.4, 0.7);
  MixInto(s, Thud(90.0, 0.3, 740), 0.6, 0.8);
  return s;
}

// ---- centipede
Samples Crunch() {
  Samples s = Debris(0.25, Curve{{0, 700.0}, {0.25, 30.0}}, 600.0, 4000.0, false, 77);
  MixInto(s, Clicks(0.2, 60.0, 2500.0, 770), 0.0, 0.5);
  MixInto(s, Squelch(0.2, 0.7, 771), 0.03, 0.4);
  return s;
}

// ---- stickman
Samples DryRattle() {
  Samples s = Clicks(0.5, 32.0, 900.0, 103);
  MixInto(s, Clicks(0.45, 20.0, 1600.0, 1030), 0.03, 0.6);
  return s;
}
Samples StickYelp() {
  // Also the cue for walking out of a challenge: a yelp that falls, like a sigh.
  Contour c{0.4, Curve::Geometric({{0, 1.4}, {0.08, 1.6}, {0.4, 0.8}}),
            Curve{{0, 0.0}, {0.01, 1.0}, {0.25, 0.7}, {0.4, 0.0}}, Curve{{0, 1.6}, {0.4, 2.6}}};
  return Vocal(Stickman(), c);
}
Samples SnappingSticks() {
  Samples s;
  const double at[] = {0.0, 0.09, 0.16, 0.3, 0.37};
  for (int i = 0; i < 5; ++i) {
    Samples snap = NoiseOf(Colour::kWhite, Strike(0.0003, 0.03, 1.0), 0.04, 105 + i);
    HighPass(snap, 1200.0);
    MixInto(snap, Modes({{700.0 + 150 * i, 0.7, 0.05}, {1900.0 - 100 * i, 0.4, 0.03}}, 0.06));
    MixInto(s, snap, at[i], 1.0 - 0.1 * i);
  }
  return s;
}
Samples StickLunge() {
  Samples s = Whoosh(0.3, 600.0, 2500.0, 1.8, 106);
  MixInto(s, Clicks(0.25, 40.0, 1100.0, 1060), 0.0, 0.5);
  return s;
}

// ---- penguin
Samples Squawk() {
  Contour c{0.3, Curve::Geometric({{0, 1.0}, {0.06, 1.3}, {0.3, 0.9}}),
            Curve{{0, 0.0}, {0.01, 1.0}, {0.2, 0.8}, {0.3, 0.0}}, Curve{{0, 2.0}, {0.3, 3.0}}};
  Samples s = Vocal(Penguin(), c);
  MixInto(s, Vocal(Penguin(), c), 0.33, 0.8);
  return s;
}
Samples SlideWhoosh() {
  Samples s = Whoosh(0.55, 1500.0, 3500.0, 1.0, 112);
  MixInto(s, Hiss(0.5, 6000.0, 1120), 0.0, 0.4);
  return s;
}

// ---- snowguy
Samples SnowCrunch(double seconds, uint64_t seed) {
  Samples s = Debris(seconds, Curve{{0, 600.0}, {seconds, 40.0}}, 1200.0, 5000.0, false, seed);
  LowPass(s, 5000.0);
  return s;
}
Samples CrunchyGrunt() {
  Samples s = Vocal(Snowguy(), Grunt(1.1));
  MixInto(s, SnowCrunch(0.2, 113), 0.0, 0.5);
  return s;
}
Samples SnowCollapse() {
  Samples s = SnowCrunch(0.8, 114);
  MixInto(s, Thud(100.0, 0.4, 1140), 0.1, 0.8);
  MixInto(s, Muffled(Vocal(Snowguy(), Death(0.6)), 1500.0), 0.0, 0.5);
  return s;
}
Samples ThrowGrunt() {
  Samples s = Vocal(Snowguy(), Grunt(0.8));
  MixInto(s, Whoosh(0.25, 800.0, 2500.0, 1.5, 115), 0.05, 0.6);
  return s;
}

// ---- djinni and its lamp
Samples Ethereal(Samples s) {
  Echo(s, 0.11, 0.35, 0.4);
  Reverb(s, 0.85, 0.3, 0.5, 1.2);
  return s;
}
Samples DjinniCry() {
  return Ethereal(Vocal(Djinni(), Hurt(1.5)));
}
Samples DjinniWail() {
  Contour c = Death(1.6);
  c.vowel = Curve{{0, 3.0}, {1.0, 4.0}, {1.76, 4.0}};
  return Ethereal(Vocal(Djinni(), c));
}
Samples MagicSwipe() {
  Samples s = Whoosh(0.4, 900.0, 3500.0, 2.0, 125);
  MixInto(s, Sparkle(0.4, 2500.0, 5000.0, 60.0, 1250), 0.05, 0.4);
  return s;
}
Samples DjinniLaugh() {
  return Ethereal(Syllables(Djinni(), 5, 0.12, 0.05, {2.0}, {1.3, 1.2, 1.1, 1.0, 0.9}));
}
Samples LampHum() {
  Samples s;
  for (double hz : {220.0, 330.0, 441.0}) {
    Tone t;
    t.hz = Curve::Geometric({{0, hz * 0.9}, {1.0, hz * 1.1}});
    t.amp = Swell(0.3, 0.4, 0.3, 0.3);
    t.vibratoHz = 6.0;
    t.vibratoDepth = 0.2;
    MixInto(s, Render(t, 1.0));
  }
  MixInto(s, Sparkle(0.8, 2000.0, 5000.0, 40.0, 127), 0.2, 0.4);
  Reverb(s, 0.6, 0.3, 0.3, 0.5);
  return s;
}

Samples MuffledGrunt() {
  return Muffled(Vocal(Mumble(), Grunt(1.2)), 600.0);
}

// ---- wacko
Samples Cackle() {
  return Syllables(Wacko(), 7, 0.07, 0.035, {0.2, 0.5}, {1.6, 1.5, 1.7, 1.4, 1.6, 1.3, 1.5});
}
Samples WackoShriek() {
  return Vocal(Wacko(), Yelp(1.6));
}
Samples WackoDeath() {
  Contour c = Death(1.0);
  c.pitch = Curve::Geometric({{0, 1.8}, {0.2, 1.9}, {1.1, 0.7}});
  c.vowel = Curve{{0, 0.5}, {1.1, 3.0}};
  return Vocal(Wacko(), c);
}

// ---- santa
Samples SantaGrunt() {
  return Vocal(Santa(), Grunt(1.1));
}
Samples SantaDeath() {
  return Vocal(Santa(), Death(1.1));
}
Samples SantaLaugh() {
  return Syllables(Santa(), 3, 0.2, 0.08, {3.0}, {1.15, 1.05, 0.95});
}

// ---- ptero
Samples PteroChirp() {
  Samples s;
  for (int i = 0; i < 3; ++i) {
    MixInto(s, Sweep(Wave::kSine, 2400.0 + 200.0 * i, 4100.0, 0.05, 0.002), 0.07 * i,
            1.0 - 0.15 * i);
  }
  return s;
}

// ---- eyes
Samples EyeSqueal() {
  return Vocal(EyeGuy(), Yelp(1.2));
}
Samples EyeSquelch() {
  Samples s = Squelch(0.5, 1.0, 173);
  MixInto(s, Vocal(EyeGuy(), Death(0.4)), 0.0, 0.4);
  return s;
}
Samples EyePop() {
  Samples s = Sweep(Wave::kSine, 250.0, 1100.0, 0.03);
  MixInto(s, Squelch(0.3, 0.7, 169), 0.02, 0.8);
  return s;
}
Samples SquelchyWince() {
  Samples s = Squelch(0.2, 0.6, 170);
  VoiceProfile small = EyeGuy();
  small.pitch = 900.0;
  small.seed = 1700;
  MixInto(s, Vocal(small, Yelp(0.8)), 0.02, 0.5);
  return s;
}

}  // namespace

const std::vector<EffectRecipe>& CreatureEffects() {
  static const std::vector<EffectRecipe> kRecipes = {
      {23, Loud::kNormal, HeroShout},      {36, Loud::kNormal, BoneRattle},
      {37, Loud::kNormal, BonesCollapse},  {38, Loud::kSoft, BatSqueak},
      {39, Loud::kNormal, BatDive},        {40, Loud::kNormal, BatDeath},
      {43, Loud::kSoft, SmallSquish},      {44, Loud::kSoft, TinyBite},
      {45, Loud::kNormal, Chitter},        {46, Loud::kNormal, SpiderSquelch},
      {48, Loud::kNormal, ZombieGroan},    {49, Loud::kNormal, ZombieDeath},
      {50, Loud::kNormal, ZombieLunge},    {52, Loud::kNormal, SacBurst},
      {53, Loud::kNormal, WetSquelch},     {54, Loud::kNormal, BigChitter},
      {55, Loud::kLoud, BigSquelch},       {56, Loud::kNormal, SnappingBite},
      {58, Loud::kNormal, PygmyYelp},      {59, Loud::kNormal, PygmyDeath},
      {60, Loud::kNormal, PygmyChant},     {61, Loud::kNormal, PygmyJabber},
      {62, Loud::kNormal, PygmyAttack},    {63, Loud::kNormal, PygmyWarCry},
      {64, Loud::kNormal, CreatureHiss},   {65, Loud::kNormal, DeathGurgle},
      {73, Loud::kNormal, FungalGrunt},    {74, Loud::kNormal, FungalCollapse},
      {77, Loud::kNormal, Crunch},         {89, Loud::kNormal, HeroGrunt},
      {90, Loud::kLoud, HeroDeath},        {103, Loud::kNormal, DryRattle},
      {104, Loud::kNormal, StickYelp},     {105, Loud::kNormal, SnappingSticks},
      {106, Loud::kNormal, StickLunge},    {111, Loud::kNormal, Squawk},
      {112, Loud::kNormal, SlideWhoosh},   {113, Loud::kNormal, CrunchyGrunt},
      {114, Loud::kNormal, SnowCollapse},  {115, Loud::kNormal, ThrowGrunt},
      {123, Loud::kNormal, DjinniCry},     {124, Loud::kNormal, DjinniWail},
      {125, Loud::kNormal, MagicSwipe},    {126, Loud::kNormal, DjinniLaugh},
      {127, Loud::kNormal, LampHum},       {129, Loud::kNormal, MuffledGrunt},
      {134, Loud::kNormal, Cackle},        {135, Loud::kNormal, WackoShriek},
      {136, Loud::kNormal, WackoDeath},    {150, Loud::kNormal, SantaGrunt},
      {151, Loud::kNormal, SantaDeath},    {152, Loud::kNormal, SantaLaugh},
      {160, Loud::kSoft, PteroChirp},      {169, Loud::kNormal, EyePop},
      {170, Loud::kNormal, SquelchyWince}, {172, Loud::kNormal, EyeSqueal},
      {173, Loud::kNormal, EyeSquelch},    {179, Loud::kNormal, BigBatScreech},
      {180, Loud::kNormal, BigBatDeath},   {181, Loud::kNormal, BigBatShriek},
  };
  return kRecipes;
}

}  // namespace torvel::forge
