// The sprite sets that are not creatures: items, bullets, the status
// display, the shop and the title lettering.
#include "forge/art/interface_art.h"
#include "forge/art/items_art.h"
#include "forge/forge.h"
#include "forge/preview.h"

namespace torvel::forge {

bool ForgeSpriteSets(const ForgeOptions& options) {
  SpriteSetArt items = BuildItemArt();
  SheetOptions sheet;
  sheet.modes = items.modes;
  sheet.maxWidth = 640;
  if (!WriteSpriteSheet(PreviewPath(options, "items"), items.sprites, sheet)) return false;
  SpriteSetArt intface = BuildInterfaceArt();
  sheet.modes = intface.modes;
  return WriteSpriteSheet(PreviewPath(options, "intface"), intface.sprites, sheet);
}

}  // namespace torvel::forge
