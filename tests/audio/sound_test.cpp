#include "audio/sound.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "gfx/draw_list.h"
#include "player/player_record.h"
#include "support/headless_fixture.h"
#include "support/wav_builder.h"

namespace torvel {
namespace {

void SetMusic(uint8_t setting) {
  Player().musicVolume = setting;
}

using testing::HeadlessTest;
using testing::MakeWavOfLength;

constexpr uint8_t kStarted = kSoundStarted;

class SoundTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    std::filesystem::create_directories(dir() + "/sound");
    SetMusic(2);
    SetCamera(0, 0);
    ASSERT_TRUE(SoundOn());
  }

  RecordingSoundDevice& Device() { return *static_cast<RecordingSoundDevice*>(platform().Sound()); }

  std::string SoundFile(int n) const {
    char name[32];
    std::snprintf(name, sizeof(name), "/sound/snd%03d.wav", n);
    return dir() + name;
  }
  // Sound n as a file that plays for ms milliseconds.
  void AddSound(int n, uint32_t ms = 1000) {
    ASSERT_TRUE(WriteFileBytes(SoundFile(n), MakeWavOfLength(ms)));
  }

  int Count(const std::string& op) {
    int n = 0;
    for (const auto& c : Device().calls()) n += c.op == op ? 1 : 0;
    return n;
  }
  // The value of the last call of this kind on this voice, or -99999.
  int32_t Last(const std::string& op, SoundHandle h) {
    int32_t v = -99999;
    for (const auto& c : Device().calls()) {
      if (c.op == op && c.handle == h) v = c.value;
    }
    return v;
  }
  SoundHandle VoiceOf(int channel) { return SlotVoice(GetSoundChannel(channel).slot); }
  bool Playing(int channel) {
    SoundHandle h = VoiceOf(channel);
    return h != 0 && Device().IsPlaying(h);
  }
  void Advance(uint32_t ms) { platform().AdvanceClock(ms); }

  // Puts sounds 10, 11, ... on the effect channels 1, 2, ..., one per priority.
  void FillEffectChannels(const std::vector<int32_t>& priorities) {
    ASSERT_EQ(priorities.size(), 15u);
    for (int i = 0; i < 15; ++i) {
      AddSound(10 + i);
      MakeSound(10 + i, 0, 0, 1, priorities[i]);
    }
    for (int ch = 1; ch < kSoundChannels; ++ch) {
      ASSERT_EQ(GetSoundChannel(ch).sound, 9 + ch);
      ASSERT_TRUE(Playing(ch));
    }
    Device().ClearCalls();
  }
  void FillEffectChannels(int32_t priority) {
    FillEffectChannels(std::vector<int32_t>(15, priority));
  }
  std::vector<int> ChannelSounds() {
    std::vector<int> sounds;
    for (int ch = 1; ch < kSoundChannels; ++ch) sounds.push_back(GetSoundChannel(ch).sound);
    return sounds;
  }
};

// ---- Loading and playing ----

TEST_F(SoundTest, NormalSoundLoadsOnceAndPlaysCentredAtFullVolume) {
  AddSound(5);
  MakeNormalSound(5);
  SoundChannel c = GetSoundChannel(1);
  EXPECT_EQ(c.sound, 5);
  EXPECT_EQ(c.priority, 65536);
  EXPECT_EQ(c.flags, 1 | 2 | 4 | kStarted);
  EXPECT_EQ(c.pan, 0);
  EXPECT_EQ(c.volume, 0);
  // The master buffer in slot 0, the voice playing it in slot 1.
  EXPECT_EQ(CachedSlot(5), 0);
  EXPECT_EQ(c.slot, 1);
  const RecordingSoundDevice::Voice* voice = Device().GetVoice(VoiceOf(1));
  ASSERT_NE(voice, nullptr);
  EXPECT_EQ(voice->buffer, SlotVoice(0));
  EXPECT_TRUE(voice->playing);
  EXPECT_FALSE(voice->loop);
  EXPECT_EQ(voice->volume, 0);
  EXPECT_EQ(voice->pan, 0);
  EXPECT_EQ(Count("create"), 1);
  EXPECT_EQ(Count("duplicate"), 1);

  // Again while it plays: the same voice starts over; nothing is read again.
  Advance(300);
  MakeNormalSound(5);
  EXPECT_EQ(Count("create"), 1);
  EXPECT_EQ(Count("duplicate"), 1);
  EXPECT_EQ(Last("rewind", VoiceOf(1)), 0);
  EXPECT_EQ(GetSoundChannel(2).sound, -1);
}

