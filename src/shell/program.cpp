#include "shell/program.h"

#include <cstring>
#include <memory>
#include <string>

#include "actors/kinds.h"
#include "audio/sound.h"
#include "common/trig.h"
#include "editor/editor.h"
#include "gfx/bmp.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/movie.h"
#include "gfx/sprites.h"
#include "gfx/tiles.h"
#include "input/input.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "player/player.h"
#include "player/shop.h"
#include "player/status.h"
#include "shell/play_loop.h"
#include "shell/title.h"
#include "world/items.h"

namespace torvel {

namespace {
Display* gProgramDisplay = nullptr;
constexpr int kSplashHold = 128;
}  // namespace

bool CommandLineHasWord(const char* commandLine, const char* word) {
  if (!commandLine || !word) return false;
  std::string text(commandLine);
  const size_t length = std::strlen(word);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find(' ', pos);
    if (end == std::string::npos) end = text.size();
    if (end - pos == length && text.compare(pos, length, word) == 0) return true;
    pos = end + 1;
  }
  return false;
}

bool ScanCommandLine(const char* commandLine) {
  return CommandLineHasWord(commandLine, "window");
}

void GlobalInit(Display* display) {
  gProgramDisplay = display;
  InitTrigTables();
  InitGraphics(display);
  ResetSound();
  ClearKindSprites();
  SetHeroAppearance(0);
  SetTileDisplay(display);
  LoadItems();
  LoadStatusSprites();
  display->SetLastKey(0);
  InitInput();
  ResetPlayer(kResetNewGame, 0, 0);
  LoadShopSprites();
  ClearChallengeFlag();
}

void GlobalShutdown() {
  FreeShopSprites();
  FreeItems();
  ExitGraphics();
  FreeKindSprites();
  FreeStatusSprites();
  gProgramDisplay = nullptr;
}

void ShowSplashPicture(Display* display, const char* name, int holdFrames, int sound,
                       bool waitForKey) {
  uint8_t work[1024] = {};
  display->SetPalette(work);
  display->RealizePalette();
  display->TakeLastKey();

  BmpImage image;
  if (!ReadBmp8(DataPath(name), image)) return;
  uint8_t target[1024];
  for (int i = 0; i < 1024; ++i) target[i] = (i % 4 == 3) ? 0 : image.palette[i];
  uint8_t* screen = display->GetScreen();
  int32_t rows = std::min(image.height, display->GetHeight());
  int32_t cols = std::min(image.width, display->GetWidth());
  for (int32_t y = 0; y < rows; ++y) {
    std::memcpy(screen + static_cast<size_t>(y) * display->GetPitch(),
                image.pixels.data() + static_cast<size_t>(y) * image.width, cols);
  }

  enum class Phase { FadeIn, Hold, FadeOut };
  Phase phase = Phase::FadeIn;
  int frame = 0;
  Platform& platform = GetPlatform();
  for (;;) {
    uint32_t noted = platform.Milliseconds();
    display->Flip();
    if (!display->ProcessMessages()) return;
    // Every pass lasts 33 ms, the fades' too: each fade step once took two
    // retraces (the flip's and the palette's) of a 60 Hz screen, so the
    // fades run as long on every screen, however fast it refreshes.
    WaitSince(noted, 33);
    if (!waitForKey || frame > holdFrames) {
      if (display->TakeLastKey() != 0) phase = Phase::FadeOut;
    }
    ++frame;
    if (phase == Phase::FadeIn) {
      for (int pass = 0; pass < 8; ++pass) {
        for (int i = 0; i < 1024; ++i) {
          if (i % 4 != 3 && work[i] < target[i]) ++work[i];
        }
      }
      display->SetPalette(work);
      display->RealizePalette();
      if (frame == 32) MakeNormalSound(sound);
      if (frame > 32) {
        phase = Phase::Hold;
        frame = 0;
      }
    } else if (phase == Phase::Hold) {
      if (frame > holdFrames && !waitForKey) {
        phase = Phase::FadeOut;
        frame = 0;
      }
    } else {
      int dark = 0;
      for (int pass = 0; pass < 8; ++pass) {
        for (int i = 0; i < 1024; ++i) {
          if (i % 4 == 3) continue;
          if (work[i] > 0) {
            --work[i];
          } else {
            ++dark;
          }
        }
      }
      display->SetPalette(work);
      display->RealizePalette();
      if (dark == 6144) break;
    }
  }
  display->ClearScreen();
  display->Flip();
}

void RunModeLoop(Display* display, bool editorFirst) {
  if (editorFirst) RunEditor(display);
  for (;;) {
    uint8_t choice = TitleMenu(display);
    if (choice == 0) {
      PlayGame(display, false);
    } else if (choice == 1) {
      PlayGame(display, true);
    } else if (choice == 3) {
      RunEditor(display);
    } else if (choice == 255) {
      break;
    }
  }
}

int RunProgram(const char* commandLine) {
  bool windowed = ScanCommandLine(commandLine);
  // A level designer asking for the editor skips the opening show.
  bool editorFirst = CommandLineHasWord(commandLine, "editor");
  auto display = std::make_unique<Display>("TORVEL", 640, 480, 8, windowed);
  GlobalInit(display.get());

  if (!editorFirst) {
    ShowSplashPicture(display.get(), "graphics\\intro1.bmp", kSplashHold, 195, false);
    ShowSplashPicture(display.get(), "graphics\\intro2.bmp", kSplashHold, 196, false);
    PlayNumberedMovie(11);
  }

  RunModeLoop(display.get(), editorFirst);

  ShowSplashPicture(display.get(), "graphics\\trail1.bmp", kSplashHold, 197, false);
  ShowSplashPicture(display.get(), "graphics\\trail2.bmp", kSplashHold, 198, false);
  display->ClearScreen();
  display->Flip();
  display->ClearScreen();

  GlobalShutdown();
  display.reset();
  return 0;
}

}  // namespace torvel
