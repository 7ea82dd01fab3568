// The program: picks the folders, installs the SDL backend and runs.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/profile.h"
#include "platform/paths.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/program.h"
#include "shell/replay.h"

namespace {

std::string ExecutableDir(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path().string();
}

std::string PrefPath() {
  char* pref = SDL_GetPrefPath("", "torvel");
  if (!pref) return {};
  std::string path(pref);
  SDL_free(pref);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool ReadFlag(const std::string& ini, const char* key, bool fallback) {
  std::string value;
  if (!torvel::ReadProfileString(ini, "Display", key, value)) return fallback;
  return value == "1" || value == "yes" || value == "true" || value == "on";
}

void PrintHelp() {
  using torvel::DataPath;
  using torvel::UserPath;
  std::printf(
      "TORVEL - a top-down action adventure with its own world editor.\n\n"
      "Usage: torvel [window] [editor] [--data-dir DIR] [--user-dir DIR]\n"
      "              [--record FILE] [--replay FILE] [--help]\n\n"
      "  window          play in a window instead of full screen (Alt+Enter toggles)\n"
      "  editor          open the world editor at once (E on the title screen opens it too)\n"
      "  --data-dir DIR  the game folder with graphics/, sound/ and the worlds\n"
      "  --user-dir DIR  the folder for saved games, key bindings and edited worlds\n"
      "  --record FILE   record the input of the first game played into FILE\n"
      "  --replay FILE   play a recorded game back without a window, at full speed,\n"
      "                  and print whether it ends in the state it was recorded in\n"
      "  --help          this text\n\n"
      "Files:\n"
      "  game data       %s\n"
      "  saved games     %s\n"
      "  key bindings    %s\n"
      "  port settings   %s\n"
      "  edited worlds   %s\n",
      torvel::GameDir().c_str(), UserPath("torvel.sav").c_str(), UserPath("keys.ini").c_str(),
      UserPath("port.ini").c_str(), torvel::UserDir().c_str());
  (void)DataPath;
}

}  // namespace

int main(int argc, char** argv) {
  std::string gameDir = ExecutableDir(argv[0]);
  std::string userDir;
  bool help = false;
  std::string recordPath;
  std::string replayPath;
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--data-dir") == 0 && i + 1 < argc) {
      gameDir = argv[++i];
    } else if (std::strcmp(argv[i], "--user-dir") == 0 && i + 1 < argc) {
      userDir = argv[++i];
    } else if (std::strcmp(argv[i], "--record") == 0 && i + 1 < argc) {
      recordPath = argv[++i];
    } else if (std::strcmp(argv[i], "--replay") == 0 && i + 1 < argc) {
      replayPath = argv[++i];
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      help = true;
    } else {
      if (!commandLine.empty()) commandLine += ' ';
      commandLine += argv[i];
    }
  }
  if (!replayPath.empty()) return torvel::RunReplayProgram(replayPath, gameDir);
  torvel::SetGameDir(gameDir);
  if (userDir.empty()) userDir = torvel::ChooseUserDir(gameDir, PrefPath());
  std::error_code ec;
  std::filesystem::create_directories(userDir, ec);
  torvel::SetUserDir(userDir);
  if (help) {
    PrintHelp();
    return 0;
  }

  torvel::PortSettings settings;
  std::string ini = torvel::UserPath("port.ini");
  settings.forceWindow = ReadFlag(ini, "Window", false);
  settings.integerScaling = ReadFlag(ini, "IntegerScaling", true);
  settings.vsync = ReadFlag(ini, "VSync", true);

  if (!recordPath.empty()) torvel::RequestReplayRecording(recordPath);
  torvel::SdlPlatform platform(settings);
  torvel::InstallPlatform(&platform);
  int status = torvel::RunProgram(commandLine.c_str());
  torvel::InstallPlatform(nullptr);
  return status;
}
