// The SDL2 backend: a window (resizable, or desktop full screen) showing the
// 8-bit back buffer through a palette lookup, keys as set-1 scan codes, typed
// characters, the left mouse button, the first game controller as joystick 1.
#pragma once

#include <SDL.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"

namespace torvel {

struct SdlWindowDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct SdlRendererDeleter {
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct SdlTextureDeleter {
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
struct SdlControllerDeleter {
  void operator()(SDL_GameController* c) const { SDL_GameControllerClose(c); }
};
using SdlWindowPtr = std::unique_ptr<SDL_Window, SdlWindowDeleter>;
using SdlRendererPtr = std::unique_ptr<SDL_Renderer, SdlRendererDeleter>;
using SdlTexturePtr = std::unique_ptr<SDL_Texture, SdlTextureDeleter>;
using SdlControllerPtr = std::unique_ptr<SDL_GameController, SdlControllerDeleter>;

class SoundDevice;

class SdlPlatform : public Platform {
 public:
  explicit SdlPlatform(const PortSettings& settings);
  ~SdlPlatform() override;

  bool Start(const char* title, std::string& error) override;
  bool FindMode(int width, int height, int bitsPerPixel) override;
  bool SetMode(int width, int height, int bitsPerPixel, bool windowed, std::string& error) override;
  uint8_t* BackBuffer() override { return back_.data(); }
  int32_t Pitch() override { return kWidth; }
  void SetEvents(const PlatformEvents& events) override { events_ = events; }
  void HideCursor() override;
  void PumpMessages() override;
  void WaitForMessages(uint32_t timeoutMs) override;
  bool Present() override;
  void SetHardwarePalette(const uint8_t bgrx[1024]) override;
  void ClearBackBuffer() override;
  void GetMousePosition(int& x, int& y) override;
  void SetMousePosition(int x, int y) override;
  uint32_t Milliseconds() override { return SDL_GetTicks(); }
  void WaitUntil(uint32_t deadline) override;
  bool GetJoystickCaps(JoystickCaps& caps) override;
  bool ReadJoystick(JoystickPosition& position) override;
  SoundDevice* Sound() override;
  void ShowFatalError(const char* text) override;
  void Shutdown() override;

 private:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  void HandleEvent(const SDL_Event& e);
  void ToggleFullscreen();
  SDL_Rect DestinationRect() const;
  void OpenFirstController();

  PortSettings settings_;
  bool started_ = false;
  SdlWindowPtr window_;
  SdlRendererPtr renderer_;
  SdlTexturePtr texture_;
  SdlControllerPtr controller_;
  std::vector<uint8_t> back_;
  std::array<uint32_t, 256> lut_{};
  // What the screen shows now, to leave a frame just like it unsent.
  std::vector<uint8_t> shown_;
  std::array<uint32_t, 256> shownLut_{};
  bool mustPresent_ = true;
  PlatformEvents events_;
  bool fullscreen_ = false;
  bool rendererVsync_ = false;
  uint32_t lastPresent_ = 0;
  uint32_t frameInterval_ = 16;
  int mouseX_ = kWidth / 2, mouseY_ = kHeight / 2;
  // While a loop keeps placing the pointer (the editor recentres it every
  // tick), the mouse runs in relative mode and its motion moves mouseX_ and
  // mouseY_ directly: no warps that race the motion events on their way.
  bool relativeMouse_ = false;
  uint32_t lastMouseSet_ = 0;
  int mouseRestX_ = 0, mouseRestY_ = 0;  // motion not yet worth a whole screen pixel
  std::unique_ptr<SoundDevice> sound_;
};

// The SDL sound device (src/platform/sdl/sdl_sound.cpp); null when audio cannot open.
std::unique_ptr<SoundDevice> CreateSdlSoundDevice();

}  // namespace torvel
