// Program entry and the mode loop: start-up, the splash pictures, the title
// menu's dispatch and shut-down.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

// True when the blank-separated command line holds the word "window" (exact case).
bool ScanCommandLine(const char* commandLine);

// Every subsystem's start-up, in the fixed order, and the shut-down.
void GlobalInit(Display* display);
void GlobalShutdown();

// Shows one 8-bit picture with a palette fade-in, a hold and a fade-out.
void ShowSplashPicture(Display* display, const char* name, int holdFrames, int sound,
                       bool waitForKey);

// The mode loop: title menu, game, editor, until the player quits.
void RunModeLoop(Display* display);

// The whole program over the installed platform; returns the exit status.
int RunProgram(const char* commandLine);

}  // namespace torvel