TEST_F(SoundTest, AMissingOrBrokenFileIsTriedAgainOnEveryRequest) {
  MakeNormalSound(7);
  EXPECT_EQ(CachedSlot(7), -1);
  EXPECT_EQ(GetSoundChannel(1).sound, -1);
  EXPECT_EQ(Count("create"), 0);

  ASSERT_TRUE(WriteFileBytes(SoundFile(7), std::string("RIFF....AVI LIST").data(), 16));
  MakeNormalSound(7);
  EXPECT_EQ(CachedSlot(7), -1);
  EXPECT_EQ(Count("create"), 0);

  AddSound(7);
  MakeNormalSound(7);
  EXPECT_GE(CachedSlot(7), 0);
  EXPECT_TRUE(Playing(1));
}

TEST_F(SoundTest, ADeviceRefusingTheBufferDropsTheRequestAndRetries) {
  AddSound(7);
  Device().failCreate = true;
  MakeNormalSound(7);
  EXPECT_EQ(CachedSlot(7), -1);
  EXPECT_EQ(GetSoundChannel(1).sound, -1);
  Device().failCreate = false;
  MakeNormalSound(7);
  EXPECT_TRUE(Playing(1));
}

TEST_F(SoundTest, NumbersOutsideTheRangeAreRejected) {
  // Files that a careless name formatting would find.
  for (int n : {255, 256, 1000}) AddSound(n);
  ASSERT_TRUE(WriteFileBytes(dir() + "/sound/snd-01.wav", MakeWavOfLength(100)));
  for (int n : {-1, 255, 256, 1000, INT_MIN, INT_MAX}) {
    MakeNormalSound(n);
    MakeSound(n, 0, 0, 0, 1000);
    MakeSoundAt(n, 0, 0, 1, 1000);
    PlaySong(n);
    StopEffect(n);
    EXPECT_EQ(CachedSlot(n), -1) << n;
  }
  EXPECT_TRUE(Device().calls().empty());
  EXPECT_EQ(CurrentSong(), 0);
}

TEST_F(SoundTest, WithSoundOffNothingHappens) {
  AddSound(5);
  AddSound(200);
  ExitSound();
  EXPECT_FALSE(SoundOn());
  Device().ClearCalls();
  MakeNormalSound(5);
  MakeSoundAt(5, 0, 0, 1, 1200);
  PlaySong(200);
  SetMusicLevel(1);
  ResumeSong();
  StopSong();
  UpdateSounds();
  StopAllSounds();
  EXPECT_TRUE(Device().calls().empty());
  EXPECT_EQ(CurrentSong(), 0);
  ASSERT_TRUE(InitSound(255));
  MakeNormalSound(5);
  EXPECT_TRUE(Playing(1));
}

TEST_F(SoundTest, ExitSoundReleasesEveryBuffer) {
  AddSound(5);
  AddSound(200);
  MakeNormalSound(5);
  PlaySong(200);
  EXPECT_EQ(Device().LiveVoices(), 4);
  ExitSound();
  EXPECT_EQ(Device().LiveVoices(), 0);
}

// ---- Channel choice ----

TEST_F(SoundTest, FreeChannelsAreTakenInOrder) {
  for (int n : {10, 11, 12}) {
    AddSound(n);
    MakeSound(n, 0, 0, 1, 1200);
  }
  EXPECT_EQ(GetSoundChannel(1).sound, 10);
  EXPECT_EQ(GetSoundChannel(2).sound, 11);
  EXPECT_EQ(GetSoundChannel(3).sound, 12);
  EXPECT_EQ(GetSoundChannel(4).sound, -1);
}

