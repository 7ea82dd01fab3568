// Stand-in until the dialogue texts land: the box closes at once.
#include "shell/messages.h"

namespace torvel {

void ResetDialogue() {}
void StartDialogue(uint8_t) {}
bool StepDialogue() {
  return true;
}
void DrawDialogue() {}
uint8_t CurrentDialogue() {
  return 0;
}
uint8_t DialogueShownLines() {
  return 0;
}
uint8_t DialogueTypedLetters() {
  return 0;
}
const char* DialogueLineText(int) {
  return "";
}

}  // namespace torvel
