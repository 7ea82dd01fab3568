#include "forge/sound/sound_bank.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "common/byte_io.h"
#include "forge/sound/song_render.h"

namespace torvel::forge {

double TargetDb(Loud loud) {
  switch (loud) {
    case Loud::kTick:
      return -20.0;
    case Loud::kSoft:
      return -15.0;
    case Loud::kNormal:
      return -11.0;
    case Loud::kLoud:
      return -9.0;
    case Loud::kBoss:
      return -7.0;
  }
  return -11.0;
}

std::vector<int> GameSoundNumbers() {
  // Numbers the game never plays.
  static const int kUnused[] = {8,  24, 26, 41, 42,  51,  67,  68,  69,  70,  71,  72,  75,  80, 81,
                                84, 91, 93, 94, 101, 102, 109, 110, 138, 139, 140, 153, 154, 155};
  std::vector<int> numbers;
  for (int n = 0; n <= 208; ++n) {
    if (std::find(std::begin(kUnused), std::end(kUnused), n) == std::end(kUnused))
      numbers.push_back(n);
  }
  return numbers;
}

bool ListSounds(const std::string& musicDir, std::vector<SoundJob>& jobs, std::string& error) {
  jobs.clear();
  for (const auto* family : {&InterfaceEffects(), &CombatEffects(), &WorldEffects(),
                             &CreatureEffects(), &BossEffects()}) {
    for (const EffectRecipe& r : *family) jobs.push_back({r.number, &r, {}});
  }
  std::error_code ec;
  std::vector<std::string> scores;
  for (const auto& entry : std::filesystem::directory_iterator(musicDir, ec)) {
    if (entry.path().extension() == ".score") scores.push_back(entry.path().string());
  }
  if (ec) {
    error = musicDir + ": " + ec.message();
    return false;
  }
  std::sort(scores.begin(), scores.end());
  for (const std::string& path : scores) {
    // The number is the score's own 'sound' line; read it without rendering.
    Score score;
    std::vector<uint8_t> bytes;
    std::string text;
    if (ReadFileBytes(path, bytes, 1u << 20)) text.assign(bytes.begin(), bytes.end());
    if (!ParseScore(text, path, score, error)) return false;
    jobs.push_back({score.sound, nullptr, path});
  }
  std::map<int, int> made;
  for (const SoundJob& j : jobs) ++made[j.number];
  std::string problems;
  for (const auto& [number, count] : made) {
    if (count > 1) problems += " " + std::to_string(number) + " is made twice;";
  }
  std::vector<int> wanted = GameSoundNumbers();
  for (int n : wanted) {
    if (!made.count(n)) problems += " " + std::to_string(n) + " is missing;";
  }
  for (const auto& [number, count] : made) {
    if (std::find(wanted.begin(), wanted.end(), number) == wanted.end())
      problems += " " + std::to_string(number) + " is never played;";
  }
  if (!problems.empty()) {
    error = "sounds:" + problems;
    return false;
  }
  std::sort(jobs.begin(), jobs.end(),
            [](const SoundJob& a, const SoundJob& b) { return a.number < b.number; });
  return true;
}

bool RenderSound(const SoundJob& job, std::vector<int16_t>& pcm, std::string& error) {
  synth::Samples s;
  if (job.recipe) {
    s = job.recipe->make();
    synth::FinishEffect(s, TargetDb(job.recipe->loud));
  } else {
    Score score;
    if (!RenderScoreFile(job.scorePath, score, s, error)) return false;
    if (score.loop) {
      FinishSong(s, score.haveLoudness ? score.loudnessDb : -13.0);
    } else {
      // A cue is an effect in its ends and loudness, music in its making.
      synth::FinishEffect(s, score.haveLoudness ? score.loudnessDb : -12.0);
    }
  }
  if (s.empty()) {
    error = "sound " + std::to_string(job.number) + " came out empty";
    return false;
  }
  pcm = synth::ToPcm16(s);
  return true;
}

}  // namespace torvel::forge
