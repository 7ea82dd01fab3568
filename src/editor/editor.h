// The world editor.
#pragma once

namespace torvel {

class Display;

void RunEditor(Display* display);

}  // namespace torvel
