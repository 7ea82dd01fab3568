// Program entry and the mode loop: start-up, the splash pictures, the title
// menu's dispatch and shut-down.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

// True when the blank-separated command line holds the word (exact case).
bool CommandLineHasWord(const char* commandLine, const char* word);
// True when the command line holds the word "window".
bool ScanCommandLine(const char* commandLine);

// Every subsystem's start-up, in the fixed order, and the shut-down.
void GlobalInit(Display* display);
void GlobalShutdown();

// Shows one 8-bit picture with a palette fade-in, a hold and a fade-out.
void ShowSplashPicture(Display* display, const char* name, int holdFrames, int sound,
                       bool waitForKey);

// The mode loop: title menu, game, editor, until the player quits. With
// editorFirst the world editor opens before the first title menu.
void RunModeLoop(Display* display, bool editorFirst = false);

// The whole program over the installed platform; returns the exit status.
// The word "editor" on the command line skips the opening pictures and the
// intro and goes straight to the world editor.
int RunProgram(const char* commandLine);

}  // namespace torvel
