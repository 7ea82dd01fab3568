// The title menu, the continue screen, the credits and the epilogue.
//
// The two menus run the same 33 ms accumulator as the play loop: each pass
// catches up the steps its time allows, draws once, and then sleeps until the
// next step is due, so an idle title screen costs next to nothing.
#include "shell/title.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "audio/sound.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/movie.h"
#include "gfx/sprites.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "shell/game_texts.h"
#include "shell/pause_menu.h"

namespace torvel {

namespace {

constexpr int kStepMs = 33;
constexpr uint32_t kIdleMs = 10000;
constexpr uint8_t kEscape = 27;
constexpr uint8_t kFireOrSpell = kActionFire | kActionSpell;
constexpr int kIntroMovie = 11;
constexpr int kTitleSong = 204;
constexpr int kIntroMusic = 205;

// The 33 ms accumulator of one screen.
class StepPacer {
 public:
  StepPacer() { Restart(); }
  // Forgets the time gone by, as after a movie or another screen.
  void Restart() {
    passStart_ = PlatformMilliseconds();
    accumulator_ = 0;
  }
  // Adds the time since the last pass.
  void BeginPass() {
    uint32_t now = PlatformMilliseconds();
    accumulator_ += static_cast<int32_t>(now - passStart_);
    passStart_ = now;
  }
  // True, and the step taken from the accumulator, while a step is due.
  bool TakeStep() {
    if (accumulator_ < kStepMs) return false;
    accumulator_ -= kStepMs;
    return true;
  }
  // Sleeps until the next step is due.
  void SleepUntilNextStep() const {
    if (accumulator_ < kStepMs) PlatformWaitUntil(passStart_ + (kStepMs - accumulator_));
  }

 private:
  uint32_t passStart_ = 0;
  int32_t accumulator_ = 0;
};

// The title's brightness: up from -32 by 4 a step, a flash at 31, then down
// by 1 a step until it settles at 0.
struct Glow {
  int8_t value = -32;
  int8_t step = 4;
  void Step() {
    value = static_cast<int8_t>(value + step);
    if (value >= 32) {
      value = 31;
      step = -1;
    }
    if (step < 0 && value <= 0) {
      value = 0;
      step = 0;
    }
  }
};

// Up and down with auto-repeat (at once on a press, then every 11th step
// while held), and fire or spell newly pressed. A menu starts with fire and
// spell counted as held, so that a button still down from the last screen
// does nothing until it is let go.
struct MenuInput {
  uint8_t lastHeld = kFireOrSpell;
  uint8_t repeat = 0;

