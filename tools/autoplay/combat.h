// Fighting: which monsters are a danger or in the way, when a shot along
// one of the eight facings would meet one (the way the hero's bolts fly,
// with the monster's own movement and the swing before the bolt leaves
// taken into account), where to stand to have one in line, and what hurts
// coming the hero's way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "autoplay/nav.h"

namespace torvel {

struct Guy;
struct Map;
struct World;

namespace autoplay {

// A monster as the fighter sees it.
struct Foe {
  int slot = -1;
  int kind = 0;
  int x = 0, y = 0;    // whole pixels: the middle of its box
  int gx = 0, gy = 0;  // whole pixels: the guy's own place (its attacks reach from there)
  int dx = 0, dy = 0;  // 16.16 per tick
  int half = 8;        // half the width of its box
  int halfY = 6;
  int life = 0;
  bool flies = false;
  bool swims = false;
  bool hurtsByTouch = true;
  bool invulnerable = false;
  int keepOut = 40;  // how near its middle may come before it strikes
  int spit = 0;      // how far (straight) from its own place its spit lands; 0 when it spits none
  int blow = 8;      // what its blow takes off
  double chase = 0;  // how fast it comes once it is after the hero
};

// The living enemies on the map (the friendly and the hero's allies left out).
std::vector<Foe> ListFoes();

// Ways past the giant cost more the nearer they come to it: its blows reach
// far and it herds the hero into walls, so the hero goes round it, wide.
// So do ways within a spitter's reach: its spit falls short of a hero
// farther off, and it lands in streams no hero dodges close in.
void AvoidBosses(NavGrid& grid, const std::vector<Foe>& foes);

// What one of the giant's quake rocks would take off the hero now (0 when
// there is no giant): below that, the hero is low on life.
int GiantRockHurt();

// The foes within 300 pixels of the hero, by kind and distance, and what
// action each is in the middle of (for the log, when the hero is hurt).
std::string DescribeNear(const Guy& hero);

class Fighter {
 public:
  // The facing (0-7) for a shot fired now that would meet the foe, or -1.
  // The hero fires from its position after the swing (`delay` steps).
  int FiringFacing(const Guy& hero, const Foe& foe, const Map& map, int delay) const;
  // Whether a bolt flies clear from (ax, ay) to (bx, by).
  static bool ShotClear(const Map& map, int ax, int ay, int bx, int by);
  // The best shot now at any foe within reach: the facing, or -1; `target`
  // receives the slot aimed at.
  int BestShot(const Guy& hero, const Map& map, const std::vector<Foe>& foes, int& target) const;
  // A tile to stand on from which the foe can be shot along a facing, at a
  // fair distance, that the hero can reach; false when none.
  bool FiringSpot(const Guy& hero, const NavGrid& grid, const Map& map, const Foe& foe,
                  TilePos& spot) const;
  // A tile from which the hero, standing, would have the giant walk into a
  // pillar or a wall and stay there below it, within its quake-only range,
  // with a bolt's way clear to it; `dist` is the way's length from the hero
  // to every tile. False when there is none.
  bool GiantTrapSpot(const Guy& hero, const NavGrid& grid, const Map& map, const Foe& foe,
                     const std::vector<int>& dist, TilePos& spot) const;
  // How many bolts of the hero's volley, fired from (hx, hy) along the
  // facing, would meet the foe standing where it is.
  static int BoltsThatMeet(double hx, double hy, int facing, const Foe& foe, const Map& map);
  // Near the hero, the point (pixels) to stand on from which a bolt meets
  // the giant held by a pillar or a wall below it, within its quake-only
  // range; false when there is none.
  bool GiantHoldPoint(const Guy& hero, const NavGrid& grid, const Map& map, const Foe& foe, int& px,
                      int& py) const;
  // Bullets that would hit the hero soon, as the points to keep away from.
  struct Threat {
    int x = 0, y = 0;  // where the bullet will be nearest the hero
    int ticks = 0;     // when
  };
  std::vector<Threat> IncomingBullets(const Guy& hero) const;

  // The fight, when foes are near: a shot when one is in line and firing is
  // safe, else the direction keys whose next few steps keep the hero out of
  // reach of the foes and the bullets, line up the next shot when `fight`
  // is set, and keep it on its way: `toGoal` gives the length of the way
  // left from each tile (empty: no goal), `goalBits` the keys the walk
  // alone would press. False when no foe is near enough to matter.
  bool Tactics(const Guy& hero, const NavGrid& grid, const Map& map, const std::vector<Foe>& foes,
               const std::vector<int>& toGoal, uint8_t goalBits, bool fight, bool icy,
               uint8_t& held);
  // A spell worth casting now: the slot and the facing to cast it in, or
  // false. The caller selects the slot (typing its digit) and holds the
  // spell key.
  bool SpellToCast(const Guy& hero, const NavGrid& grid, const Map& map,
                   const std::vector<Foe>& foes, int& slot, int& facing) const;
  // Foes within this many pixels (Manhattan) are fought.
  static constexpr int kEngageRange = 330;
  // The kind the hero has set out to kill: fought wherever it is.
  void SetQuarry(int kind) { fightKind_ = kind; }
  // How much the goal counts against the danger (1 as a rule; more when
  // reaching it matters more than a blow or two, as the power-up does to a
  // hero that cannot shoot).
  void SetUrgency(double urgency) { urgency_ = urgency; }

  // Why the last fight step fired or did not (for the trace).
  const char* why() const { return why_; }
  // The way to the goal, as the last fight step saw it, runs into a blow
  // that kills (no boldness is worth it).
  bool deadlyAhead() const { return deadlyAhead_; }

 private:
  int fightKind_ = 0;
  double urgency_ = 1;

  const char* why_ = "";
  bool deadlyAhead_ = false;
};

}  // namespace autoplay
}  // namespace torvel
