// Settings only this port has, kept in port.ini apart from the game's own
// files: section [Display], keys Window, IntegerScaling, VSync and
// PresentEveryFrame. The defaults behave like the original program (full
// screen unless the command line says window).
#pragma once

#include <string>

namespace torvel {

struct PortSettings {
  bool forceWindow = false;        // Window=1: always a window
  bool integerScaling = true;      // IntegerScaling=0: smooth scaling
  bool vsync = true;               // VSync=0: present without waiting for the retrace
  bool presentEveryFrame = false;  // PresentEveryFrame=1: even frames like the last
};

// A value of 1, yes, true or on (any case) turns a setting on; 0, no, false
// or off turns it off; anything else, or no value, keeps its default.
PortSettings ParsePortSettings(const std::string& text);
// The same from a file; a missing or unreadable file gives the defaults.
PortSettings ReadPortSettings(const std::string& hostPath);

}  // namespace torvel
