// Reading world and map sources into their records. Only the shape of the
// text is checked here; what the words mean for the tiles is the builder's.
#include <cstring>

#include "forge/worlds/level_names.h"
#include "forge/worlds/level_source.h"

namespace torvel::forge {

namespace {

// Walks the lines of one file and keeps the error message's place.
class Reader {
 public:
  explicit Reader(const SourceFile& file) : file_(file), lines_(SplitLines(file.text)) {}

  // The next line that holds words; false at the end or on a bad line.
  bool Next() {
    while (index_ < lines_.size()) {
      line_ = static_cast<int>(++index_);
      std::string why;
      if (!SplitWords(lines_[index_ - 1], words_, why)) return Fail(why);
      if (!words_.empty()) return true;
    }
    return false;
  }
  const std::vector<Word>& words() const { return words_; }
  SourceLocation Here() const { return {file_.name, line_}; }

  bool Fail(const std::string& what) {
    if (error_.empty()) error_ = Where(Here()) + ": " + what;
    return false;
  }
  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }

 private:
  const SourceFile& file_;
  std::vector<std::string> lines_;
  size_t index_ = 0;
  int line_ = 0;
  std::vector<Word> words_;
  std::string error_;
};

// One code point written on its own; false for anything longer.
bool SingleCell(const std::string& word, char32_t& cell) {
  std::u32string chars;
  if (!DecodeUtf8(word, chars) || chars.size() != 1) return false;
  cell = chars[0];
  return true;
}

// 'C': the tile of a character.
bool QuotedCell(const Word& w, char32_t& cell) {
  if (w.quoted || w.text.size() < 3 || w.text.front() != '\'' || w.text.back() != '\'')
    return false;
  return SingleCell(w.text.substr(1, w.text.size() - 2), cell);
}

// Reads words from a line in order, each read checked.
class Words {
 public:
  Words(Reader& reader, size_t first) : r_(reader), w_(reader.words()), i_(first) {}

  bool AtEnd() const { return i_ >= w_.size(); }
  const Word& Peek() const { return w_[i_]; }
  bool PeekIs(const char* text) const { return !AtEnd() && !w_[i_].quoted && w_[i_].text == text; }
  void Skip() { ++i_; }

  bool Token(std::string& out, const char* what) {
    if (AtEnd() || w_[i_].quoted) return r_.Fail("expected " + std::string(what));
    out = w_[i_++].text;
    return true;
  }
  bool Int(int& out, const char* what, int low, int high) {
    if (AtEnd()) return r_.Fail("expected " + std::string(what));
    const std::string& t = w_[i_].text;
    if (w_[i_].quoted || !ParseInt(t, out))
      return r_.Fail("expected " + std::string(what) + ", found \"" + t + "\"");
    if (out < low || out > high)
      return r_.Fail(std::string(what) + " " + t + " is outside " + std::to_string(low) + ".." +
                     std::to_string(high));
    ++i_;
    return true;
  }
  bool Quoted(std::string& out, const char* what) {
    if (AtEnd() || !w_[i_].quoted) return r_.Fail("expected " + std::string(what) + " in quotes");
    out = w_[i_++].text;
    return true;
  }
  bool GameText(std::string& out, const char* what) {
    std::string written;
    if (!Quoted(written, what)) return false;
    std::string why;
    if (!ToGameText(written, out, why)) return r_.Fail(why);
    if (out.size() > 31)
      return r_.Fail(std::string(what) + " \"" + written + "\" is " + std::to_string(out.size()) +
                     " characters in the game's coding; 31 fit");
    return true;
  }
  // X Y, or 'C'.
  bool Place(TilePlace& place, const char* what) {
    if (!AtEnd() && QuotedCell(w_[i_], place.cell)) {
      ++i_;
      place.given = true;
      return true;
    }
    if (!Int(place.x, what, 0, 127) || !Int(place.y, what, 0, 127)) return false;
    place.given = true;
    return true;
  }
  bool Kind(int& kind) {
    std::string word;
    if (!Token(word, "a monster kind")) return false;
    if (!KindByName(word, kind)) return r_.Fail("unknown monster kind \"" + word + "\"");
    return true;
  }
  bool Done() {
    if (AtEnd()) return true;
    return r_.Fail("unexpected \"" + w_[i_].text + "\"");
  }

