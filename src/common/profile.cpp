#include "common/profile.h"

#include <cctype>
#include <vector>

#include "common/byte_io.h"
#include "common/file_io.h"

namespace torvel {

namespace {

std::string Trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
  return s.substr(a, b - a);
}

bool SameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

bool FindProfileString(const std::string& text, const std::string& section, const std::string& key,
                       std::string& value) {
  bool inSection = false;
  size_t pos = 0;
  // Editors on other systems like to start a file with a UTF-8 byte-order mark.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      std::string name =
          Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      inSection = SameNoCase(name, section);
      continue;
    }
    if (!inSection) continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (!SameNoCase(Trim(line.substr(0, eq)), key)) continue;
    value = Trim(line.substr(eq + 1));
    // A value wrapped in matching quotes loses them, as the system reader does.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return true;
  }
  return false;
}

bool ReadProfileString(const std::string& hostPath, const std::string& section,
                       const std::string& key, std::string& value) {
  std::vector<uint8_t> bytes;
  // No profile comes near a megabyte; a bigger file is read for its start.
  if (!ReadFileHead(hostPath, bytes, 1u << 20)) return false;
  std::string text(bytes.begin(), bytes.end());
  return FindProfileString(text, section, key, value);
}

}  // namespace torvel
