// A picture of every sound for people who would rather look first: one
// small waveform per sound, labelled with its number, louder parts taller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvel::forge {

bool WriteSoundPreview(const std::string& hostPath, const std::vector<int>& numbers,
                       const std::vector<std::vector<int16_t>>& pcm);

}  // namespace torvel::forge
