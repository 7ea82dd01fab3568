// The autoplayer's mind on a map: what to do next (take the power-up, the
// gems and the keys, kill what must die, throw the switches, reach the
// winning plate; on the roaming map, walk to the next map's entrance or the
// shop), and the keys that do it, step by step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "autoplay/combat.h"
#include "autoplay/motion.h"
#include "autoplay/nav.h"
#include "autoplay/route.h"

namespace torvel {

struct Guy;
struct Map;
struct World;

namespace autoplay {

// What the player would press for one step: held action bits and a typed key.
struct Press {
  uint8_t held = 0;
  uint8_t typed = 0;
};

// One thing to do on a map.
struct Goal {
  enum Type : uint8_t {
    kNone,
    kReach,  // stand on the tile
    kStep,   // walk onto the tile to set off what lies there
    kBump,   // walk into the tile (a wall or door that acts when bumped)
    kTake,   // the item on the tile
    kKill,   // a guy (slot), or every guy of a kind
    kShoot,  // fire at the tile until its shot special goes off
    kPush,   // push the block on the tile one tile in a direction
    kTalk,   // walk up to the friendly and hear it out
    kWait,   // stand still
  } type = kNone;
  TilePos tile;
  int slot = -1;
  int kind = 0;
  int dir = 0;      // kPush: facing 0 east, 2 south, 4 west, 6 north
  int steps = 0;    // kWait
  std::string why;  // for the log
};

// The hero's side of the goals that the play agent keeps across steps.
struct MapContext {
  uint8_t world = 0;
  uint8_t map = 0;
  bool roaming = false;
  const MapRoute* route = nullptr;  // the designer's route, if any
};

class MapAgent {
 public:
  // A new visit of a map starts.
  void Start(const MapContext& context);
  // One step of play (mode 0, the map running): the keys to press.
  Press Step(Map& map, World& world);
  // The log of what the agent decided (cleared as it is read).
  std::string TakeLog();
  // How the last step was decided, kept only while `explain` is set (for
  // the trace).
  bool explain = false;
  std::string decision;
  // Set when the agent finds nothing more it can do on the map.
  bool stuck() const { return stuck_; }
  const std::string& stuckReason() const { return stuckReason_; }
  // Where it wants to go on the roaming map: set by the hub planner.
  void SetHubGoal(const Goal& goal) { hubGoal_ = goal; }
  // A dialogue was held (the driver saw one).
  void NoteTalked() { talked_ = true; }

 private:
  Goal ChooseGoal(Map& map, World& world, const Guy& hero);
  Goal NextRouteGoal(Map& map, World& world, const Guy& hero);
  Goal AutoGoal(Map& map, World& world, const Guy& hero);
  bool GoalDone(const Goal& g, Map& map, World& world, const Guy& hero);
  Press Pursue(const Goal& g, Map& map, World& world, const Guy& hero);
  void Log(const std::string& line);
  bool Blacklisted(const Goal& g) const;
  // A push of a block that opens the way to one of the tiles, as a goal.
  bool PushToReach(Map& map, World& world, const Guy& hero, const std::vector<TilePos>& targets,
                   Goal& out);

  MapContext context_;
  NavGrid grid_;
  Mover mover_;
  Fighter fighter_;
  Goal goal_;
  Goal hubGoal_;
  int goalSteps_ = 0;
  int bestDistance_ = 0;
  int sinceProgress_ = 0;
  int step_ = 0;
  size_t routeStep_ = 0;
  int routeRepeat_ = 0;
  struct Failed {
    Goal goal;
    int until;
  };
  std::vector<Failed> failed_;
  bool stuck_ = false;
  std::string stuckReason_;
  std::string log_;
  uint8_t lastHeld_ = 0;
  // Steps in a row the fight kept the hero standing, and the step until
  // which it goes on more boldly after standing too long.
  int standing_ = 0;
  int boldUntil_ = 0;
  int standingLife_ = 0;
  int standingX_ = 0, standingY_ = 0;
  int foesLeft_ = 0;  // foes alive at the last step
  int tapPhase_ = 0;
  bool talked_ = false;
  bool stepOff_ = false;  // off the goal tile first, to step on it anew
};

}  // namespace autoplay
}  // namespace torvel
