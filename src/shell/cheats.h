// Cheat words typed during play.
#pragma once

namespace torvel {

// Clears the typed buffer (map start).
void ResetCheatBuffer();
// Feeds one typed letter (A-Z, a-z).
void CheatLetter(char letter);

}  // namespace torvel