TEST_F(SoundTest, AQuieterRequestIsALessImportantOne) {
  AddSound(10);
  MakeSound(10, -300, -500, 1, 1200);
  SoundChannel c = GetSoundChannel(1);
  EXPECT_EQ(c.priority, 700);
  EXPECT_EQ(c.pan, -300);
  EXPECT_EQ(c.volume, -500);
  EXPECT_EQ(c.flags, 1 | kStarted);
  EXPECT_EQ(Device().GetVoice(VoiceOf(1))->volume, -500);
  EXPECT_EQ(Device().GetVoice(VoiceOf(1))->pan, -300);
}

TEST_F(SoundTest, FullChannelsDropWhatDoesNotOutrankThem) {
  FillEffectChannels(1200);
  AddSound(30);
  struct Case {
    int32_t volume;
    uint8_t flags;
    int32_t priority;
  } dropped[] = {
      {0, 1, 1000},     // less important
      {0, 1, 1200},     // equally important is not enough
      {-200, 1, 1300},  // 1300 - 200 = 1100
      {0, 4, 1000},     // one instance, but not playing anywhere yet
  };
  for (const Case& c : dropped) {
    MakeSound(30, 0, c.volume, c.flags, c.priority);
    EXPECT_EQ(ChannelSounds(),
              (std::vector<int>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}))
        << c.priority;
  }
  EXPECT_EQ(Count("duplicate"), 0);
}

TEST_F(SoundTest, TopPriorityTakesTheLeastImportantChannel) {
  FillEffectChannels(1200);
  SoundHandle old = VoiceOf(1);
  AddSound(30);
  MakeSound(30, 0, 0, 2, 1000);
  // All equal: the first is taken; its old voice goes.
  EXPECT_EQ(GetSoundChannel(1).sound, 30);
  EXPECT_EQ(GetSoundChannel(1).priority, 65536);
  EXPECT_EQ(Device().GetVoice(old), nullptr);
  EXPECT_TRUE(Playing(1));
}

TEST_F(SoundTest, OfTheOutrankedChannelsTheLeastImportantIsTaken) {
  FillEffectChannels(
      {1500, 1300, 1100, 1100, 1400, 1600, 1700, 1800, 1900, 2000, 2100, 2200, 2300, 2400, 2500});
  AddSound(30);
  AddSound(31);
  AddSound(32);
  MakeSound(30, 0, 0, 1, 1200);  // outranks channels 3 and 4: the first of the two
  EXPECT_EQ(GetSoundChannel(3).sound, 30);
  EXPECT_EQ(GetSoundChannel(4).sound, 13);
  MakeSound(31, 0, 0, 2, 0);  // top priority: the lowest left is channel 4
  EXPECT_EQ(GetSoundChannel(4).sound, 31);
  // Outranks channels 2 (1300), 3 (now 1200) and 5 (1400): the least of them.
  MakeSound(32, 0, 0, 1, 1450);
  EXPECT_EQ(GetSoundChannel(3).sound, 32);
  EXPECT_EQ(GetSoundChannel(2).sound, 11);
  EXPECT_EQ(GetSoundChannel(5).sound, 14);
}

TEST_F(SoundTest, FlagOneLetsASoundCutOffItsOwnInstance) {
  FillEffectChannels(5000);
  SoundHandle voice = VoiceOf(7);  // sound 16
  Advance(400);
  MakeSound(16, 500, -100, 0, 100);  // not allowed to cut itself: dropped
  EXPECT_EQ(GetSoundChannel(7).pan, 0);
  EXPECT_TRUE(Device().calls().empty());

  MakeSound(16, 500, -100, 1, 100);
  SoundChannel c = GetSoundChannel(7);
  EXPECT_EQ(c.sound, 16);
  EXPECT_EQ(c.priority, 0);
  EXPECT_EQ(c.pan, 500);
  EXPECT_EQ(c.volume, -100);
  // The same voice starts over and keeps playing with its old pan and volume.
  EXPECT_EQ(VoiceOf(7), voice);
  EXPECT_EQ(Count("rewind"), 1);
  EXPECT_EQ(Count("pan"), 0);
  EXPECT_EQ(Count("volume"), 0);
  EXPECT_EQ(Count("duplicate"), 0);
  Advance(700);
  EXPECT_TRUE(Playing(7));  // 700 ms after the restart, not 1100 after the start
}

