// texts_gen CONTENT_DIR OUT.cpp: checks the authored texts in CONTENT_DIR
// (credits, epilogue, notice, dialogues, shop) and writes them as the
// compiled-in tables of shell/game_texts.h. Any text that breaks a rule
// stops the build with its file and line.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/game_texts.h"

namespace {

using torvel::kCountdownColumn;
using torvel::kCountdownDialogue;
using torvel::kCountdownLine;
using torvel::kCountdownPlaceholder;

struct Line {
  std::string text;
  int sourceLine = 0;
};

// One numbered block ("dialogue 3" and its lines).
struct Block {
  int number = -1;
  int sourceLine = 0;
  std::vector<Line> lines;
};

struct Source {
  std::string path;
  std::vector<Line> loose;    // lines before any block header
  std::vector<Block> blocks;  // in file order
};

bool gFailed = false;

void Fail(const std::string& path, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), line, what.c_str());
  gFailed = true;
}

// Codes the game fonts draw for the letter coding, plus the markup and the
// countdown placeholder (checked where they may stand).
bool AllowedCode(char c) {
  if (c >= 'A' && c <= 'Z') return true;
  if (c >= '0' && c <= '9') return true;
  if (c == 'b') return true;
  static const std::string kOthers = " !?.,:;/-+$%()'&@#*";
  return kOthers.find(c) != std::string::npos;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return {};
  size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

// Reads a text file: comments, block headers named `keyword`, quoted lines.
bool ReadSource(const std::string& path, const char* keyword, Source& source) {
  source.path = path;
  std::ifstream in(path);
  if (!in) {
    Fail(path, 0, "cannot open");
    return false;
  }
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    std::string line = raw;
    // A comment starts outside quotes.
    bool inQuotes = false;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '"') inQuotes = !inQuotes;
      if (!inQuotes && line.compare(i, 2, "//") == 0) {
        line.resize(i);
        break;
      }
    }
    line = Trim(line);
    if (line.empty()) continue;
    if (line.front() == '"') {
      if (line.size() < 2 || line.back() != '"' || line.find('"', 1) != line.size() - 1) {
        Fail(path, number, "a text line is one string in double quotes");
        continue;
      }
      Line text{line.substr(1, line.size() - 2), number};
      for (char c : text.text) {
        if (!AllowedCode(c)) {
          Fail(path, number, std::string("the game fonts do not draw '") + c + "'");
          break;
        }
      }
      if (source.blocks.empty()) {
        source.loose.push_back(text);
      } else {
        source.blocks.back().lines.push_back(text);
      }
      continue;
    }
    std::istringstream words(line);
    std::string word;
    int n = -1;
    std::string rest;
    if (keyword && (words >> word) && word == keyword && (words >> n) && !(words >> rest)) {
      source.blocks.push_back(Block{n, number, {}});
      continue;
    }
    Fail(path, number,
         "expected a quoted line" + std::string(keyword ? " or '" : "") +
             (keyword ? std::string(keyword) + " N'" : ""));
  }
  return true;
}

void CheckLength(const std::string& path, const Line& line, size_t bytes) {
  if (line.text.size() + 1 > bytes)
    Fail(path, line.sourceLine, "longer than " + std::to_string(bytes - 1) + " characters");
}

void CheckNoPlaceholder(const std::string& path, const Line& line) {
  if (line.text.find(kCountdownPlaceholder) != std::string::npos)
    Fail(path, line.sourceLine, "'*' stands only in dialogue 5's countdown line");
}

// A markup table (credits, epilogue): exactly `count` lines, none ending it early.
std::vector<std::string> MarkupTable(const Source& source, int count, size_t bytes) {
  std::vector<std::string> out;
  if (!source.blocks.empty()) Fail(source.path, source.blocks[0].sourceLine, "no blocks here");
  if (static_cast<int>(source.loose.size()) != count)
    Fail(source.path, 0,
         "needs exactly " + std::to_string(count) + " lines, has " +
             std::to_string(source.loose.size()));
  for (const Line& line : source.loose) {
    CheckLength(source.path, line, bytes);
    CheckNoPlaceholder(source.path, line);
    if (!line.text.empty() && line.text[0] == '$')
      Fail(source.path, line.sourceLine, "a line beginning with $ would end the table");
    out.push_back(line.text);
  }
  return out;
}

