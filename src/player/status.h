// The status display drawn over the map every frame: life and mana bars, the
// shot gauges, the power pips, the keys, the experience gauge and the level,
// the spell cards with the chosen one raised and named, the money, the
// map's collection gauge and, for a while after a creature is hurt, its name
// and life bar. Its sprites ("graphics\intface.vsp") also serve the dialogue
// box and the shop.
#pragma once

#include <cstdint>

namespace torvel {

class Display;
struct Sprite;

// The sprite set, loaded once at start-up and freed at the end.
bool LoadStatusSprites();
void FreeStatusSprites();
// A sprite of the set for other screens, or null.
const Sprite* StatusSprite(int index);

// The map-start reset: the bars and gauges start empty and fill up, the
// creature bar is hidden and the gauge off screen.
void ResetStatus();
// Draws the whole display from the player record; each call is one frame of
// its animations.
void DrawStatus(Display* display);
// A hurt creature's name and life bar (from and to on a scale of 0..128):
// shown for 60 frames, sliding in from below when it was hidden.
void ShowCreatureBar(const char* name, int32_t from, int32_t to, bool steady);
// True while the bar shows a creature other than the golem.
bool CreatureBarShowsOther();

}  // namespace torvel
