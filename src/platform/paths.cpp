#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>

#include <unistd.h>

namespace torvel {

namespace fs = std::filesystem;

namespace {
std::string gGameDir = ".";
std::string gUserDir = ".";

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::vector<std::string> SplitName(const std::string& systemName) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : systemName) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// The folder part of a system pattern and the pattern itself.
void SplitPattern(const std::string& pattern, std::string& folder, std::string& leaf) {
  size_t cut = pattern.find_last_of("\\/");
  if (cut == std::string::npos) {
    folder.clear();
    leaf = pattern;
  } else {
    folder = pattern.substr(0, cut);
    leaf = pattern.substr(cut + 1);
  }
}
}  // namespace

void SetGameDir(const std::string& dir) { gGameDir = dir.empty() ? "." : dir; }
void SetUserDir(const std::string& dir) { gUserDir = dir.empty() ? "." : dir; }
const std::string& GameDir() { return gGameDir; }
const std::string& UserDir() { return gUserDir; }

bool FileExists(const std::string& hostPath) {
  std::error_code ec;
  return fs::is_regular_file(hostPath, ec);
}

std::string ChooseUserDir(const std::string& gameDir, const std::string& prefPath) {
  if (FileExists(gameDir + "/torvel.sav") || FileExists(gameDir + "/keys.ini")) return gameDir;
  if (access(gameDir.c_str(), W_OK) == 0) return gameDir;
  if (prefPath.empty()) return gameDir;
  std::error_code ec;
  fs::create_directories(prefPath, ec);
  return prefPath;
}

std::string ResolveIn(const std::string& dir, const std::string& systemName) {
  std::string path = dir;
  std::vector<std::string> parts = SplitName(systemName);
  for (const std::string& part : parts) {
    std::string exact = path + "/" + part;
    std::error_code ec;
    if (fs::exists(exact, ec)) {
      path = exact;
      continue;
    }
    // The name as written is missing: look for one that differs only in case.
    std::string found;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
      std::string name = it->path().filename().string();
      if (EqualNoCase(name, part)) {
        found = name;
        break;
      }
    }
    path += "/" + (found.empty() ? part : found);
  }
  return path;
}

std::string DataPath(const std::string& systemName) { return ResolveIn(gGameDir, systemName); }

std::string UserPath(const std::string& systemName) { return ResolveIn(gUserDir, systemName); }

std::string ReadPath(const std::string& systemName) {
  std::string user = ResolveIn(gUserDir, systemName);
  if (FileExists(user)) return user;
  return ResolveIn(gGameDir, systemName);
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  // Iterative match with one backtrack point for the last '*'.
  size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || std::tolower(static_cast<unsigned char>(pattern[p])) ==
                                  std::tolower(static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool FindFiles::First(const std::string& pattern, std::string& name) {
  names_.clear();
  next_ = 0;
  std::string folder, leaf;
  SplitPattern(pattern, folder, leaf);
  std::set<std::string> seen;
  for (const std::string& base : {gUserDir, gGameDir}) {
    std::string dir = folder.empty() ? base : ResolveIn(base, folder);
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      if (!it->is_regular_file(ec)) continue;
      std::string file = it->path().filename().string();
      if (WildcardMatch(leaf, file)) seen.insert(file);
    }
  }
  names_.assign(seen.begin(), seen.end());
  return Next(name);
}

bool FindFiles::Next(std::string& name) {
  if (next_ >= names_.size()) return false;
  name = names_[next_++];
  return true;
}

void FindFiles::Close() {
  names_.clear();
  next_ = 0;
}

}  // namespace torvel
