// Keyboard scan codes: the PC set-1 codes (0..88) that keys.ini names, from
// the USB HID usage numbers that SDL reports as its scancodes.
#pragma once

namespace torvel {

// The set-1 code of a USB HID keyboard usage, or -1 for keys the game has no
// code for. The extended-key distinction is dropped, as the game always did:
// the arrow block and the keypad arrows share codes, as do the two Control,
// Alt and Enter keys.
int ScanCodeFromUsb(int usage);

}  // namespace torvel
