// The intro: the land under a shadow, the great sword shattered into four
// pieces flung across the world; then dawn, and the hero who sets out to
// find them. Timed to the intro score: its dark opening, its call, its close.
#include <cmath>

#include "forge/art/motifs.h"
#include "forge/movie/scenery.h"
#include "forge/movie/story.h"
#include "forge/paint/noise.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge {

namespace {

constexpr double kDawn = 7.2;    // the score's call begins
constexpr double kClose = 14.4;  // and its closing chord
constexpr double kSwordScale = 0.55;

// The hill the hero climbs: its top at (160, 168).
double HillY(double x) {
  double d = (x - 160.0) / 110.0;
  return 168.0 + 40.0 * d * d;
}

// A jagged stroke of lightning from the clouds down to the ridge.
void Lightning(Picture& p, double x, uint32_t seed) {
  Rng rng(seed);
  double y = 20;
  while (y < 150) {
    double nx = x + rng.Range(-9, 9), ny = y + rng.Range(6, 14);
    for (int k = 0; k <= 12; ++k) {
      double f = k / 12.0;
      int px = static_cast<int>(Lerp(x, nx, f)), py = static_cast<int>(Lerp(y, ny, f));
      p.Set(px, py, forge::Shade(kIce, 31));
      p.Set(px + 1, py, forge::Shade(kIce, 24));
    }
    x = nx;
    y = ny;
  }
}

// The night under the shadow: what stands still painted once.
class Night {
 public:
  Night() : clouds_(0, 120, 0.55, 12), near_(Ridge(176, 10, 50, kViolet, 3, 0, 14)) {
    SkyBlend(sky_, 0, 150, kViolet, 1, kRed, 8);
    far_ = Ridge(150, 14, 70, kBlue, 4, 1, 13);
  }
  Picture Frame(int frame) const {
    Picture p = sky_;
    Stars(p, 70, 110, 11, frame);
    clouds_.Draw(p, -4, 0.35, frame);
    p.Stamp(far_, 0, 0);
    Castle(p, 236, 140, 0.75, kGrey, 3, true, frame);
    p.Stamp(near_, 0, 0);
    return p;
  }

 private:
  Picture sky_;
  Clouds clouds_;
  ShadeImage far_, near_;
};

// Dawn over the hills: the sky and the land grow lighter as the sun climbs.
class Dawn {
 public:
  Dawn()
      : clouds_(10, 90, 0.4, 21),
        far_(Ridge(138, 12, 60, kBlue, 9, 4, 22)),
        near_(Ridge(160, 12, 45, kGreen, 7, 3, 23)),
        hill_(kMovieWidth, kMovieHeight) {
    for (int x = 0; x < hill_.width(); ++x) {
      double top = HillY(x + 0.5);
      for (int y = static_cast<int>(top); y < hill_.height(); ++y) {
        double grain = (Fbm(x * 0.1, y * 0.2, 0, 0, 2, 55) - 0.5) * 4;
        hill_.Set(x, y, kGreen, 12 - (y - top) * 0.12 + grain + (y - top < 1.5 ? 3 : 0));
      }
    }
  }
  Picture Frame(double rise, int frame) const {
    Picture p;
    SkyBlend(p, 0, 140, kBlue, 6 + 8 * rise, kGold, 14 + 10 * rise);
    Sun(p, 230, 150 - 40 * rise, 9, 4 + 4 * rise);
    clouds_.Draw(p, 3, 0.6, frame);
    p.Stamp(far_, 0, 0, 0.5, 6 * rise);
    p.Stamp(near_, 0, 0, 0.5, 6 * rise);
    p.Stamp(hill_, 0, 0, 0.7, 8 * rise);
    return p;
  }

 private:
  Clouds clouds_;
  ShadeImage far_, near_, hill_;
};

}  // namespace

