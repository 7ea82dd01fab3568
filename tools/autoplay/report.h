// The difficulty report: for every map the autoplayer finished, how long it
// took, how often the hero died there, what the hero brought with it and how
// close it came to dying; as a table and as a picture of level, life and
// money across the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvel::autoplay {

struct MapStats {
  int world = 0;
  int map = 0;
  std::string name;  // the map's name, in Russian
  bool arena = false;
  bool roaming = false;
  bool completed = false;
  uint64_t steps = 0;  // steps played on it, every visit counted
  int visits = 0;
  int deaths = 0;
  int levelOnArrival = 0;
  int lifeOnArrival = 0;
  int moneyOnArrival = 0;
  int lowestLife = 1 << 30;
  int kills = 0;
  int challengesFought = 0;
  int challengesWon = 0;
};

struct ProgressSample {
  uint64_t step = 0;
  int world = 0;
  int level = 0;
  int lifeMax = 0;
  int money = 0;
};

class Report {
 public:
  // A visit of a map begins (the map's row is made on the first).
  MapStats& Visit(int world, int map, const std::string& name, bool arena, bool roaming);
  MapStats* Current() { return current_ < 0 ? nullptr : &maps_[current_]; }
  MapStats* Find(int world, int map);
  void Sample(const ProgressSample& s);
  const std::vector<MapStats>& maps() const { return maps_; }
  // The table in Markdown.
  std::string Table() const;
  // Writes report.md and progress.png into the folder.
  bool Write(const std::string& dir, std::string& error) const;

 private:
  std::vector<MapStats> maps_;
  std::vector<ProgressSample> samples_;
  int current_ = -1;
};

}  // namespace torvel::autoplay
