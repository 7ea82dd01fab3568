// The dialogue box a friendly creature opens: four lines typed out letter by
// letter with a typing sound; fire shows them all at once, and once all are
// shown moves on to the next dialogue of a conversation or closes the box.
#include <cstring>

#include "actors/guys.h"
#include "audio/sound.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "input/input.h"
#include "player/player_record.h"
#include "player/status.h"
#include "shell/game_texts.h"
#include "shell/messages.h"
#include "shell/play_loop.h"

namespace torvel {

namespace {

constexpr int kTypingSound = 158;
constexpr int kGiftSound = 86;
constexpr int kBoxSprite = 68;

struct DialogueState {
  uint8_t dialogue = 0;
  uint8_t shownLines = 0;
  uint8_t typedLetters = 0;
  uint8_t lastHeld = 0;
  // Dialogue 5's last line with its countdown digit filled in.
  char countdownLine[kDialogueLineBytes] = {};
};

DialogueState gDialogue;

const char* DialogueLine(int line) {
  if (gDialogue.dialogue == kCountdownDialogue && line == kCountdownLine) {
    return gDialogue.countdownLine;
  }
  return kDialogueTable[gDialogue.dialogue][line];
}

int DialogueLineLength(int line) {
  const char* text = DialogueLine(line);
  return static_cast<int>(strnlen(text, kDialogueLineBytes - 1));
}

// Dialogue 5 counts the maps still to do before the way on opens; with five
// or more done there is nothing left to count and dialogue 6 says so.
uint8_t CountdownDialogue() {
  uint8_t done = PlayerMapsDoneInWorld();
  if (done >= 5) return kCountdownDialogue + 1;
  std::memcpy(gDialogue.countdownLine, kDialogueTable[kCountdownDialogue][kCountdownLine],
              kDialogueLineBytes);
  gDialogue.countdownLine[kDialogueLineBytes - 1] = 0;
  gDialogue.countdownLine[kCountdownColumn] = static_cast<char>('0' + (5 - done));
  return kCountdownDialogue;
}

// The dialogue that follows once all four lines of n are read; n itself when
// the conversation ends there.
uint8_t NextDialogue(uint8_t n) {
  switch (n) {
    case 1:
      return 13;
    case 13:
      return 16;
    case 16:
      return 17;
    case 2:
      return 14;
    case 14:
      return 15;
    case 3:
      return 4;
    case 7:
      return 8;
    default:
      return n;
  }
}

}  // namespace

void ResetDialogue() {
  gDialogue = DialogueState{};
}

void StartDialogue(uint8_t n) {
  if (n >= kDialogueCount) return;
  // The second special key means the errand is done: the thanks instead.
  if (n == 7 && Player().specialKeys[1] != 0) n = 9;
  if (n == kCountdownDialogue) n = CountdownDialogue();
  if (n == 10 && !AnyGuyOfKind(255)) n = 11;
  gDialogue.dialogue = n;
  gDialogue.shownLines = 0;
  gDialogue.typedLetters = 0;
  SetPlayMode(kModeDialogue);
  // A fire button still held from play does not count as a new press.
  gDialogue.lastHeld = 255;
}

bool StepDialogue() {
  uint8_t held = GetHeldActions();
  if ((held & kActionFire) && !(gDialogue.lastHeld & kActionFire)) {
    if (gDialogue.shownLines >= kDialogueLines) {
      uint8_t next = NextDialogue(gDialogue.dialogue);
      if (next != gDialogue.dialogue) {
        gDialogue.dialogue = next;
        gDialogue.shownLines = 0;
        gDialogue.typedLetters = 0;
        gDialogue.lastHeld = held;
        return false;
      }
      if (gDialogue.dialogue == 8) {
        MakeNormalSound(kGiftSound);
        Player().specialKeys[1] = 1;
      }
      return true;
    }
    gDialogue.shownLines = kDialogueLines;
    gDialogue.typedLetters = 0;
  }
  if (gDialogue.shownLines < kDialogueLines) {
    if ((gDialogue.typedLetters & 1) == 0) MakeNormalSound(kTypingSound);
    ++gDialogue.typedLetters;
    if (gDialogue.typedLetters >= DialogueLineLength(gDialogue.shownLines)) {
      gDialogue.typedLetters = 0;
      ++gDialogue.shownLines;
    }
  }
  gDialogue.lastHeld = held;
  return false;
}

void DrawDialogue() {
  Draw(StatusSprite(kBoxSprite), 180, 86, GraphicsDisplay());
  for (int line = 0; line < kDialogueLines; ++line) {
    if (line > gDialogue.shownLines) break;
    int32_t y = 95 + 20 * line;
    if (line < gDialogue.shownLines) {
      PrintGlow(69, y, DialogueLine(line), kFontSmall);
      continue;
    }
    char typed[kDialogueLineBytes] = {};
    std::memcpy(typed, DialogueLine(line), gDialogue.typedLetters);
    PrintGlow(69, y, typed, kFontSmall);
  }
}

uint8_t CurrentDialogue() {
  return gDialogue.dialogue;
}
uint8_t DialogueShownLines() {
  return gDialogue.shownLines;
}
uint8_t DialogueTypedLetters() {
  return gDialogue.typedLetters;
}
const char* DialogueLineText(int line) {
  return line >= 0 && line < kDialogueLines ? DialogueLine(line) : "";
}

}  // namespace torvel