 private:
  Reader& r_;
  const std::vector<Word>& w_;
  size_t i_;
};

// One legend line: the character, then what it puts on a tile.
bool ParseLegendLine(Reader& r, Legend& legend) {
  const auto& words = r.words();
  char32_t cell = 0;
  if (words[0].quoted || !SingleCell(words[0].text, cell))
    return r.Fail("a legend line starts with one character, not \"" + words[0].text + "\"");
  if (cell == '\'' || cell == '"') return r.Fail("quotes cannot be legend characters");
  LegendEntry e;
  e.at = r.Here();
  Words w(r, 1);
  if (w.AtEnd())
    return r.Fail("legend " + QuoteCell(cell) +
                  " says nothing: write 'keep' for a cell that changes nothing");
  while (!w.AtEnd()) {
    std::string field;
    if (!w.Token(field, "a legend field")) return false;
    if (field == "keep") {
      continue;
    } else if (field == "like") {
      std::string other;
      char32_t base = 0;
      if (!w.Token(other, "a legend character") || !SingleCell(other, base))
        return r.Fail("'like' takes one legend character");
      auto found = legend.find(base);
      if (found == legend.end())
        return r.Fail("'like " + other + "': " + QuoteCell(base) + " is not in the legend yet");
      SourceLocation at = e.at;
      e = found->second;
      e.at = at;
    } else if (field == "floor") {
      if (!w.Token(e.floor, "a floor")) return false;
      e.wall.clear();
      e.roof.clear();
    } else if (field == "wall") {
      if (!w.Token(e.wall, "a wall")) return false;
      e.floor.clear();
    } else if (field == "roof") {
      if (!w.Token(e.roof, "a roof")) return false;
    } else if (field == "item") {
      std::string word;
      if (!w.Token(word, "an item")) return false;
      if (word == "none") {
        e.item = 0;
      } else if (!ItemByName(word, e.item)) {
        return r.Fail("unknown item \"" + word + "\"");
      }
    } else if (field == "light") {
      if (!w.Int(e.light, "a light", -32, 16)) return false;
    } else if (field == "hero") {
      e.monster = 1;
    } else if (field == "monster") {
      if (w.PeekIs("none")) {
        w.Skip();
        e.monster = 0;
      } else if (!w.Kind(e.monster)) {
        return false;
      }
    } else if (field == "special") {
      if (!w.Token(e.special, "a special's name")) return false;
    } else if (field == "torch") {
      if (!w.Int(e.torch, "a torch size", 1, 10)) return false;
    } else {
      return r.Fail("unknown legend field \"" + field + "\"");
    }
  }
  if (!e.roof.empty() && e.wall.empty()) return r.Fail("a roof belongs on a wall");
  legend[cell] = e;
  return true;
}

bool ParseLegendBlock(Reader& r, Legend& legend) {
  while (r.Next()) {
    const auto& words = r.words();
    if (!words[0].quoted && words[0].text == "end") return Words(r, 1).Done();
    if (!ParseLegendLine(r, legend)) return false;
  }
  return r.failed() ? false : r.Fail("the legend has no 'end'");
}

bool ParseTilesBlock(Reader& r, WorldSource& world) {
  while (r.Next()) {
    Words w(r, 0);
    std::string name, what;
    if (!w.Token(name, "a tile name")) return false;
    if (name == "end") return w.Done();
    if (!w.Token(what, "'floor' or 'wall'")) return false;
    int number = 0;
    if (what == "floor") {
      if (!w.Int(number, "a floor image", 0, 199)) return false;
      world.floorNames.emplace_back(name, number);
    } else if (what == "wall") {
      if (!w.Int(number, "a wall", 1, 200)) return false;
      world.wallNames.emplace_back(name, number);
    } else {
      return r.Fail("a tile name is for a 'floor' or a 'wall', not \"" + what + "\"");
    }
    if (!w.Done()) return false;
  }
  return r.failed() ? false : r.Fail("the tiles block has no 'end'");
}

// A block of rows; "x N" after a row repeats it.
bool ParseGrid(Reader& r, PaintStep& step) {
  while (r.Next()) {
    const auto& words = r.words();
    if (!words[0].quoted && words[0].text == "end") {
      if (!Words(r, 1).Done()) return false;
      if (step.rows.empty()) return r.Fail("the grid has no rows");
      step.h = static_cast<int>(step.rows.size());
      return true;
    }
    std::u32string row;
    if (words[0].quoted || !DecodeUtf8(words[0].text, row))
      return r.Fail("a grid row must be plain characters");
    int repeat = 1;
    Words w(r, 1);
    if (!w.AtEnd()) {
      std::string times;
      if (!w.Token(times, "'x N' or the end of the row")) return false;
      if (times == "x") {
        if (!w.Int(repeat, "a repeat count", 1, 128)) return false;
      } else if (times.size() > 1 && times[0] == 'x' && ParseInt(times.substr(1), repeat) &&
                 repeat >= 1 && repeat <= 128) {
      } else {
        return r.Fail("after a row only 'x N' (repeat) may follow, not \"" + times + "\"");
      }
      if (!w.Done()) return false;
    }
    if (step.rows.empty()) step.w = static_cast<int>(row.size());
    if (static_cast<int>(row.size()) != step.w)
      return r.Fail("ragged row: " + std::to_string(row.size()) +
                    " cells where the grid's first row has " + std::to_string(step.w));
    for (int k = 0; k < repeat; ++k) {
      step.rows.push_back(row);
      step.rowLines.push_back(r.Here().line);
    }
  }
  return r.failed() ? false : r.Fail("the grid has no 'end'");
}

// Sets a special's one trigger value; two different ones cannot share it.
bool SetTrigValue(Reader& r, SpecialSource& s, int value, const char* what) {
  if (s.hasValueTrigger && s.record.trigValue != value)
    return r.Fail(std::string(what) + " " + std::to_string(value) +
                  " needs the special's one trigger value, which already holds " +
                  std::to_string(s.record.trigValue));
  s.hasValueTrigger = true;
  s.record.trigValue = static_cast<uint8_t>(value);
  return true;
}

bool ParseEffect(Reader& r, Words& w, SpecialSource& s) {
  std::string effect;
  if (!w.Token(effect, "an effect")) return false;
  s.effectWord = effect;
  Special& rec = s.record;
  if (effect == "nothing") {
    rec.effect = 0;
  } else if (effect == "summon") {
    int kind = 0;
    if (!w.Kind(kind) || !w.Place(s.target, "a summon's tile")) return false;
    if (kind == 1) return r.Fail("a special cannot summon the hero");
    rec.effect = 1;
    rec.value = kind;
  } else if (effect == "zap" || effect == "raise" || effect == "toggle") {
    if (!w.Place(s.target, "the wall's tile")) return false;
    std::string what = effect == "zap" ? "floor" : "wall";
    std::string word;
    if (!w.Token(word, effect == "zap" ? "'floor F'" : "'wall W'")) return false;
    if (word != what) return r.Fail("'" + effect + "' takes '" + what + "', not \"" + word + "\"");
    if (!w.Token(s.tileWord, what.c_str())) return false;
    rec.effect = effect == "zap" ? 2 : (effect == "raise" ? 3 : 4);
  } else if (effect == "teleport") {
    if (!w.Place(s.target, "a teleport's tile")) return false;
    rec.effect = 5;
  } else if (effect == "light") {
    int value = 0;
    if (!w.Place(s.target, "the light's tile") || !w.Int(value, "a light value", -255, 255))
      return false;
    // Only a low byte of 1..127 lights anything.
    int low = static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF));
    if (low < 1)
      return r.Fail("light " + std::to_string(value) +
                    " lights nothing: use 1..127 (or -255..-129)");
    rec.effect = 6;
    rec.value = value;
  } else if (effect == "goto") {
    if (!w.Int(s.gotoMap, "a map number", 0, 23)) return false;
    if (s.gotoMap == 0) return r.Fail("map 0 is never played: no exit may lead there");
    rec.effect = 7;
    rec.value = s.gotoMap;
  } else if (effect == "shop") {
    rec.effect = 7;
    rec.value = 50;
  } else if (effect == "win") {
    rec.effect = 8;
  } else if (effect == "picture") {
    std::string file;
    if (!w.Quoted(file, "a picture file")) return false;
    if (file.empty() || file.size() > 31)
      return r.Fail("a picture's file name takes 1..31 characters");
    if (rec.msg[0] != 0) return r.Fail("a special shows either a message or a picture");
    std::memcpy(rec.msg, file.data(), file.size());
    rec.effect = 9;
  } else {
    return r.Fail("unknown effect \"" + effect + "\"");
  }
  return true;
}

