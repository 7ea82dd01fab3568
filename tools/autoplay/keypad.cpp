#include "autoplay/keypad.h"

#include "input/input.h"
#include "platform/headless/headless_platform.h"

namespace torvel::autoplay {

namespace {
constexpr int kEscapeScanCode = 1;
}

void KeyPad::Init() {
  for (int action = 0; action < kActionCount; ++action) {
    uint8_t slots[kKeysPerAction];
    GetActionKeys(action, slots);
    codes_[action] = slots[0];
  }
  held_ = 0;
}

void KeyPad::Hold(HeadlessPlatform& platform, uint8_t actions) {
  for (int action = 0; action < kActionCount; ++action) {
    uint8_t bit = static_cast<uint8_t>(1u << action);
    if (!codes_[action] || ((held_ ^ actions) & bit) == 0) continue;
    platform.Push({(actions & bit) ? HeadlessPlatform::EventType::KeyDown
                                   : HeadlessPlatform::EventType::KeyUp,
                   codes_[action]});
  }
  held_ = actions;
}

void KeyPad::Type(HeadlessPlatform& platform, uint8_t character) {
  // Escape is a key like any other; the character is what screens read.
  if (character == 27) platform.Push({HeadlessPlatform::EventType::KeyDown, kEscapeScanCode});
  platform.PushChar(character);
  if (character == 27) platform.Push({HeadlessPlatform::EventType::KeyUp, kEscapeScanCode});
}

}  // namespace torvel::autoplay
