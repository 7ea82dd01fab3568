// The movie player and the numbered-movie dispatcher.
#pragma once

namespace torvel {

class Display;

// Plays an FLC/FLI file; true if it was stopped with Escape.
bool PlayMovie(const char* name, bool loop, int frameMs, Display* display);
// Plays movie n with the music around it and keeps its time out of the game clock.
void PlayNumberedMovie(int n);

}  // namespace torvel
