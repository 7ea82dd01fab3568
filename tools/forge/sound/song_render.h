// Plays a score through the instruments: a song comes out as one seamless
// loop of exactly its written length, a cue as its bars plus the ring-out.
#pragma once

#include <string>

#include "forge/sound/score.h"
#include "forge/sound/synth.h"

namespace torvel::forge {

// The mix before any loudness step, within about -1..1.
synth::Samples RenderScore(const Score& score);

// Reads and renders a score file; false with a message in error.
bool RenderScoreFile(const std::string& hostPath, Score& score, synth::Samples& out,
                     std::string& error);

// Brings a song to its loudness without touching its seam (a gain and the
// memoryless soft limit only).
void FinishSong(synth::Samples& s, double loudnessDb);

}  // namespace torvel::forge