bool ParseSpecial(Reader& r, MapSource& map) {
  SpecialSource s;
  s.at = r.Here();
  Words w(r, 1);
  if (!w.Token(s.name, "a special's name")) return false;
  for (const SpecialSource& other : map.specials) {
    if (other.name == s.name) return r.Fail("special \"" + s.name + "\" is defined twice");
  }
  bool haveEffect = false;
  Special& rec = s.record;
  while (!w.AtEnd()) {
    std::string word;
    if (!w.Token(word, "a trigger, 'do' or 'message'")) return false;
    int n = 0;
    if (word == "at") {
      if (!w.Place(s.place, "the special's tile")) return false;
    } else if (word == "step") {
      rec.trigger |= 0x0001;
    } else if (word == "monster-step") {
      rec.trigger |= 0x0002;
    } else if (word == "near") {
      if (!w.Int(n, "a distance in tiles", 0, 255) || !SetTrigValue(r, s, n, "near")) return false;
      rec.trigger |= 0x0004;
    } else if (word == "maps-done") {
      if (!w.Int(n, "a map count", 0, 255) || !SetTrigValue(r, s, n, "maps-done")) return false;
      rec.trigger |= 0x0008;
    } else if (word == "all-pieces") {
      rec.trigger |= 0x0010;
    } else if (word == "none-of") {
      if (w.PeekIs("enemies")) {
        w.Skip();
        n = 255;
      } else if (!w.Kind(n)) {
        return false;
      }
      if (!SetTrigValue(r, s, n, "none-of")) return false;
      rec.trigger |= 0x0020;
    } else if (word == "collected") {
      if (!w.Int(n, "a gem count", 0, 255) || !SetTrigValue(r, s, n, "collected")) return false;
      rec.trigger |= 0x0040;
    } else if (word == "shot") {
      rec.trigger |= 0x0080;
    } else if (word == "repeat") {
      rec.trigger |= 0x0100;
    } else if (word == "message") {
      std::string text;
      if (!w.GameText(text, "a message")) return false;
      if (rec.effect == 9) return r.Fail("a special shows either a message or a picture");
      std::memset(rec.msg, 0, sizeof rec.msg);
      std::memcpy(rec.msg, text.data(), text.size());
      rec.trigger |= 0x0200;
    } else if (word == "chained") {
      rec.trigger |= 0x0400;
    } else if (word == "do") {
      if (haveEffect) return r.Fail("a special has one effect");
      if (!ParseEffect(r, w, s)) return false;
      haveEffect = true;
    } else {
      return r.Fail("unknown word \"" + word + "\" in a special");
    }
  }
  if (!haveEffect) return r.Fail("special \"" + s.name + "\" has no 'do EFFECT'");
  if (rec.trigger == 0)
    return r.Fail("special \"" + s.name +
                  "\" has no trigger: say when it fires (step, near N, shot, ...)");
  // The hero's cooldown and position come from the guy that fired it; shots,
  // neighbours and the tick pass fire with nobody.
  if (rec.effect == 5 && (rec.trigger & 0x0007) == 0)
    return r.Fail("a teleport moves whoever stepped on it: give it step, monster-step or near");
  map.specials.push_back(std::move(s));
  return true;
}

