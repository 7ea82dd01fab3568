// The ending: the shadow lifts from the land, the sun comes up over the
// castle, and the hero, whole sword raised, stands on the hill in the light.
#include <cmath>

#include "forge/movie/scenery.h"
#include "forge/movie/story.h"
#include "forge/paint/noise.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge {

namespace {

constexpr double kEndingSeconds = 15.0;

double HillTop(double x) {
  double d = (x - 160.0) / 120.0;
  return 180.0 + 36.0 * d * d;
}

}  // namespace

void MakeEnding(const MovieCast& cast, MovieMaker& movie) {
  const int frames = FramesFor(kEndingSeconds, movie.FrameMs());
  const double end = frames * movie.FrameMs() / 1000.0;
  const Clouds clouds(10, 100, 0.35, 501);
  const ShadeImage far = Ridge(150, 12, 70, kBlue, 4, 2, 502);
  const ShadeImage near = Ridge(168, 8, 45, kGreen, 4, 2, 503);
  ShadeImage hill(kMovieWidth, kMovieHeight);
  for (int x = 0; x < hill.width(); ++x) {
    double top = HillTop(x + 0.5);
    for (int y = static_cast<int>(top); y < hill.height(); ++y) {
      double grain = (Fbm(x * 0.1, y * 0.2, 0, 0, 2, 504) - 0.5) * 4;
      hill.Set(x, y, kGreen, 6 - (y - top) * 0.1 + grain);
    }
  }
  for (int f = 0; f < frames; ++f) {
    double t = f * movie.FrameMs() / 1000.0;
    double dawn = Progress(t, 0.5, 6.0);
    Picture p;
    SkyBlend(p, 0, 150, dawn < 0.5 ? kViolet : kBlue, 3 + 14 * dawn, kGold, 6 + 18 * dawn);
    Sun(p, 90, 150 - 60 * dawn, 10, 2 + 6 * dawn);
    clouds.Draw(p, dawn < 0.4 ? -3 : 4, 0.4, f);
    p.Stamp(far, 0, 0, 0.5, 10 * dawn);
    // The castle, its windows going dark as the shadow leaves it.
    Castle(p, 250, 150, 0.9, kGrey, 3 + 6 * dawn, dawn < 0.6, f);
    p.Stamp(near, 0, 0, 0.5, 9 * dawn);
    p.Stamp(hill, 0, 0, 0.7, 10 * dawn);
    for (int k = 0; k < 4; ++k) {
      double fly = Progress(t, 4.0 + k * 0.6, 12.0 + k * 0.6);
      if (fly > 0 && fly < 1) Bird(p, Lerp(-10.0, 330.0, fly), 60 + 12 * k + 6 * Sin(t + k), f + k);
    }
    // The hero: standing, then lifting his sword to the sun; light gathers
    // on the raised blade and runs up it.
    const double lift = 6.0;
    double ground = HillTop(160);
    const Sprite* hero = t < lift ? cast.ArmouredPose(0, 0, 2) : cast.ArmouredPose(4, 2, 2);
    // Close: three movie pixels to each of the sprite's.
    const int scale = 3;
    p.DrawSpriteShadow(hero, 160, static_cast<int>(ground), scale);
    p.DrawSprite(hero, 160, static_cast<int>(ground), scale);
    if (t >= lift) {
      double shine = Progress(t, lift, lift + 1.0);
      // Where the raised blade's tip is in that pose.
      const Vec2 tip = {160.0 - 15 * scale, ground - 38 * scale};
      p.Light(tip.x, tip.y, 40 + 20 * shine, 6 * shine, kGold);
      double run = std::fmod(t - lift, 1.5) / 1.5;
      p.Light(tip.x + 8 * (1.0 - run), tip.y + 14 * (1.0 - run), 8, 9 * shine);
      Motes(p, 20, kGold, 505, f, static_cast<int>(tip.y) - 30, static_cast<int>(tip.y) + 30);
    }

    double line1 = CaptionLight(t, 1.0, 5.5);
    double line2 = CaptionLight(t, 6.0, 10.5);
    double last = CaptionLight(t, 11.0, end + 1.0);
    if (line1 > 0) p.DrawTextCentred(cast.small, 160, 20, "TbMA 0TCTYLNVA", kGrey, line1);
    if (line2 > 0) p.DrawTextCentred(cast.small, 160, 20, "MNP BEPHYVCR B 3EMVN", kGrey, line2);
    if (last > 0) p.DrawTextCentred(cast.big, 160, 14, "K0HEQ", kGold, last);
    movie.Add(p, std::min(Progress(t, 0.0, 1.5), 1.0 - Progress(t, end - 1.5, end)));
  }
}

}  // namespace torvel::forge
