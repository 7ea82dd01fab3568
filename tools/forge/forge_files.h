// Writing the forge's output files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forge/forge.h"

namespace torvel::forge {

// The host path of a file of the game folder named in the game's own form
// ("graphics\\pal.bmp").
std::string GameFilePath(const ForgeOptions& options, const std::string& systemName);

// Writes a file of the game folder; reports a failure on stderr.
bool WriteGameFile(const ForgeOptions& options, const std::string& systemName,
                   const std::vector<uint8_t>& bytes);

}  // namespace torvel::forge