  // Moves a choice of 0..2; `moved` tells whether it moved (the title then
  // stays awake), the result whether fire or spell was newly pressed.
  bool Step(uint8_t& choice, bool& moved) {
    uint8_t held = GetHeldActions();
    ++repeat;
    if (lastHeld == 0 || repeat > 10) repeat = 0;
    moved = false;
    if (repeat == 0 && (held & kActionUp)) {
      choice = choice == 0 ? 2 : choice - 1;
      MakeNormalSound(0);
      moved = true;
    }
    if (repeat == 0 && (held & kActionDown)) {
      choice = choice == 2 ? 0 : choice + 1;
      MakeNormalSound(0);
      moved = true;
    }
    bool pressed = (held & ~lastHeld & kFireOrSpell) != 0;
    lastHeld = held;
    return pressed;
  }
};

// The colour band at the foot of the menus: a gradient of the blue ramp from
// shade 12 on the bottom row up to black, `height` rows high.
void DrawBand(Display* display, int32_t height) {
  if (height <= 0) return;
  int32_t fall = 0xC0000 / height;
  int32_t c = 0xC0000;
  for (int32_t r = 0; r < height && r < display->GetHeight(); ++r) {
    int32_t y = display->GetHeight() - 1 - r;
    std::memset(display->GetScreen() + static_cast<size_t>(y) * display->GetPitch(), 96 + c / 65536,
                display->GetWidth());
    c = c > fall ? c - fall : 0;
  }
}

// The title's sprite set, shared with the continue screen while the title
// is up.
struct TitleState {
  SpriteSet sprites;
};
TitleState gTitle;

void DrawMarkupLine(const char* line, int32_t y, bool glow, bool ending) {
  switch (line[0]) {
    case '@':
      // Titles beginning with T are kept for the credits after the ending.
      if (!glow && line[1] == 'T' && !ending) return;
      if (glow) {
        PrintGlowCentered(y, line + 1, kFontBig);
      } else {
        PrintCentered(y, line + 1, 0, kFontBig);
      }
      return;
    case '#':
      GraphicsFillBox(120, y + 8, 520, y + 11, 255);
      return;
    case '%':
      GraphicsFillBox(250, y + 8, 390, y + 9, 255);
      return;
    default:
      if (glow) {
        PrintGlowCentered(y, line, kFontSmall);
      } else {
        PrintCentered(y, line, 0, kFontSmall);
      }
  }
}

// Draws a scrolling table with line k at y = 20k - scroll, skipping lines
// above the screen and stopping below it or at the table's "$" line.
void DrawScrollingTable(const char* lines, int lineBytes, int32_t scroll, bool glow, bool ending) {
  for (int k = 0;; ++k) {
    const char* line = lines + static_cast<size_t>(k) * lineBytes;
    if (line[0] == '$') return;
    int32_t y = k * 20 - scroll;
    if (y > 479) return;
    if (y < -59) continue;
    DrawMarkupLine(line, y, glow, ending);
  }
}

const char* const kTitleEntries[3] = {"H0BAR NFPA", "LP0D0VGNTb", "BbIX0D"};

void DrawTitle(Display* display, int32_t band, const Glow& glow, uint8_t choice) {
  display->ClearScreen();
  DrawBand(display, band);
  DrawBright(gTitle.sprites.GetSprite(0), 80, 10, display, glow.value);
  DrawBright(gTitle.sprites.GetSprite(1), 17, 105, display, glow.value);
  Print(328, 457, kTitleNotice, 0, kFontSmall);
  for (int i = 0; i < 3; ++i)
    PrintCentered(260 + 60 * i, kTitleEntries[i], i == choice ? 0 : 246, kFontBig);
}

void DrawContinue(Display* display, const SpriteSet& sprites, int32_t band, const Glow& glow,
                  uint8_t choice, const SlotSummary summaries[3]) {
  display->ClearScreen();
  DrawBand(display, band);
  DrawBright(sprites.GetSprite(0), 60, 150, display, glow.value);
  DrawBright(sprites.GetSprite(1), 12, 55, display, glow.value);
  Draw(sprites.GetSprite(2), 300, 470, display);
  char text[64];
  for (int i = 0; i < 3; ++i) {
    int32_t y = 250 + 60 * i;
    int bright = i == choice ? 0 : 240;
    std::snprintf(text, sizeof text, "NFPA %d", i + 1);
    PrintBright(50, y, text, bright, kFontBig);
    std::snprintf(text, sizeof text, "FVABA %d", summaries[i].chapter);
    PrintBright(290, y, text, bright, kFontSmall);
    std::snprintf(text, sizeof text, "%02d:%02d  YP0B:%02d", summaries[i].hours,
                  summaries[i].minutes, summaries[i].level);
    PrintBright(290, y + 20, text, bright, kFontSmall);
  }
}

}  // namespace

bool ContinueScreen(Display* display) {
  // Borrow the title's sprites when the title is up, else bring our own.
  SpriteSet own;
  const SpriteSet* sprites = &gTitle.sprites;
  if (sprites->Count() == 0) {
    own.Load("graphics\\titlespr.vsp");
    sprites = &own;
  }
  SlotSummary summaries[3];
  ReadSlotSummaries(summaries);
  display->TakeLastKey();

  MenuInput input;
  Glow glow;
  int32_t band = 1;
  uint8_t choice = 0;
  bool moved = false;  // the continue screen has no idle shows to put off
  StepPacer pacer;
  for (;;) {
    pacer.BeginPass();
    while (pacer.TakeStep()) {
      ActionStep step;
      glow.Step();
      if (band < 200) band += 8;
      if (input.Step(choice, moved)) {
        MakeNormalSound(1);
        ResetPlayer(kResetNewGame, 0, 0);
        LoadSlot(choice);
        SetSlotCursor(choice);
        return true;
      }
      if (display->TakeLastKey() == kEscape) {
        MakeNormalSound(1);
        return false;
      }
    }
    DrawContinue(display, *sprites, band, glow, choice, summaries);
    display->Flip();
    if (!display->ProcessMessages()) return false;
    UpdateSounds();
    pacer.SleepUntilNextStep();
  }
}

uint8_t TitleMenu(Display* display) {
  display->LoadBmp("graphics\\pal.bmp");
  display->TakeLastKey();
  display->ClearScreen();
  gTitle.sprites.Load("graphics\\titlespr.vsp");
  uint32_t idleStamp = PlatformMilliseconds();
  if (CurrentSong() != kTitleSong && CurrentSong() != kIntroMusic) PlaySong(kTitleSong);

  MenuInput input;
  Glow glow;
  int32_t band = 1;
  uint8_t choice = 0;
  bool creditsNext = true;  // the idle shows take turns: credits, then the intro
  StepPacer pacer;
  uint8_t result = kTitleQuit;
  for (bool done = false; !done;) {
    pacer.BeginPass();
    while (!done && pacer.TakeStep()) {
      ActionStep step;
      glow.Step();
      if (band < 200) band += 8;
      bool moved = false;
      bool pressed = input.Step(choice, moved);
      if (moved) idleStamp = PlatformMilliseconds();
      if (pressed) {
        MakeNormalSound(1);
        idleStamp = PlatformMilliseconds();
        if (choice == 1) {
          if (ContinueScreen(display)) {
            result = kTitleContinue;
            done = true;
          }
          // Back from the continue screen: its time does not count here.
          pacer.Restart();
          idleStamp = PlatformMilliseconds();
          if (display->quit) done = true;
        } else {
          result = choice == 0 ? kTitleNewGame : kTitleQuit;
          done = true;
        }
        break;
      }
      uint8_t key = display->TakeLastKey();
      if (key == kEscape) {
        MakeNormalSound(1);
        result = kTitleQuit;
        done = true;
      } else if (key == 'e' || key == 'E') {
        // The world editor's door: not one of the three entries, so that
        // the menu itself stays as players know it.
        MakeNormalSound(1);
        result = kTitleEditor;
        done = true;
      }
    }
    if (done) break;
    DrawTitle(display, band, glow, choice);
    display->Flip();
    if (!display->ProcessMessages()) {
      result = kTitleQuit;
      break;
    }
    UpdateSounds();
    if (PlatformMilliseconds() - idleStamp > kIdleMs) {
      if (creditsNext) {
        ShowCredits(display, false);
      } else {
        PlayNumberedMovie(kIntroMovie);
      }
      creditsNext = !creditsNext;
      if (display->quit) break;
      display->LoadBmp("graphics\\pal.bmp");
      display->TakeLastKey();
      idleStamp = PlatformMilliseconds();
      pacer.Restart();
      continue;
    }
    pacer.SleepUntilNextStep();
  }
  gTitle.sprites.Free();
  return display->quit ? kTitleQuit : result;
}

void ShowCredits(Display* display, bool ending) {
  display->TakeLastKey();
  display->LoadBmp("graphics\\pal.bmp");
  Platform& platform = GetPlatform();
  int32_t scroll = -470;
  for (;;) {
    uint32_t frameStart = platform.Milliseconds();
    display->ClearScreen();
    DrawScrollingTable(&kCreditsTable[0][0], kCreditsLineBytes, scroll, false, ending);
    if (scroll < 680) ++scroll;
    display->Flip();
    if (!display->ProcessMessages()) return;
    UpdateSounds();
    WaitSince(frameStart, kStepMs);
    if (display->TakeLastKey() != 0) return;
    // At the end the plain credits leave; after the ending the last picture stays.
    if (scroll >= 680 && !ending) return;
  }
}

void ShowEpilogue(Display* display) {
  const size_t size = static_cast<size_t>(display->GetPitch()) * display->GetHeight();
  std::unique_ptr<uint8_t[]> picture(new (std::nothrow) uint8_t[size]);
  if (!picture) return;
  display->TakeLastKey();
  display->LoadBmp("graphics\\zoobo.bmp");
  std::memcpy(picture.get(), display->GetScreen(), size);

  Platform& platform = GetPlatform();
  const int32_t rows = display->GetHeight();
  const int32_t width = display->GetWidth();
  const int32_t pitch = display->GetPitch();
  int32_t scroll = -470;
  int32_t row = 0;  // the next row to darken
  for (uint32_t frame = 0;; ++frame) {
    uint32_t frameStart = platform.Milliseconds();
    std::memcpy(display->GetScreen(), picture.get(), size);
    DrawScrollingTable(&kEpilogueTable[0][0], kEpilogueLineBytes, scroll, true, true);
    display->Flip();
    if (!display->ProcessMessages()) return;
    if (display->TakeLastKey() == kEscape) return;
    if (frame % 2 == 1) ++scroll;
    if (scroll >= 560) return;
    // Once the text is under way the picture darkens, 19 rows a frame
    // spread over the whole height.
    if (scroll > 0) {
      for (int i = 0; i < 19; ++i) {
        uint8_t* p = picture.get() + static_cast<size_t>(row) * pitch;
        for (int32_t x = 0; x < width; ++x) {
          if (p[x] != 0) --p[x];
        }
        row = (row + 19) % rows;
      }
    }
    UpdateSounds();
    WaitSince(frameStart, kStepMs);
  }
}

}  // namespace torvel
