// Scores: the plain-text music of content/music/ (its README describes the
// format), read into timed note events for the song renderer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvel::forge {

enum class Instrument {
  kPiano,
  kHarp,
  kPluck,
  kMarimba,
  kBell,
  kFlute,
  kLead,
  kBrass,
  kStrings,
  kPad,
  kChoir,
  kOrgan,
  kBass,
  kSynthBass,
  kDrums,
};

enum Drum {
  kKick,
  kSnare,
  kHat,
  kOpenHat,
  kCrash,
  kLowTom,
  kMidTom,
  kRim,
  kShaker,
  kClap,
  kBigDrum,
  kGong,
  kDrumCount
};

struct NoteEvent {
  double start = 0;          // seconds from the start of the piece
  double length = 0;         // seconds the note is held
  std::vector<int> pitches;  // MIDI note numbers (A4 = 69)
  uint32_t drums = 0;        // bit per Drum, in a drums voice
  double velocity = 1.0;     // 1 normal, more for accents
};

struct ScoreVoice {
  std::string name;
  Instrument instrument = Instrument::kPiano;
  double level = 0.5;
  int octave = 4;
  enum class Play { kChord, kRoot, kArp } play = Play::kChord;
  std::vector<NoteEvent> events;
};

struct Score {
  int sound = -1;
  std::string title;
  double tempo = 0;
  int beatsPerBar = 4;
  bool loop = false;
  bool haveLoopLine = false;
  double reverbSize = 0.3;
  double reverbWet = 0.15;
  double swing = 0.0;
  bool haveLoudness = false;
  double loudnessDb = 0.0;  // where the forge sets its loudness, if the score says
  double length = 0;        // seconds: the loop, or the written bars of a cue
  std::vector<ScoreVoice> voices;
};

// Reads a score. On failure returns false with "name:line: what" in error.
bool ParseScore(const std::string& text, const std::string& name, Score& score, std::string& error);

}  // namespace torvel::forge
