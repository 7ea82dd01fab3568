// The play loop's pacing, typed keys, play modes and map events.
#include "shell/play_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "actors/guys.h"
#include "gfx/font.h"
#include "gfx/movie.h"
#include "gfx/movie_fixture.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/pause_menu.h"
#include "support/play_fixture.h"

namespace torvel {
namespace {

using testing::Script;

constexpr uint8_t kEscape = 27;

// What the loop had done by each drawn frame of a map.
struct FrameNote {
  uint64_t steps;
  int32_t accumulator;
};

std::vector<FrameNote>* gFrames = nullptr;
int gStopAfterFrames = 0;
bool gInMovie = false;  // frames of a movie are not the loop's
std::function<void(uint64_t)>* gEachStep = nullptr;

void NoteFrame(HeadlessPlatform&) {
  if (!gFrames || !PlayingMap() || gInMovie) return;
  PlayLoopView v = GetPlayLoopView();
  gFrames->push_back({v.steps, v.accumulator});
  if (static_cast<int>(gFrames->size()) >= gStopAfterFrames) TheDisplay()->RequestQuit();
}

void EachStep(void*) {
  if (gEachStep && *gEachStep) (*gEachStep)(GetPlayLoopView().steps);
}

class PlayLoopTest : public testing::PlayTest {
 protected:
  void TearDown() override {
    gFrames = nullptr;
    gEachStep = nullptr;
    platform().onPresent = nullptr;
    PlayTest::TearDown();
  }

  // Plays a new game on the real clock of the headless backend until `frames`
  // frames of a map were drawn; each step is shown to eachStep.
  std::vector<FrameNote> PlayFrames(int frames, std::function<void(uint64_t)> eachStep = {}) {
    std::vector<FrameNote> notes;
    gFrames = &notes;
    gStopAfterFrames = frames;
    gEachStep = &eachStep;
    platform().onPresent = NoteFrame;
    PlayHooks hooks;
    hooks.afterStep = EachStep;
    SetPlayHooks(hooks);
    PlayGame(&display(), false);
    SetPlayHooks(PlayHooks{});
    platform().onPresent = nullptr;
    gFrames = nullptr;
    gEachStep = nullptr;
    return notes;
  }

  // A sword movie (the fourth armour piece's) of `frames` frames of 60 ms in
  // a game folder of the test's own, the worlds, and a 16 ms screen.
  void SwordMovieAndWorlds(int frames) {
    UseOwnGameFolder();
    std::vector<testing::MovieFrame> movie(static_cast<size_t>(frames));
    movie[0].subs.push_back(testing::ByteRunImage(4, 4, std::vector<uint8_t>(16, 5)));
    ASSERT_TRUE(WriteFileBytes(OwnGraphicsPath("sword.flc"), testing::BuildMovie(4, 4, movie)));
    WriteWorlds();
    platform().presentMs = 16;
  }

