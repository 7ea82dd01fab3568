// The two message lines over the play screen (the big one drops in from
// above, the small one rises from below) and the dialogue box.
#pragma once

#include <cstdint>

namespace torvel {

void ShowBigMessage(const char* text, int32_t steps);
void ShowSmallMessage(const char* text, int32_t steps);
// A small message only when the text differs from the one shown; then sound 33.
void ShowHint(const char* text, int32_t steps);
void ClearSmallMessage();
// The text the big message line holds now (32 bytes, first byte 0 = none).
const char* BigMessageText();
void UpdateMessages();
void DrawMessages();

// Opens dialogue n and switches to the dialogue play mode.
void StartDialogue(uint8_t n);
// One update step in the dialogue mode; true when the dialogue is finished.
bool StepDialogue();
void DrawDialogue();

}  // namespace torvel