// The route block: one step a line, in the order a player takes them.
bool ParseRouteLine(Reader& r, MapSource& map) {
  Words w(r, 0);
  std::string op;
  if (!w.Token(op, "a route step")) return false;
  RouteStep step;
  step.at = r.Here();
  for (const Word& word : r.words()) {
    if (!step.text.empty()) step.text += ' ';
    step.text += word.quoted ? "\"" + word.text + "\"" : word.text;
  }
  auto optionalPlace = [&]() { return w.AtEnd() ? true : w.Place(step.place, "a tile"); };
  if (op == "take") {
    step.op = RouteStep::kTake;
    if (w.PeekIs("all")) {
      w.Skip();
      step.op = RouteStep::kTakeAll;
    } else if (!w.AtEnd() && !w.Peek().quoted && w.Peek().text.front() == '\'') {
      if (!w.Place(step.place, "the item's tile")) return false;
    } else {
      std::string name;
      if (!w.Token(name, "an item, its tile or 'all'")) return false;
      if (!ItemByName(name, step.item)) return r.Fail("unknown item \"" + name + "\"");
    }
  } else if (op == "step" || op == "go" || op == "bump" || op == "shoot") {
    step.op = op == "step"   ? RouteStep::kStep
              : op == "go"   ? RouteStep::kGo
              : op == "bump" ? RouteStep::kBump
                             : RouteStep::kShoot;
    if (!w.Place(step.place, "a tile")) return false;
  } else if (op == "push") {
    step.op = RouteStep::kPush;
    if (!w.Place(step.place, "the block's tile")) return false;
    std::string way;
    if (!w.Token(way, "north, east, south or west")) return false;
    if (way == "east") {
      step.dir = 0;
    } else if (way == "south") {
      step.dir = 2;
    } else if (way == "west") {
      step.dir = 4;
    } else if (way == "north") {
      step.dir = 6;
    } else {
      return r.Fail("a block is pushed north, east, south or west, not \"" + way + "\"");
    }
    if (!w.AtEnd() && !w.Int(step.count, "a number of tiles", 1, 127)) return false;
  } else if (op == "kill") {
    step.op = RouteStep::kKill;
    if (w.PeekIs("all")) {
      w.Skip();
    } else if (!w.Kind(step.kind)) {
      return false;
    }
  } else if (op == "talk") {
    step.op = RouteStep::kTalk;
    if (!optionalPlace()) return false;
  } else if (op == "wait") {
    step.op = RouteStep::kWait;
    if (!w.Int(step.count, "a number of steps", 1, 3000)) return false;
  } else if (op == "win") {
    step.op = RouteStep::kWin;
    if (!optionalPlace()) return false;
  } else if (op == "visit") {
    step.op = RouteStep::kVisit;
    if (!w.Int(step.map, "a map number", 1, kMaxMaps - 1)) return false;
  } else if (op == "shop") {
    step.op = RouteStep::kShop;
  } else {
    return r.Fail("unknown route step \"" + op +
                  "\" (take, step, go, bump, push, shoot, kill, talk, wait, win, visit, shop)");
  }
  if (!w.Done()) return false;
  map.route.push_back(std::move(step));
  return true;
}