  // Steps run between each drawn frame and the one before.
  static std::vector<int> StepsPerFrame(const std::vector<FrameNote>& notes) {
    std::vector<int> per;
    for (size_t i = 1; i < notes.size(); ++i)
      per.push_back(static_cast<int>(notes[i].steps - notes[i - 1].steps));
    return per;
  }
};

// ---- Pacing ----

TEST_F(PlayLoopTest, AHundredMillisecondPassRunsThreeStepsAndKeepsTheRest) {
  WriteWorlds();
  platform().presentMs = 100;
  std::vector<FrameNote> notes = PlayFrames(40);
  ASSERT_EQ(notes.size(), 40u);
  // The first pass has no time behind it: the accumulator starts at 1.
  EXPECT_EQ(notes[0].accumulator, 1);
  std::vector<int> per = StepsPerFrame(notes);
  // Each pass brings 100 ms: three steps, one millisecond more kept each
  // time, until the kept time makes a fourth step.
  for (int i = 0; i < 31; ++i) {
    EXPECT_EQ(per[i], 3) << "frame " << i + 1;
    EXPECT_EQ(notes[i + 1].accumulator, i + 2) << "frame " << i + 1;
  }
  EXPECT_EQ(per[31], 4);
  EXPECT_EQ(notes[32].accumulator, 0);
  uint64_t total = notes.back().steps - notes.front().steps;
  EXPECT_EQ(total, (1u + 39u * 100u) / 33u);
}

TEST_F(PlayLoopTest, TenSecondsInAnInactiveWindowDoNotRunThreeHundredSteps) {
  WriteWorlds();
  platform().presentMs = 16;
  uint32_t now = platform().Milliseconds();
  platform().At(now + 1000, {HeadlessPlatform::EventType::Deactivate, 0});
  platform().At(now + 11000, {HeadlessPlatform::EventType::Activate, 0});
  std::vector<FrameNote> notes = PlayFrames(150);
  std::vector<int> per = StepsPerFrame(notes);
  EXPECT_LE(*std::max_element(per.begin(), per.end()), 2);
  // 150 frames of 16 ms and ten seconds away: the steps count only the frames.
  uint64_t total = notes.back().steps - notes.front().steps;
  EXPECT_LT(total, 80u);
  EXPECT_GT(platform().Milliseconds(), now + 11000);
}

TEST_F(PlayLoopTest, AStillPauseMenuIsNotPresentedAgainAndTheLoopSleepsUntilTheNextStep) {
  WriteWorlds();
  platform().presentMs = 16;  // a retrace, twice a step
  platform().skipUnchangedFrames = true;
  struct Mark {
    uint64_t shown, skipped;
    uint32_t ms;
  } at100{}, at160{};
  // Steps count on from any game played before in this run.
  const uint64_t first = GetPlayLoopView().steps;
  PlayFrames(1000000, [&](uint64_t steps) {
    const uint64_t step = steps - first;
    if (step == 40) display().SetLastKey(kEscape);  // the menu slides in after this
    Mark mark{platform().frameCount(), platform().skippedFrames(), platform().Milliseconds()};
    if (step == 100) {
      at100 = mark;
      EXPECT_EQ(PlayMode(), kModePauseMenu);
    }
    if (step == 160) {
      at160 = mark;
      display().RequestQuit();
    }
  });
  ASSERT_GT(at160.ms, 0u);
  // Sixty steps of a menu at rest: nothing new to show, and one look a step
  // instead of one a retrace.
  EXPECT_EQ(at160.shown, at100.shown);
  EXPECT_GE(at160.skipped - at100.skipped, 55u);
  EXPECT_LE(at160.skipped - at100.skipped, 62u);
  // The steps kept their pace through the sleeping.
  EXPECT_NEAR(static_cast<double>(at160.ms - at100.ms), 60 * 33.0, 33.0);
}

TEST_F(PlayLoopTest, TenSecondsOfMovieDoNotRunThreeHundredSteps) {
  // Sword movie: 167 frames of 60 ms, ten seconds.
  SwordMovieAndWorlds(167);
  uint32_t before = 0, after = 0;
  std::vector<FrameNote> notes = PlayFrames(120, [&](uint64_t step) {
    if (PlayingMap() && before == 0 && GetPlayLoopView().startupCountdown == 0) {
      before = platform().Milliseconds();
      gInMovie = true;
      PlayNumberedMovie(10);  // as the fourth armour piece does
      gInMovie = false;
      after = platform().Milliseconds();
    }
    (void)step;
  });
  EXPECT_GE(after - before, 9500u);
  std::vector<int> per = StepsPerFrame(notes);
  EXPECT_LE(*std::max_element(per.begin(), per.end()), 2);
}

TEST_F(PlayLoopTest, AWindowLeftDuringAMovieIsNotTakenOffTheGameClockTwice) {
  // Sword movie: 100 frames of 60 ms; the window is away for five seconds of it.
  SwordMovieAndWorlds(100);
  bool played = false;
  size_t framesBefore = 0;
  uint64_t stepsBefore = 0;
  std::vector<FrameNote> notes = PlayFrames(200, [&](uint64_t step) {
    if (PlayingMap() && !played && GetPlayLoopView().startupCountdown == 0) {
      played = true;
      uint32_t now = platform().Milliseconds();
      platform().At(now + 2000, {HeadlessPlatform::EventType::Deactivate, 0});
      platform().At(now + 7000, {HeadlessPlatform::EventType::Activate, 0});
      gInMovie = true;
      PlayNumberedMovie(10);
      gInMovie = false;
      EXPECT_GE(platform().Milliseconds() - now, 10000u);
      framesBefore = gFrames->size();
      stepsBefore = step;
    }
  });
  ASSERT_TRUE(played);
  ASSERT_GT(notes.size(), framesBefore + 4);
  // The steps go on within the first frames after the movie, no burst either.
  EXPECT_GT(notes[framesBefore + 3].steps, stepsBefore);
  std::vector<int> per = StepsPerFrame(notes);
  EXPECT_LE(*std::max_element(per.begin(), per.end()), 2);
  for (const FrameNote& n : notes) EXPECT_GE(n.accumulator, 0);
}

// ---- Typed keys ----

TEST_F(PlayLoopTest, TheGammaKeyCyclesFourLevels) {
  WriteWorlds();
  Script s;
  s.Wait(5);
  std::vector<uint8_t> seen;
  for (int i = 0; i < 5; ++i) s.Type('g').Wait(1);
  Run(s, [&](uint32_t step) {
    if (step > 5 && step % 2 == 0) {
      seen.push_back(GetGamma());
      EXPECT_EQ(GetPlayLoopView().lastTypedKey, 0);
    }
  });
  EXPECT_EQ(seen, (std::vector<uint8_t>{1, 2, 3, 0, 1}));
}

TEST_F(PlayLoopTest, DigitsChooseOwnedSpellsAndOnlyWhenTyped) {
  WriteWorlds();
  Script s;
  s.Wait(3).Type('3').Wait(2).Type('4').Wait(2).Type('0').Wait(2).Type('3').Wait(2);
  std::vector<uint8_t> chosen;
  Run(s, [&](uint32_t step) {
    if (step == 1) {
      Player().spells[2] = 1;
      Player().spells[9] = 1;
    }
    if (step == 4 || step == 7 || step == 10 || step == 13)
      chosen.push_back(Player().selectedSpell);
    // The next-spell key moves the choice on; the digit typed before does
    // not pull it back.
    if (step == 11) Player().selectedSpell = 5;
    if (step == 12) {
      EXPECT_EQ(Player().selectedSpell, 5);
    }
  });
  // "3" picks slot 2, "4" (slot 3 not owned) leaves it, "0" is slot 9.
  EXPECT_EQ(chosen, (std::vector<uint8_t>{2, 2, 9, 2}));
}

TEST_F(PlayLoopTest, CheatLettersReachTheWordsOnlyWhilePlaying) {
  WriteWorlds();
  Script s;
  // During the menu the word is not seen; digits between letters are no
  // letters at all; "g" is both a letter and the gamma key.
  s.Wait(5).Type(kEscape).Wait(3).TypeText("gorbelin").Type(kEscape).Wait(3);
  s.TypeText("gorb12elin").Wait(2);
  uint8_t levelInMenu = 0;
  Run(s, [&](uint32_t step) {
    if (step == 6) {
      EXPECT_EQ(PlayMode(), kModePauseMenu);
    }
    if (step == 17) levelInMenu = Player().level;
  });
  EXPECT_EQ(levelInMenu, 1);
  EXPECT_EQ(Player().level, 2);
  EXPECT_EQ(GetGamma(), 1);
}

TEST_F(PlayLoopTest, EscapeOpensThePauseMenuOnEveryMap) {
  WriteWorlds();
  Script s;
  s.Wait(80).Type(kEscape).Wait(3);
  Run(s, [&](uint32_t step) {
    if (step == 30) PostMapEvent(kEventLeaveToMap, 4);
    if (step == 81) {
      EXPECT_EQ(PlayingMapNumber(), 4);
      EXPECT_EQ(PlayMode(), kModePauseMenu);
      EXPECT_EQ(GetPauseMenuView().mapKind, 1);
    }
  });
}

// ---- Modes ----

TEST_F(PlayLoopTest, APictureStaysUntilFireOrSpell) {
  WriteWorlds();
  Script s;
  s.Wait(10).Wait(20).Tap(kActionFire).Wait(2);
  std::vector<uint8_t> modes;
  std::vector<uint8_t> early, late;
  Run(s, [&](uint32_t step) {
    if (step == 10) SetPlayMode(kModePicture);
    if (step == 15) early = platform().lastFrame();
    if (step == 29) late = platform().lastFrame();
    modes.push_back(PlayMode());
  });
  EXPECT_EQ(modes[10], kModePicture);
  EXPECT_EQ(modes[29], kModePicture);
  EXPECT_EQ(modes[30], kModePlaying);  // the step the fire was pressed in
  // Nothing is drawn over the picture meanwhile.
  EXPECT_EQ(early, late);
}

TEST_F(PlayLoopTest, TheDialogueModeRunsUntilTheBoxCloses) {
  WriteWorlds();
  Script s;
  s.Wait(10).Tap(kActionFire).Tap(kActionFire).Wait(2);
  std::vector<uint8_t> modes;
  uint16_t startupAtOpen = 0, startupMeanwhile = 0;
  Run(s, [&](uint32_t step) {
    if (step == 9) {
      startupAtOpen = GetPlayLoopView().startupCountdown;
      StartDialogue(0);
    }
    if (step == 12) startupMeanwhile = GetPlayLoopView().startupCountdown;
    modes.push_back(PlayMode());
  });
  EXPECT_EQ(modes[8], kModeDialogue);
  // The first fire shows every line, the second closes the box.
  EXPECT_EQ(modes[10], kModeDialogue);
  EXPECT_EQ(modes[12], kModePlaying);
  // The map stood still meanwhile.
  EXPECT_GT(startupAtOpen, 0);
  EXPECT_EQ(startupMeanwhile, startupAtOpen);
}

TEST_F(PlayLoopTest, TheShopOpensAfterTheFadeAndGivesBackTheMap) {
  WriteWorlds();
  Script s;
  // Escape leaves the shop in its first step.
  s.Wait(71).Type(kEscape).Wait(10);
  std::vector<uint8_t> modes;
  std::vector<uint8_t> maps;
  Run(s, [&](uint32_t step) {
    if (step == 40) {
      HeroGuy()->dx = ToFixed(2);
      PostMapEvent(kEventLeaveToMap, 50);
    }
    modes.push_back(PlayMode());
    maps.push_back(PlayingMapNumber());
    if (step == 72) {
      EXPECT_EQ(GetPlayLoopView().startupCountdown, 30);
      EXPECT_EQ(HeroGuy()->dx, 0);
    }
  });
  // Taken up in step 41, 30 steps of fading, then the shop.
  EXPECT_EQ(modes[69], kModePlaying);
  EXPECT_EQ(modes[70], kModeShop);
  EXPECT_EQ(modes[71], kModePlaying);
  // The map was never left.
  for (uint8_t m : maps) EXPECT_EQ(m, 1);
}

// ---- Events ----

TEST_F(PlayLoopTest, LoadingAGameOnAnOrdinaryMapRestartsAtItsWorldsHub) {
  WriteWorlds();
  // Slot 1 holds a game of the second world.
  ResetPlayer(kResetNewGame, 0, 0);
  Player().worldNumber = 1;
  Player().level = Player().levelAtMapStart = 6;
  Player().currentMap = 1;
  SaveSlot(1);
  ResetPlayer(kResetNewGame, 0, 0);

  Script s;
  // On map 4: Escape, down to "load", fire, down to slot 1, fire.
  s.Wait(80).Type(kEscape).Wait(12).Tap(kActionDown).Tap(kActionFire).Wait(2);
  s.Tap(kActionDown).Tap(kActionFire).Wait(45);
  uint32_t loaded = 0;
  Run(s, [&](uint32_t step) {
    if (step == 30) PostMapEvent(kEventLeaveToMap, 4);
    if (!loaded && std::string(BigMessageText()) == "3AFPY3KA NFPbI") loaded = step;
    if (loaded && step == loaded + 31) {
      EXPECT_EQ(Player().worldNumber, 1);
      EXPECT_EQ(PlayingMapNumber(), 1);
      EXPECT_EQ(Player().level, 6);
    }
  });
  EXPECT_GT(loaded, 80u);
  EXPECT_EQ(Player().worldNumber, 1);
}

// Money spent in the hub's shop before saving stays spent whether the slot
// is loaded from the pause menu or from the title: both give one record.
TEST_F(PlayLoopTest, AGameLoadedFromThePauseMenuIsTheGameLoadedFromTheTitle) {
  WriteWorlds();
  // The record as the first step of the loaded game's hub sees it, its play
  // time aside.
  auto recordNow = [] {
    PlayerRecord r = Player();
    r.playTime = 0;
    auto bytes = PlayerRecordBytes(r);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
  };
  Script s;
  // In the hub: Escape, down to "load", fire, fire on slot 0.
  s.Wait(60).Type(kEscape).Wait(12).Tap(kActionDown).Tap(kActionFire).Wait(2);
  s.Tap(kActionFire).Wait(45);
  bool loading = false;
  std::vector<uint8_t> fromMenu;
  Run(s, [&](uint32_t step) {
    if (step == 30) {
      // Bought a hat with 300 of 1000 coins found since the hub began.
      Player().money = 700;
      Player().armourLevel = 2;
      Player().armourValue = ArmourValueOfLevel(2);
      ASSERT_TRUE(SaveSlot(0));
      // Spent on after saving: the load must bring back the saved 700.
      Player().money = 20;
      SetSlotCursor(0);
    }
    if (std::string(BigMessageText()) == "3AFPY3KA NFPbI") loading = true;
    if (loading && fromMenu.empty() && PlayingMap() && GetPlayLoopView().startupCountdown == 29) {
      fromMenu = recordNow();
    }
  });
  ASSERT_FALSE(fromMenu.empty());
  EXPECT_EQ(Player().money, 700);
  EXPECT_EQ(Player().armourLevel, 2);

  ResetPlayer(kResetNewGame, 0, 0);
  LoadSlot(0);
  std::vector<uint8_t> fromTitle;
  Script t;
  t.Wait(5);
  Run(
      t,
      [&](uint32_t) {
        if (fromTitle.empty() && PlayingMap() && GetPlayLoopView().startupCountdown == 29) {
          fromTitle = recordNow();
        }
      },
      true);
  ASSERT_FALSE(fromTitle.empty());
  EXPECT_EQ(fromMenu, fromTitle);
}

TEST_F(PlayLoopTest, AnExitToAMapTheWorldLacksLeadsBackToTheHub) {
  WriteWorlds();
  Script s;
  s.Wait(70);
  std::vector<uint8_t> maps;
  std::vector<uint8_t> startup;
  Run(s, [&](uint32_t step) {
    if (step == 30) PostMapEvent(kEventLeaveToMap, 20);
    maps.push_back(PlayingMap() ? PlayingMapNumber() : 255);
    startup.push_back(GetPlayLoopView().startupCountdown);
  });
  for (uint8_t m : maps) EXPECT_EQ(m, 1);
  // The hub started afresh in step 62.
  EXPECT_EQ(startup[61], 29);
}

TEST_F(PlayLoopTest, ClosingTheWindowEndsTheGame) {
  WriteWorlds();
  Script s;
  s.Wait(200);
  uint32_t now = platform().Milliseconds();
  platform().At(now + 1500, {HeadlessPlatform::EventType::Close, 0});
  ReplayOutcome out = Run(s);
  EXPECT_LT(out.steps, 100u);
  EXPECT_TRUE(display().quit);
}

TEST_F(PlayLoopTest, AWorldThatCannotBeReadStopsTheGameNamingTheFile) {
  // The forged game folder holds worlds of its own; this one holds none.
  UseOwnGameFolder();
  WriteWorlds();
  std::filesystem::remove(dir() + "/forest.vwd");
  Script s;
  s.Wait(80).TypeText("tovrimasek").Wait(200);
  // Once the first world is finished the second cannot be played: the game
  // stops with the file's name, instead of starting world one over and over.
  EXPECT_EXIT(Run(s,
                  [&](uint32_t step) {
                    if (step == 30) PostMapEvent(kEventLeaveToMap, 14);
                  }),
              ::testing::ExitedWithCode(1), "forest\\.vwd is missing or damaged");
}

TEST_F(PlayLoopTest, ASavedGameInAWorldThatDoesNotExistGoesBackToTheTitle) {
  WriteWorlds();
  for (uint8_t world : {4, 255}) {
    ResetPlayer(kResetNewGame, 0, 0);
    Player().worldNumber = world;
    Script s;
    s.Wait(100);
    ReplayOutcome out = Run(s, {}, true);
    EXPECT_EQ(out.steps, 0u) << int(world);
  }
}

TEST_F(PlayLoopTest, TheLastWorldsFinalMapPlaysTheEndingOnceEvenWhenTheGameIsWon) {
  UseOwnGameFolder();
  // An ending movie whose every pixel is colour 77.
  std::vector<testing::MovieFrame> frames(3);
  frames[0].subs.push_back(testing::ByteRunImage(100, 4, std::vector<uint8_t>(400, 77)));
  ASSERT_TRUE(WriteFileBytes(OwnGraphicsPath("ending.flc"), testing::BuildMovie(100, 4, frames)));
  WriteWorlds();

  struct Case {
    const char* how;
    bool gameWon;
  } cases[] = {{"completed", false}, {"won", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    ResetPlayer(kResetNewGame, 0, 0);
    ResetPlayer(kResetWorldStart, 3, 1);
    static int endings;
    static bool showing;
    endings = 0;
    showing = false;
    platform().onPresent = [](HeadlessPlatform& p) {
      bool ending = p.lastFrame()[2 * 640 + 10] == 77;  // drawn doubled from the top left
      if (ending && !showing) ++endings;
      showing = ending;
    };
    Script s;
    s.Wait(110);
    if (!c.gameWon) s.TypeText("tovrimasek");
    s.Wait(300);
    ReplayOutcome out = Run(
        s,
        [&](uint32_t step) {
          if (step == 30) PostMapEvent(kEventLeaveToMap, 11);
          if (step == 110 && c.gameWon) {
            ASSERT_EQ(PlayingMapNumber(), 11);
            PostMapEvent(kEventGameWon);
          }
        },
        true);
    platform().onPresent = nullptr;
    EXPECT_EQ(endings, 1);
    EXPECT_LT(out.steps, s.size());  // back to the title
    EXPECT_EQ(Player().mapsDone[3][11], 1);
  }
}

}  // namespace
}  // namespace torvel
