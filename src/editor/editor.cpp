// Stand-in until the editor lands.
#include "editor/editor.h"

namespace torvel {

void RunEditor(Display*) {}

}  // namespace torvel
