#include "forge/creatures/creature_sets.h"

#include <cmath>

#include "actors/kinds.h"
#include "forge/creatures/models.h"
#include "forge/creatures/rigs.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

int SequencePeriod(const std::vector<int>& sequence) {
  int n = static_cast<int>(sequence.size());
  for (int p = 1; p < n; ++p) {
    bool repeats = true;
    for (int i = p; i < n && repeats; ++i) repeats = sequence[i] == sequence[i - p];
    if (repeats) return p;
  }
  return n > 0 ? n : 1;
}

PoseKey PoseForFrame(int kind, int frame) {
  PoseKey key;
  key.kind = kind;
  key.frame = frame;
  for (int anim = 0; anim < kSequenceCount; ++anim) {
    int length = KindSequenceLength(kind, anim);
    const uint8_t* seq = KindSequence(kind, anim);
    for (int pos = 0; pos < length; ++pos) {
      if (seq[pos] != frame) continue;
      std::vector<int> frames(seq, seq + length);
      key.anim = anim;
      key.pos = pos;
      key.length = length;
      key.period = SequencePeriod(frames);
      key.t = length > 1 ? static_cast<double>(pos) / (length - 1) : 0;
      key.cycle = static_cast<double>(pos + 1) / key.period;
      return key;
    }
  }
  return key;  // unused frames stand idle
}

int SpriteCountFor(int kind) {
  if (kind == 7) return 26;
  int fpf = KindFramesPerFacing(kind);
  return (KindFlags(kind) & KindFlag::OneFacing) ? fpf : fpf * 8;
}

std::vector<SpriteImage> RenderKindSet(int kind, bool armoured) {
  Design design = DesignFor(kind);
  std::vector<SpriteImage> sprites;
  int count = SpriteCountFor(kind);
  bool oneFacing = (KindFlags(kind) & KindFlag::OneFacing) != 0;
  int perFacing = oneFacing ? count : KindFramesPerFacing(kind);
  sprites.reserve(count);
  for (int i = 0; i < count; ++i) {
    int frame = i % perFacing;
    int facing = oneFacing ? 2 : i / perFacing;
    PoseKey key = PoseForFrame(kind, frame);
    key.facing = facing;
    key.armoured = armoured;
    Scene scene;
    scene.SetTransform(RotZ(facing * kPi / 4), {0, 0, 0});
    scene.SetScale(design.scale);
    if (design.build) design.build(scene, key);
    sprites.push_back(RenderScene(scene, design.view));
  }
  if (kind == 1) {
    // Frames 200 to 463 are never drawn; the shimmer ring follows them.
    sprites.resize(kHeroShimmerFrame);
    for (int step = 0; step < 8; ++step) sprites.push_back(RenderHeroShimmer(step));
  }
  return sprites;
}

SpriteImage RenderHeroShimmer(int step) {
  // A ring of sparks round the hero's feet, turning one eighth per step; ghost
  // art is dark because the game adds it to the shade of what lies beneath.
  Scene scene;
  Material spark = Mat(kGold, 4, 11);
  Material faint = Mat(kGold, 2, 6);
  for (int i = 0; i < 8; ++i) {
    double a = 2 * kPi * (i / 8.0 + step / 64.0);
    double h = 3 + 10 * (0.5 + 0.5 * Sin(a * 3 + step * kPi / 4));
    Vec3 p{14 * Cos(a), 10 * Sin(a), h};
    scene.Sphere(p, 1.6, spark);
    scene.Capsule(p - Vec3{0, 0, 3}, p + Vec3{0, 0, 3}, 0.6, faint);
  }
  scene.Ring({0, 0, 0.5}, 12.5, 14.5, faint);
  View view;
  view.outlineShade = 1;
  view.edgeDarken = 0;
  SpriteImage img = RenderScene(scene, view);
  // No dark outline under a ghost: it would only dim the floor.
  for (size_t i = 0; i < img.pixels.size(); ++i) {
    if (img.opaque[i] && ShadeOf(img.pixels[i]) <= 1) img.opaque[i] = 0;
  }
  return img;
}

}  // namespace torvel::forge::creatures
