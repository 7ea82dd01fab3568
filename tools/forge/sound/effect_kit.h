// The parts effects are built from: voices for creatures, whooshes, booms,
// zaps, wet and crunchy textures, metal and stone, chimes. Each returns a raw
// buffer; the effect tables mix, shape and finish them.
#pragma once

#include <initializer_list>

#include "forge/sound/synth.h"

namespace torvel::forge::kit {

using synth::Curve;
using synth::Samples;

// A throat and how it is used. A creature keeps one profile for all its
// cries, so its hurt and death sound like the same beast.
struct VoiceProfile {
  double pitch = 140.0;  // Hz of the voice at rest
  double size = 1.0;     // throat: 1 a man, 0.5 a giant, 2 a small creature
  double rough = 0.0;    // pitch jitter in semitones: a snarl
  double breath = 0.05;  // 0..1 breath noise in the voice
  double growl = 0.0;    // 0..1 of a rough voice an octave below
  double buzz = 0.7;     // 0 a soft hollow voice, 1 a raw buzz
  double drive = 1.0;    // saturation after the throat (1 clean)
  uint64_t seed = 1;
};

// How one cry moves: pitch as a factor of the profile's, loudness, vowel
// (0 "i", 1 "e", 2 "a", 3 "o", 4 "u").
struct Contour {
  double seconds;
  Curve pitch;
  Curve amp;
  Curve vowel;
};

Samples Vocal(const VoiceProfile& voice, const Contour& contour);

// Ready-made contours, stretched by 'length' (1 = the usual length).
Contour Hurt(double length = 1.0);   // short rise and fall
Contour Death(double length = 1.0);  // long falling cry that fades
Contour Roar(double length = 1.0);   // swelling open roar
Contour Grunt(double length = 1.0);  // short, low, closed
Contour Yelp(double length = 1.0);   // high and quick
Contour Moan(double length = 1.0);   // slow wavering
// A run of syllables: "ha ha ha", jabber, chants. Vowels and pitch factors
// cycle through the lists given.
Samples Syllables(const VoiceProfile& voice, int count, double each, double gap,
                  std::initializer_list<double> vowels, std::initializer_list<double> pitches);

// Air pushed past: band of noise sweeping from one centre to another.
Samples Whoosh(double seconds, double hzFrom, double hzTo, double q, uint64_t seed);
// An explosion: crack, body and rolling rumble. weight 0.5 small .. 2 huge.
Samples Boom(double seconds, double weight, uint64_t seed);
// A pitch sweep in a wave (lasers, blips, magic).
Samples Sweep(synth::Wave wave, double hzFrom, double hzTo, double seconds, double attack = 0.002);
// A bubble's blip: a quick rising sine.
Samples Bubble(double hz, double seconds = 0.04);
// Something wet: squish with bubbles. size 0.5 small .. 2 large.
Samples Squelch(double seconds, double size, uint64_t seed);
// Quick clicks at rate per second around hz (insect chitter, rattles).
Samples Clicks(double seconds, double rate, double hz, uint64_t seed);
// Falling bits: stone, bone, snow or glass by the band and density.
Samples Debris(double seconds, const Curve& density, double hzLow, double hzHigh, bool tonal,
               uint64_t seed);
// Struck metal: inharmonic ringing around hz.
Samples Clang(double hz, double seconds, double brightness, uint64_t seed);
// A dull blow: a low thump with a puff of grit.
Samples Thud(double hz, double seconds, uint64_t seed);
// Hiss of a snake or steam.
Samples Hiss(double seconds, double hz, uint64_t seed);
// Bell-like notes (MIDI) one after another.
Samples Chime(std::initializer_list<double> midis, double spacing, double ring);
// A bat's shriek: a buzz whipped about in pitch (bend, a factor of hz)
// through a bright band; big adds an octave below and a cave around it.
Samples Screech(double hz, double seconds, const Curve& bend, bool big, uint64_t seed);
// Wing beats at rate per second; big wings are slower to die and deeper.
Samples Wings(double seconds, double rate, bool big, uint64_t seed);
// Glittering high pings rising or falling in pitch.
Samples Sparkle(double seconds, double hzFrom, double hzTo, double rate, uint64_t seed);
// Low, shaking rumble of the ground.
Samples Rumble(double seconds, double hz, uint64_t seed);

}  // namespace torvel::forge::kit
