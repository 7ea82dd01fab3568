#include "shell/pause_menu.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "common/byte_io.h"
#include "common/trig.h"
#include "gfx/font.h"
#include "input/input.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/play_loop.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

constexpr int kUpKey = 72;
constexpr int kDownKey = 80;
constexpr int kFireKey = 29;
constexpr uint8_t kEscape = 27;

enum : uint8_t { kStay = 1, kResume = 0, kLeave = 2, kQuit = 3 };

class PauseMenuTest : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    // Fonts, sprites and sounds from the forged game; torvel.sav goes to the
    // test's own folder.
    SetGameDir(TORVEL_GAME_DIR);
    InitTrigTables();
    InitGraphics(&display());
    InitInput();
    InitPlayerRecord();
    ResetPlayer(kResetNewGame, 0, 1);
    PostMapEvent(kEventNone, 0);
    ResetPauseMenu();
    SetSlotCursor(0);
    SetPauseMapKind(0);
  }
  void TearDown() override {
    PostMapEvent(kEventNone, 0);
    ExitGraphics();
    HeadlessTest::TearDown();
  }

  uint8_t Step() { return StepPauseMenu(&display()); }
  // A key held for one step and let go before the next.
  uint8_t Tap(int key) {
    OnKeyDown(key);
    uint8_t r = Step();
    OnKeyUp(key);
    return r;
  }
  uint8_t Choose() {
    uint8_t r = Tap(kFireKey);
    if (r == kStay) Step();  // let go
    return r;
  }
  uint8_t Cursor() { return GetPauseMenuView().cursor; }
  void MoveTo(uint8_t entry) {
    for (int i = 0; i < 6 && Cursor() != entry; ++i) {
      Tap(kDownKey);
      Step();
    }
    ASSERT_EQ(Cursor(), entry);
  }

  std::string SavePath() { return dir() + "/torvel.sav"; }
  std::vector<uint8_t> SaveBytes() {
    std::vector<uint8_t> bytes;
    ReadFileBytes(SavePath(), bytes);
    return bytes;
  }
};

TEST_F(PauseMenuTest, TheCursorSkipsTheMissingEntryAndWraps) {
  OpenPauseMenu();
  struct Case {
    uint8_t from;
    int key;
    uint8_t to;
  } cases[] = {
      {0, kDownKey, 1}, {1, kDownKey, 2}, {2, kDownKey, 4}, {4, kDownKey, 5}, {5, kDownKey, 0},
      {0, kUpKey, 5},   {5, kUpKey, 4},   {4, kUpKey, 2},   {2, kUpKey, 1},   {1, kUpKey, 0},
  };
  uint8_t at = 0;
  for (const Case& c : cases) {
    ASSERT_EQ(at, c.from);
    Tap(c.key);
    Step();
    EXPECT_EQ(Cursor(), c.to) << int(c.from) << (c.key == kDownKey ? " down" : " up");
    at = Cursor();
  }
}

TEST_F(PauseMenuTest, ATapBetweenTwoStepsMovesTheCursor) {
  OpenPauseMenu();
  // Down and up again before the step, which sees the input frozen as the
  // play loop's steps do.
  OnKeyDown(kDownKey);
  OnKeyUp(kDownKey);
  {
    ActionStep step;
    Step();
  }
  EXPECT_EQ(Cursor(), 1);
  {
    ActionStep step;
    Step();
  }
  EXPECT_EQ(Cursor(), 1);  // once only
}

TEST_F(PauseMenuTest, ASaveLeftInTheGameFolderIsNotThePlayers) {
  // An earlier version, or a game played in portable mode, left a save in
  // the game folder; the user folder has none, so every slot is empty.
  std::string game = dir() + "/game";
  std::filesystem::create_directories(game);
  Player().level = 9;
  ASSERT_TRUE(SaveSlot(0));
  std::filesystem::rename(SavePath(), game + "/torvel.sav");
  SetGameDir(game);
  SlotSummary summaries[3];
  ReadSlotSummaries(summaries);
  for (const SlotSummary& s : summaries) EXPECT_EQ(s.level, 1);
  SetGameDir(TORVEL_GAME_DIR);
}

TEST_F(PauseMenuTest, AHeldDirectionMovesAtOnceThenEveryEleventhStep) {
  OpenPauseMenu();
  OnKeyDown(kDownKey);
  std::vector<int> moves;
  uint8_t last = Cursor();
  for (int step = 0; step < 40; ++step) {
    Step();
    if (Cursor() != last) moves.push_back(step);
    last = Cursor();
  }
  OnKeyUp(kDownKey);
  EXPECT_EQ(moves, (std::vector<int>{0, 11, 22, 33}));
}

