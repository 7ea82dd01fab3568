// Cheat words typed during play. The play loop hands over every letter typed
// while playing; the most recent letters are matched, whatever came before
// them, without regard to case.
#pragma once

namespace torvel {

constexpr int kCheatWordCount = 9;

// Clears the typed buffer (map start).
void ResetCheatBuffer();
// Feeds one typed letter (A-Z, a-z).
void CheatLetter(char letter);
// Word 0-8 in lower case ("" past the table).
const char* CheatWord(int index);

}  // namespace torvel
