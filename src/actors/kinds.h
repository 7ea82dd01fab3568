// The monster kinds table.
#pragma once

namespace torvel {

// Start-up: no kind has a loaded sprite set.
void ClearKindSprites();
// Program end: frees the loaded sets of kinds 1 to 59.
void FreeKindSprites();

}  // namespace torvel
