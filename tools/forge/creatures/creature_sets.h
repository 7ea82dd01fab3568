// Every creature's sprite set, drawn from the kinds table: which pose each
// frame shows, the models that pose, and the frames of every facing.
#pragma once

#include <vector>

#include "forge/creatures/render3d.h"
#include "forge/sprite_image.h"

namespace torvel::forge::creatures {

// The pose a frame shows, read off the place it first takes in the kind's
// sequences (sequences in order 0 to 8, positions from the start): a frame
// no sequence uses shows the idle pose.
struct PoseKey {
  int kind = 0;
  int frame = 0;
  int anim = 0;           // the sequence
  int pos = 0;            // the position in it
  int length = 1;         // the sequence's length
  int period = 1;         // the loop it repeats (its length when it does not repeat)
  double t = 0;           // pos / (length - 1): 0 at the start of an action, 1 at its end
  double cycle = 1;       // (pos + 1) / period: how far round its loop, in (0, 1]
  int facing = 2;         // 0 east, clockwise; one-facing kinds are drawn facing south
  bool armoured = false;  // the hero's second look
};

// The smallest p such that every entry of the sequence equals the one p
// before it (the sequence's length when it does not repeat).
int SequencePeriod(const std::vector<int>& sequence);
PoseKey PoseForFrame(int kind, int frame);

// A creature's model: adds its parts, posed, to the scene, in its own frame
// (x forward, y right, z up, the ground point at the origin).
using BuildModel = void (*)(Scene& scene, const PoseKey& key);

struct Design {
  BuildModel build = nullptr;
  View view;
  double scale = 1;  // the model drawn this much bigger
};

// The design of a kind (null build for a kind without one).
Design DesignFor(int kind);

// Sprites in the kind's set: framesPerFacing for each facing (one set for
// one-facing kinds; the egg sac keeps 26).
int SpriteCountFor(int kind);

// Every sprite of the kind's set in index order. The hero's sets add the
// empty placeholders and the shimmer frames (armoured selects sylab2).
std::vector<SpriteImage> RenderKindSet(int kind, bool armoured = false);

// The 8 invulnerability shimmer frames of the hero's sets, drawn in ghost mode.
SpriteImage RenderHeroShimmer(int step);

}  // namespace torvel::forge::creatures
