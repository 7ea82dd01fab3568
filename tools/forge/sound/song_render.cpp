#include "forge/sound/song_render.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "common/byte_io.h"
#include "forge/sound/instruments.h"

namespace torvel::forge {

using namespace synth;

namespace {

// Songs repeat their chords and riffs; each distinct note is made once.
class NoteCache {
 public:
  const Samples& Get(Instrument instrument, int midi, size_t heldSamples) {
    auto key = std::make_tuple(static_cast<int>(instrument), midi, heldSamples);
    auto it = notes_.find(key);
    if (it == notes_.end()) {
      double held = static_cast<double>(heldSamples) / kRate;
      it = notes_.emplace(key, PlayNote(instrument, midi, held)).first;
    }
    return it->second;
  }

 private:
  std::map<std::tuple<int, int, size_t>, Samples> notes_;
};

// Long enough for the slowest release and the largest hall to fall below
// anything 16 bits can hold, so folding it back leaves no seam.
constexpr double kRingOut = 12.0;

}  // namespace

Samples RenderScore(const Score& score) {
  const size_t length = SampleCount(score.length);
  Samples dry(SampleCount(score.length + kRingOut), 0.0);
  Samples send(dry.size(), 0.0);
  NoteCache cache;
  std::vector<Samples> drums;
  for (int d = 0; d < kDrumCount; ++d) drums.push_back(PlayDrum(static_cast<Drum>(d)));

  for (const ScoreVoice& voice : score.voices) {
    for (const NoteEvent& e : voice.events) {
      if (voice.instrument == Instrument::kDrums) {
        for (int d = 0; d < kDrumCount; ++d) {
          if (!(e.drums & (1u << d))) continue;
          double gain = voice.level * e.velocity;
          MixInto(dry, drums[d], e.start, gain);
          MixInto(send, drums[d], e.start, gain * DrumReverbSend(static_cast<Drum>(d)));
        }
        continue;
      }
      // A chord's tones share the voice's level, so chords do not swamp tunes.
      double gain = voice.level * e.velocity / std::sqrt(static_cast<double>(e.pitches.size()));
      for (int midi : e.pitches) {
        const Samples& note = cache.Get(voice.instrument, midi, SampleCount(e.length));
        MixInto(dry, note, e.start, gain);
        MixInto(send, note, e.start, gain * ReverbSend(voice.instrument));
      }
    }
  }
  Reverb(send, 0.45 + 0.5 * score.reverbSize, 0.45, 1.0, 0.0, 0.0);
  Samples mix(std::max(dry.size(), send.size()), 0.0);
  for (size_t n = 0; n < mix.size(); ++n) {
    mix[n] =
        (n < dry.size() ? dry[n] : 0.0) + (n < send.size() ? send[n] * score.reverbWet * 4.0 : 0.0);
  }
  if (score.loop) {
    // Whatever rings past the end sounds again over the start, as it will
    // when the song wraps round: the loop is the steady state of itself.
    for (size_t n = length; n < mix.size(); ++n) mix[n % length] += mix[n];
    mix.resize(length);
  } else {
    // A cue rings out until it has fallen 40 dB, then fades the last whisper.
    double floor = PeakOf(mix) * 0.01;
    size_t last = mix.size();
    while (last > length && std::fabs(mix[last - 1]) < floor) --last;
    mix.resize(last);
    FadeOut(mix, std::min(0.4, Seconds(mix) - score.length));
  }
  return mix;
}

bool RenderScoreFile(const std::string& hostPath, Score& score, Samples& out, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(hostPath, bytes, 1u << 20)) {
    error = hostPath + ": cannot read";
    return false;
  }
  std::string text(bytes.begin(), bytes.end());
  size_t slash = hostPath.find_last_of('/');
  std::string name = slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
  if (!ParseScore(text, name, score, error)) return false;
  out = RenderScore(score);
  return true;
}

void FinishSong(Samples& s, double loudnessDb) {
  double peak = PeakOf(s);
  if (peak <= 0) return;
  double gain = DbToGain(loudnessDb - LoudnessDb(s));
  gain = std::min(gain, 0.95 / peak);
  Gain(s, gain);
}

}  // namespace torvel::forge
