// The sword made whole: the four pieces fly in from the corners of the dark,
// spinning, and lock together; a flash, and the blade shines.
#include <cmath>
#include <vector>

#include "forge/art/motifs.h"
#include "forge/movie/scenery.h"
#include "forge/movie/story.h"
#include "forge/paint/noise.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge {

namespace {

constexpr double kSwordScale = 1.0;
const Vec2 kPommel = {160.0, 214.0};

// The dark behind it all: violet, lighter toward the middle, and once the
// sword is whole, slow rays turning round it. Each pixel's angle and
// distance are worked out once.
class Backdrop {
 public:
  Backdrop() {
    for (int y = 0; y < kMovieHeight; ++y) {
      for (int x = 0; x < kMovieWidth; ++x) {
        double dx = x + 0.5 - 160, dy = y + 0.5 - 128;
        radius_.push_back(std::sqrt(dx * dx + dy * dy));
        angle_.push_back(Atan2(dy, dx));
      }
    }
  }
  Picture Frame(double rayTurn, double rays) const {
    Picture p;
    for (int y = 0; y < p.height(); ++y) {
      for (int x = 0; x < p.width(); ++x) {
        size_t i = static_cast<size_t>(y) * kMovieWidth + x;
        double r = radius_[i];
        double shade = 2.0 + 9.0 * std::max(0.0, 1.0 - r / 190.0);
        if (rays > 0) {
          double beam = 0.5 + 0.5 * Sin(angle_[i] * 9 + rayTurn);
          shade += rays * beam * beam * std::max(0.0, 1.0 - r / 230.0);
        }
        p.Set(x, y, QuantizeShade(kViolet, shade, x, y, 0.9));
      }
    }
    return p;
  }

 private:
  std::vector<double> radius_, angle_;
};

// Where a piece sits in the whole sword: the foot of its stretch.
Vec2 PieceHome(int piece) {
  return {kPommel.x, kPommel.y - SwordPieceStart(piece) * kSwordScale};
}

}  // namespace

void MakeSwordScene(const MovieCast& cast, MovieMaker& movie) {
  const int frames = FramesFor(cast.swordSeconds, movie.FrameMs());
  const double end = frames * movie.FrameMs() / 1000.0;
  const double arrive = 6.6, lock = 7.2;  // the score's fourth bar starts at 7.2 s
  const Vec2 corners[4] = {{-20, 250}, {340, 250}, {-20, -10}, {340, -10}};
  // Flying, each piece whirls in the picture's plane.
  const SwordPieces pieces = UprightSwordPieces(kSwordScale);
  ShadeImage whole(kMovieWidth, kMovieHeight);
  PaintSword(whole, kPommel, kSwordScale, TurnX(-0.25), 15u, 0.0);
  const Backdrop backdrop;
  const Picture dark = backdrop.Frame(0, 0);
  for (int f = 0; f < frames; ++f) {
    double t = f * movie.FrameMs() / 1000.0;
    Picture p = t < lock ? dark : backdrop.Frame(t * 0.35, 5.0 * Progress(t, lock, lock + 1.5));
    Motes(p, 30, kViolet, 41, f, 0, 240);
    if (t < lock) {
      for (int piece = 0; piece < 4; ++piece) {
        // Each piece sets out a little after the one before and slows as it
        // nears its place, whirling all the way.
        double start = 0.3 + 0.8 * piece;
        if (t < start) continue;
        double k = Progress(t, start, arrive);
        double length = (SwordPieceEnd(piece) - SwordPieceStart(piece)) * kSwordScale;
        Vec2 home = {PieceHome(piece).x, PieceHome(piece).y - length / 2};
        Vec2 from = corners[piece];
        double swirl = (1.0 - k) * 60.0;
        Vec2 at = {Lerp(from.x, home.x, k) + swirl * Sin(k * 6.0 + piece),
                   Lerp(from.y, home.y, k) + swirl * Cos(k * 6.0 + piece) * 0.5};
        double spin = (1.0 - k) * 4.0 * kPi * (piece % 2 ? -1 : 1);
        // A halo of light around each piece as it comes.
        p.Light(at.x, at.y, 30, 5 * (1.0 - k) + 2, kViolet);
        p.StampTurned(pieces.image[piece], pieces.middle[piece], at.x, at.y, spin, 3.0 * (1.0 - k));
      }
    } else {
      p.Light(kPommel.x, kPommel.y - 85, 120, 6 * Progress(t, lock, lock + 2), kViolet);
      p.Stamp(whole, 0, 0);
      // A glint runs up the blade, again and again, and sparks rise round it.
      double run = std::fmod(t - lock, 1.6) / 1.6;
      p.Light(kPommel.x, kPommel.y - 170 * run, 16, 9);
      Motes(p, 40, kGold, 43, f, 20, 220);
    }
    double caption = CaptionLight(t, lock + 1.2, end + 1.0);
    if (caption > 0) p.DrawTextCentred(cast.big, 160, 6, "ME4 3ABEPUEH!", kGold, caption);
    // In from black, a white flash as the pieces lock, out to black.
    double light = std::min(Progress(t, 0.0, 0.8), 1.0 - Progress(t, end - 0.8, end));
    if (t >= lock) light += 0.9 * (1.0 - Progress(t, lock, lock + 0.7));
    movie.Add(p, light);
  }
}

}  // namespace torvel::forge
