// Stand-in until the input module lands: no keys are bound.
#include "input/input.h"

namespace torvel {

void InitInput() {}
void OnKeyDown(int) {}
void OnKeyUp(int) {}
uint8_t GetHeldActions() { return 0; }
uint8_t TakePressedActions() { return 0; }

}  // namespace torvel
