#include "autoplay/report.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/png.h"

namespace torvel::autoplay {

namespace {

const char* const kWorldNames[4] = {"river", "forest", "castle", "under"};

// A small canvas for the progress picture.
class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h), rgb_(static_cast<size_t>(w) * h * 3, 255) {}
  void Dot(int x, int y, uint32_t c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    size_t i = (static_cast<size_t>(y) * w_ + x) * 3;
    rgb_[i] = static_cast<uint8_t>(c >> 16);
    rgb_[i + 1] = static_cast<uint8_t>(c >> 8);
    rgb_[i + 2] = static_cast<uint8_t>(c);
  }
  void Line(int x0, int y0, int x1, int y1, uint32_t c) {
    int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= n; ++i) {
      int x = n ? x0 + (x1 - x0) * i / n : x0;
      int y = n ? y0 + (y1 - y0) * i / n : y0;
      Dot(x, y, c);
      Dot(x, y + 1, c);
    }
  }
  void Box(int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Dot(x, y, c);
  }
  bool Save(const std::string& path) const { return WriteRgbPng(path, rgb_.data(), w_, h_); }
  int w() const { return w_; }
  int h() const { return h_; }

 private:
  int w_, h_;
  std::vector<uint8_t> rgb_;
};

// Digits in a 3 x 5 font, for the axis labels.
void Digits(Canvas& c, int x, int y, long value, uint32_t colour) {
  static const char* const kFont[10] = {"111101101101111", "010110010010111", "111001111100111",
                                        "111001111001111", "101101111001001", "111100111001111",
                                        "111100111101111", "111001001001001", "111101111101111",
                                        "111101111001111"};
  std::string text = std::to_string(value);
  for (char ch : text) {
    const char* g = kFont[ch - '0'];
    for (int i = 0; i < 15; ++i) {
      if (g[i] == '1')
        c.Box(x + (i % 3) * 2, y + (i / 3) * 2, x + (i % 3) * 2 + 1, y + (i / 3) * 2 + 1, colour);
    }
    x += 8;
  }
}

}  // namespace

MapStats& Report::Visit(int world, int map, const std::string& name, bool arena, bool roaming) {
  for (size_t i = 0; i < maps_.size(); ++i) {
    if (maps_[i].world == world && maps_[i].map == map) {
      current_ = static_cast<int>(i);
      ++maps_[i].visits;
      return maps_[i];
    }
  }
  MapStats s;
  s.world = world;
  s.map = map;
  s.name = name;
  s.arena = arena;
  s.roaming = roaming;
  s.visits = 1;
  maps_.push_back(s);
  current_ = static_cast<int>(maps_.size()) - 1;
  return maps_.back();
}

MapStats* Report::Find(int world, int map) {
  for (MapStats& s : maps_) {
    if (s.world == world && s.map == map) return &s;
  }
  return nullptr;
}

void Report::Sample(const ProgressSample& s) {
  samples_.push_back(s);
}

std::string Report::Table() const {
  std::string out =
      "| world | map | steps | visits | deaths | level on arrival | life on arrival | money on "
      "arrival | lowest life | kills | challenges (won) | finished |\n"
      "|---|---|---|---|---|---|---|---|---|---|---|---|\n";
  char line[512];
  for (const MapStats& s : maps_) {
    std::snprintf(
        line, sizeof line, "| %s | %d %s | %llu | %d | %d | %d | %d | %d | %d | %d | %s | %s |\n",
        kWorldNames[s.world & 3], s.map, s.name.c_str(), static_cast<unsigned long long>(s.steps),
        s.visits, s.deaths, s.levelOnArrival, s.lifeOnArrival, s.moneyOnArrival,
        s.lowestLife == (1 << 30) ? 0 : s.lowestLife, s.kills,
        s.roaming
            ? (std::to_string(s.challengesFought) + " (" + std::to_string(s.challengesWon) + ")")
                  .c_str()
            : "-",
        s.roaming ? "-" : (s.completed ? "yes" : "NO"));
    out += line;
  }
  return out;
}

bool Report::Write(const std::string& dir, std::string& error) const {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  {
    std::ofstream md(dir + "/report.md");
    if (!md) {
      error = "cannot write " + dir + "/report.md";
      return false;
    }
    md << "# The autoplayer's playthrough\n\n"
       << "Steps are update steps (30 a second). Life and money on arrival are what the hero "
          "brought to the map; the lowest life is the least it had there.\n\n"
       << Table();
  }
  // Level, life and money across the game.
  Canvas c(960, 420);
  const int left = 40, right = c.w() - 20, top = 20, bottom = c.h() - 40;
  uint64_t lastStep = samples_.empty() ? 1 : std::max<uint64_t>(1, samples_.back().step);
  int maxLevel = 1, maxLife = 1, maxMoney = 1;
  for (const ProgressSample& s : samples_) {
    maxLevel = std::max(maxLevel, s.level);
    maxLife = std::max(maxLife, s.lifeMax);
    maxMoney = std::max(maxMoney, s.money);
  }
  auto X = [&](uint64_t step) {
    return left + static_cast<int>((right - left) * static_cast<double>(step) / lastStep);
  };
  auto Y = [&](int value, int max) {
    return bottom - static_cast<int>((bottom - top) * static_cast<double>(value) / max);
  };
  // World bands.
  const uint32_t bands[4] = {0xEEF6EE, 0xE6F0E0, 0xEEEEF6, 0xF6ECE6};
  for (size_t i = 0; i < samples_.size(); ++i) {
    int x0 = X(samples_[i].step);
    int x1 = i + 1 < samples_.size() ? X(samples_[i + 1].step) : right;
    c.Box(x0, top, x1, bottom, bands[samples_[i].world & 3]);
  }
  c.Line(left, bottom, right, bottom, 0x000000);
  c.Line(left, top, left, bottom, 0x000000);
  struct Series {
    uint32_t colour;
    int max;
    int ProgressSample::*field;
  };
  const Series series[3] = {{0x2050D0, maxLevel, &ProgressSample::level},
                            {0xD02020, maxLife, &ProgressSample::lifeMax},
                            {0xC09000, maxMoney, &ProgressSample::money}};
  for (const Series& s : series) {
    for (size_t i = 1; i < samples_.size(); ++i) {
      c.Line(X(samples_[i - 1].step), Y(samples_[i - 1].*s.field, s.max), X(samples_[i].step),
             Y(samples_[i].*s.field, s.max), s.colour);
    }
  }
  // The scale of each line at the top left, in its colour, and the steps.
  Digits(c, left + 6, top + 4, maxLevel, series[0].colour);
  Digits(c, left + 60, top + 4, maxLife, series[1].colour);
  Digits(c, left + 114, top + 4, maxMoney, series[2].colour);
  Digits(c, right - 60, bottom + 10, static_cast<long>(lastStep), 0x000000);
  Digits(c, left, bottom + 10, 0, 0x000000);
  if (!c.Save(dir + "/progress.png")) {
    error = "cannot write " + dir + "/progress.png";
    return false;
  }
  return true;
}

}  // namespace torvel::autoplay
