#include "forge/sound/score.h"

#include <cstdlib>
#include <sstream>

namespace torvel::forge {

namespace {

struct Token {
  std::string text;
  int line;
};
using Bar = std::vector<Token>;

struct Part {
  std::string name;
  int line = 0;
  std::vector<std::vector<Bar>> bars;  // per voice; empty = the voice rests
};

struct PlayEntry {
  size_t part;
  int transpose;
};

struct InstrumentName {
  const char* name;
  Instrument instrument;
};
const InstrumentName kInstruments[] = {
    {"piano", Instrument::kPiano},     {"harp", Instrument::kHarp},
    {"pluck", Instrument::kPluck},     {"marimba", Instrument::kMarimba},
    {"bell", Instrument::kBell},       {"flute", Instrument::kFlute},
    {"lead", Instrument::kLead},       {"brass", Instrument::kBrass},
    {"strings", Instrument::kStrings}, {"pad", Instrument::kPad},
    {"choir", Instrument::kChoir},     {"organ", Instrument::kOrgan},
    {"bass", Instrument::kBass},       {"synthbass", Instrument::kSynthBass},
    {"drums", Instrument::kDrums},
};

struct ChordQuality {
  const char* suffix;
  std::vector<int> intervals;
};
const ChordQuality kQualities[] = {
    {"", {0, 4, 7}},         {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},
    {"m7", {0, 3, 7, 10}},   {"maj7", {0, 4, 7, 11}},  {"6", {0, 4, 7, 9}},
    {"m6", {0, 3, 7, 9}},    {"9", {0, 4, 7, 10, 14}}, {"m9", {0, 3, 7, 10, 14}},
    {"add9", {0, 4, 7, 14}}, {"madd9", {0, 3, 7, 14}}, {"sus2", {0, 2, 7}},
    {"sus4", {0, 5, 7}},     {"dim", {0, 3, 6}},       {"aug", {0, 4, 8}},
    {"5", {0, 7}},
};

const char kDrumLetters[] = "kshoctmrpxbg";

// What one step of a bar says.
struct Step {
  enum class Kind { kRest, kHold, kNote, kChord, kDrums } kind = Kind::kRest;
  int pitch = 0;  // note: MIDI number; chord: root pitch class
  const std::vector<int>* intervals = nullptr;
  std::string chordName;  // to tell a new chord from the same one again
  uint32_t drums = 0;
  double velocity = 1.0;
};

int PitchClass(char letter) {
  static const int kClass[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  return kClass[letter - 'a'];
}

class Parser {
 public:
  Parser(const std::string& name, Score& score) : name_(name), score_(score) {}

  bool Run(const std::string& text);
  const std::string& error() const { return error_; }

 private:
  bool Fail(int line, const std::string& what) {
    error_ = name_ + ":" + std::to_string(line) + ": " + what;
    return false;
  }
  bool Directive(const std::vector<std::string>& words, const std::string& raw, int line);
  bool VoiceLine(const std::vector<std::string>& words, int line);
  bool BarsLine(const std::vector<std::string>& words, int line);
  bool ParseStep(const Token& token, const ScoreVoice& voice, Step& step);
  bool Compile();
  int VoiceIndex(const std::string& name) const {
    for (size_t i = 0; i < score_.voices.size(); ++i)
      if (score_.voices[i].name == name) return static_cast<int>(i);
    return -1;
  }

  std::string name_;
  Score& score_;
  std::string error_;
  std::vector<Part> parts_;
  std::vector<PlayEntry> play_;
};

bool ParseNumber(const std::string& word, double& out) {
  char* end = nullptr;
  out = std::strtod(word.c_str(), &end);
  return !word.empty() && end && *end == '\0';
}

bool ParseInt(const std::string& word, int& out) {
  char* end = nullptr;
  long v = std::strtol(word.c_str(), &end, 10);
  if (word.empty() || !end || *end != '\0' || v < -100000 || v > 100000) return false;
  out = static_cast<int>(v);
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::string spaced;
  for (char c : line) {
    if (c == '|') {
      spaced += " | ";
    } else {
      spaced += (c == '\t' || c == '\r') ? ' ' : c;
    }
  }
  std::vector<std::string> words;
  std::istringstream in(spaced);
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

std::string StripComment(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t'))
      return line.substr(0, i);
  }
  return line;
}

bool Parser::Run(const std::string& text) {
  std::istringstream in(text);
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    std::string body = StripComment(raw);
    std::vector<std::string> words = Words(body);
    if (words.empty()) continue;
    const std::string& w = words[0];
    if (w == "sound" || w == "title" || w == "tempo" || w == "bar" || w == "loop" || w == "once" ||
        w == "reverb" || w == "swing" || w == "loudness" || w == "part" || w == "play") {
      if (!Directive(words, body, line)) return false;
    } else if (w == "voice") {
      if (!VoiceLine(words, line)) return false;
    } else if (VoiceIndex(w) >= 0) {
      if (!BarsLine(words, line)) return false;
    } else {
      return Fail(line, "'" + w + "' is neither a header word nor a voice");
    }
  }
  if (score_.sound < 0) return Fail(line, "no 'sound' line");
  if (score_.tempo <= 0) return Fail(line, "no 'tempo' line");
  if (!score_.haveLoopLine) return Fail(line, "say 'loop' or 'once'");
  if (play_.empty()) return Fail(line, "no 'play' line");
  return Compile();
}

bool Parser::Directive(const std::vector<std::string>& words, const std::string& raw, int line) {
  const std::string& w = words[0];
  double v = 0;
  if (w == "title") {
    size_t at = raw.find("title");
    score_.title = raw.substr(at + 5);
    return true;
  }
  if (w == "loop" || w == "once") {
    if (words.size() != 1) return Fail(line, "'" + w + "' takes nothing after it");
    score_.loop = w == "loop";
    score_.haveLoopLine = true;
    return true;
  }
  if (w == "part") {
    if (words.size() != 2) return Fail(line, "write 'part NAME'");
    for (const Part& p : parts_)
      if (p.name == words[1]) return Fail(line, "part " + words[1] + " is written twice");
    parts_.push_back({words[1], line, std::vector<std::vector<Bar>>(score_.voices.size())});
    return true;
  }
  if (w == "play") {
    for (size_t i = 1; i < words.size(); ++i) {
      std::string name = words[i];
      int transpose = 0;
      size_t sign = name.find_first_of("+-");
      if (sign != std::string::npos) {
        if (!ParseInt(name.substr(sign), transpose))
          return Fail(line, "bad transposition in " + name);
        name = name.substr(0, sign);
      }
      size_t found = parts_.size();
      for (size_t p = 0; p < parts_.size(); ++p)
        if (parts_[p].name == name) found = p;
      if (found == parts_.size()) return Fail(line, "no part named " + name);
      play_.push_back({found, transpose});
    }
    return true;
  }
  if (w == "reverb") {
    double wet = 0;
    if (words.size() != 3 || !ParseNumber(words[1], v) || !ParseNumber(words[2], wet) || v < 0 ||
        v > 1 || wet < 0 || wet > 1)
      return Fail(line, "write 'reverb SIZE WET' with both from 0 to 1");
    score_.reverbSize = v;
    score_.reverbWet = wet;
    return true;
  }
  if (words.size() != 2 || !ParseNumber(words[1], v)) return Fail(line, "write '" + w + " NUMBER'");
  if (w == "sound") {
    if (v < 0 || v > 254 || v != static_cast<int>(v)) return Fail(line, "sound numbers run 0..254");
    score_.sound = static_cast<int>(v);
  } else if (w == "tempo") {
    if (v < 20 || v > 400) return Fail(line, "tempo runs 20..400 beats a minute");
    score_.tempo = v;
  } else if (w == "bar") {
    if (v < 1 || v > 16 || v != static_cast<int>(v)) return Fail(line, "a bar holds 1..16 beats");
    score_.beatsPerBar = static_cast<int>(v);
  } else if (w == "loudness") {
    if (v < -40 || v > 0) return Fail(line, "loudness runs -40..0 dB");
    score_.loudnessDb = v;
    score_.haveLoudness = true;
  } else if (w == "swing") {
    if (v < 0 || v > 0.5) return Fail(line, "swing runs 0..0.5");
    score_.swing = v;
  }
  return true;
}

bool Parser::VoiceLine(const std::vector<std::string>& words, int line) {
  if (!parts_.empty()) return Fail(line, "voices come before the first part");
  if (words.size() < 3 || words.size() % 2 == 0)
    return Fail(line, "write 'voice NAME INSTRUMENT [level L] [octave N] [play chord|root|arp]'");
  if (VoiceIndex(words[1]) >= 0) return Fail(line, "voice " + words[1] + " is named twice");
  ScoreVoice voice;
  voice.name = words[1];
  bool known = false;
  for (const InstrumentName& i : kInstruments) {
    if (words[2] == i.name) {
      voice.instrument = i.instrument;
      known = true;
    }
  }
  if (!known) return Fail(line, "no instrument called " + words[2]);
  for (size_t i = 3; i + 1 < words.size(); i += 2) {
    const std::string& key = words[i];
    const std::string& value = words[i + 1];
    double v = 0;
    int o = 0;
    if (key == "level" && ParseNumber(value, v) && v >= 0 && v <= 2) {
      voice.level = v;
    } else if (key == "octave" && ParseInt(value, o) && o >= 0 && o <= 8) {
      voice.octave = o;
    } else if (key == "play" && (value == "chord" || value == "root" || value == "arp")) {
      voice.play = value == "chord"  ? ScoreVoice::Play::kChord
                   : value == "root" ? ScoreVoice::Play::kRoot
                                     : ScoreVoice::Play::kArp;
    } else {
      return Fail(line, "cannot read '" + key + " " + value + "'");
    }
  }
  score_.voices.push_back(voice);
  return true;
}

bool Parser::BarsLine(const std::vector<std::string>& words, int line) {
  if (parts_.empty()) return Fail(line, "bars must follow a 'part' line");
  int v = VoiceIndex(words[0]);
  std::vector<Bar>& bars = parts_.back().bars[v];
  if (words.size() < 2 || words[1] != "|") return Fail(line, "bars start with '|'");
  Bar current;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w == "|") {
      if (i > 1) {
        if (current.empty()) return Fail(line, "an empty bar");
        if (current.size() == 1 && current[0].text == "%") {
          // The bar before, again.
          if (bars.empty()) return Fail(line, "'%' repeats the bar before, and there is none");
          current = bars.back();
        }
        bars.push_back(current);
        current.clear();
      }
      continue;
    }
    size_t star = w.find('*');
    int count = 1;
    std::string body = w;
    if (star != std::string::npos) {
      if (!ParseInt(w.substr(star + 1), count) || count < 1 || count > 64)
        return Fail(line, "bad repeat in " + w);
      body = w.substr(0, star);
    }
    for (int c = 0; c < count; ++c) current.push_back({body, line});
  }
  if (!current.empty()) return Fail(line, "close the last bar with '|'");
  return true;
}

