// The chapter openings: each world shown as the hero comes to it, with the
// chapter's title and a line on which piece of the sword lies there.
#include <cmath>
#include <memory>

#include "forge/movie/scenery.h"
#include "forge/movie/story.h"
#include "forge/paint/noise.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge {

namespace {

constexpr double kChapterSeconds = 10.0;

struct Chapter {
  const char* title;  // big letters at the top
  const char* name;   // the world's name under it
  const char* line;   // the caption at the foot
  double groundY;     // where the hero walks
  int titleRamp;
};

const Chapter kChapters[4] = {
    {"FVABA LEPBAR", "PEKA", "LEPBAR 4ACTb ME4A - Y PEKN", 206, kGold},
    {"FVABA BT0PAR", "VEC", "BT0PAR 4ACTb - B TEMH0M VECY", 208, kGold},
    {"FVABA TPETbR", "3AM0K", "TPETbR 4ACTb - B CTAP0M 3AMKE", 204, kIce},
    {"FVABA 4ETBEPTAR", "L0D3EMbE", "4ETBEPTAR 4ACTb - B0 TbME L0D3EMEVbR", 206, kGold},
};

// A creature's sprite drawn at the movies' double size with its shadow.
void Actor(Picture& p, const Sprite* s, double x, double y, bool shadow = true) {
  if (shadow) p.DrawSpriteShadow(s, static_cast<int>(x), static_cast<int>(y), 2);
  p.DrawSprite(s, static_cast<int>(x), static_cast<int>(y), 2);
}

// Draws a creature that only shows above a line (rising out of water or
// fire): drawn on a copy, and only the rows above the line kept.
void Surfacing(Picture& p, const Sprite* s, double x, double y, int line) {
  Picture above = p;
  Actor(above, s, x, y, false);
  for (int yy = 0; yy < std::min(line, p.height()); ++yy)
    for (int xx = 0; xx < p.width(); ++xx) p.Set(xx, yy, above.At(xx, yy));
}

// One world's backdrop: what stands still is painted once, what moves is
// drawn over it every frame.
class Scene {
 public:
  virtual ~Scene() = default;
  virtual void Draw(Picture& p, const MovieCast& cast, double t, int f) const = 0;
};

// The river by day: far hills, the water running across the picture, reeds
// on the near bank; a serpent comes up for a look and goes down again.
class River : public Scene {
 public:
  River() : clouds_(5, 80, 0.45, 101), bank_(Ridge(182, 2, 40, kGreen, 14, 8, 105)) {
    SkyBlend(base_, 0, 110, kBlue, 12, kIce, 24);
    base_.Stamp(Ridge(100, 10, 70, kBlue, 14, 10, 102), 0, 0);
    base_.Stamp(Ridge(116, 8, 40, kGreen, 12, 8, 103), 0, 0);
  }
  void Draw(Picture& p, const MovieCast& cast, double t, int f) const override {
    p = base_;
    clouds_.Draw(p, 5, 0.3, f);
    Water(p, 128, 180, kBlue, 13, f, 0.8);
    double rise = std::min(Progress(t, 4.0, 5.0), 1.0 - Progress(t, 7.0, 8.0));
    if (rise > 0)
      Surfacing(p, cast.Pose(kSerpentKind, 1, static_cast<int>(t * 15), 4), 230,
                170 + 34 * (1.0 - rise), 168);
    p.Stamp(bank_, 0, 0);
    Reeds(p, 184, 40, 16, kGreen, 104, f);
  }

 private:
  Picture base_;
  Clouds clouds_;
  ShadeImage bank_;
};

// The forest at dusk: rows of trees fading into the blue, fireflies, a path;
// a spider hurries across it and a shroom stands by the way.
class Forest : public Scene {
 public:
  Forest() {
    SkyBlend(base_, 0, 120, kViolet, 6, kGold, 14);
    Gradient(base_, 120, 240, kGreen, 2, 4);
    Rng rng(201);
    // Far rows blue in the dusk, the nearest dark green; fewer and taller
    // trees the nearer they stand.
    for (int row = 0; row < 3; ++row) {
      double ground = 125 + row * 28;
      int count = 16 - row * 5;
      for (int k = 0; k < count; ++k) {
        double x = (k + rng.Range(0.1, 0.9)) * 340.0 / count - 10;
        double h = rng.Range(50, 80) + row * (row == 2 ? 22 : 35);
        if (row == 2) {
          LeafyTree(base_, x, ground, h, kGreen, 6, 220 + k);
        } else {
          Conifer(base_, x, ground, h, kBlue, 3 + row * 3 + rng.Range(-1, 1), 210 + k + row * 20);
        }
      }
    }
    base_.Stamp(Ridge(186, 3, 30, kGreen, 7, 3, 204), 0, 0);
    Gradient(base_, 200, 222, kBrown, 10, 8);  // the path
  }
  void Draw(Picture& p, const MovieCast& cast, double t, int f) const override {
    p = base_;
    Motes(p, 26, kGold, 202, f, 60, 200);
    Actor(p, cast.Pose(kShroomKind, 0, static_cast<int>(t * 15), 2), 250, 200);
    double run = Progress(t, 3.0, 6.5);
    if (run > 0 && run < 1)
      Actor(p, cast.Pose(kSpiderKind, 1, static_cast<int>(t * 20), 4), 340 - 380 * run, 226);
  }