TEST_F(PauseMenuTest, OpeningForgetsAnEntryTheMapDoesNotOffer) {
  struct Case {
    uint8_t mapKind;
    uint8_t cursor;
    uint8_t opensAt;
  } cases[] = {
      {0, 4, 0}, {0, 2, 2}, {1, 2, 0}, {2, 2, 0}, {1, 4, 4}, {1, 5, 5},
  };
  for (const Case& c : cases) {
    ResetPauseMenu();
    SetPauseMapKind(c.mapKind);
    OpenPauseMenu();
    MoveTo(c.cursor);
    OpenPauseMenu();
    EXPECT_EQ(Cursor(), c.opensAt) << int(c.mapKind) << " " << int(c.cursor);
  }
}

TEST_F(PauseMenuTest, EntriesResumeLeaveOrQuit) {
  struct Case {
    uint8_t mapKind;
    uint8_t entry;
    uint8_t result;
    bool slotPanel;
  } cases[] = {
      {0, 0, kResume, false}, {0, 1, kStay, true},  {0, 2, kStay, true}, {1, 2, kLeave, false},
      {2, 2, kLeave, false},  {1, 5, kQuit, false}, {1, 1, kStay, true},
  };
  for (const Case& c : cases) {
    ResetPauseMenu();
    SetPauseMapKind(c.mapKind);
    OpenPauseMenu();
    MoveTo(c.entry);
    EXPECT_EQ(Choose(), c.result) << int(c.mapKind) << " " << int(c.entry);
    EXPECT_EQ(GetPauseMenuView().slotPanelOpen, c.slotPanel);
  }
}

TEST_F(PauseMenuTest, FireStillHeldFromPlayDoesNotChoose) {
  OnKeyDown(kFireKey);
  OpenPauseMenu();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Step(), kStay);
  OnKeyUp(kFireKey);
  Step();
  EXPECT_EQ(Choose(), kResume);
}

TEST_F(PauseMenuTest, EscapeClosesTheSlotPanelFirstThenTheMenu) {
  OpenPauseMenu();
  MoveTo(1);
  Choose();
  ASSERT_TRUE(GetPauseMenuView().slotPanelOpen);
  display().SetLastKey(kEscape);
  EXPECT_EQ(Step(), kStay);
  EXPECT_FALSE(GetPauseMenuView().slotPanelOpen);
  display().SetLastKey(kEscape);
  EXPECT_EQ(Step(), kResume);
}

TEST_F(PauseMenuTest, PanelsSlideInWhileOpenAndAwayAfter) {
  OpenPauseMenu();
  EXPECT_EQ(GetPauseMenuView().mainX, -250);
  for (int i = 1; i <= 10; ++i) {
    Step();
    ASSERT_EQ(GetPauseMenuView().mainX, -250 + 25 * i);
  }
  Step();
  EXPECT_EQ(GetPauseMenuView().mainX, 0);
  MoveTo(1);
  Choose();
  for (int i = 0; i < 12; ++i) Step();
  EXPECT_EQ(GetPauseMenuView().slotX, 0);
  display().SetLastKey(kEscape);
  Step();
  Step();
  EXPECT_EQ(GetPauseMenuView().slotX, -25);  // the closed panel slides back
  for (int i = 0; i < 4; ++i) SlidePauseMenu();
  EXPECT_EQ(GetPauseMenuView().mainX, -100);
  for (int i = 0; i < 20; ++i) SlidePauseMenu();
  EXPECT_EQ(GetPauseMenuView().mainX, -250);
  EXPECT_EQ(GetPauseMenuView().slotX, -250);
}

TEST_F(PauseMenuTest, DrawsNothingWhileHiddenAndTheEntriesWhileOpen) {
  display().ClearScreen();
  DrawPauseMenu();
  std::vector<uint8_t> blank(640 * 480, 0);
  EXPECT_TRUE(std::equal(blank.begin(), blank.end(), display().screen));
  OpenPauseMenu();
  for (int i = 0; i < 10; ++i) Step();
  display().ClearScreen();
  DrawPauseMenu();
  int lit = 0;
  for (int y = 240; y < 430; ++y)
    for (int x = 0; x < 250; ++x) lit += display().screen[y * 640 + x] != 0;
  EXPECT_GT(lit, 100);
}