TEST_F(SoundTest, AChannelSeenFinishedIsTakenBeforeAnyOther) {
  FillEffectChannels(1200);
  AddSound(30);
  StopEffect(14);  // channel 5 falls silent
  // Until UpdateSounds has seen it, it still counts as playing.
  MakeSound(30, 0, -9000, 1, 0);
  EXPECT_EQ(GetSoundChannel(5).sound, 14);
  UpdateSounds();
  MakeSound(30, 0, -9000, 1, 0);
  EXPECT_EQ(GetSoundChannel(5).sound, 30);
  EXPECT_EQ(GetSoundChannel(5).priority, -9000);
}

TEST_F(SoundTest, AFinishedChannelWithTheSameSoundReusesItsVoice) {
  AddSound(10, 200);
  MakeSound(10, 0, 0, 1, 1200);
  SoundHandle voice = VoiceOf(1);
  Advance(200);
  UpdateSounds();
  Device().ClearCalls();
  MakeSound(10, 300, -200, 0, 1200);
  EXPECT_EQ(VoiceOf(1), voice);
  EXPECT_EQ(Count("duplicate"), 0);
  EXPECT_EQ(Last("pan", voice), 300);
  EXPECT_EQ(Last("volume", voice), -200);
  EXPECT_EQ(Last("play", voice), 0);
  EXPECT_TRUE(Playing(1));
}

TEST_F(SoundTest, UpdateSoundsClearsTheMarkOfFinishedSoundsOnly) {
  AddSound(10, 200);
  AddSound(11, 1000);
  MakeSound(10, 0, 0, 1, 1200);
  MakeSound(11, 0, 0, 1, 1200);
  Advance(500);
  EXPECT_EQ(GetSoundChannel(1).flags, 1 | kStarted);  // not seen yet
  UpdateSounds();
  EXPECT_EQ(GetSoundChannel(1).flags, 1);
  EXPECT_EQ(GetSoundChannel(2).flags, 1 | kStarted);
  EXPECT_EQ(GetSoundChannel(1).sound, 10);  // the record stays
}

TEST_F(SoundTest, AFailedDuplicateLeavesTheChannelFree) {
  AddSound(10);
  MakeSound(10, 0, 0, 0, 1200);
  Device().failCreate = true;
  MakeSound(10, 0, 0, 0, 1200);
  EXPECT_EQ(GetSoundChannel(2).sound, -1);
  EXPECT_EQ(GetSoundChannel(2).slot, -1);
  Device().failCreate = false;
  MakeSound(10, 0, 0, 0, 1200);
  EXPECT_EQ(GetSoundChannel(2).sound, 10);
  EXPECT_TRUE(Playing(2));
}

// ---- One instance (flag 4) ----

TEST_F(SoundTest, OneInstanceLeavesAPlayingSoundAloneWithoutFlagOne) {
  AddSound(40);
  MakeSound(40, 0, 0, 4, 1200);
  Device().ClearCalls();
  MakeSound(40, 100, -100, 4, 1200);
  EXPECT_TRUE(Device().calls().empty());
  EXPECT_EQ(GetSoundChannel(1).pan, 0);
  EXPECT_EQ(GetSoundChannel(2).sound, -1);

  // Finished but not yet seen finished: still left alone.
  Advance(1000);
  MakeSound(40, 100, -100, 4, 1200);
  EXPECT_EQ(GetSoundChannel(1).pan, 0);
  // Seen finished: it starts again on its own channel.
  UpdateSounds();
  MakeSound(40, 100, -100, 4, 1200);
  SoundChannel c = GetSoundChannel(1);
  EXPECT_EQ(c.pan, 100);
  EXPECT_EQ(c.flags, 4 | kStarted);
  EXPECT_TRUE(Playing(1));
  EXPECT_EQ(Device().GetVoice(VoiceOf(1))->pan, 100);
  EXPECT_EQ(GetSoundChannel(2).sound, -1);
}

