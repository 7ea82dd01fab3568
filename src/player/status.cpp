// Stand-in until the status display lands.
#include "player/status.h"

namespace torvel {

bool LoadStatusSprites() { return true; }
void FreeStatusSprites() {}
void ResetStatus() {}
void DrawStatus(Display*) {}
void ShowCreatureBar(const char*, int32_t, int32_t, bool) {}
bool CreatureBarShowsOther() { return false; }

}  // namespace torvel