 private:
  Picture base_;
};

// The castle by night: the moon, drifting cloud, the keep with its lit
// windows; bats stream out over the walls.
class CastleNight : public Scene {
 public:
  CastleNight() : clouds_(10, 110, 0.4, 302), hill_(Ridge(160, 18, 90, kGrey, 4, 1, 303)) {
    SkyBlend(sky_, 0, 150, kBlue, 1, kViolet, 7);
    Moon(sky_, 70, 50, 16);
  }
  void Draw(Picture& p, const MovieCast& cast, double t, int f) const override {
    p = sky_;
    Stars(p, 80, 140, 301, f);
    clouds_.Draw(p, -3, 0.5, f);
    Castle(p, 190, 150, 1.3, kGrey, 3, true, f);
    p.Stamp(hill_, 0, 0);
    Gradient(p, 196, 240, kBrown, 5, 2);
    for (int k = 0; k < 5; ++k) {
      double start = 1.5 + 0.7 * k;
      double fly = Progress(t, start, start + 3.0);
      if (fly <= 0 || fly >= 1) continue;
      const Sprite* bat = cast.Pose(kBatKind, 1, static_cast<int>(t * 15) + k * 3, 4);
      double x = Lerp(200.0 + 10 * k, -40.0, fly);
      double y = 80 - 40 * fly + 10 * Sin(t * 6 + k);
      p.DrawSprite(bat, static_cast<int>(x), static_cast<int>(y), 2);
    }
  }

 private:
  Picture sky_;
  Clouds clouds_;
  ShadeImage hill_;
};

// The underground: a roof hung with stone, a river of lava lighting it all,
// torches on the rock; a magmazoid rises from the fire.
class Underground : public Scene {
 public:
  Underground() : floor_(CaveFloor(188, 402)) {
    Gradient(base_, 0, 240, kBrown, 2, 5);
    CaveRoof(base_, 70, 401);
    base_.Light(160, 165, 190, 6);
  }
  void Draw(Picture& p, const MovieCast& cast, double t, int f) const override {
    p = base_;
    Lava(p, 150, 180, f);
    double rise = std::min(Progress(t, 3.5, 4.5), 1.0 - Progress(t, 7.0, 8.0));
    if (rise > 0)
      Surfacing(p, cast.Pose(kMagmazoidKind, 0, static_cast<int>(t * 15), 2), 200,
                176 + 30 * (1.0 - rise), 172);
    p.Stamp(floor_, 0, 0);
    Torch(p, 40, 120, f);
    Torch(p, 280, 118, f + 7);
    Motes(p, 30, kGold, 403, f, 70, 180);
  }

 private:
  Picture base_;
  ShadeImage floor_;
};

}  // namespace

void MakeChapter(int world, const MovieCast& cast, MovieMaker& movie) {
  const Chapter& c = kChapters[world];
  const int frames = FramesFor(kChapterSeconds, movie.FrameMs());
  const double end = frames * movie.FrameMs() / 1000.0;
  std::unique_ptr<Scene> scene;
  switch (world) {
    case 0:
      scene = std::make_unique<River>();
      break;
    case 1:
      scene = std::make_unique<Forest>();
      break;
    case 2:
      scene = std::make_unique<CastleNight>();
      break;
    default:
      scene = std::make_unique<Underground>();
      break;
  }
  for (int f = 0; f < frames; ++f) {
    double t = f * movie.FrameMs() / 1000.0;
    Picture p;
    scene->Draw(p, cast, t, f);
    // The hero walks in from the left at an even pace and on toward the right.
    double x = Lerp(-30.0, 270.0, std::clamp((t - 0.5) / (end - 0.5), 0.0, 1.0));
    const Sprite* hero = cast.Pose(kHeroKind, 1, static_cast<int>(t * 15), 0);
    if (world == 3) p.Light(x, c.groundY - 30, 50, 4);  // his light in the dark
    Actor(p, hero, x, c.groundY);

    double title = CaptionLight(t, 0.8, 5.2, 0.8);
    if (title > 0) {
      p.DrawTextCentred(cast.big, 160, 14, c.title, c.titleRamp, title);
      p.DrawTextCentred(cast.big, 160, 44, c.name, c.titleRamp, title);
    }
    double line = CaptionLight(t, 5.0, end + 1.0);
    if (line > 0) p.DrawTextCentred(cast.small, 160, 18, c.line, kGrey, line);
    movie.Add(p, std::min(Progress(t, 0.0, 0.8), 1.0 - Progress(t, end - 0.8, end)));
  }
}

}  // namespace torvel::forge
