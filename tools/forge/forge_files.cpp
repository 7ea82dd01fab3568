#include "forge/forge_files.h"

#include <cstdio>

#include "common/byte_io.h"

namespace torvel::forge {

std::string GameFilePath(const ForgeOptions& options, const std::string& systemName) {
  std::string path = options.outDir;
  if (!path.empty() && path.back() != '/') path += '/';
  for (char c : systemName) path += c == '\\' ? '/' : c;
  return path;
}

bool WriteGameFile(const ForgeOptions& options, const std::string& systemName,
                   const std::vector<uint8_t>& bytes) {
  std::string path = GameFilePath(options, systemName);
  if (WriteFileAtomic(path, bytes)) return true;
  std::fprintf(stderr, "forge: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace torvel::forge
