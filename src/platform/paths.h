// Where files are: the read-only game folder and the user's folder.
//
// Code names files in the system's own form, relative to the program folder
// and with backslashes ("graphics\\title.bmp", "torvel.sav"). This module is
// the one place that maps such names to host paths: slashes, and a
// case-insensitive match of each component when the exact name is absent.
//
// Game data (graphics\, sound\, the shipped worlds) is read from the game
// folder. Files the program writes (torvel.sav, keys.ini, port.ini, worlds
// saved by the editor, screenshots) go to the user folder, and the player's
// own files are read only from there; in portable mode that is the game
// folder itself. Worlds are read from the user folder when it holds them,
// else from the game folder.
#pragma once

#include <string>
#include <vector>

namespace torvel {

void SetGameDir(const std::string& dir);
void SetUserDir(const std::string& dir);
const std::string& GameDir();
const std::string& UserDir();

// The game folder of a program in exeDir: exeDir itself when it holds the
// game's data (the build's game folder, a copied game folder), else the
// installed data beside it (exeDir/../share/torvel) when that holds them.
// With neither, exeDir (the start-up then says what is missing).
std::string ChooseGameDir(const std::string& exeDir);

// The per-user folder: $XDG_DATA_HOME/torvel, else $HOME/.local/share/torvel;
// "" when neither variable names an absolute folder.
std::string DefaultUserDir();

// The file beside the program that asks for portable mode.
constexpr const char kPortableMarker[] = "portable";

// Where saved games and settings go: the game folder in portable mode (asked
// for by the option, or by a file named "portable" beside the program),
// otherwise prefPath; the game folder too when there is no pref path at all.
std::string ChooseUserDir(const std::string& gameDir, const std::string& exeDir,
                          bool portableOption, const std::string& prefPath);

// Files an earlier version kept in the game folder (torvel.sav, keys.ini,
// port.ini, worlds saved by the editor, that is every .vwd that is not one of
// shippedWorlds) are copied into a user folder that holds none of its own
// yet. The game folder's files are never touched. Returns the names copied;
// a copy that fails is left out and the others still go.
std::vector<std::string> CopyEarlierUserFiles(const std::string& gameDir,
                                              const std::string& userDir,
                                              const std::vector<std::string>& shippedWorlds);

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
