// The autoplayer's hands: the keys it holds and types, turned into the key
// events a keyboard would send, through the headless backend's event queue.
#pragma once

#include <cstdint>

namespace torvel {

class HeadlessPlatform;

namespace autoplay {

class KeyPad {
 public:
  // Reads the scan codes bound to the eight actions (keys.ini is loaded).
  void Init();
  // From now on the keys of these action bits are held; keys let go and keys
  // newly held become key-up and key-down events.
  void Hold(HeadlessPlatform& platform, uint8_t actions);
  // A character typed (Escape 27, a digit for a spell, ...).
  void Type(HeadlessPlatform& platform, uint8_t character);
  // Lets every key go.
  void Release(HeadlessPlatform& platform) { Hold(platform, 0); }
  uint8_t held() const { return held_; }

 private:
  uint8_t codes_[8] = {};
  uint8_t held_ = 0;
};

}  // namespace autoplay
}  // namespace torvel
