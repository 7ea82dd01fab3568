// Map preparation: the play copy of a map made ready at map start.
#pragma once

#include <cstdint>

namespace torvel {

struct Map;
struct World;

// Counts the map's collectibles, removes what the player already owns (armour
// pieces, a scroll with nothing new to teach), darkens the map so it fades in,
// turns the castle's skull doors once its map 6 is done, and places the
// monsters: the map's own, or a challenge's mix while one is pending.
void PrepareMapForPlay(Map& map, World& world);

// The number of collectibles (item 11) the map held when it was prepared.
uint32_t CollectibleTotal();
void SetCollectibleTotal(uint32_t total);

}  // namespace torvel
