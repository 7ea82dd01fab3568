#include "gfx/display.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "common/png.h"

#include "audio/sound.h"
#include "gfx/bmp.h"
#include "input/input.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "shell/play_loop.h"

namespace torvel {

namespace {

Display* gDisplay = nullptr;

constexpr int kScreenshotKey = 88;   // F12
constexpr int kScreenshotSound = 0;  // the short click of the menus

void HookKeyDown(int scanCode) {
  if ((scanCode & 0xFF) == kScreenshotKey && gDisplay) gDisplay->RequestScreenshot();
  OnKeyDown(scanCode & 0xFF);
}
void HookKeyUp(int scanCode) {
  OnKeyUp(scanCode & 0xFF);
}
void HookCharacter(int code) {
  if (gDisplay) gDisplay->SetLastKey(static_cast<uint8_t>(code));
}
void HookMouse(bool down) {
  if (gDisplay) gDisplay->SetMouseDown(down);
}
void HookRightMouse(bool down) {
  if (gDisplay) gDisplay->SetRightMouseDown(down);
}
void HookActivate(bool active) {
  SetSuspended(active ? 0 : 1);
}
void HookPaletteLost() {
  if (gDisplay) gDisplay->RealizePalette();
}
void HookClose() {
  if (gDisplay) gDisplay->RequestQuit();
}

// Fills a row with whole 32-bit words first and the remaining bytes after.
void FillRow(uint8_t* row, int32_t count, uint8_t colour) {
  uint32_t word = colour * 0x01010101u;
  int32_t words = count / 4;
  for (int32_t i = 0; i < words; ++i) std::memcpy(row + 4 * i, &word, 4);
  for (int32_t i = words * 4; i < count; ++i) row[i] = colour;
}

}  // namespace

Display* TheDisplay() {
  return gDisplay;
}

void FatalError(const char* text) {
  std::fprintf(stderr, "Fatal Error! %s\n", text);
  std::fflush(stderr);
  if (HasPlatform()) {
    GetPlatform().Shutdown();
    GetPlatform().ShowFatalError(text);
  }
  std::exit(1);
}

Display::Display(const char* title, int32_t w, int32_t h, int32_t d, bool windowed) {
  Platform& platform = GetPlatform();
  std::string error;
  if (!platform.Start(title, error)) FatalError(error.c_str());

  // The main window exists once the layer started; sound plays on it.
  soundOn = InitSound(255);

  PlatformEvents events;
  events.keyDown = HookKeyDown;
  events.keyUp = HookKeyUp;
  events.character = HookCharacter;
  events.mouseButton = HookMouse;
  events.rightButton = HookRightMouse;
  events.activate = HookActivate;
  events.paletteLost = HookPaletteLost;
  events.closeRequested = HookClose;
  platform.SetEvents(events);

  if (!platform.FindMode(w, h, d)) FatalError("Unable to find graphics mode!");
  if (!platform.SetMode(w, h, d, windowed, error)) FatalError(error.c_str());

  quit = false;
  gDisplay = this;
  width = w;
  height = h;
  depth = d;
  pitch = platform.Pitch();
  screen = platform.BackBuffer();
  mouseDown = false;
  mouseClicked = false;
  rightMouseDown = false;
  platform.HideCursor();
}

Display::~Display() {
  ExitSound();
  if (gDisplay == this) gDisplay = nullptr;
  GetPlatform().SetEvents(PlatformEvents{});
  GetPlatform().Shutdown();
}

std::string ScreenshotName(const std::string& folder, std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::string base = folder + "/torvel-" + stamp;
  std::string name = base + ".png";
  for (int n = 2; FileExists(name); ++n) name = base + "-" + std::to_string(n) + ".png";
  return name;
}

bool Display::ProcessMessages() {
  Platform& platform = GetPlatform();
  platform.PumpMessages();
  screen = platform.BackBuffer();
  return !quit;
}

void Display::WriteScreenshot() {
  screenshotWanted = false;
  lastScreenshot.clear();
  std::string folder = UserPath("screenshots");
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string name = ScreenshotName(folder, std::time(nullptr));
  if (!WritePalettedPng(name, screen, width, height, pitch, shownPalette)) {
    std::fprintf(stderr, "TORVEL: cannot write the screenshot %s\n", name.c_str());
    std::error_code removeEc;
    std::filesystem::remove(name, removeEc);
    return;
  }
  lastScreenshot = name;
  MakeNormalSound(kScreenshotSound);
}

bool Display::Flip() {
  Platform& platform = GetPlatform();
  if (IsSuspended()) {
    // Switched away: wait for the window to come back without burning a core,
    // and keep the time out of the game clock.
    uint32_t start = platform.Milliseconds();
    while (IsSuspended() && ProcessMessages()) platform.WaitForMessages(100);
    AddExcludedTime(static_cast<int32_t>(platform.Milliseconds() - start));
  }
  if (screenshotWanted && screen) WriteScreenshot();
  bool shown = platform.Present();
  screen = platform.BackBuffer();
  return shown;
}

void Display::ClearScreen() {
  GetPlatform().ClearBackBuffer();
}

void Display::SetPalette(const uint8_t* bgrx) {
  std::memcpy(palette, bgrx, sizeof(palette));
}

void Display::SendPalette(const uint8_t* bgrx) {
  std::memcpy(shownPalette, bgrx, sizeof(shownPalette));
  GetPlatform().SetHardwarePalette(bgrx);
}

void Display::RealizePalette() {
  SendPalette(palette);
}

void Display::SetBrightness(int level) {
  int32_t f = level + 4;
  uint8_t bright[1024];
  for (int i = 0; i < 256; ++i) {
    for (int c = 0; c < 3; ++c) {
      int32_t v = (palette[i * 4 + c] * f) / 4;
      bright[i * 4 + c] = static_cast<uint8_t>(std::min<int32_t>(v, 255));
    }
    bright[i * 4 + 3] = palette[i * 4 + 3];
  }
  SendPalette(bright);
}

bool Display::LoadBmp(const char* name) {
  BmpImage image;
  if (!ReadBmp8(DataPath(name), image)) return false;
  ShowBmp(*this, image);
  return true;
}

void ShowBmp(Display& display, const BmpImage& image) {
  // The palette's blue, green and red; the reserved bytes stay as they are.
  for (int i = 0; i < 256; ++i) {
    display.palette[i * 4 + 0] = image.palette[i * 4 + 0];
    display.palette[i * 4 + 1] = image.palette[i * 4 + 1];
    display.palette[i * 4 + 2] = image.palette[i * 4 + 2];
  }
  display.RealizePalette();
  // A picture bigger than the screen shows its top-left part.
  int32_t rows = std::min(image.height, display.height);
  int32_t cols = std::min(image.width, display.width);
  for (int32_t y = 0; y < rows; ++y) {
    std::memcpy(display.screen + static_cast<size_t>(y) * display.pitch,
                image.pixels.data() + static_cast<size_t>(y) * image.width, cols);
  }
}

void Display::Box(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour) {
  x1 = std::clamp(x1, 0, width - 1);
  y1 = std::clamp(y1, 0, height - 1);
  if (x2 < 0 || y2 < 0) return;
  x2 = std::min(x2, width - 1);
  y2 = std::min(y2, height - 1);
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  FillRow(screen + static_cast<size_t>(y1) * pitch + x1, x2 - x1 + 1, colour);
  FillRow(screen + static_cast<size_t>(y2) * pitch + x1, x2 - x1 + 1, colour);
  for (int32_t y = y1; y <= y2; ++y) {
    screen[static_cast<size_t>(y) * pitch + x1] = colour;
    screen[static_cast<size_t>(y) * pitch + x2] = colour;
  }
}

void Display::FillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour) {
  // A box that starts right of the screen would otherwise be clamped onto
  // its last column.
  if (y1 >= height || x1 >= width) return;
  x1 = std::clamp(x1, 0, width - 1);
  if (y1 < 0) y1 = 0;
  if (x2 < 0 || y2 < 0) return;
  x2 = std::min(x2, width - 1);
  y2 = std::min(y2, height - 1);
  if (y1 > y2 || x1 > x2) return;
  for (int32_t y = y1; y <= y2; ++y)
    FillRow(screen + static_cast<size_t>(y) * pitch + x1, x2 - x1 + 1, colour);
}

}  // namespace torvel
