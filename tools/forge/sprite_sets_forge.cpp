// The sprite sets that are not creatures: items, bullets, the status
// display, the shop and the title lettering.
#include "forge/art/interface_art.h"
#include "forge/art/items_art.h"
#include "forge/forge.h"
#include "forge/sprite_output.h"

namespace torvel::forge {

bool ForgeSpriteSets(const ForgeOptions& options) {
  SpriteSetArt items = BuildItemArt();
  if (!WriteSpriteSetFiles(options, "graphics\\items.vsp", "items", items.sprites, items.modes))
    return false;
  SpriteSetArt intface = BuildInterfaceArt();
  return WriteSpriteSetFiles(options, "graphics\\intface.vsp", "intface", intface.sprites,
                             intface.modes);
}

}  // namespace torvel::forge