TEST_F(PauseMenuTest, TheVolumeEntryCyclesTheMusic) {
  SetPauseMapKind(1);
  OpenPauseMenu();
  MoveTo(4);
  ASSERT_EQ(Player().musicVolume, 2);
  PlaySong(201);
  EXPECT_EQ(CurrentSong(), 201);
  Choose();
  EXPECT_EQ(Player().musicVolume, 3);
  EXPECT_EQ(SongVolume(), 0);
  Choose();
  EXPECT_EQ(Player().musicVolume, 0);
  EXPECT_EQ(CurrentSong(), 0);
  Choose();
  EXPECT_EQ(Player().musicVolume, 1);
  EXPECT_EQ(SongVolume(), -1400);
  EXPECT_EQ(CurrentSong(), 201);  // back on
  Choose();
  EXPECT_EQ(Player().musicVolume, 2);
  EXPECT_EQ(SongVolume(), -700);
}

// ---- Saved games ----

PlayerRecord EmptyRecord() {
  PlayerRecord r;
  for (uint32_t& t : r.worldMapTotal) t = 100;
  return r;
}

std::vector<uint8_t> Bytes(const PlayerRecord& r) {
  auto a = PlayerRecordBytes(r);
  return {a.begin(), a.end()};
}

std::vector<uint8_t> SlotOf(const std::vector<uint8_t>& file, int slot) {
  return {file.begin() + slot * 336, file.begin() + (slot + 1) * 336};
}

TEST_F(PauseMenuTest, SavingToSlotTwoOfAMissingFileLeavesTheOtherSlotsEmpty) {
  Player().level = 7;
  Player().worldNumber = 2;
  ASSERT_TRUE(SaveSlot(2));
  std::vector<uint8_t> file = SaveBytes();
  ASSERT_EQ(file.size(), 1008u);
  EXPECT_EQ(SlotOf(file, 0), Bytes(EmptyRecord()));
  EXPECT_EQ(SlotOf(file, 1), Bytes(EmptyRecord()));
  EXPECT_EQ(SlotOf(file, 2), Bytes(Player()));
}

TEST_F(PauseMenuTest, SavingKeepsTheOtherSlots) {
  Player().level = 3;
  SaveSlot(0);
  Player().level = 4;
  SaveSlot(1);
  Player().level = 5;
  SaveSlot(0);
  SlotSummary s[3];
  ReadSlotSummaries(s);
  EXPECT_EQ(s[0].level, 5);
  EXPECT_EQ(s[1].level, 4);
  EXPECT_EQ(s[2].level, 0);  // never saved to
  EXPECT_EQ(SaveBytes().size(), 1008u);
}

TEST_F(PauseMenuTest, LoadingBringsBackTheRecordAndItsMusic) {
  Player().level = 12;
  Player().money = 345;
  Player().worldNumber = 1;
  Player().musicVolume = 3;
  Player().playTime = 2 * 108000 + 5 * 1800 + 17;
  SaveSlot(1);
  PlayerRecord saved = Player();
  ResetPlayer(kResetNewGame, 0, 0);
  SetMusicLevel(1);
  LoadSlot(1);
  EXPECT_EQ(Bytes(Player()), Bytes(saved));
  EXPECT_EQ(SongVolume(), 0);

  SlotSummary s[3];
  ReadSlotSummaries(s);
  EXPECT_EQ(s[1].chapter, 2);
  EXPECT_EQ(s[1].level, 12);
  EXPECT_EQ(s[1].hours, 2);
  EXPECT_EQ(s[1].minutes, 5);
}

// A save file of another size than 1008 bytes (cut short by a copy, or with
// something after it) still holds every slot that fits in it whole.
struct OddFile {
  const char* what;
  size_t size;
  int wholeSlots;
};
const OddFile kOddFiles[] = {
    {"empty", 0, 0},
    {"cut inside slot 1", 200, 0},
    {"one slot and a bit", 500, 1},
    {"two slots exactly", 672, 2},
    {"one byte short", 1007, 2},
    {"a tail after the slots", 1500, 3},
    {"two megabytes", 2u << 20, 3},
};

