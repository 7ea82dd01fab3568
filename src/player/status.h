// The status display.
#pragma once

namespace torvel {

bool LoadStatusSprites();
void FreeStatusSprites();

}  // namespace torvel
