// Pieces of the full-screen pictures: skies, stars, hills and mountains,
// castles, halos and lettering, painted on a 640 x 480 canvas.
#pragma once

#include <string>

#include "forge/paint/mask.h"
#include "forge/paint/shade_image.h"

namespace torvel::forge {

// A sky from shade `top` at y0 to `bottom` at y1 in one ramp, or passing
// from one ramp to another at `mixFrom` (0..1 of the way) with a dithered
// seam.
void Sky(ShadeImage& img, int y0, int y1, int ramp, double top, double bottom);
void SkyBlend(ShadeImage& img, int y0, int y1, int topRamp, double top, int bottomRamp,
              double bottom, double mixFrom);
void Stars(ShadeImage& img, int y0, int y1, int count, uint32_t seed);
// A round moon with its lit side to the upper left.
void Moon(ShadeImage& img, double cx, double cy, double r);
// A range of hills or mountains: everything below a ragged skyline at about
// baseY, shaded from `shade` at the ridge downward; sharp: mountain peaks.
void Ridge(ShadeImage& img, double baseY, double height, double roughness, int ramp, double shade,
           uint32_t seed, bool sharp = false);
// A castle's dark outline standing on baseY, its windows lit.
void CastleSilhouette(ShadeImage& img, double x, double baseY, double scale, int ramp, double shade,
                      bool litWindows);
// Brightens what is already painted around a point (a glow in the air).
void Halo(ShadeImage& img, double cx, double cy, double radius, double strength,
          int rampOverride = -1);
// Lettering in a DejaVu face, centred on cx, its ink's top at y, raised
// with a bevel and rimmed in a dark ramp.
void Lettering(ShadeImage& img, const std::u32string& text, const char* face, int size, double cx,
               double y, const Material& body, int rimRamp);
// The lettering's ink as a mask at its size (for measuring and placing).
Mask LetteringMask(const std::u32string& text, const char* face, int size);

}  // namespace torvel::forge
