// Stand-in until the messages module lands.
#include "shell/messages.h"

#include <cstring>

namespace torvel {

namespace {
// The big message's text, kept so that callers can tell what it shows.
char gBigText[33] = {};
}  // namespace

void ShowBigMessage(const char* text, int32_t) {
  std::strncpy(gBigText, text ? text : "", 32);
  gBigText[32] = 0;
}
void ShowSmallMessage(const char*, int32_t) {}
void ShowHint(const char*, int32_t) {}
void ClearSmallMessage() {}
const char* BigMessageText() {
  return gBigText;
}
void UpdateMessages() {}
void DrawMessages() {}
void StartDialogue(uint8_t) {}
bool StepDialogue() {
  return true;
}
void DrawDialogue() {}

}  // namespace torvel
