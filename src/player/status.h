// The status display.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

bool LoadStatusSprites();
void FreeStatusSprites();
// The map-start reset.
void ResetStatus();
void DrawStatus(Display* display);
// A hurt creature's name and life bar (from and to scaled to 0..128).
void ShowCreatureBar(const char* name, int32_t from, int32_t to, bool steady);
// True while the bar shows a creature other than the golem.
bool CreatureBarShowsOther();

}  // namespace torvel
