// The asset forge: writes the whole game folder from code and content/.
#pragma once

#include <string>

namespace torvel::forge {

struct ForgeOptions {
  std::string outDir;      // the game folder
  std::string previewDir;  // PNG contact sheets for people
};

// Writes every data file; false (with a message on stderr) when one cannot be written.
bool ForgeAll(const ForgeOptions& options);

}  // namespace torvel::forge
