// The one narrow interface between the game and the operating system.
//
// The game draws into an 8-bit back buffer of palette indices and asks the
// platform to show it; the platform reports keys, typed characters, the left
// mouse button, window activation and the close button back through the
// PlatformEvents hooks, only from inside PumpMessages. Two backends implement
// it: SDL2 for the real program (src/platform/sdl) and a headless one for
// tests (src/platform/headless). Nothing outside src/platform/sdl includes SDL.
#pragma once

#include <cstdint>
#include <string>

namespace torvel {

class SoundDevice;

// Hooks the window procedure calls; any may be null.
struct PlatformEvents {
  void (*keyDown)(int scanCode) = nullptr;  // PC set-1 scan code, 0..88
  void (*keyUp)(int scanCode) = nullptr;
  void (*character)(int code) = nullptr;     // typed character, low byte kept
  void (*mouseButton)(bool down) = nullptr;  // left button
  void (*rightButton)(bool down) = nullptr;  // right button (the editor drags its view)
  void (*activate)(bool active) = nullptr;   // window gained / lost focus
  void (*paletteLost)() = nullptr;           // the shown palette must be sent again
  void (*closeRequested)() = nullptr;        // the window's close button
};

struct JoystickCaps {
  int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

struct JoystickPosition {
  int32_t x = 0, y = 0;
  uint32_t buttons = 0;  // bit 0 = button 1 ... bit 3 = button 4
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Start with the window title; false with a readable error text.
  virtual bool Start(const char* title, std::string& error) = 0;
  // Whether a mode of exactly this size and depth exists.
  virtual bool FindMode(int width, int height, int bitsPerPixel) = 0;
  // Sets the mode with two pages and a back buffer in system memory.
  virtual bool SetMode(int width, int height, int bitsPerPixel, bool windowed,
                       std::string& error) = 0;
  virtual uint8_t* BackBuffer() = 0;
  virtual int32_t Pitch() = 0;
  virtual void SetEvents(const PlatformEvents& events) = 0;
  virtual void HideCursor() = 0;

  // Dispatches every pending message to the hooks; never waits.
  virtual void PumpMessages() = 0;
  // Sleeps until a message arrives or timeoutMs pass (for loops that wait on
  // the window, such as the wait while the window is inactive).
  virtual void WaitForMessages(uint32_t timeoutMs) = 0;
  // Shows the back buffer (waiting for the retrace); the back buffer keeps its
  // pixels. A frame exactly like the one on the screen (same pixels, same
  // palette) need not be sent again: the call then only waits for the retrace
  // and answers false.
  virtual bool Present() = 0;
  // Sends 256 palette entries (blue, green, red, reserved) to the screen.
  virtual void SetHardwarePalette(const uint8_t bgrx[1024]) = 0;
  // The whole back buffer becomes index 0.
  virtual void ClearBackBuffer() = 0;

  virtual void GetMousePosition(int& x, int& y) = 0;
  virtual void SetMousePosition(int x, int y) = 0;

  // Milliseconds since an arbitrary start, wrapping at 2^32 like the system clock.
  virtual uint32_t Milliseconds() = 0;
  // Sleeps (never spins) until the clock reads deadline or later.
  virtual void WaitUntil(uint32_t deadline) = 0;

  // Joystick 1: false when there is none or it cannot be read.
  virtual bool GetJoystickCaps(JoystickCaps& caps) = 0;
  virtual bool ReadJoystick(JoystickPosition& position) = 0;

  // The sound device, or null when there is none.
  virtual SoundDevice* Sound() = 0;

  // Shows a message box with the caption "Fatal Error!" (the layer is shut down first).
  virtual void ShowFatalError(const char* text) = 0;
  // Restores mode, palette use and desktop; safe to call twice.
  virtual void Shutdown() = 0;
};

// The backend in use; the program installs SDL, tests install headless.
void InstallPlatform(Platform* platform);
Platform& GetPlatform();
bool HasPlatform();

// Shorthands for the calls every module makes.
inline uint32_t PlatformMilliseconds() {
  return GetPlatform().Milliseconds();
}
inline void PlatformWaitUntil(uint32_t deadline) {
  GetPlatform().WaitUntil(deadline);
}

// Sleeps until ms milliseconds after start (the frame pacing of menus and movies).
inline void WaitSince(uint32_t start, uint32_t ms) {
  PlatformWaitUntil(start + ms);
}

}  // namespace torvel
