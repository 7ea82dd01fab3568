// Stand-in until the messages module lands.
#include "shell/messages.h"

namespace torvel {

namespace {
char gNoText[32] = {};
}

void ShowBigMessage(const char*, int32_t) {}
void ShowSmallMessage(const char*, int32_t) {}
void ShowHint(const char*, int32_t) {}
void ClearSmallMessage() {}
const char* BigMessageText() { return gNoText; }
void UpdateMessages() {}
void DrawMessages() {}
void StartDialogue(uint8_t) {}
bool StepDialogue() { return true; }
void DrawDialogue() {}

}  // namespace torvel
