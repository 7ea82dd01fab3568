// The two message lines over the play screen (the big one drops in from
// above, the small one rises from below) and the dialogue box.
//
// Each line shows one text of up to 31 characters for a number of update
// steps and then leaves the screen; a new text replaces the old one at once.
// The dialogue box types four lines out letter by letter; fire shows them all
// at once, and once they are all shown moves on to the next dialogue of a
// conversation or closes the box.
#pragma once

#include <cstdint>

namespace torvel {

// Both lines empty and the dialogue closed (start-up, replays and tests).
void ResetMessages();
void ResetDialogue();

void ShowBigMessage(const char* text, int32_t steps);
void ShowSmallMessage(const char* text, int32_t steps);
// A small message only when the text differs from the one shown; then sound 33.
void ShowHint(const char* text, int32_t steps);
void ClearSmallMessage();
// The text each line holds now (first byte 0 = none).
const char* BigMessageText();
const char* SmallMessageText();
// Where a line stands, for tests and tools.
struct MessagePlace {
  int32_t x = 0;
  int32_t y = 0;
  int32_t ySpeed = 0;
  int32_t time = 0;        // steps left to show
  int32_t brightness = 0;  // drawn at half this
};
MessagePlace BigMessagePlace();
MessagePlace SmallMessagePlace();
// One update step of both lines.
void UpdateMessages();
void DrawMessages();

// Opens dialogue n (0-17) and switches to the dialogue play mode. Some
// openings depend on the game: the errand of dialogue 7 done gives 9, the
// count of dialogue 5 with five maps done gives 6, dialogue 10 with no enemy
// left gives 11.
void StartDialogue(uint8_t n);
// One update step in the dialogue mode; true when the dialogue is finished.
bool StepDialogue();
void DrawDialogue();
// The open dialogue, for tests and tools.
uint8_t CurrentDialogue();
uint8_t DialogueShownLines();
uint8_t DialogueTypedLetters();
// Line 0-3 of the open dialogue as it is shown (placeholders filled in).
const char* DialogueLineText(int line);

}  // namespace torvel
