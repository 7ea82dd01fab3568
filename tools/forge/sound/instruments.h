// The instruments scores play: one note (or drum) at a time, rendered with
// its release so the renderer only has to place and sum them.
#pragma once

#include "forge/sound/score.h"
#include "forge/sound/synth.h"

namespace torvel::forge {

// One note of midi pitch held for held seconds, at velocity 1; the result
// runs on through the instrument's release.
synth::Samples PlayNote(Instrument instrument, int midi, double held);
synth::Samples PlayDrum(Drum drum);
// How much of the instrument goes to the reverberation (0..1).
double ReverbSend(Instrument instrument);
double DrumReverbSend(Drum drum);

}  // namespace torvel::forge