bool ParseRouteBlock(Reader& r, MapSource& map) {
  if (map.haveRoute) return r.Fail("a map has one route");
  map.haveRoute = true;
  while (r.Next()) {
    const auto& words = r.words();
    if (!words[0].quoted && words[0].text == "end") return Words(r, 1).Done();
    if (!ParseRouteLine(r, map)) return false;
  }
  return r.failed() ? false : r.Fail("the route has no 'end'");
}

bool ParseMapLine(Reader& r, MapSource& map) {
  const auto& words = r.words();
  if (words[0].quoted) return r.Fail("a line starts with a keyword");
  const std::string& key = words[0].text;
  Words w(r, 1);
  if (key == "map") {
    if (map.number >= 0) return r.Fail("the map number is given twice");
    if (!w.Int(map.number, "a map number", 0, kMaxMaps - 1)) return false;
  } else if (key == "name") {
    if (!w.GameText(map.name, "a map name")) return false;
    map.haveName = true;
  } else if (key == "size") {
    if (!w.Int(map.size, "a map size", 0, 128)) return false;
    if (!IsMapSize(map.size)) return r.Fail("a map is 20, 64 or 128 tiles square");
  } else if (key == "song") {
    if (!w.Int(map.song, "a song", 0, 255)) return false;
  } else if (key == "flags") {
    while (!w.AtEnd()) {
      std::string flag;
      if (!w.Token(flag, "a flag")) return false;
      uint8_t bit = MapFlagByName(flag);
      if (!bit) return r.Fail("unknown map flag \"" + flag + "\" (snow, boss, secret, lit)");
      map.flags |= bit;
    }
    return true;
  } else if (key == "light") {
    if (!w.Int(map.light, "a light", -32, 16)) return false;
  } else if (key == "autotile") {
    uint8_t steps = 0;
    while (!w.AtEnd()) {
      std::string step;
      if (!w.Token(step, "an auto-tile step")) return false;
      if (step == "roofs") {
        steps |= kAutotileRoofs;
      } else if (step == "ground") {
        steps |= kAutotileGround;
      } else if (step == "edges") {
        steps |= kAutotileEdges;
      } else if (step == "banks") {
        steps |= kAutotileBanks;
      } else {
        return r.Fail("unknown auto-tile step \"" + step + "\" (roofs, ground, edges, banks)");
      }
    }
    map.autotile = steps ? steps : kAutotileAll;
    return true;
  } else if (key == "legend") {
    if (!w.Done()) return false;
    return ParseLegendBlock(r, map.legend);
  } else if (key == "fill" || key == "rect") {
    PaintStep step;
    step.at = r.Here();
    step.kind = key == "fill" ? PaintStep::kFill : PaintStep::kRect;
    if (step.kind == PaintStep::kRect &&
        (!w.Int(step.x, "x", 0, 127) || !w.Int(step.y, "y", 0, 127) ||
         !w.Int(step.w, "a width", 1, 128) || !w.Int(step.h, "a height", 1, 128)))
      return false;
    std::string cell;
    if (!w.Token(cell, "a legend character") || !SingleCell(cell, step.cell))
      return r.Fail("'" + key + "' ends with one legend character");
    map.paints.push_back(std::move(step));
  } else if (key == "grid") {
    PaintStep step;
    step.at = r.Here();
    step.kind = PaintStep::kGrid;
    if (w.PeekIs("at")) {
      w.Skip();
      if (!w.Int(step.x, "x", 0, 127) || !w.Int(step.y, "y", 0, 127)) return false;
    }
    if (!w.Done() || !ParseGrid(r, step)) return false;
    map.paints.push_back(std::move(step));
    return true;
  } else if (key == "monster" || key == "hero") {
    MonsterSource m;
    m.at = r.Here();
    m.kind = 1;
    if (key == "monster" && !w.Kind(m.kind)) return false;
    std::string at;
    if (!w.Token(at, "'at'") || at != "at")
      return r.Fail("a monster is placed 'at X Y' or 'at 'C''");
    if (!w.Place(m.place, "the monster's tile")) return false;
    map.monsters.push_back(m);
  } else if (key == "torch") {
    TorchSource t;
    t.at = r.Here();
    std::string at;
    if (!w.Token(at, "'at'") || at != "at") return r.Fail("a torch is placed 'at X Y' or 'at 'C''");
    if (!w.Place(t.place, "the torch's tile")) return false;
    if (w.PeekIs("size")) {
      w.Skip();
      if (!w.Int(t.size, "a torch size", 1, 10)) return false;
    }
    map.torches.push_back(t);
  } else if (key == "special") {
    return ParseSpecial(r, map);
  } else if (key == "route") {
    if (!w.Done()) return false;
    return ParseRouteBlock(r, map);
  } else {
    return r.Fail("unknown keyword \"" + key + "\"");
  }
  return w.Done();
}

}  // namespace

