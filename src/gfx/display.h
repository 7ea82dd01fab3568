// The display: the 640x480 screen of 8-bit palette indices every renderer
// writes into, its 256-entry palette, and the few window events the game
// reads (typed characters, the left mouse button). There is exactly one.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace torvel {

class Display {
 public:
  // Opens window, sound and video mode. Failures other than sound are fatal.
  Display(const char* title, int32_t width, int32_t height, int32_t depth, bool windowed);
  // Stops sound, then closes the platform layer.
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Dispatches pending window messages without waiting; false once the window was closed.
  bool ProcessMessages();
  // Presents the back buffer (waiting first while the window is inactive); the
  // back buffer keeps its pixels. False when the screen already showed just
  // this frame and it was not sent again (the loop may then sleep until its
  // next step).
  bool Flip();
  void ClearScreen();
  uint8_t* GetScreen() const { return screen; }
  int32_t GetPitch() const { return pitch; }
  int32_t GetHeight() const { return height; }
  int32_t GetWidth() const { return width; }

  // Copies 256 entries (blue, green, red, reserved) into the stored palette.
  void SetPalette(const uint8_t* bgrx);
  // Sends the stored palette to the screen.
  void RealizePalette();
  // Shows the stored palette brightened by (level + 4) / 4; the stored palette is unchanged.
  void SetBrightness(int level);
  // Reads an 8-bit bitmap (system file name) into the screen and sets and
  // realizes its palette. False, with screen and palette untouched, for a
  // file it cannot show.
  bool LoadBmp(const char* name);

  void Box(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour);
  void FillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour);

  void SetLastKey(uint8_t key) {
    lastKey = key;
    if (typedCount < kTypedKeys) typed[(typedFirst + typedCount++) % kTypedKeys] = key;
  }
  // The typed characters in order, for the editor's text boxes, which must
  // not lose a letter typed faster than a tick (TakeLastKey keeps only the
  // last one, as the game reads it).
  uint8_t TakeTypedKey() {
    if (typedCount == 0) return 0;
    uint8_t k = typed[typedFirst];
    typedFirst = (typedFirst + 1) % kTypedKeys;
    --typedCount;
    return k;
  }
  void ClearTypedKeys() { typedCount = 0; }
  uint8_t TakeLastKey() {
    uint8_t k = lastKey;
    lastKey = 0;
    return k;
  }
  void SetMouseDown(bool down) {
    mouseDown = down;
    if (down) mouseClicked = true;
  }
  bool MouseDown() const { return mouseDown; }
  // Whether the button is down now or went down since the last call: a click
  // that is over before the next tick still counts as a press for that tick.
  bool TakeMouseDown() {
    bool down = mouseDown || mouseClicked;
    mouseClicked = false;
    return down;
  }
  void SetRightMouseDown(bool down) { rightMouseDown = down; }
  bool RightMouseDown() const { return rightMouseDown; }
  // The close button was pressed (or a test asked the loops to leave).
  void RequestQuit() { quit = true; }
  // The screenshot key: the next frame presented is also written to the
  // user folder's screenshots folder.
  void RequestScreenshot() { screenshotWanted = true; }
  // Where the last screenshot went ("" when none was written or it failed).
  const std::string& LastScreenshot() const { return lastScreenshot; }

  int32_t width = 0;
  int32_t height = 0;
  int32_t depth = 0;
  int32_t pitch = 0;
  uint8_t* screen = nullptr;
  uint8_t palette[1024] = {};
  bool quit = false;
  uint8_t lastKey = 0;
  bool mouseDown = false;
  bool mouseClicked = false;
  bool rightMouseDown = false;
  static constexpr int kTypedKeys = 32;
  uint8_t typed[kTypedKeys] = {};
  int typedFirst = 0;
  int typedCount = 0;
  bool soundOn = false;
  // The palette as last sent to the screen (brightness applied).
  uint8_t shownPalette[1024] = {};
  bool screenshotWanted = false;
  std::string lastScreenshot;

 private:
  void SendPalette(const uint8_t* bgrx);
  void WriteScreenshot();
};

// A screenshot's file in folder: named by the local time, with -2, -3 ...
// after it when that name is taken.
std::string ScreenshotName(const std::string& folder, std::time_t when);

// The one display, set at creation (the window hooks reach it through this).
Display* TheDisplay();

// Shuts the platform layer down, shows the text in a box captioned
// "Fatal Error!", writes it to stderr and ends the program with status 1.
[[noreturn]] void FatalError(const char* text);

}  // namespace torvel