bool Parser::ParseStep(const Token& token, const ScoreVoice& voice, Step& step) {
  std::string t = token.text;
  step = Step{};
  while (!t.empty() && (t.back() == '!' || t.back() == '?')) {
    step.velocity *= t.back() == '!' ? 1.35 : 0.55;
    t.pop_back();
  }
  if (t == ".") return true;
  if (t == "-") {
    step.kind = Step::Kind::kHold;
    return true;
  }
  if (t.empty()) return Fail(token.line, "a lone accent mark");
  if (voice.instrument == Instrument::kDrums) {
    step.kind = Step::Kind::kDrums;
    for (char c : t) {
      const char* at = nullptr;
      for (const char* p = kDrumLetters; *p; ++p)
        if (*p == c) at = p;
      if (!at)
        return Fail(token.line, "'" + token.text + "' is not made of drum letters " + kDrumLetters);
      step.drums |= 1u << (at - kDrumLetters);
    }
    return true;
  }
  char first = t[0];
  size_t at = 1;
  int accidental = 0;
  bool chord = first >= 'A' && first <= 'G';
  if (!chord && !(first >= 'a' && first <= 'g'))
    return Fail(token.line, "'" + token.text + "' is not a note or chord");
  if (at < t.size() && (t[at] == '#' || (t[at] == 'b' && (chord || at + 1 < t.size())))) {
    accidental = t[at] == '#' ? 1 : -1;
    ++at;
  }
  int pc = PitchClass(static_cast<char>(chord ? first - 'A' + 'a' : first));
  if (chord) {
    std::string quality = t.substr(at);
    for (const ChordQuality& q : kQualities) {
      if (quality == q.suffix) {
        step.kind = Step::Kind::kChord;
        step.pitch = ((pc + accidental) % 12 + 12) % 12;
        step.intervals = &q.intervals;
        step.chordName = t;
        return true;
      }
    }
    return Fail(token.line, "unknown chord '" + token.text + "'");
  }
  int octave = 0;
  if (!ParseInt(t.substr(at), octave) || octave < 0 || octave > 8)
    return Fail(token.line, "'" + token.text + "' needs an octave 0..8");
  step.kind = Step::Kind::kNote;
  step.pitch = 12 * (octave + 1) + pc + accidental;
  return true;
}

