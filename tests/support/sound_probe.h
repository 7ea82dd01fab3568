// What the game asked the sound module to play, read back from the effect
// channels: the number, the priority and flags it was asked with, and where
// the sound was placed (pan and volume follow the offset from the camera).
//
//   ForgetSounds();
//   FireSpecial(map, special, nullptr);
//   std::vector<HeardSound> heard = HeardSounds();
//   EXPECT_TRUE(heard[0].Plain());
//
// Requests take the channels in order once they are all empty, so the list
// is in the order the sounds were asked for; a plain sound asked for twice
// restarts its one instance and shows once. A placed sound is heard from the
// camera as it stood when the sounds were forgotten (move the camera first).
// The samples come from the game folder, and sound must be on (the headless
// display turns it on).
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "audio/sound.h"
#include "gfx/draw_list.h"

namespace torvel::testing {

// Where the camera stood when the channels were last emptied.
struct SoundListener {
  int32_t x = 0, y = 0;
};
inline SoundListener& Listener() {
  static SoundListener listener;
  return listener;
}

struct HeardSound {
  int number = -1;
  int32_t priority = 0;  // as asked, before the distance took its share
  uint8_t flags = 0;     // as asked
  int32_t pan = 0;
  int32_t volume = 0;

  // MakeNormalSound: centred, full volume, top priority, one instance.
  bool Plain() const {
    return flags == (kSoundMayCutItself | kSoundTopPriority | kSoundOneInstance) &&
           priority == 65536 && pan == 0 && volume == 0;
  }
  // MakeSoundAt with these flags and priority, heard as a sound at pixel
  // (x, y) is from where the camera stood.
  bool At(int32_t x, int32_t y, int32_t askedPriority,
          uint8_t askedFlags = kSoundMayCutItself) const {
    const int64_t dx = x - Listener().x, dy = y - Listener().y;
    return flags == askedFlags && priority == askedPriority && pan == 2 * dx &&
           volume == -((dx * dx + dy * dy) / 128);
  }
};

inline std::ostream& operator<<(std::ostream& out, const HeardSound& s) {
  return out << "sound " << s.number << " priority " << s.priority << " flags " << int{s.flags}
             << " pan " << s.pan << " volume " << s.volume;
}

// Every effect channel emptied, so that what plays next is all they hold;
// the camera's place noted as where the sounds are heard from.
inline void ForgetSounds() {
  StopAllSounds();
  GetCamera(Listener().x, Listener().y);
}

// The effect channels' sounds, in the order they were asked for.
inline std::vector<HeardSound> HeardSounds() {
  std::vector<HeardSound> heard;
  for (int ch = 1; ch < kSoundChannels; ++ch) {
    SoundChannel c = GetSoundChannel(ch);
    if (c.sound < 0) continue;
    HeardSound s;
    s.number = c.sound;
    s.flags = static_cast<uint8_t>(c.flags & ~kSoundStarted);
    // A quieter request counts for less: the channel keeps the sum.
    s.priority = (s.flags & kSoundTopPriority) ? c.priority : c.priority - c.volume;
    s.pan = c.pan;
    s.volume = c.volume;
    heard.push_back(s);
  }
  return heard;
}

// The numbers alone, in order.
inline std::vector<int> HeardNumbers() {
  std::vector<int> numbers;
  for (const HeardSound& s : HeardSounds()) numbers.push_back(s.number);
  return numbers;
}

}  // namespace torvel::testing