void MakeIntro(const MovieCast& cast, MovieMaker& movie) {
  const int frames = FramesFor(cast.introSeconds, movie.FrameMs());
  const double end = frames * movie.FrameMs() / 1000.0;
  const double appear = 2.4, shatter = 4.8;
  ShadeImage whole(kMovieWidth, kMovieHeight);
  const Vec2 pommel = {130.0, 96.0};
  PaintSword(whole, pommel, kSwordScale, TurnX(-0.25), 15u, 0.0);
  const SwordPieces pieces = UprightSwordPieces(kSwordScale);
  const Night night;
  const Dawn dawn;
  // Where the pieces fly: the four lands, off the four sides of the picture.
  const Vec2 away[4] = {{-40, 200}, {360, 210}, {-40, -40}, {360, -30}};

  for (int f = 0; f < frames; ++f) {
    double t = f * movie.FrameMs() / 1000.0;
    double light = 1.0;
    Picture p;
    if (t < kDawn) {
      p = night.Frame(f);
      // Two strokes of lightning over the castle.
      for (double strike : {1.3, 3.9, 6.1}) {
        if (t >= strike && t < strike + 0.18) {
          Lightning(p, 200 + 40 * Sin(strike * 7), static_cast<uint32_t>(strike * 100));
          light = 1.15;
        }
      }
      if (t >= appear && t < shatter) {
        double glow = Progress(t, appear, appear + 1.2);
        double center = pommel.y - 85 * kSwordScale;
        p.Light(pommel.x, center, 70, 7 * glow, kViolet);
        p.Stamp(whole, 0, std::lround(-6 * glow + 2 * Sin(t * 3)));
      } else if (t >= shatter) {
        double k = Progress(t, shatter, shatter + 2.2);
        for (int piece = 0; piece < 4; ++piece) {
          double length = (SwordPieceEnd(piece) - SwordPieceStart(piece)) * kSwordScale;
          Vec2 home = {pommel.x,
                       pommel.y - 6 - (SwordPieceStart(piece) * kSwordScale + length / 2)};
          Vec2 at = {Lerp(home.x, away[piece].x, k), Lerp(home.y, away[piece].y, k)};
          if (k < 1.0) {
            p.Light(at.x, at.y, 22, 6, kViolet);
            p.StampTurned(pieces.image[piece], pieces.middle[piece], at.x, at.y,
                          k * 3 * kPi * (piece % 2 ? 1 : -1), 2);
          }
        }
        if (t < shatter + 0.2) light = 1.4;  // the sword breaks in a flash
      }
      double caption1 = CaptionLight(t, 0.6, 3.6);
      double caption2 = CaptionLight(t, 4.3, 7.0);
      if (caption1 > 0)
        p.DrawTextCentred(cast.small, 160, 210, "TbMA LPNUVA HA 3EMVN", kGrey, caption1);
      if (caption2 > 0)
        p.DrawTextCentred(cast.small, 160, 210, "BEVNKNJ ME4 PA3SNT HA 4ETbIPE 4ACTN", kGrey,
                          caption2);
      light *= std::min(Progress(t, 0.0, 1.0), 1.0 - Progress(t, kDawn - 0.5, kDawn));
    } else {
      p = dawn.Frame(Progress(t, kDawn, kClose), f);
      // The hero walks up the hill and stops on its top, facing us; at the
      // closing chord he lifts his arms to the light.
      double walk = Progress(t, kDawn + 0.3, kDawn + 4.6);
      double x = Lerp(-20.0, 160.0, walk);
      int tick = static_cast<int>(t * 15);
      const Sprite* hero = walk < 1.0         ? cast.Pose(kHeroKind, 1, tick, 0)
                           : t < kClose - 0.8 ? cast.Pose(kHeroKind, 0, 0, 2)
                                              : cast.Pose(kHeroKind, 4, tick / 3, 2);
      // Birds wake with the light.
      for (int k = 0; k < 3; ++k) {
        double fly = Progress(t, kDawn + 2.0 + k, kDawn + 9.0 + k);
        if (fly > 0 && fly < 1)
          Bird(p, Lerp(330.0, -10.0, fly), 50 + 14 * k + 5 * Sin(t * 2 + k), f + k);
      }
      double ground = HillY(x);
      p.DrawSpriteShadow(hero, static_cast<int>(x), static_cast<int>(ground), 2);
      p.DrawSprite(hero, static_cast<int>(x), static_cast<int>(ground), 2);
      if (t >= kClose) {
        Motes(p, 24, kGold, 57, f, 40, 200);
        // Four points of light wake on the horizon: the four pieces, waiting.
        const double xs[4] = {40, 110, 215, 285};
        for (int k = 0; k < 4; ++k) {
          double on = Progress(t, kClose + 0.3 * k, kClose + 0.3 * k + 0.5);
          if (on <= 0) continue;
          int gx = static_cast<int>(xs[k]), gy = 146 + (k % 2) * 6;
          int arm = static_cast<int>(2 + 4 * on);
          for (int d = -arm; d <= arm; ++d) {
            uint8_t v = forge::Shade(kGold, static_cast<int>(31 - 3 * std::abs(d)));
            p.Set(gx + d, gy, v);
            p.Set(gx, gy + d, v);
          }
        }
      }
      double caption1 = CaptionLight(t, kDawn + 0.6, kDawn + 3.4);
      double caption2 = CaptionLight(t, kDawn + 3.6, kClose);
      double caption3 = CaptionLight(t, kClose + 0.2, end + 1.0);
      if (caption1 > 0) p.DrawTextCentred(cast.small, 160, 210, "H0 ECTb FEP0J", kGold, caption1);
      if (caption2 > 0)
        p.DrawTextCentred(cast.small, 160, 210, "0H C0SEPET ME4 N LPNHECET CBET", kGold, caption2);
      if (caption3 > 0) p.DrawTextCentred(cast.big, 160, 14, "N&N 4ACTN ME4A!", kGold, caption3);
      light = std::min(Progress(t, kDawn, kDawn + 0.8), 1.0 - Progress(t, end - 1.0, end));
    }
    movie.Add(p, light);
  }
}

}  // namespace torvel::forge
