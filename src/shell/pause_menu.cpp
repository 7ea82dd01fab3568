// The pause menu and the saved games.
#include "shell/pause_menu.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "audio/sound.h"
#include "common/byte_io.h"
#include "common/file_io.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "input/input.h"
#include "platform/paths.h"
#include "player/player.h"
#include "player/player_record.h"
#include "player/shop.h"
#include "shell/play_loop.h"

namespace torvel {

namespace {

constexpr int32_t kHiddenX = -250;
constexpr int32_t kSlideStep = 25;
constexpr uint8_t kEscape = 27;
constexpr uint8_t kLastEntry = 5;
constexpr uint8_t kMissingEntry = 3;
constexpr int kMoveSound = 0;
constexpr int kChooseSound = 1;
constexpr int kOpenSound = 2;
constexpr int kSaveSound = 3;
constexpr int kLoadSound = 4;
constexpr uint8_t kEventGameLoaded = 4;
constexpr int kPanelSprite = 22;

enum Entry : uint8_t {
  kEntryResume = 0,
  kEntryLoad = 1,
  kEntrySaveOrLeave = 2,
  kEntryVolume = 4,
  kEntryQuit = 5,
};

enum MapKind : uint8_t { kRoamingMap = 0, kOrdinaryMap = 1, kChallengeMap = 2 };

enum Result : uint8_t { kResume = 0, kStayOpen = 1, kLeaveMap = 2, kQuit = 3 };

struct PauseMenuState {
  uint8_t cursor = 0;
  uint8_t slotCursor = 0;
  bool slotPanelOpen = false;
  uint8_t mapKind = kRoamingMap;
  int32_t mainX = kHiddenX;
  int32_t slotX = kHiddenX;
  uint8_t repeat = 0;
  uint8_t lastHeld = 0;
  SlotSummary summaries[kSaveSlots];
  uint8_t notSavedSteps = 0;  // the "not saved" line shows while this runs
};

PauseMenuState gPause;

// A save that could not be written (a read-only or full folder) says so for
// three seconds instead of sounding as if it had worked.
constexpr uint8_t kNotSavedSteps = 90;
constexpr const char* kNotSavedText = "HE C0XPAHEH0!";

// The save file's first 1008 bytes, or false when there is none. A file of
// another size is read for the whole slots it holds: a longer one for its
// first three, a shorter one for as many as fit.
bool ReadSaveFile(std::vector<uint8_t>& bytes) {
  return ReadFileHead(UserPath(kSaveFileName), bytes, kSaveFileBytes);
}

// A slot never saved to: all zeros but the six map totals.
PlayerRecord EmptySlot() {
  PlayerRecord record;
  for (uint32_t& total : record.worldMapTotal) total = 100;
  return record;
}

// False when the file ends before the slot does.
bool ReadSlot(const std::vector<uint8_t>& file, int slot, PlayerRecord& record) {
  const size_t start = static_cast<size_t>(slot) * kPlayerRecordBytes;
  if (slot < 0 || slot >= kSaveSlots || file.size() < start + kPlayerRecordBytes) return false;
  ByteReader in(file.data() + start, kPlayerRecordBytes);
  return ReadPlayerRecord(in, record);
}

void ApplyMusicVolume(uint8_t volume) {
  SetMusicLevel(volume);
}

void MoveCursor(int delta) {
  int c = gPause.cursor + delta;
  if (c < 0) c = kLastEntry;
  if (c > kLastEntry) c = 0;
  if (c == kMissingEntry) c += delta;
  gPause.cursor = static_cast<uint8_t>(c);
  MakeNormalSound(kMoveSound);
}

void MoveSlotCursor(int delta) {
  gPause.slotCursor = static_cast<uint8_t>((gPause.slotCursor + kSaveSlots + delta) % kSaveSlots);
  MakeNormalSound(kMoveSound);
}

void StepVolume() {
  PlayerRecord& p = Player();
  uint8_t volume = static_cast<uint8_t>((p.musicVolume + 1) % 4);
  p.musicVolume = volume;
  if (volume == 0) {
    StopSong();
  } else {
    SetMusicLevel(volume);
    // The music was off: the song of the map starts again.
    if (volume == 1) ResumeSong();
  }
}

// Fire or spell on a main entry; kStayOpen unless the menu closes.
uint8_t ChooseEntry() {
  switch (gPause.cursor) {
    case kEntryResume:
      return kResume;
    case kEntryLoad:
      gPause.slotPanelOpen = true;
      return kStayOpen;
    case kEntrySaveOrLeave:
      // Saving happens only on the roaming map; elsewhere the entry leaves.
      if (gPause.mapKind != kRoamingMap) return kLeaveMap;
      gPause.slotPanelOpen = true;
      return kStayOpen;
    case kEntryVolume:
      StepVolume();
      return kStayOpen;
    case kEntryQuit:
      return kQuit;
    default:
      return kStayOpen;
  }
}

uint8_t ChooseSlot() {
  if (gPause.cursor == kEntryLoad) {
    PostMapEvent(kEventGameLoaded, 0);
    LoadSlot(gPause.slotCursor);
    MakeNormalSound(kLoadSound);
    return kResume;
  }
  if (gPause.cursor == kEntrySaveOrLeave) {
    if (!SaveSlot(gPause.slotCursor)) {
      // The old file is as it was; the menu stays open to say so.
      gPause.notSavedSteps = kNotSavedSteps;
      return kStayOpen;
    }
    MakeNormalSound(kSaveSound);
    return kResume;
  }
  gPause.slotPanelOpen = false;
  return kStayOpen;
}

const char* EntryText(uint8_t entry) {
  switch (entry) {
    case kEntryResume:
      return "0TMEHA";
    case kEntryLoad:
      return "C4NTATb";
    case kEntrySaveOrLeave:
      if (gPause.mapKind == kRoamingMap) return "3ALNCb";
      return gPause.mapKind == kOrdinaryMap ? "CDATbCR" : "CSEGATb";
    case kEntryVolume:
      return "3BYK ";
    case kEntryQuit:
      return "BbINTN";
    default:
      return "";
  }
}

const char* VolumeText(uint8_t volume) {
  static const char* const kVolumes[4] = {"0TK", "I", "II", "III"};
  return kVolumes[volume & 3];
}

int Brightness(bool chosen) {
  return chosen ? 0 : -16;
}

}  // namespace

void ResetPauseMenu() {
  gPause.cursor = 0;
  gPause.repeat = 0;
  gPause.lastHeld = 0;
  gPause.slotPanelOpen = false;
  gPause.mainX = kHiddenX;
  gPause.slotX = kHiddenX;
}

void OpenPauseMenu() {
  gPause.slotPanelOpen = false;
  gPause.notSavedSteps = 0;
  ReadSlotSummaries(gPause.summaries);
  MakeNormalSound(kOpenSound);
  if ((gPause.cursor == kEntryVolume && gPause.mapKind == kRoamingMap) ||
      (gPause.cursor == kEntrySaveOrLeave && gPause.mapKind != kRoamingMap)) {
    gPause.cursor = 0;
  }
  gPause.mainX = kHiddenX;
  gPause.slotX = kHiddenX;
  // A fire button held while Escape was typed does not choose at once.
  gPause.lastHeld = GetHeldActions();
}

uint8_t StepPauseMenu(Display* display) {
  if (gPause.notSavedSteps > 0) --gPause.notSavedSteps;
  if (gPause.mainX < 0) gPause.mainX += kSlideStep;
  if (gPause.slotPanelOpen) {
    if (gPause.slotX < 0) gPause.slotX += kSlideStep;
  } else if (gPause.slotX > kHiddenX) {
    gPause.slotX -= kSlideStep;
  }

  uint8_t held = GetHeldActions();
  ++gPause.repeat;
  if (gPause.lastHeld == 0 || gPause.repeat > 10) gPause.repeat = 0;
  bool move = gPause.repeat == 0;
  bool chosen = (held & (kActionFire | kActionSpell)) & ~gPause.lastHeld;

  uint8_t result = kStayOpen;
  if (!gPause.slotPanelOpen) {
    if (move && (held & kActionUp)) MoveCursor(-1);
    if (move && (held & kActionDown)) MoveCursor(1);
    if (chosen) {
      MakeNormalSound(kChooseSound);
      result = ChooseEntry();
    }
  } else {
    if (move && (held & kActionUp)) MoveSlotCursor(-1);
    if (move && (held & kActionDown)) MoveSlotCursor(1);
    if (chosen) {
      MakeNormalSound(kChooseSound);
      result = ChooseSlot();
    }
  }
  // Remembered even when the menu closes now, so that a button still held
  // when it opens again does not choose at once.
  gPause.lastHeld = held;
  if (result != kStayOpen) return result;

  if (display && display->TakeLastKey() == kEscape) {
    MakeNormalSound(kChooseSound);
    if (!gPause.slotPanelOpen) return kResume;
    gPause.slotPanelOpen = false;
  }
  return kStayOpen;
}

void SlidePauseMenu() {
  if (gPause.mainX > kHiddenX) gPause.mainX = std::max(kHiddenX, gPause.mainX - kSlideStep);
  if (gPause.slotX > kHiddenX) gPause.slotX = std::max(kHiddenX, gPause.slotX - kSlideStep);
}

void DrawPauseMenu() {
  if (gPause.mainX <= kHiddenX) return;
  Display* display = GraphicsDisplay();
  int32_t x = gPause.mainX;
  DrawStatsPanel(2 * (220 - x));
  Draw(ShopSprite(kPanelSprite), x, 230, display);
  static constexpr uint8_t kEntries[] = {kEntryResume, kEntryLoad, kEntrySaveOrLeave, kEntryVolume,
                                         kEntryQuit};
  static constexpr int32_t kEntryY[] = {240, 280, 320, 0, 360, 400};
  for (uint8_t entry : kEntries) {
    int b = Brightness(entry == gPause.cursor);
    PrintGlowBright(x + 10, kEntryY[entry], EntryText(entry), b, kFontBig);
    if (entry == kEntryVolume) {
      PrintGlowBright(x + 170, kEntryY[entry], VolumeText(Player().musicVolume), b, kFontBig);
    }
  }
  if (gPause.notSavedSteps > 0) PrintGlowBright(x + 10, 436, kNotSavedText, 0, kFontSmall);

  int32_t sx = gPause.slotX;
  if (sx <= kHiddenX) return;
  Draw(ShopSprite(kPanelSprite), sx, 40, display);
  for (int i = 0; i < kSaveSlots; ++i) {
    int32_t y = 50 + 40 * i;
    int b = Brightness(i == gPause.slotCursor);
    const SlotSummary& s = gPause.summaries[i];
    char text[40];
    std::snprintf(text, sizeof(text), "%d", i + 1);
    PrintGlowBright(sx + 10, y, text, b, kFontBig);
    std::snprintf(text, sizeof(text), "FVABA %d", s.chapter);
    PrintGlowBright(sx + 40, y, text, b, kFontSmall);
    std::snprintf(text, sizeof(text), "%02d:%02d  YP0B:%02d", s.hours, s.minutes, s.level);
    PrintGlowBright(sx + 40, y + 20, text, b, kFontSmall);
  }
}

void SetPauseMapKind(uint8_t kind) {
  gPause.mapKind = kind;
}

void SetSlotCursor(uint8_t slot) {
  gPause.slotCursor = static_cast<uint8_t>(slot % kSaveSlots);
}

PauseMenuView GetPauseMenuView() {
  return {gPause.cursor, gPause.slotCursor, gPause.slotPanelOpen,    gPause.mapKind,
          gPause.mainX,  gPause.slotX,      gPause.notSavedSteps > 0};
}

void LoadSlot(uint8_t slot) {
  std::vector<uint8_t> file;
  PlayerRecord record;
  // A slot never saved to holds level 0 and no speed: it would start a
  // hero who can neither move nor live, so it starts a new game.
  if (slot >= kSaveSlots || !ReadSaveFile(file) || !ReadSlot(file, slot, record) ||
      record.level == 0) {
    ResetPlayer(kResetNewGame, 0, 0);
    return;
  }
  Player() = record;
  ApplyMusicVolume(record.musicVolume);
}

bool SaveSlot(uint8_t slot) {
  if (slot >= kSaveSlots) return false;
  std::vector<uint8_t> file;
  ReadSaveFile(file);
  // Every whole slot the file holds is kept; only the missing ones start empty.
  PlayerRecord records[kSaveSlots];
  for (int i = 0; i < kSaveSlots; ++i) {
    if (!ReadSlot(file, i, records[i])) records[i] = EmptySlot();
  }
  records[slot] = Player();
  ByteWriter out;
  for (const PlayerRecord& r : records) WritePlayerRecord(out, r);
  return WriteFileAtomic(UserPath(kSaveFileName), out.bytes());
}

void ReadSlotSummaries(SlotSummary summaries[3]) {
  std::vector<uint8_t> file;
  ReadSaveFile(file);
  for (int i = 0; i < kSaveSlots; ++i) {
    summaries[i] = SlotSummary{};
    PlayerRecord r;
    if (!ReadSlot(file, i, r)) continue;
    summaries[i].chapter = static_cast<uint8_t>(r.worldNumber + 1);
    summaries[i].level = r.level;
    summaries[i].hours = static_cast<uint8_t>(r.playTime / 108000);
    summaries[i].minutes = static_cast<uint8_t>((r.playTime / 1800) % 60);
  }
}

}  // namespace torvel
