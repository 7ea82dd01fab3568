// The big ones: bosses and giant beasts, louder and longer than the rest.
#include "forge/sound/effect_kit.h"
#include "forge/sound/effects.h"

namespace torvel::forge {

using namespace synth;
using namespace kit;

namespace {

VoiceProfile Beast() {
  return {70.0, 0.55, 1.0, 0.4, 0.6, 0.9, 2.5, 96};
}
VoiceProfile Yeti() {
  return {95.0, 0.65, 1.2, 0.35, 0.5, 1.0, 3.0, 116};
}
VoiceProfile Sphinx() {
  return {75.0, 0.6, 0.6, 0.3, 0.4, 0.8, 2.0, 132};
}
VoiceProfile Vorga() {
  return {64.0, 0.5, 1.0, 0.3, 0.7, 1.0, 3.0, 141};
}
VoiceProfile Sdzl() {
  return {47.0, 0.42, 1.3, 0.35, 0.8, 1.0, 3.5, 145};
}
VoiceProfile Bobby() {
  return {72.0, 0.55, 0.9, 0.3, 0.6, 0.9, 2.5, 188};
}
VoiceProfile HugeEye() {
  return {300.0, 1.2, 0.8, 0.3, 0.2, 0.9, 1.5, 177};
}

// A beast's cry with the weight under it: the voice, a sub-bass swell that
// follows it, and the hall it echoes in.
Samples BigCry(const VoiceProfile& voice, const Contour& c, double hall = 0.6) {
  Samples s = Vocal(voice, c);
  Tone sub;
  sub.hz = c.pitch.Scaled(voice.pitch * 0.5);
  sub.amp = c.amp.Scaled(0.5);
  MixInto(s, Render(sub, c.seconds));
  Reverb(s, hall, 0.5, 0.3, 1.2);
  return s;
}

// Two voices a little apart in pitch: one throat roaring through another.
Samples DoubleCry(VoiceProfile voice, const Contour& c, double hall = 0.6) {
  Samples s = BigCry(voice, c, hall);
  voice.pitch *= 1.49;
  voice.seed += 17;
  MixInto(s, Vocal(voice, c), 0.0, 0.35);
  return s;
}

// ---- big shroom and thething
Samples DeepRumble() {
  Samples s = Rumble(1.6, 90.0, 96);
  Contour c = Moan(1.2);
  c.amp = c.amp.Scaled(0.6);
  MixInto(s, BigCry(Beast(), c), 0.2, 0.7);
  return s;
}
Samples DeepRoarOfPain() {
  return BigCry(Beast(), Hurt(2.2));
}
Samples HugeDyingRoar() {
  Samples s = BigCry(Beast(), Death(2.3), 0.8);
  MixInto(s, Thud(45.0, 0.8, 100), 2.0, 0.9);
  return s;
}
Samples MonstrousBellow() {
  return DoubleCry(Beast(), Roar(1.5));
}

// ---- the yetis
Samples YetiRoarA() {
  return BigCry(Yeti(), Roar(1.1));
}
Samples YetiRoarB() {
  Contour c = Roar(1.2);
  c.pitch = Curve::Geometric({{0, 1.3}, {0.4, 1.0}, {1.44, 0.75}});
  c.vowel = Curve{{0, 2.0}, {0.5, 3.0}, {1.44, 4.0}};
  return BigCry(Yeti(), c);
}
Samples YetiBellow() {
  return BigCry(Yeti(), Hurt(1.6));
}
Samples YetiDeath() {
  return BigCry(Yeti(), Death(1.7), 0.75);
}
Samples YetiHugeRoar() {
  Samples s = DoubleCry(Yeti(), Roar(1.9), 0.8);
  // The roof answers: icicles rattle loose.
  Samples ice = Debris(1.5, Curve{{0, 0.0}, {0.6, 150.0}, {1.5, 20.0}}, 3000.0, 7500.0, true, 120);
  MixInto(s, ice, 0.6, 0.4);
  return s;
}

// ---- the sphinx
Samples StoneRoar() {
  Samples s = BigCry(Sphinx(), Roar(1.3));
  Crush(s, 2, 512);
  MixInto(s, Rumble(1.5, 120.0, 132), 0.0, 0.6);
  return s;
}

// ---- vorga
Samples VorgaWakes() {
  Samples s = Rumble(0.8, 80.0, 141);
  MixInto(s, DoubleCry(Vorga(), Roar(1.8), 0.8), 0.3);
  return s;
}
Samples VorgaRisesAgain() {
  Contour c = Roar(2.0);
  c.pitch = Curve::Geometric({{0, 0.7}, {0.8, 1.25}, {2.0, 1.1}, {2.4, 0.8}});
  return DoubleCry(Vorga(), c, 0.85);
}
Samples VorgaGrowl() {
  Contour c = Grunt(3.0);
  return BigCry(Vorga(), c, 0.5);
}
Samples VorgaDeath() {
  Samples s = DoubleCry(Vorga(), Death(2.4), 0.85);
  MixInto(s, Thud(40.0, 1.0, 144), 2.2, 0.9);
  return s;
}

// ---- sdzl, the last
Samples SdzlGrowl() {
  return BigCry(Sdzl(), Grunt(3.5), 0.6);
}
Samples SdzlDeath() {
  Samples s = DoubleCry(Sdzl(), Death(3.0), 0.9);
  MixInto(s, Rumble(3.0, 80.0, 146), 0.5, 0.7);
  return s;
}
Samples SdzlBellow() {
  return DoubleCry(Sdzl(), Roar(1.6), 0.8);
}

// ---- bobby
Samples BobbyGrunt() {
  return BigCry(Bobby(), Hurt(1.4), 0.5);
}
Samples BobbyDeath() {
  Samples s = DoubleCry(Bobby(), Death(2.2), 0.8);
  MixInto(s, Thud(42.0, 0.9, 189), 2.0, 0.9);
  return s;
}
Samples BobbySlamRoar() {
  Contour c = Roar(0.9);
  Samples s = BigCry(Bobby(), c);
  MixInto(s, Thud(50.0, 0.6, 190), 0.7, 1.0);
  MixInto(s, Boom(0.6, 1.2, 191), 0.7, 0.5);
  return s;
}
Samples BobbyQuakeRoar() {
  Samples s = DoubleCry(Bobby(), Roar(1.4), 0.8);
  MixInto(s, Rumble(1.6, 90.0, 192), 0.3, 0.8);
  return s;
}
Samples BobbySweep() {
  Samples s = Whoosh(0.7, 250.0, 1200.0, 1.2, 192);
  MixInto(s, Whoosh(0.6, 500.0, 2500.0, 2.0, 193), 0.05, 0.6);
  Contour c = Grunt(2.0);
  MixInto(s, Vocal(Bobby(), c), 0.0, 0.6);
  return s;
}
Samples BobbyArrives() {
  Samples s = Thud(40.0, 0.8, 199);
  MixInto(s, Boom(1.0, 1.8, 1990), 0.0, 0.6);
  MixInto(s, DoubleCry(Bobby(), Roar(2.0), 0.85), 0.25);
  return s;
}

// ---- lookyloo, the giant eye
Samples HugeEyeWince() {
  Samples s = Squelch(0.9, 2.2, 177);
  MixInto(s, BigCry(HugeEye(), Hurt(1.8), 0.5), 0.0, 0.8);
  return s;
}
Samples HugeEyeDeath() {
  Samples s = BigCry(HugeEye(), Death(2.0), 0.75);
  MixInto(s, Squelch(1.6, 2.5, 178), 0.2, 0.9);
  MixInto(s, Squelch(0.8, 1.8, 1780), 1.2, 0.7);
  return s;
}

// ---- the huge bat
Samples HugeBatScreech() {
  return Screech(700.0, 0.7, Curve::Geometric({{0, 1.0}, {0.1, 1.4}, {0.7, 0.85}}), true, 182);
}
Samples HugeBatDeath() {
  return Screech(680.0, 1.7, Curve::Geometric({{0, 1.2}, {0.25, 1.45}, {1.7, 0.4}}), true, 183);
}
Samples HugeBatCall() {
  Samples s = Wings(1.0, 6.0, true, 184);
  MixInto(s, Screech(760.0, 0.6, Curve::Geometric({{0, 0.9}, {0.25, 1.5}, {0.6, 1.2}}), true, 185),
          0.15);
  return s;
}

}  // namespace

const std::vector<EffectRecipe>& BossEffects() {
  static const std::vector<EffectRecipe> kRecipes = {
      {96, Loud::kLoud, DeepRumble},     {99, Loud::kLoud, DeepRoarOfPain},
      {100, Loud::kBoss, HugeDyingRoar}, {107, Loud::kBoss, MonstrousBellow},
      {116, Loud::kLoud, YetiRoarA},     {117, Loud::kLoud, YetiRoarB},
      {118, Loud::kLoud, YetiBellow},    {119, Loud::kLoud, YetiDeath},
      {120, Loud::kBoss, YetiHugeRoar},  {132, Loud::kLoud, StoneRoar},
      {141, Loud::kBoss, VorgaWakes},    {142, Loud::kBoss, VorgaRisesAgain},
      {143, Loud::kLoud, VorgaGrowl},    {144, Loud::kBoss, VorgaDeath},
      {145, Loud::kLoud, SdzlGrowl},     {146, Loud::kBoss, SdzlDeath},
      {147, Loud::kBoss, SdzlBellow},    {177, Loud::kLoud, HugeEyeWince},
      {178, Loud::kBoss, HugeEyeDeath},  {182, Loud::kLoud, HugeBatScreech},
      {183, Loud::kBoss, HugeBatDeath},  {184, Loud::kLoud, HugeBatCall},
      {188, Loud::kLoud, BobbyGrunt},    {189, Loud::kBoss, BobbyDeath},
      {190, Loud::kBoss, BobbySlamRoar}, {191, Loud::kBoss, BobbyQuakeRoar},
      {192, Loud::kLoud, BobbySweep},    {199, Loud::kBoss, BobbyArrives},
  };
  return kRecipes;
}

}  // namespace torvel::forge