bool ParseWorldSource(const SourceFile& file, WorldSource& world, std::string& error) {
  world = WorldSource{};
  world.at = {file.name, 0};
  Reader r(file);
  while (r.Next()) {
    const auto& words = r.words();
    const std::string& key = words[0].text;
    Words w(r, 1);
    bool ok = true;
    if (words[0].quoted) {
      ok = r.Fail("a line starts with a keyword");
    } else if (key == "file") {
      ok = w.Token(world.fileName, "a world file name") && w.Done();
      if (ok && (world.fileName.size() > 31 || world.fileName.find('/') != std::string::npos))
        ok = r.Fail("a world file is a plain name of at most 31 characters");
    } else if (key == "tileset") {
      ok = w.Token(world.tileset, "a tileset name") && w.Done();
    } else if (key == "final") {
      ok = w.Int(world.finalMap, "a map number", 1, kMaxMaps - 1) && w.Done();
    } else if (key == "arenas") {
      while (ok && !w.AtEnd()) {
        int m = 0;
        ok = w.Int(m, "a map number", 1, kMaxMaps - 1);
        if (ok) world.arenas.push_back(m);
      }
    } else if (key == "legend") {
      ok = w.Done() && ParseLegendBlock(r, world.legend);
    } else if (key == "tiles") {
      ok = w.Done() && ParseTilesBlock(r, world);
    } else {
      ok = r.Fail("unknown keyword \"" + key + "\" in a world file");
    }
    if (!ok) break;
  }
  error = r.error();
  if (r.failed()) return false;
  if (world.fileName.empty())
    error = file.name + ": the world file says no 'file NAME.vwd'";
  else if (world.tileset.empty())
    error = file.name + ": the world file says no 'tileset NAME'";
  return error.empty();
}

bool ParseMapSource(const SourceFile& file, const WorldSource& world, MapSource& map,
                    std::string& error) {
  map = MapSource{};
  map.at = {file.name, 0};
  map.legend = world.legend;
  Reader r(file);
  while (r.Next()) {
    if (!ParseMapLine(r, map)) break;
  }
  error = r.error();
  if (r.failed()) return false;
  if (map.number < 0)
    error = file.name + ": the file says no 'map N'";
  else if (map.size == 0)
    error = file.name + ": the file says no 'size 20|64|128'";
  else if (!map.haveName)
    error = file.name + ": the file says no 'name \"...\"'";
  return error.empty();
}

}  // namespace torvel::forge
