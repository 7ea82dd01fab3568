#include "forge/worlds/level_names.h"

#include <cstring>

#include "actors/kinds.h"
#include "forge/worlds/level_text.h"
#include "world/world.h"

namespace torvel::forge {

namespace {

struct NamedNumber {
  const char* name;
  int number;
};

// Items by what they are and how they look in the item set.
const NamedNumber kItemNames[] = {
    {"power", 1},      {"rapid", 2},      {"backshot", 3},    {"bounce", 4},     {"scroll", 5},
    {"potion", 6},     {"mana", 7},       {"gold", 8},        {"coin", 9},       {"plaque", 10},
    {"gem", 11},       {"piece0", 12},    {"piece1", 13},     {"piece2", 14},    {"piece3", 15},
    {"key", 16},       {"key1", 17},      {"key2", 18},       {"key3", 19},      {"relic", 20},
    {"decor30", 30},   {"decor31", 31},   {"decor32", 32},    {"bush", 50},      {"barrel", 51},
    {"crate", 52},     {"rocks", 53},     {"toadstool", 54},  {"urn", 55},       {"crystals", 56},
    {"blocker", 57},   {"skulldoor", 69}, {"stone", 70},      {"door", 71},      {"door1", 72},
    {"door2", 73},     {"door3", 74},     {"sidedoor", 75},   {"sidedoor1", 76}, {"sidedoor2", 77},
    {"sidedoor3", 78}, {"pine", 79},      {"skulldoor2", 80}, {"torch", 81},     {"torch2", 82},
};

bool FromTable(const NamedNumber* table, size_t count, const std::string& word, int& number) {
  for (size_t i = 0; i < count; ++i) {
    if (word == table[i].name) {
      number = table[i].number;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ItemByName(const std::string& word, int& item) {
  if (FromTable(kItemNames, std::size(kItemNames), word, item)) return true;
  int n = 0;
  if (!ParseInt(word, n) || n < 1 || n > 82) return false;
  item = n;
  return true;
}

std::string KindWord(int kind) {
  if (kind == 1) return "hero";
  // The two yetis share a sprite set; the second goes by its own name.
  if (kind == 37) return "yeti2";
  if (kind < 1 || kind >= kKindCount) return std::to_string(kind);
  std::string file = KindSpriteFile(kind);
  size_t slash = file.find_last_of('\\');
  if (slash != std::string::npos) file = file.substr(slash + 1);
  size_t dot = file.find('.');
  if (dot != std::string::npos) file.resize(dot);
  return file;
}

bool KindByName(const std::string& word, int& kind) {
  for (int k = 1; k < kKindCount; ++k) {
    if (KindWord(k) == word) {
      kind = k;
      return true;
    }
  }
  int n = 0;
  if (!ParseInt(word, n) || n < 1 || n >= kKindCount) return false;
  kind = n;
  return true;
}

bool KindNeverPlaced(int kind) {
  switch (kind) {
    case 12:  // the pterodactyl ally, gone at once without its caster
    case 20:  // the golem ally
    case 27:  // the thing's tentacles vanish on their first tick
    case 28:
    case 51:  // centipede segments come with their head
      return true;
    default:
      return false;
  }
}

bool KindSwims(int kind) {
  return kind >= 1 && kind < kKindCount && (KindFlags(kind) & KindFlag::Swims) != 0;
}

uint8_t MapFlagByName(const std::string& word) {
  if (word == "snow") return kMapSnow;
  if (word == "boss") return kMapBoss;
  if (word == "secret") return kMapSecret;
  if (word == "lit") return kMapLit;
  return 0;
}

}  // namespace torvel::forge