// Slot i of an odd file: a record of level 10 + i, in world i.
std::vector<uint8_t> OddFileBytes(size_t size) {
  std::vector<uint8_t> file(size, 0x5A);
  for (int i = 0; i < 3; ++i) {
    PlayerRecord r = EmptyRecord();
    r.level = static_cast<uint8_t>(10 + i);
    r.worldNumber = static_cast<uint8_t>(i);
    r.playTime = 108000u * (i + 1);
    std::vector<uint8_t> bytes = Bytes(r);
    for (size_t b = 0; b < bytes.size() && i * 336 + b < size; ++b) file[i * 336 + b] = bytes[b];
  }
  return file;
}

TEST_F(PauseMenuTest, SavingIntoAnOddSizedFileKeepsEveryWholeSlotItHolds) {
  for (const OddFile& c : kOddFiles) {
    for (uint8_t saved = 0; saved < 3; ++saved) {
      SCOPED_TRACE(std::string(c.what) + ", saving slot " + std::to_string(saved));
      const std::vector<uint8_t> old = OddFileBytes(c.size);
      ASSERT_TRUE(WriteFileBytes(SavePath(), old));
      Player().level = 44;
      ASSERT_TRUE(SaveSlot(saved));
      std::vector<uint8_t> file = SaveBytes();
      ASSERT_EQ(file.size(), 1008u);
      for (int i = 0; i < 3; ++i) {
        if (i == saved) {
          EXPECT_EQ(SlotOf(file, i), Bytes(Player())) << "slot " << i;
        } else if (i < c.wholeSlots) {
          EXPECT_EQ(SlotOf(file, i), SlotOf(old, i)) << "slot " << i << " was not kept";
        } else {
          EXPECT_EQ(SlotOf(file, i), Bytes(EmptyRecord())) << "slot " << i << " is not empty";
        }
      }
    }
  }
}

TEST_F(PauseMenuTest, AnOddSizedFileLoadsAndSumsUpItsWholeSlotsAndOnlyThose) {
  for (const OddFile& c : kOddFiles) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteFileBytes(SavePath(), OddFileBytes(c.size)));
    SlotSummary s[3];
    ReadSlotSummaries(s);
    for (int i = 0; i < 3; ++i) {
      const bool whole = i < c.wholeSlots;
      EXPECT_EQ(s[i].level, whole ? 10 + i : 1) << "slot " << i;
      EXPECT_EQ(s[i].chapter, whole ? 1 + i : 1) << "slot " << i;
      EXPECT_EQ(s[i].hours, whole ? 1 + i : 0) << "slot " << i;
      Player().level = 33;
      Player().money = 999;
      LoadSlot(static_cast<uint8_t>(i));
      // A slot the file ends before starts a new game: level 1, no money.
      EXPECT_EQ(Player().level, whole ? 10 + i : 1) << "slot " << i;
      EXPECT_EQ(Player().money, 0) << "slot " << i;
      EXPECT_EQ(Player().lifeMax, whole ? 0 : 15) << "slot " << i;
    }
  }
}

TEST_F(PauseMenuTest, WithoutAFileOrFromAnEmptySlotLoadingStartsANewGame) {
  for (bool emptySlot : {false, true}) {
    SCOPED_TRACE(emptySlot ? "a slot never saved to" : "no file");
    std::filesystem::remove(SavePath());
    if (emptySlot) {
      Player().level = 20;
      SaveSlot(0);
    }
    Player().level = 33;
    Player().money = 999;
    LoadSlot(1);
    EXPECT_EQ(Player().level, 1);
    EXPECT_EQ(Player().money, 0);
    EXPECT_EQ(Player().lifeMax, 15);
  }
}

TEST_F(PauseMenuTest, SummariesWithoutAFileShowChapterOneLevelOne) {
  std::filesystem::remove(SavePath());
  SlotSummary s[3];
  s[2].level = 99;
  ReadSlotSummaries(s);
  for (const SlotSummary& one : s) {
    EXPECT_EQ(one.chapter, 1);
    EXPECT_EQ(one.level, 1);
    EXPECT_EQ(one.hours, 0);
    EXPECT_EQ(one.minutes, 0);
  }
}

