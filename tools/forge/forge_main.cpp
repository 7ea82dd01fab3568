// forge --out DIR [--preview DIR] [--icons DIR]: writes the game folder.
#include <cstdio>
#include <cstring>

#include "forge/forge.h"

int main(int argc, char** argv) {
  torvel::forge::ForgeOptions options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      options.outDir = argv[++i];
    } else if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc) {
      options.previewDir = argv[++i];
    } else if (std::strcmp(argv[i], "--icons") == 0 && i + 1 < argc) {
      options.iconDir = argv[++i];
    } else {
      std::fprintf(stderr, "usage: forge --out DIR [--preview DIR] [--icons DIR]\n");
      return 2;
    }
  }
  if (options.outDir.empty()) {
    std::fprintf(stderr, "usage: forge --out DIR [--preview DIR] [--icons DIR]\n");
    return 2;
  }
  return torvel::forge::ForgeAll(options) ? 0 : 1;
}
