// Where files are: the read-only game folder and the user's folder.
//
// Code names files in the system's own form, relative to the program folder
// and with backslashes ("graphics\\title.bmp", "torvel.sav"). This module is
// the one place that maps such names to host paths: slashes, and a
// case-insensitive match of each component when the exact name is absent.
//
// Game data (graphics\, sound\, the shipped worlds) is read from the game
// folder. Files the program writes (torvel.sav, keys.ini, worlds saved by the
// editor) go to the user folder; in portable mode that is the game folder
// itself. Files of "the current folder" are read from the user folder when it
// holds them, else from the game folder.
#pragma once

#include <string>
#include <vector>

namespace torvel {

void SetGameDir(const std::string& dir);
void SetUserDir(const std::string& dir);
const std::string& GameDir();
const std::string& UserDir();

// Portable mode: the game folder is writable, or already holds torvel.sav or
// keys.ini. Otherwise the user folder is prefPath (created when missing).
std::string ChooseUserDir(const std::string& gameDir, const std::string& prefPath);

// Maps a system file name inside dir; the result may name a missing file.
std::string ResolveIn(const std::string& dir, const std::string& systemName);

std::string DataPath(const std::string& systemName);  // game folder
std::string UserPath(const std::string& systemName);  // user folder (for writing)
std::string ReadPath(const std::string& systemName);  // user folder's copy, else game folder's

bool FileExists(const std::string& hostPath);

// Directory search with a wildcard ("*.vwd", "graphics\\*.bmp"): the names
// (without folder) of the files that match, from the user folder and the game
// folder, each once, in sorted order. '*' and '?' match case-insensitively.
class FindFiles {
 public:
  // Starts a search; false when nothing matches.
  bool First(const std::string& pattern, std::string& name);
  bool Next(std::string& name);
  void Close();

 private:
  std::vector<std::string> names_;
  size_t next_ = 0;
};

bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace torvel