// Numbered blocks 0..count-1 of `lines` lines each, every number once.
std::vector<std::vector<std::string>> BlockTable(const Source& source, const char* keyword,
                                                 int count, int lines, size_t bytes) {
  std::vector<std::vector<std::string>> out(count, std::vector<std::string>(lines));
  std::vector<bool> seen(count, false);
  if (!source.loose.empty())
    Fail(source.path, source.loose[0].sourceLine,
         std::string("a line before the first '") + keyword + " N'");
  for (const Block& block : source.blocks) {
    if (block.number < 0 || block.number >= count) {
      Fail(source.path, block.sourceLine,
           std::string(keyword) + " numbers run from 0 to " + std::to_string(count - 1));
      continue;
    }
    if (seen[block.number]) Fail(source.path, block.sourceLine, "given twice");
    seen[block.number] = true;
    if (static_cast<int>(block.lines.size()) != lines)
      Fail(source.path, block.sourceLine, "needs exactly " + std::to_string(lines) + " lines");
    for (size_t i = 0; i < block.lines.size() && i < static_cast<size_t>(lines); ++i) {
      CheckLength(source.path, block.lines[i], bytes);
      out[block.number][i] = block.lines[i].text;
    }
  }
  for (int i = 0; i < count; ++i) {
    if (!seen[i])
      Fail(source.path, 0, std::string(keyword) + " " + std::to_string(i) + " is missing");
  }
  return out;
}

void CheckDialoguePlaceholder(const Source& source) {
  for (const Block& block : source.blocks) {
    for (size_t i = 0; i < block.lines.size(); ++i) {
      const std::string& text = block.lines[i].text;
      bool countdown = block.number == kCountdownDialogue && static_cast<int>(i) == kCountdownLine;
      for (size_t c = 0; c < text.size(); ++c) {
        if (text[c] != kCountdownPlaceholder) continue;
        if (!countdown || static_cast<int>(c) != kCountdownColumn)
          Fail(source.path, block.lines[i].sourceLine,
               "'*' stands only in dialogue 5's last line, at column 22");
      }
      if (countdown && (static_cast<int>(text.size()) <= kCountdownColumn ||
                        text[kCountdownColumn] != kCountdownPlaceholder))
        Fail(source.path, block.lines[i].sourceLine,
             "dialogue 5's last line needs its '*' at column 22 (counted from 0)");
    }
  }
}

std::string Literal(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: texts_gen CONTENT_DIR OUT.cpp\n");
    return 2;
  }
  std::string dir = argv[1];
  Source credits, epilogue, notice, dialogues, shop;
  ReadSource(dir + "/credits.txt", nullptr, credits);
  ReadSource(dir + "/epilogue.txt", nullptr, epilogue);
  ReadSource(dir + "/notice.txt", nullptr, notice);
  ReadSource(dir + "/dialogues.txt", "dialogue", dialogues);
  ReadSource(dir + "/shop.txt", "cell", shop);

  auto creditLines = MarkupTable(credits, torvel::kCreditsLines, torvel::kCreditsLineBytes);
  auto epilogueLines = MarkupTable(epilogue, torvel::kEpilogueLines, torvel::kEpilogueLineBytes);
  auto noticeLines = MarkupTable(notice, 1, torvel::kTitleNoticeBytes);
  auto dialogueTable = BlockTable(dialogues, "dialogue", torvel::kDialogueCount,
                                  torvel::kDialogueLines, torvel::kDialogueLineBytes);
  CheckDialoguePlaceholder(dialogues);
  auto shopTable = BlockTable(shop, "cell", torvel::kShopCells, torvel::kShopDescriptionLines,
                              torvel::kShopDescriptionBytes);
  for (const Block& block : shop.blocks)
    for (const Line& line : block.lines) CheckNoPlaceholder(shop.path, line);
  if (gFailed) return 1;

  std::ostringstream out;
  out << "// Written by texts_gen from content/texts; edit those files instead.\n"
         "#include \"shell/game_texts.h\"\n\nnamespace torvel {\n\n";
  out << "const char kCreditsTable[kCreditsLines + 1][kCreditsLineBytes] = {\n";
  for (const std::string& s : creditLines) out << "    " << Literal(s) << ",\n";
  out << "    \"$\",\n};\n\n";
  out << "const char kEpilogueTable[kEpilogueLines + 1][kEpilogueLineBytes] = {\n";
  for (const std::string& s : epilogueLines) out << "    " << Literal(s) << ",\n";
  out << "    \"$\",\n};\n\n";
  out << "const char kTitleNotice[kTitleNoticeBytes] = " << Literal(noticeLines[0]) << ";\n\n";
  out << "const char kDialogueTable[kDialogueCount][kDialogueLines][kDialogueLineBytes] = {\n";
  for (const auto& d : dialogueTable) {
    out << "    {";
    for (const std::string& s : d) out << Literal(s) << ", ";
    out << "},\n";
  }
  out << "};\n\n";
  out << "const char kShopDescriptions[kShopCells][kShopDescriptionLines][kShopDescriptionBytes] = "
         "{\n";
  for (const auto& d : shopTable) {
    out << "    {";
    for (const std::string& s : d) out << Literal(s) << ", ";
    out << "},\n";
  }
  out << "};\n\n}  // namespace torvel\n";

  std::string text = out.str();
  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file << text;
  if (!file) {
    std::fprintf(stderr, "texts_gen: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