TEST_F(SoundTest, OneInstanceWithFlagOneRestartsItWherever) {
  AddSound(9);
  AddSound(40);
  MakeSound(9, 0, 0, 1, 1200);
  MakeSound(40, 0, 0, 5, 1200);
  SoundHandle voice = VoiceOf(2);
  Advance(300);
  Device().ClearCalls();
  MakeSound(40, -800, -300, 5, 1500);
  SoundChannel c = GetSoundChannel(2);
  EXPECT_EQ(c.pan, -800);
  EXPECT_EQ(c.volume, -300);
  EXPECT_EQ(c.priority, 1200);
  EXPECT_EQ(c.flags, 5 | kStarted);
  EXPECT_EQ(VoiceOf(2), voice);
  EXPECT_EQ(Count("rewind"), 1);
  EXPECT_EQ(Last("pan", voice), -800);
  EXPECT_EQ(Last("volume", voice), -300);
  EXPECT_EQ(Count("duplicate"), 0);
  EXPECT_EQ(GetSoundChannel(3).sound, -1);
}

// ---- Slots ----

TEST_F(SoundTest, NewBuffersGoIntoTheFirstFreeSlot) {
  AddSound(10, 100);
  AddSound(11);
  AddSound(12);
  AddSound(13);
  AddSound(14);
  MakeSound(10, 0, 0, 1, 1200);  // master 0, voice 1
  MakeSound(11, 0, 0, 1, 1200);  // master 2, voice 3
  MakeSound(12, 0, 0, 1, 1200);  // master 4, voice 5
  EXPECT_EQ(CachedSlot(12), 4);
  EXPECT_EQ(GetSoundChannel(3).slot, 5);
  Advance(100);
  UpdateSounds();
  // Sound 13 loads into slot 6 first; then channel 1 lets slot 1 go, and the
  // new voice takes it.
  MakeSound(13, 0, 0, 1, 1200);
  EXPECT_EQ(CachedSlot(13), 6);
  EXPECT_EQ(GetSoundChannel(1).sound, 13);
  EXPECT_EQ(GetSoundChannel(1).slot, 1);
  MakeSound(14, 0, 0, 1, 1200);
  EXPECT_EQ(CachedSlot(14), 7);
  EXPECT_EQ(GetSoundChannel(4).slot, 8);
}

TEST_F(SoundTest, AFullSlotTableDropsTheRequest) {
  ASSERT_TRUE(InitSound(4));
  AddSound(1);
  AddSound(2);
  AddSound(3);
  MakeNormalSound(1);
  MakeNormalSound(2);
  MakeNormalSound(3);
  EXPECT_EQ(CachedSlot(3), -1);
  EXPECT_EQ(GetSoundChannel(3).sound, -1);
  StopAllSounds();
  MakeNormalSound(3);
  EXPECT_EQ(CachedSlot(3), 0);
  EXPECT_EQ(GetSoundChannel(1).slot, 1);
  EXPECT_TRUE(Playing(1));
}

// ---- Positional sounds ----

TEST_F(SoundTest, PositionalVolumeFallsWithDistanceAndPanFollowsTheOffset) {
  AddSound(20);
  SetCamera(ToFixed(1000), ToFixed(1000));
  struct Case {
    Fixed x, y;
    bool plays;
    int32_t volume, pan;
  } cases[] = {
      {ToFixed(1000), ToFixed(1000), true, 0, 0},
      {ToFixed(1800), ToFixed(1000), true, -5000, 1600},  // 800 px right
      {ToFixed(1801), ToFixed(1000), false, 0, 0},        // one pixel more: silent
      {ToFixed(200), ToFixed(1000), true, -5000, -1600},
      {ToFixed(1000), ToFixed(1800), true, -5000, 0},
      {ToFixed(1000), ToFixed(199), false, 0, 0},
      {ToFixed(1100), ToFixed(1100), true, -156, 200},  // 20000 / 128 truncates
      {ToFixed(989), ToFixed(1000), true, 0, -22},      // 121 / 128 is 0
      {ToFixed(1565), ToFixed(1565), true, -4987, 1130},
      {ToFixed(1566), ToFixed(1566), false, 0, 0},
      {ToFixed(1800) + 0xFFFF, ToFixed(1000), true, -5000, 1600},  // fractions drop
      {ToFixed(1000) - 1, ToFixed(1000), true, 0, -2},             // just left of the pixel
  };
  for (const Case& c : cases) {
    StopAllSounds();
    MakeSoundAt(20, c.x, c.y, 1, 1200);
    SoundChannel ch = GetSoundChannel(1);
    if (!c.plays) {
      EXPECT_EQ(ch.sound, -1) << c.x / 65536.0 << "," << c.y / 65536.0;
      continue;
    }
    EXPECT_EQ(ch.sound, 20);
    EXPECT_EQ(ch.volume, c.volume) << c.x / 65536.0 << "," << c.y / 65536.0;
    EXPECT_EQ(ch.pan, c.pan) << c.x / 65536.0 << "," << c.y / 65536.0;
    EXPECT_EQ(ch.priority, 1200 + c.volume);
    const RecordingSoundDevice::Voice* voice = Device().GetVoice(VoiceOf(1));
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->volume, c.volume);
    EXPECT_EQ(voice->pan, c.pan);
  }
}

