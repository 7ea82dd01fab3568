// The program: picks the folders, installs the SDL backend and runs.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/port_settings.h"
#include "platform/sdl/sdl_backend.h"
#include "shell/play_loop.h"
#include "shell/program.h"
#include "shell/replay.h"

namespace {

std::string ExecutableDir(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path().string();
}

std::vector<std::string> ShippedWorlds() {
  std::vector<std::string> names;
  for (int w = 0; w < 4; ++w) names.emplace_back(torvel::WorldFileName(w));
  return names;
}

void PrintHelp(bool portable) {
  using torvel::UserPath;
  std::printf(
      "TORVEL - a top-down action adventure with its own world editor.\n\n"
      "Usage: torvel [window] [editor] [--data-dir DIR] [--user-dir DIR] [--portable]\n"
      "              [--record FILE] [--replay FILE] [--help]\n\n"
      "  window          play in a window instead of full screen (Alt+Enter toggles)\n"
      "  editor          open the world editor at once (E on the title screen opens it too)\n"
      "  --data-dir DIR  the game folder with graphics/, sound/ and the worlds\n"
      "  --user-dir DIR  the folder for saved games, settings, edited worlds and screenshots\n"
      "  --portable      keep saved games and settings in the game folder (so does a\n"
      "                  file named \"portable\" beside the program)\n"
      "  --record FILE   record the input of the first game played into FILE\n"
      "  --replay FILE   play a recorded game back without a window, at full speed,\n"
      "                  and print whether it ends in the state it was recorded in\n"
      "  --help          this text\n\n"
      "Files:\n"
      "  game data       %s\n"
      "  user folder     %s%s\n"
      "  saved games     %s\n"
      "  key bindings    %s\n"
      "  port settings   %s\n"
      "  edited worlds   %s\n"
      "  screenshots     %s (F12)\n",
      torvel::GameDir().c_str(), torvel::UserDir().c_str(), portable ? " (portable mode)" : "",
      UserPath("torvel.sav").c_str(), UserPath("keys.ini").c_str(), UserPath("port.ini").c_str(),
      torvel::UserDir().c_str(), UserPath("screenshots").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string exeDir = ExecutableDir(argv[0]);
  std::string gameDir;
  std::string userDir;
  bool help = false;
  bool portableOption = false;
  std::string recordPath;
  std::string replayPath;
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--data-dir") == 0 && i + 1 < argc) {
      gameDir = argv[++i];
    } else if (std::strcmp(argv[i], "--user-dir") == 0 && i + 1 < argc) {
      userDir = argv[++i];
    } else if (std::strcmp(argv[i], "--portable") == 0) {
      portableOption = true;
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
  if (gameDir.empty()) gameDir = torvel::ChooseGameDir(exeDir);
  if (!replayPath.empty()) return torvel::RunReplayProgram(replayPath, gameDir);
  torvel::SetGameDir(gameDir);
  bool chosenUserDir = !userDir.empty();
  if (!chosenUserDir)
    userDir = torvel::ChooseUserDir(gameDir, exeDir, portableOption, torvel::DefaultUserDir());
  const bool portable = userDir == gameDir;
  torvel::SetUserDir(userDir);
  if (help) {
    PrintHelp(portable);
    return 0;
  }

  std::error_code ec;
  std::filesystem::create_directories(userDir, ec);
  if (ec) {
    std::fprintf(stderr, "TORVEL: cannot make the user folder %s (%s): games cannot be saved\n",
                 userDir.c_str(), ec.message().c_str());
  }
  // A first start after an earlier version that kept everything in the game
  // folder: the player's files come along (and stay where they were too).
  if (!portable && !chosenUserDir) {
    std::vector<std::string> copied =
        torvel::CopyEarlierUserFiles(gameDir, userDir, ShippedWorlds());
    for (const std::string& name : copied) {
      std::printf("TORVEL: copied %s from %s to %s\n", name.c_str(), gameDir.c_str(),
                  userDir.c_str());
    }
  }

  const torvel::PortSettings settings = torvel::ReadPortSettings(torvel::UserPath("port.ini"));

  if (!recordPath.empty()) torvel::RequestReplayRecording(recordPath);
  std::unique_ptr<torvel::Platform> platform = torvel::CreateSdlPlatform(settings);
  torvel::InstallPlatform(platform.get());
  int status = torvel::RunProgram(commandLine.c_str());
  torvel::InstallPlatform(nullptr);
  return status;
}
