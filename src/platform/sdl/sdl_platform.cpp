#include "platform/sdl/sdl_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/frame_convert.h"
#include "platform/sound_device.h"
#include "platform/window_events.h"

namespace torvel {

std::unique_ptr<Platform> CreateSdlPlatform(const PortSettings& settings) {
  return std::make_unique<SdlPlatform>(settings);
}

SdlPlatform::SdlPlatform(const PortSettings& settings)
    : settings_(settings), back_(kWidth * kHeight, 0) {
  for (int i = 0; i < 256; ++i) lut_[i] = 0xFF000000u;
}

SdlPlatform::~SdlPlatform() {
  Shutdown();
}

bool SdlPlatform::Start(const char* title, std::string& error) {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    error = std::string("Unable to start the display: ") + SDL_GetError();
    return false;
  }
  started_ = true;
  // With no screen at all SDL falls back to drawing nowhere; a player who
  // started the game wants to hear that there is no display instead.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
      !SDL_getenv("SDL_VIDEODRIVER")) {
    error = "Unable to start the display: no screen found (is DISPLAY or WAYLAND_DISPLAY set?)";
    return false;
  }
  // The controller and the sound are optional: failing them leaves the game
  // without a joystick or silent, never stopped.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  window_.reset(SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth,
                                 kHeight, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
  if (!window_) {
    error = std::string("Unable to create the window: ") + SDL_GetError();
    return false;
  }
  OpenFirstController();
  return true;
}

bool SdlPlatform::FindMode(int width, int height, int bitsPerPixel) {
  // The 8-bit screen is ours; any desktop shows it scaled.
  return width == kWidth && height == kHeight && bitsPerPixel == 8;
}

bool SdlPlatform::SetMode(int, int, int, bool windowed, std::string& error) {
  if (settings_.forceWindow) windowed = true;
  Uint32 flags = SDL_RENDERER_ACCELERATED | (settings_.vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, flags));
  if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!renderer_) {
    error = std::string("Unable to set the display mode: ") + SDL_GetError();
    return false;
  }
  SDL_RendererInfo info;
  rendererVsync_ = SDL_GetRendererInfo(renderer_.get(), &info) == 0 &&
                   (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888,
                                   SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight));
  if (!texture_) {
    error = std::string("Unable to set the display mode: ") + SDL_GetError();
    return false;
  }
  SDL_DisplayMode mode;
  int index = SDL_GetWindowDisplayIndex(window_.get());
  if (SDL_GetCurrentDisplayMode(index < 0 ? 0 : index, &mode) == 0 && mode.refresh_rate > 0)
    frameInterval_ = std::max(1, 1000 / mode.refresh_rate);

  fullscreen_ = !windowed;
  if (fullscreen_) SDL_SetWindowFullscreen(window_.get(), SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_SetWindowMinimumSize(window_.get(), kWidth / 2, kHeight / 2);
  SDL_ShowWindow(window_.get());
  SDL_RaiseWindow(window_.get());
  SDL_StartTextInput();
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  SDL_RenderClear(renderer_.get());
  SDL_RenderPresent(renderer_.get());
  return true;
}

void SdlPlatform::HideCursor() {
  SDL_ShowCursor(SDL_DISABLE);
}

void SdlPlatform::OpenFirstController() {
  if (controller_) return;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_IsGameController(i)) {
      controller_.reset(SDL_GameControllerOpen(i));
      if (controller_) return;
    }
  }
}

void SdlPlatform::ToggleFullscreen() {
  fullscreen_ = !fullscreen_;
  mustPresent_ = true;
  SDL_SetWindowFullscreen(window_.get(), fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

SDL_Rect SdlPlatform::DestinationRect() const {
  int w = kWidth, h = kHeight;
  if (renderer_) SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
  // Keep 4:3; whole multiples when the window is big enough for them.
  double scale = std::min(static_cast<double>(w) / kWidth, static_cast<double>(h) / kHeight);
  if (settings_.integerScaling && scale >= 1.0) scale = static_cast<int>(scale);
  int dw = static_cast<int>(kWidth * scale);
  int dh = static_cast<int>(kHeight * scale);
  return SDL_Rect{(w - dw) / 2, (h - dh) / 2, dw, dh};
}

// The plain translation knows keys and buttons by these numbers of SDL's.
static_assert(SDLK_BACKSPACE == kKeycodeBackspace && SDLK_TAB == kKeycodeTab &&
              SDLK_RETURN == kKeycodeEnter && SDLK_ESCAPE == kKeycodeEscape &&
              SDLK_KP_ENTER == kKeycodeKeypadEnter);
static_assert(SDL_BUTTON_LEFT == kMouseButtonLeft);
static_assert(SDL_BUTTON_RIGHT == kMouseButtonRight);

void SdlPlatform::HandleEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      mustPresent_ = true;
      break;
    case SDL_QUIT:
      if (events_.closeRequested) events_.closeRequested();
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      KeyEvent key;
      key.usage = e.key.keysym.scancode;
      key.keycode = e.key.keysym.sym;
      key.down = e.type == SDL_KEYDOWN;
      key.repeat = e.key.repeat != 0;
      key.alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      if (TranslateKey(key, events_) == WindowKey::kToggleFullscreen) ToggleFullscreen();
      break;
    }
    case SDL_TEXTINPUT:
      TranslateText(e.text.text, events_);
      break;
    case SDL_MOUSEMOTION: {
      SDL_Rect r = DestinationRect();
      if (relativeMouse_ && r.w > 0 && r.h > 0) {
        // Scaled as the absolute position is, keeping the remainder for the next move.
        mouseRestX_ += e.motion.xrel * kWidth;
        mouseRestY_ += e.motion.yrel * kHeight;
        mouseX_ = std::clamp(mouseX_ + mouseRestX_ / r.w, 0, kWidth - 1);
        mouseY_ = std::clamp(mouseY_ + mouseRestY_ / r.h, 0, kHeight - 1);
        mouseRestX_ %= r.w;
        mouseRestY_ %= r.h;
      } else if (r.w > 0 && r.h > 0) {
        mouseX_ = std::clamp((e.motion.x - r.x) * kWidth / r.w, 0, kWidth - 1);
        mouseY_ = std::clamp((e.motion.y - r.y) * kHeight / r.h, 0, kHeight - 1);
      }
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateMouseButton(e.button.button, e.type == SDL_MOUSEBUTTONDOWN, events_);
      break;
    case SDL_WINDOWEVENT:
      // The window's picture may be gone or stretched: send the next frame
      // whatever it holds.
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
          e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
          e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_SHOWN)
        mustPresent_ = true;
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) TranslateFocus(false, events_);
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) TranslateFocus(true, events_);
      break;
    case SDL_CONTROLLERDEVICEADDED:
      OpenFirstController();
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (controller_ && e.cdevice.which == SDL_JoystickInstanceID(
                                                SDL_GameControllerGetJoystick(controller_.get())))
        controller_.reset();
      OpenFirstController();
      break;
    default:
      break;
  }
}

