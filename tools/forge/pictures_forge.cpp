// The full-screen pictures, each with a preview.
#include <string>

#include "forge/forge.h"
#include "forge/forge_files.h"
#include "forge/pictures/pictures.h"
#include "forge/preview.h"
#include "gfx/bmp.h"

namespace torvel::forge {

namespace {

bool WritePicture(const ForgeOptions& options, const std::string& file,
                  const ScreenPicture& picture) {
  BmpImage image;
  image.width = 640;
  image.height = 480;
  image.pixels = picture.pixels;
  image.palette = picture.palette;
  if (!WriteGameFile(options, "graphics\\" + file + ".bmp", EncodeBmp8(image))) return false;
  return WritePicturePreview(PreviewPath(options, "picture_" + file), image.pixels, 640, 480,
                             image.palette);
}

}  // namespace

bool ForgePictures(const ForgeOptions& options) {
  ScreenPicture title = TitleCard();
  return WritePicture(options, "intro1", PresenterCard()) &&
         WritePicture(options, "intro2", title) && WritePicture(options, "title", title) &&
         WritePicture(options, "trail1", FarewellCard()) &&
         WritePicture(options, "trail2", ClosingCard()) &&
         WritePicture(options, "shop", ShopPicture()) &&
         WritePicture(options, "zoobo", EpiloguePicture()) &&
         WritePicture(options, "oldmap", OldMapPicture());
}

}  // namespace torvel::forge
