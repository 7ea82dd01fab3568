#include "forge/art/art_kit.h"

namespace torvel::forge {

SpriteImage FinishPlain(const Canvas& c, double dither) {
  Finish f;
  f.dither = dither;
  return Finished(c.img, c.hotX, c.hotY, f);
}

SpriteImage FinishSoft(const Canvas& c, double dither) {
  Finish f = Finish::Soft(dither);
  return Finished(c.img, c.hotX, c.hotY, f);
}

void MakeEvenHeight(SpriteImage& s) {
  if (s.Empty() || s.height % 2 == 0) return;
  s.pixels.insert(s.pixels.begin(), static_cast<size_t>(s.width), 0);
  s.opaque.insert(s.opaque.begin(), static_cast<size_t>(s.width), 0);
  s.height += 1;
  s.ofsY += 1;
}

void StandOnHotSpot(SpriteImage& s) {
  MakeEvenHeight(s);
  s.ofsY = s.height;
}

}  // namespace torvel::forge
