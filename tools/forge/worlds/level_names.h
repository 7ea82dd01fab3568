// The words a level source may use for numbers: item names, monster kinds,
// map flags, and the triggers and effects of specials.
#pragma once

#include <cstdint>
#include <string>

namespace torvel::forge {

// An item by name ("key", "door2", "torch") or number 1..82; false for
// anything else.
bool ItemByName(const std::string& word, int& item);
// A monster kind by name ("hero", "spider", "yeti2") or number 1..59.
bool KindByName(const std::string& word, int& kind);
// The name of a kind, for messages ("spider").
std::string KindWord(int kind);
// The kinds a map must never start: allies the hero's spells bring, pieces
// that other monsters make, and kinds that vanish on their first tick.
bool KindNeverPlaced(int kind);
// Kinds that live in water or lava.
bool KindSwims(int kind);

// A map flag by name ("snow", "boss", "secret", "lit"); 0 when unknown.
uint8_t MapFlagByName(const std::string& word);

}  // namespace torvel::forge