TEST_F(SoundTest, FarPositionsDoNotOverflow) {
  AddSound(20);
  SetCamera(ToFixed(-30000), ToFixed(-30000));
  MakeSoundAt(20, ToFixed(32000), ToFixed(32000), 1, 1200);
  EXPECT_EQ(GetSoundChannel(1).sound, -1);
}

// ---- Songs ----

TEST_F(SoundTest, ASongLoopsOnTheSongChannelAtTheSongVolume) {
  AddSound(200, 2000);
  PlaySong(200);
  EXPECT_EQ(CurrentSong(), 200);
  SoundChannel c = GetSoundChannel(0);
  EXPECT_EQ(c.sound, 200);
  EXPECT_EQ(c.priority, 2);
  EXPECT_EQ(c.pan, 0);
  EXPECT_EQ(c.volume, -700);
  EXPECT_EQ(c.flags, kStarted);
  const RecordingSoundDevice::Voice* voice = Device().GetVoice(VoiceOf(0));
  ASSERT_NE(voice, nullptr);
  EXPECT_TRUE(voice->loop);
  EXPECT_EQ(voice->volume, -700);
  Advance(5000);
  EXPECT_TRUE(Playing(0));
  // Effects never take the song channel.
  AddSound(10);
  for (int i = 0; i < 16; ++i) MakeSound(10, 0, 0, 0, 1200);
  EXPECT_EQ(GetSoundChannel(0).sound, 200);

  // The same song again goes on as it is.
  Device().ClearCalls();
  PlaySong(200);
  EXPECT_TRUE(Device().calls().empty());
  EXPECT_EQ(CurrentSong(), 200);

  // Another song takes the channel.
  SoundHandle old = VoiceOf(0);
  AddSound(201, 2000);
  PlaySong(201);
  EXPECT_EQ(Device().GetVoice(old), nullptr);
  EXPECT_EQ(GetSoundChannel(0).sound, 201);
  EXPECT_TRUE(Playing(0));
  EXPECT_EQ(CurrentSong(), 201);
}

TEST_F(SoundTest, WithMusicOffASongIsOnlyRememberedUntilResumed) {
  AddSound(208);
  SetMusic(0);
  PlaySong(208);
  EXPECT_EQ(CurrentSong(), 208);
  EXPECT_EQ(Count("create"), 0);
  EXPECT_FALSE(Playing(0));
  ResumeSong();  // still off
  EXPECT_EQ(Count("create"), 0);

  SetMusic(1);
  SetMusicLevel(1);
  ResumeSong();
  EXPECT_EQ(CurrentSong(), 208);
  EXPECT_EQ(GetSoundChannel(0).sound, 208);
  EXPECT_TRUE(Playing(0));
  EXPECT_EQ(Device().GetVoice(VoiceOf(0))->volume, -1400);
}

TEST_F(SoundTest, MusicLevelsChangeThePlayingSongAtOnce) {
  AddSound(200);
  PlaySong(200);
  SoundHandle voice = VoiceOf(0);
  struct Case {
    int level;
    int32_t volume;
  } cases[] = {{1, -1400}, {3, 0}, {2, -700}, {4, -700}, {-1, -700}};
  for (const Case& c : cases) {
    SetMusicLevel(c.level);
    EXPECT_EQ(SongVolume(), c.volume) << c.level;
    EXPECT_EQ(Device().GetVoice(voice)->volume, c.volume) << c.level;
    EXPECT_EQ(GetSoundChannel(0).volume, c.volume) << c.level;
  }
  SetMusicLevel(1);
  SetMusicLevel(0);  // stops the song
  EXPECT_EQ(CurrentSong(), 0);
  EXPECT_EQ(GetSoundChannel(0).slot, -1);
  EXPECT_EQ(Device().GetVoice(voice), nullptr);
  ResumeSong();
  EXPECT_EQ(CurrentSong(), 200);
  EXPECT_TRUE(Playing(0));
  EXPECT_EQ(Device().GetVoice(VoiceOf(0))->volume, -1400);
}

