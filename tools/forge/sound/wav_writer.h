// 16-bit mono PCM WAV files, laid out the way the game's reader wants them:
// RIFF "WAVE", an 18-byte "fmt " record (PCM, no extra bytes), then "data".
#pragma once

#include <cstdint>
#include <vector>

namespace torvel::forge {

std::vector<uint8_t> EncodeWav16Mono(const std::vector<int16_t>& samples, uint32_t rate);

}  // namespace torvel::forge
