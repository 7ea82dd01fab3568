// The desktop icons: one PNG a size, laid out as an icon theme's folders
// (hicolor/SIZExSIZE/apps/torvel.png) under the icon folder.
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/png.h"
#include "forge/forge.h"
#include "forge/icons/icon_art.h"

namespace torvel::forge {

bool ForgeIcons(const ForgeOptions& options) {
  if (options.iconDir.empty()) return true;
  for (int size : kIconSizes) {
    std::string folder =
        options.iconDir + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::vector<uint8_t> rgba = RenderIcon(size);
    if (ec || !WriteRgbaPng(folder + "/torvel.png", rgba.data(), size, size)) {
      std::fprintf(stderr, "forge: cannot write the %dx%d icon into %s\n", size, size,
                   folder.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace torvel::forge
