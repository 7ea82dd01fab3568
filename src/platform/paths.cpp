#include "platform/paths.h"

#include "common/byte_io.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

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

void SetGameDir(const std::string& dir) {
  gGameDir = dir.empty() ? "." : dir;
}
void SetUserDir(const std::string& dir) {
  gUserDir = dir.empty() ? "." : dir;
}
const std::string& GameDir() {
  return gGameDir;
}
const std::string& UserDir() {
  return gUserDir;
}

bool FileExists(const std::string& hostPath) {
  std::error_code ec;
  return fs::is_regular_file(hostPath, ec);
}

namespace {
// A folder holds the game when its graphics folder is there.
bool HoldsGameData(const std::string& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_directory(ResolveIn(dir, "graphics"), ec);
}

bool IsUserWorld(const std::string& name, const std::vector<std::string>& shippedWorlds) {
  if (!WildcardMatch("*.vwd", name)) return false;
  for (const std::string& shipped : shippedWorlds) {
    if (EqualNoCase(shipped, name)) return false;
  }
  return true;
}

// The player's files in a folder: saves, settings and worlds of their own.
std::vector<std::string> UserFilesIn(const std::string& dir,
                                     const std::vector<std::string>& shippedWorlds) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    if (!it->is_regular_file(fileEc)) continue;
    std::string name = it->path().filename().string();
    bool setting = EqualNoCase(name, "torvel.sav") || EqualNoCase(name, "keys.ini") ||
                   EqualNoCase(name, "port.ini");
    if (setting || IsUserWorld(name, shippedWorlds)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}
}  // namespace

std::string ChooseGameDir(const std::string& exeDir) {
  if (HoldsGameData(exeDir)) return exeDir;
  fs::path installed = fs::path(exeDir).parent_path() / "share" / "torvel";
  if (HoldsGameData(installed.string())) return installed.lexically_normal().string();
  return exeDir;
}

std::string DefaultUserDir() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/torvel";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') {
    std::string path(home);
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path + "/.local/share/torvel";
  }
  return {};
}

std::string ChooseUserDir(const std::string& gameDir, const std::string& exeDir,
                          bool portableOption, const std::string& prefPath) {
  if (portableOption || FileExists(exeDir + "/" + kPortableMarker)) return gameDir;
  if (prefPath.empty()) return gameDir;
  return prefPath;
}

std::vector<std::string> CopyEarlierUserFiles(const std::string& gameDir,
                                              const std::string& userDir,
                                              const std::vector<std::string>& shippedWorlds) {
  std::vector<std::string> copied;
  std::error_code ec;
  if (gameDir.empty() || userDir.empty() || fs::equivalent(gameDir, userDir, ec)) return copied;
  if (!UserFilesIn(userDir, shippedWorlds).empty()) return copied;
  for (const std::string& name : UserFilesIn(gameDir, shippedWorlds)) {
    std::vector<uint8_t> bytes;
    // Saves are at most a few kilobytes and worlds a few megabytes; the
    // limit only keeps a stray huge file from being read whole.
    if (!ReadFileBytes(gameDir + "/" + name, bytes, 256u << 20)) continue;
    if (WriteFileAtomic(userDir + "/" + name, bytes)) copied.push_back(name);
  }
  return copied;
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

std::string DataPath(const std::string& systemName) {
  return ResolveIn(gGameDir, systemName);
}

std::string UserPath(const std::string& systemName) {
  return ResolveIn(gUserDir, systemName);
}

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