bool Parser::Compile() {
  const double barSeconds = score_.beatsPerBar * 60.0 / score_.tempo;
  for (const Part& part : parts_) {
    size_t bars = 0;
    for (const std::vector<Bar>& v : part.bars) {
      if (v.empty()) continue;
      if (bars && v.size() != bars)
        return Fail(part.line, "the voices of part " + part.name + " differ in bar count");
      bars = v.size();
    }
    if (!bars) return Fail(part.line, "part " + part.name + " has no bars");
  }
  for (size_t vi = 0; vi < score_.voices.size(); ++vi) {
    ScoreVoice& voice = score_.voices[vi];
    NoteEvent* open = nullptr;
    auto close = [&](double at) {
      if (open) open->length = at - open->start;
      open = nullptr;
    };
    std::string arpChord;
    int arpIndex = 0;
    double t0 = 0;
    for (const PlayEntry& entry : play_) {
      const Part& part = parts_[entry.part];
      size_t partBars = 0;
      for (const std::vector<Bar>& v : part.bars) partBars = std::max(partBars, v.size());
      const std::vector<Bar>& bars = part.bars[vi];
      if (bars.empty()) close(t0);
      for (size_t b = 0; b < bars.size(); ++b) {
        const Bar& bar = bars[b];
        double stepSeconds = barSeconds / bar.size();
        size_t perBeat = bar.size() / score_.beatsPerBar;
        bool swung = bar.size() % score_.beatsPerBar == 0 && (perBeat == 2 || perBeat == 4);
        for (size_t i = 0; i < bar.size(); ++i) {
          Step step;
          if (!ParseStep(bar[i], voice, step)) return false;
          double at = t0 + b * barSeconds + i * stepSeconds;
          if (swung && (i % 2) == 1) at += score_.swing * stepSeconds;
          if (step.kind == Step::Kind::kHold) continue;
          close(at);
          if (step.kind == Step::Kind::kRest) continue;
          NoteEvent e;
          e.start = at;
          e.velocity = step.velocity;
          if (step.kind == Step::Kind::kDrums) {
            e.drums = step.drums;
            e.length = stepSeconds;
            voice.events.push_back(e);
            continue;
          }
          if (step.kind == Step::Kind::kNote) {
            e.pitches.push_back(step.pitch + entry.transpose);
          } else {
            int pc = ((step.pitch + entry.transpose) % 12 + 12) % 12;
            // Roots from G# up sit an octave lower, so changes stay close.
            int root = 12 * (voice.octave + 1) + pc - (pc >= 8 ? 12 : 0);
            const std::vector<int>& iv = *step.intervals;
            if (voice.play == ScoreVoice::Play::kRoot) {
              e.pitches.push_back(root);
            } else if (voice.play == ScoreVoice::Play::kArp) {
              if (step.chordName != arpChord) arpIndex = 0;
              arpChord = step.chordName;
              int n = static_cast<int>(iv.size());
              int k = arpIndex % (2 * n);
              e.pitches.push_back(root + iv[k % n] + 12 * (k / n));
              ++arpIndex;
            } else {
              for (int i2 : iv) e.pitches.push_back(root + i2);
            }
          }
          voice.events.push_back(e);
          open = &voice.events.back();
        }
      }
      t0 += partBars * barSeconds;
      // A pointer into events stays valid only until the next push_back;
      // events are pushed only after close(), so 'open' is always current.
    }
    close(t0);
  }
  score_.length = 0;
  for (const PlayEntry& entry : play_) {
    size_t partBars = 0;
    for (const std::vector<Bar>& v : parts_[entry.part].bars)
      partBars = std::max(partBars, v.size());
    score_.length += partBars * barSeconds;
  }
  return true;
}

}  // namespace

bool ParseScore(const std::string& text, const std::string& name, Score& score,
                std::string& error) {
  score = Score{};
  Parser parser(name, score);
  if (parser.Run(text)) return true;
  error = parser.error();
  return false;
}

}  // namespace torvel::forge
