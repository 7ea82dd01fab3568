// The sprite sets that are not creatures: items, bullets, the status
// display, the shop and the title lettering.
#include "forge/art/bullets_art.h"
#include "forge/art/interface_art.h"
#include "forge/art/items_art.h"
#include "forge/art/shop_art.h"
#include "forge/art/title_art.h"
#include "forge/forge.h"
#include "forge/mockups.h"
#include "forge/sprite_output.h"

namespace torvel::forge {

bool ForgeSpriteSets(const ForgeOptions& options) {
  SpriteSetArt items = BuildItemArt();
  if (!WriteSpriteSetFiles(options, "graphics\\items.vsp", "items", items.sprites, items.modes))
    return false;
  SpriteSetArt bullets = BuildBulletArt();
  if (!WriteSpriteSetFiles(options, "graphics\\bullets.vsp", "bullets", bullets.sprites,
                           bullets.modes))
    return false;
  SpriteSetArt intface = BuildInterfaceArt();
  if (!WriteSpriteSetFiles(options, "graphics\\intface.vsp", "intface", intface.sprites,
                           intface.modes))
    return false;
  SpriteSetArt shop = BuildShopArt();
  if (!WriteSpriteSetFiles(options, "graphics\\shop.vsp", "shop", shop.sprites, shop.modes))
    return false;
  SpriteSetArt title = BuildTitleArt();
  if (!WriteSpriteSetFiles(options, "graphics\\titlespr.vsp", "titlespr", title.sprites,
                           title.modes))
    return false;
  return WriteMockups(options, {&items, &bullets, &intface, &shop, &title});
}

}  // namespace torvel::forge