TEST_F(PauseMenuTest, TheSlotPanelSavesOnTheRoamingMapAndLoadsAnywhere) {
  // Save into slot 2 through the menu.
  OpenPauseMenu();
  MoveTo(2);
  Choose();
  Tap(kDownKey);
  Step();
  Tap(kDownKey);
  Step();
  EXPECT_EQ(GetPauseMenuView().slotCursor, 2);
  Player().level = 8;
  EXPECT_EQ(Choose(), kResume);
  EXPECT_EQ(SaveBytes().size(), 1008u);
  EXPECT_EQ(GetPlayLoopView().pendingEvent, kEventNone);

  // Load it back on an ordinary map: the game-loaded event is posted.
  Player().level = 2;
  SetPauseMapKind(1);
  OpenPauseMenu();
  MoveTo(1);
  Choose();
  EXPECT_EQ(Choose(), kResume);
  EXPECT_EQ(Player().level, 8);
  EXPECT_EQ(GetPlayLoopView().pendingEvent, kEventGameLoaded);
}

// A save the folder will not take (read-only, or full) leaves the old file
// as it was, plays no save sound, and the menu stays open saying so.
TEST_F(PauseMenuTest, ASaveThatCannotBeWrittenSaysSoAndKeepsTheOldFile) {
  namespace fs = std::filesystem;
  struct Case {
    const char* what;
    std::function<bool()> block;  // false: the block does not bind here
    std::function<void()> lift;
  } cases[] = {
      {"read-only folder",
       [this] {
         fs::permissions(dir(), fs::perms::owner_read | fs::perms::owner_exec);
         // Permissions do not stop the superuser.
         return geteuid() != 0;
       },
       [this] { fs::permissions(dir(), fs::perms::owner_all); }},
      {"full disk",
       [] {
         // No file may grow past 0 bytes, as on a full disk.
         std::signal(SIGXFSZ, SIG_IGN);
         rlimit none{0, RLIM_INFINITY};
         return setrlimit(RLIMIT_FSIZE, &none) == 0;
       },
       [] {
         rlimit all{RLIM_INFINITY, RLIM_INFINITY};
         setrlimit(RLIMIT_FSIZE, &all);
         std::signal(SIGXFSZ, SIG_DFL);
       }},
  };
  auto& device = *static_cast<RecordingSoundDevice*>(platform().Sound());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Player().level = 4;
    ASSERT_TRUE(SaveSlot(1));
    const std::vector<uint8_t> old = SaveBytes();
    ASSERT_EQ(old.size(), 1008u);
    Player().level = 9;
    ResetPauseMenu();
    OpenPauseMenu();
    MoveTo(2);
    Choose();  // the slot panel, at slot 0
    const bool binds = c.block();
    if (!binds) {
      c.lift();
      continue;
    }
    device.ClearCalls();
    const uint8_t result = Choose();
    c.lift();
    EXPECT_EQ(result, kStay);
    EXPECT_EQ(SaveBytes(), old);
    EXPECT_FALSE(fs::exists(SavePath() + ".tmp"));
    // The choice's click, and no save sound after it.
    int saveSounds = 0;
    const int32_t saveSlot = CachedSlot(3);
    for (const auto& call : device.calls()) {
      if (call.op != "play" && call.op != "rewind") continue;
      const RecordingSoundDevice::Voice* v = device.GetVoice(call.handle);
      saveSounds += saveSlot >= 0 && v && v->buffer == SlotVoice(saveSlot);
    }
    EXPECT_EQ(saveSounds, 0);
    EXPECT_TRUE(GetPauseMenuView().notSaved);
    EXPECT_TRUE(GetPauseMenuView().slotPanelOpen);
    // The line shows in the menu for three seconds.
    for (int i = 0; i < 10; ++i) Step();
    display().ClearScreen();
    DrawPauseMenu();
    std::vector<uint8_t> with(display().screen + 436 * 640, display().screen + 452 * 640);
    for (int i = 0; i < 80; ++i) Step();
    EXPECT_FALSE(GetPauseMenuView().notSaved);
    display().ClearScreen();
    DrawPauseMenu();
    std::vector<uint8_t> without(display().screen + 436 * 640, display().screen + 452 * 640);
    EXPECT_NE(with, without);
    // With the folder writable again the same choice saves, and sounds so.
    device.ClearCalls();
    EXPECT_EQ(Choose(), kResume);
    EXPECT_NE(SaveBytes(), old);
    ASSERT_GE(CachedSlot(3), 0);
    bool saveSound = false;
    for (const auto& call : device.calls()) {
      const RecordingSoundDevice::Voice* v = device.GetVoice(call.handle);
      saveSound = saveSound || (call.op == "play" && v && v->buffer == SlotVoice(CachedSlot(3)));
    }
    EXPECT_TRUE(saveSound);
  }
}

}  // namespace
}  // namespace torvel