void SdlPlatform::PumpMessages() {
  // Nobody has placed the pointer for a while (the editor has ended): the
  // mouse goes back to following the window's cursor.
  if (relativeMouse_ && SDL_GetTicks() - lastMouseSet_ > 500) {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    relativeMouse_ = false;
  }
  SDL_Event e;
  while (SDL_PollEvent(&e)) HandleEvent(e);
}

void SdlPlatform::WaitForMessages(uint32_t timeoutMs) {
  SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs));
}

bool SdlPlatform::Present() {
  if (!renderer_ || !texture_) return false;
  // A still screen (a menu at rest, a paused game) costs nothing: the frame
  // on the screen is left there and only the retrace is waited for, so that
  // loops paced by presenting keep their pace.
  if (!settings_.presentEveryFrame && !mustPresent_ && back_ == shown_ && lut_ == shownLut_) {
    WaitUntil(lastPresent_ + frameInterval_);
    lastPresent_ = SDL_GetTicks();
    return false;
  }
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_.get(), nullptr, &pixels, &pitch) == 0) {
    ConvertFrame(back_.data(), kWidth, kWidth, kHeight, lut_.data(), static_cast<uint8_t*>(pixels),
                 pitch);
    SDL_UnlockTexture(texture_.get());
  }
  // Without a vertical sync, pace presents to the display's refresh rate so
  // that loops drawing "as often as presenting allows" do not burn a core.
  if (!rendererVsync_) {
    uint32_t now = SDL_GetTicks();
    if (now - lastPresent_ < frameInterval_) WaitUntil(lastPresent_ + frameInterval_);
  }
  SDL_Rect dst = DestinationRect();
  SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &dst);
  SDL_RenderPresent(renderer_.get());
  lastPresent_ = SDL_GetTicks();
  shown_ = back_;
  shownLut_ = lut_;
  mustPresent_ = false;
  return true;
}

void SdlPlatform::SetHardwarePalette(const uint8_t bgrx[1024]) {
  BuildPaletteLookup(bgrx, lut_.data());
}

void SdlPlatform::ClearBackBuffer() {
  std::fill(back_.begin(), back_.end(), 0);
}

void SdlPlatform::GetMousePosition(int& x, int& y) {
  x = mouseX_;
  y = mouseY_;
}

void SdlPlatform::SetMousePosition(int x, int y) {
  mouseX_ = std::clamp(x, 0, kWidth - 1);
  mouseY_ = std::clamp(y, 0, kHeight - 1);
  lastMouseSet_ = SDL_GetTicks();
  if (!relativeMouse_ && window_ && SDL_SetRelativeMouseMode(SDL_TRUE) == 0) {
    relativeMouse_ = true;
    mouseRestX_ = mouseRestY_ = 0;
  }
}

void SdlPlatform::WaitUntil(uint32_t deadline) {
  for (;;) {
    int32_t left = static_cast<int32_t>(deadline - SDL_GetTicks());
    if (left <= 0) return;
    SDL_Delay(static_cast<Uint32>(left));
  }
}

bool SdlPlatform::GetJoystickCaps(JoystickCaps& caps) {
  if (!controller_) return false;
  caps.xMin = -32768;
  caps.xMax = 32767;
  caps.yMin = -32768;
  caps.yMax = 32767;
  return true;
}

bool SdlPlatform::ReadJoystick(JoystickPosition& position) {
  if (!controller_ || !SDL_GameControllerGetAttached(controller_.get())) return false;
  SDL_GameController* c = controller_.get();
  int32_t x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
  int32_t y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
  // The d-pad counts as the stick pushed all the way.
  if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) x = -32768;
  if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) x = 32767;
  if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_UP)) y = -32768;
  if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) y = 32767;
  position.x = x;
  position.y = y;
  position.buttons = 0;
  if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_A)) position.buttons |= 1;
  if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_B)) position.buttons |= 2;
  if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_X)) position.buttons |= 4;
  if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_Y)) position.buttons |= 8;
  return true;
}

SoundDevice* SdlPlatform::Sound() {
  if (!sound_ && started_) sound_ = CreateSdlSoundDevice();
  return sound_.get();
}

void SdlPlatform::ShowFatalError(const char* text) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Fatal Error!", text, nullptr);
}

void SdlPlatform::Shutdown() {
  sound_.reset();
  controller_.reset();
  texture_.reset();
  renderer_.reset();
  window_.reset();
  if (started_) {
    SDL_Quit();
    started_ = false;
  }
}

}  // namespace torvel
