#include "forge/sprite_output.h"

#include "forge/forge_files.h"

namespace torvel::forge {

Sprite EncodeSpriteImage(const SpriteImage& image) {
  if (image.Empty()) return Sprite{};
  // Any value the sprite does not draw can stand for "transparent" in the
  // encoder's input.
  bool used[256] = {};
  for (size_t i = 0; i < image.pixels.size(); ++i)
    if (image.opaque[i]) used[image.pixels[i]] = true;
  int clear = 0;
  while (clear < 256 && used[clear]) ++clear;
  std::vector<uint8_t> pixels = image.pixels;
  if (clear == 256) {
    // Every value is drawn somewhere: no sprite of ours does that, but keep
    // it safe by encoding the runs row by row around the mask instead.
    Sprite sprite;
    sprite.width = static_cast<uint16_t>(image.width);
    sprite.height = static_cast<uint16_t>(image.height);
    sprite.ofsX = static_cast<int16_t>(image.ofsX);
    sprite.ofsY = static_cast<int16_t>(image.ofsY);
    for (int y = 0; y < image.height; ++y) {
      int x = 0;
      while (x < image.width) {
        bool opaque = image.Opaque(x, y);
        int n = 1;
        while (x + n < image.width && n < 127 && image.Opaque(x + n, y) == opaque) ++n;
        if (opaque) {
          sprite.data.push_back(static_cast<uint8_t>(n));
          for (int k = 0; k < n; ++k) sprite.data.push_back(image.At(x + k, y));
        } else {
          sprite.data.push_back(static_cast<uint8_t>(0x80 | n));
        }
        x += n;
      }
    }
    return sprite;
  }
  for (size_t i = 0; i < pixels.size(); ++i)
    if (!image.opaque[i]) pixels[i] = static_cast<uint8_t>(clear);
  return EncodeSprite(pixels.data(), image.width, image.height, image.width,
                      static_cast<uint8_t>(clear), static_cast<int16_t>(image.ofsX),
                      static_cast<int16_t>(image.ofsY));
}

bool WriteSpriteSetFiles(const ForgeOptions& options, const std::string& systemName,
                         const std::string& previewName, const std::vector<SpriteImage>& sprites,
                         const std::vector<PreviewMode>& modes) {
  std::vector<Sprite> encoded;
  encoded.reserve(sprites.size());
  for (const SpriteImage& s : sprites) encoded.push_back(EncodeSpriteImage(s));
  if (!WriteGameFile(options, systemName, EncodeSpriteSet(encoded))) return false;
  SheetOptions sheet;
  sheet.modes = modes;
  sheet.maxWidth = 640;
  return WriteSpriteSheet(PreviewPath(options, previewName), sprites, sheet);
}

}  // namespace torvel::forge