TEST_F(SoundTest, TheLevelSetWhileSilentAppliesToTheNextSong) {
  AddSound(200);
  SetMusicLevel(3);
  PlaySong(200);
  EXPECT_EQ(Device().GetVoice(VoiceOf(0))->volume, 0);
}

TEST_F(SoundTest, StopSongAndResumeSongPickUpTheSameSong) {
  AddSound(202);
  PlaySong(202);
  StopSong();
  EXPECT_EQ(CurrentSong(), 0);
  EXPECT_FALSE(Playing(0));
  EXPECT_EQ(Device().LiveVoices(), 1);  // only the cached sample is left
  ResumeSong();
  EXPECT_EQ(CurrentSong(), 202);
  EXPECT_TRUE(Playing(0));
}

TEST_F(SoundTest, ResumingWithNoEarlierSongPlaysNothing) {
  AddSound(0);
  StopSong();
  ResumeSong();
  EXPECT_EQ(CurrentSong(), 0);
  EXPECT_EQ(Count("create"), 0);
  EXPECT_FALSE(Playing(0));
}

TEST_F(SoundTest, AMissingSongIsTriedAgainOnTheNextRequest) {
  PlaySong(201);
  EXPECT_EQ(CurrentSong(), 201);
  EXPECT_FALSE(Playing(0));
  AddSound(201);
  PlaySong(201);
  EXPECT_TRUE(Playing(0));
}

TEST_F(SoundTest, SongsSurviveStopAllSounds) {
  AddSound(5);
  AddSound(200);
  PlaySong(200);
  MakeNormalSound(5);
  StopAllSounds();
  EXPECT_EQ(CachedSlot(5), -1);
  EXPECT_EQ(GetSoundChannel(1).sound, -1);
  EXPECT_EQ(GetSoundChannel(1).slot, -1);
  EXPECT_GE(CachedSlot(200), 0);
  EXPECT_TRUE(Playing(0));
  EXPECT_EQ(Device().LiveVoices(), 2);
  // Once the song is stopped its sample goes too.
  StopSong();
  StopAllSounds();
  EXPECT_EQ(CachedSlot(200), -1);
  EXPECT_EQ(Device().LiveVoices(), 0);
}

TEST_F(SoundTest, StopAllSoundsMakesTheNextRequestReadTheFileAgain) {
  AddSound(5);
  MakeNormalSound(5);
  StopAllSounds();
  std::filesystem::remove(SoundFile(5));
  MakeNormalSound(5);
  EXPECT_EQ(GetSoundChannel(1).sound, -1);
  AddSound(5);
  MakeNormalSound(5);
  EXPECT_EQ(Count("create"), 2);
}

TEST_F(SoundTest, ResetSoundForgetsTheSongs) {
  AddSound(200);
  SetMusicLevel(3);
  PlaySong(200);
  ResetSound();
  EXPECT_EQ(SongVolume(), -700);
  EXPECT_EQ(CurrentSong(), 0);
  StopSong();
  ResumeSong();
  EXPECT_EQ(CurrentSong(), 0);
}

TEST_F(SoundTest, StopEffectCutsTheVoiceButKeepsItsRecord) {
  AddSound(205, 20000);
  AddSound(200);
  PlaySong(200);
  MakeNormalSound(205);
  SoundHandle voice = VoiceOf(1);
  Advance(500);
  StopEffect(205);
  EXPECT_FALSE(Device().IsPlaying(voice));
  EXPECT_EQ(Last("rewind", voice), 0);
  EXPECT_EQ(GetSoundChannel(1).sound, 205);
  EXPECT_EQ(GetSoundChannel(1).flags, 7 | kStarted);
  UpdateSounds();
  EXPECT_EQ(GetSoundChannel(1).flags, 7);
  // The song is not an effect.
  StopEffect(200);
  EXPECT_TRUE(Playing(0));
}

}  // namespace
}  // namespace torvel
