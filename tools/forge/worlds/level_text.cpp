#include "forge/worlds/level_text.h"

#include <cstdio>
#include <cstring>

namespace torvel::forge {

std::string Where(const SourceLocation& at) {
  return at.line > 0 ? at.file + ":" + std::to_string(at.line) : at.file;
}

bool SplitWords(const std::string& line, std::vector<Word>& words, std::string& error) {
  words.clear();
  size_t i = 0;
  const size_t n = line.size();
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < n) {
    while (i < n && blank(line[i])) ++i;
    if (i >= n) break;
    // A comment needs a blank (or the line start) before it, so a "//"
    // inside a row of map cells stays part of the row.
    if (line.compare(i, 2, "//") == 0 && (i == 0 || blank(line[i - 1]))) break;
    Word w;
    if (line[i] == '"') {
      w.quoted = true;
      ++i;
      bool closed = false;
      while (i < n) {
        char c = line[i++];
        if (c == '\\' && i < n && (line[i] == '"' || line[i] == '\\')) {
          w.text += line[i++];
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          w.text += c;
        }
      }
      if (!closed) {
        error = "a quoted text is not closed";
        return false;
      }
    } else {
      while (i < n && !blank(line[i])) w.text += line[i++];
    }
    words.push_back(std::move(w));
  }
  return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  // A final line end does not start another line.
  if (!lines.empty() && lines.back().empty() && !text.empty() && text.back() == '\n')
    lines.pop_back();
  return lines;
}

bool DecodeUtf8(const std::string& text, std::u32string& out) {
  out.clear();
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t c = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      c = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      c = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      c = b & 0x07;
      extra = 3;
    } else {
      return false;
    }
    if (i + static_cast<size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto cont = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((cont & 0xC0) != 0x80) return false;
      c = (c << 6) | (cont & 0x3F);
    }
    // Overlong forms and surrogates are not characters.
    static const char32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
    if (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    out.push_back(c);
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

std::string EncodeUtf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string QuoteCell(char32_t c) {
  if (c < 0x20 || c == 0x7F) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return buf;
  }
  return "'" + EncodeUtf8(c) + "'";
}

namespace {

// The codes of А..Я in alphabet order (U+0410 to U+042F).
const char* const kCyrillicCodes[32] = {
    "A", "S", "B", "F", "D", "E", "G", "3", "N", "J", "K", "V",  "M", "H", "0", "L",
    "P", "C", "T", "Y", "O", "X", "Q", "4", "U", "&", "b", "bI", "b", "Z", "W", "R",
};

bool PassesUnchanged(char32_t c) {
  if (c >= 'A' && c <= 'Z') return true;
  if (c >= '0' && c <= '9') return true;
  return c == 'b' ||
         (c < 0x80 && std::strchr(" !?.,:;/-+$%()'\"&", static_cast<int>(c)) != nullptr);
}

}  // namespace

bool ToGameText(const std::string& utf8, std::string& coded, std::string& error) {
  std::u32string chars;
  if (!DecodeUtf8(utf8, chars)) {
    error = "the text is not valid UTF-8";
    return false;
  }
  coded.clear();
  for (char32_t c : chars) {
    if (c >= 0x0410 && c <= 0x042F) {
      coded += kCyrillicCodes[c - 0x0410];
    } else if (c >= 0x0430 && c <= 0x044F) {
      coded += kCyrillicCodes[c - 0x0430];
    } else if (c == 0x0401 || c == 0x0451) {
      coded += 'E';
    } else if (c != 0 && PassesUnchanged(c)) {
      coded += static_cast<char>(c);
    } else {
      error = "the game's fonts cannot show " + QuoteCell(c) + " in \"" + utf8 + "\"";
      return false;
    }
  }
  return true;
}

bool ParseInt(const std::string& text, int& value) {
  if (text.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i >= text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 1000000000LL) return false;
  }
  value = static_cast<int>(negative ? -v : v);
  return true;
}

}  // namespace torvel::forge
