// The autoplayer's body: it sits where a player sits, in front of the real
// program on the headless backend, looks at the game whenever the program
// pumps its messages, and answers with key presses. It walks the menus (a
// new game, or a saved game continued), skips the movies, plays the maps
// with the map agent, shops, saves at the start of every new world, and
// records each world as a replay in the game's own format.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "autoplay/agent.h"
#include "autoplay/keypad.h"
#include "autoplay/report.h"
#include "autoplay/route.h"

namespace torvel {

class HeadlessPlatform;

namespace autoplay {

struct Options {
  std::string gameDir;
  std::string worldsDir;  // content/worlds, for the routes
  std::string outDir;     // replays and the saved games between worlds
  std::string reportDir;  // report.md and progress.png
  int firstWorld = 0;     // worlds after the first start from the save of the one before
  int lastWorld = 3;
  std::string saveFile;  // the saved games to continue from (firstWorld > 0, or a lab)
  uint64_t maxSteps = 2'000'000;
  int verbose = 1;
  std::string logFile;
  std::string shotsDir;  // a picture of every map start and every stuck moment
  int watchWorld = -1;   // pictures every watchEvery steps while this map is played
  int watchMap = -1;
  int watchEvery = 30;
  int traceHero = 0;      // log the hero's position and keys every step
  int stopAfterMap = -1;  // the run ends once this map of the first world is done
  int idleSteps = 0;      // stand still this long on the first roaming map (other luck)
  int labMap = -1;        // the lab's map: the roaming map's first way, and no leaving it
  std::vector<forge::RouteStep> labRoute;  // the lab map's own route, if it has one
  // Maps (world, map) passed over with the game's own word that ends a map,
  // to try what lies beyond one not yet beaten: such a run holds a cheat,
  // and is no playthrough.
  std::vector<std::pair<int, int>> skipMaps;
};

class Driver {
 public:
  explicit Driver(const Options& options) : options_(options) {}
  // Plays from the title to the end of the last world asked for; the exit
  // status (0 when every world asked for was finished).
  int Run();

  // Called by the platform hook.
  void OnPump(HeadlessPlatform& platform);

 private:
  struct MenuAction {
    uint8_t held = 0;
    uint8_t typed = 0;
  };
  void QueueNewGame();
  void QueueContinue(int slot);
  void QueueQuit();
  void StartRecording(int world);
  void Decide(HeadlessPlatform& platform);
  Press PlayStep();
  Press PauseStep();
  Press ShopStep();
  int ShopWish() const;
  void HubPlan(Map& map, World& world);
  void NewVisit();
  void Say(const std::string& line);
  void Picture(const std::string& name);

  // Game events.
  static void OnGameStarted(void* self, bool continuing);
  static void OnGameEnded(void* self);
  static void OnMapCompleted(void* self, uint8_t world, uint8_t map);
  static void OnWorldFinished(void* self, uint8_t world);
  static void OnEnding(void* self);

  Options options_;
  MapRoute labRoute_;
  int visitSteps_ =
      0;  // steps on this visit of the map  // the lab map's route, while it is played
  HeadlessPlatform* platform_ = nullptr;
  KeyPad keys_;
  std::deque<MenuAction> menu_;
  uint32_t nextMenuAt_ = 0;
  uint32_t nextEscapeAt_ = 0;
  bool inGame_ = false;
  bool done_ = false;
  int exitStatus_ = 1;
  uint64_t lastSteps_ = 0;
  uint32_t lastVisit_ = 0;
  int recordingWorld_ = -1;
  int playingWorld_ = -1;
  int worldsFinished_ = 0;
  int finishedThrough_ = -1;
  bool endingReached_ = false;
  bool saveAndQuit_ = false;  // the new world has begun: save and leave
  int saveSlot_ = 0;
  bool leaveArena_ = false;
  bool quitting_ = false;
  int pausePhase_ = 0;
  int tap_ = 0;
  MapAgent agent_;
  WorldRoutes routes_[4];
  bool routesLoaded_[4] = {};
  Report report_;
  std::FILE* log_ = nullptr;
  uint64_t totalSteps_ = 0;
  int stuckSteps_ = 0;
  size_t skipTyped_ = 0;  // letters of the ending word typed on this visit
  // Deaths in a row on the map being played; after a few the hero leaves to
  // come back stronger, and the map waits until more of the world is done.
  int deathsInRow_ = 0;
  int lastLife_ = 0;
  bool leaveMap_ = false;
  int postponed_[24] = {};  // maps done in the world when the map was put off (+1)
  int postponeLevel_[24] = {};
  std::vector<std::pair<int, int>> alive_;  // slots and kinds of the living foes last step
  size_t hubRouteStep_ = 0;
  int lastMap_ = -1;
  bool stoppedAtMap_ = false;
  int idled_ = 0;
  int moneyAtLastShop_ = -1;
};

}  // namespace autoplay
}  // namespace torvel
