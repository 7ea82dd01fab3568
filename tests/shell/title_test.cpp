// The title menu, the continue screen, the credits and the epilogue, driven
// through the headless backend with scripted keys over the forged data.
#include "shell/title.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "common/byte_io.h"
#include "gfx/bmp.h"
#include "gfx/font.h"
#include "input/input.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/game_texts.h"
#include "shell/pause_menu.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using Ev = HeadlessPlatform::EventType;

constexpr int kEnter = 28;  // scan codes bound to fire and the arrows by default
constexpr int kUpKey = 72;
constexpr int kDownKey = 80;

// What one presented frame shows.
enum class Shown { Title, Continue, Other };

// The mean shade of the gold font-0 pixels (ramp 5) in a box; -1 when the
// box holds none.
double GoldShade(const std::vector<uint8_t>& f, int x0, int y0, int x1, int y1) {
  long sum = 0, n = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      uint8_t p = f[static_cast<size_t>(y) * 640 + x];
      if (p / 32 == 5) {
        sum += p % 32;
        ++n;
      }
    }
  return n ? static_cast<double>(sum) / n : -1;
}

// Which of three rows of entries (tops at y0, y0 + 60, y0 + 120, in the box
// x0..x1) is drawn brightest.
int Brightest(const std::vector<uint8_t>& f, int x0, int x1, int y0) {
  int best = -1;
  double bestShade = -1;
  for (int i = 0; i < 3; ++i) {
    double s = GoldShade(f, x0, y0 + 60 * i, x1, y0 + 60 * i + 24);
    if (s > bestShade + 1) {
      bestShade = s;
      best = i;
    } else if (s > bestShade - 1) {
      best = -1;  // no clear winner
    }
  }
  return best;
}

struct FrameNote {
  uint32_t ms;
  Shown shown;
  int choice;  // the entry drawn brightest, -1 none
  bool bar;    // a credits bar (colour 255 across x 120..520)
};
std::vector<FrameNote> gNotes;

void NoteFrame(HeadlessPlatform& p) {
  const std::vector<uint8_t>& f = p.lastFrame();
  FrameNote note{p.Milliseconds(), Shown::Other, -1, false};
  // The title and the continue screen both keep their band's bottom row.
  if (f[479 * 640] == 108 && f[479 * 640 + 639] == 108) {
    // The continue screen's slot names stand at the left, the title's
    // entries in the middle.
    if (GoldShade(f, 40, 250, 200, 400) >= 0) {
      note.shown = Shown::Continue;
      note.choice = Brightest(f, 40, 200, 250);
    } else {
      note.shown = Shown::Title;
      note.choice = Brightest(f, 200, 440, 260);
    }
  }
  for (int y = 0; y < 480 && !note.bar; ++y)
    note.bar = f[y * 640 + 121] == 255 && f[y * 640 + 320] == 255 && f[y * 640 + 519] == 255;
  gNotes.push_back(note);
}

class TitleTest : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);  // the forged data; saves stay in the test's folder
    InitGraphics(&display());
    InitInput();
    gNotes.clear();
    platform().onPresent = NoteFrame;
  }
  void TearDown() override {
    ExitGraphics();
    HeadlessTest::TearDown();
  }
  void Key(uint64_t frame, int code) {
    platform().AtFrame(frame, {Ev::KeyDown, code});
    platform().AtFrame(frame + 2, {Ev::KeyUp, code});
  }
  void Char(uint64_t frame, int code) { platform().AtFrame(frame, {Ev::Character, code}); }
  // The runs of what the frames showed, in order.
  std::vector<Shown> Runs() const {
    std::vector<Shown> runs;
    for (const FrameNote& n : gNotes)
      if (runs.empty() || runs.back() != n.shown) runs.push_back(n.shown);
    return runs;
  }
};

TEST_F(TitleTest, EachWayOutReturnsItsResult) {
  struct Case {
    const char* name;
    std::vector<int> keys;  // scan codes pressed in turn, 6 frames apart
    int typed;              // a character typed after them, 0 none
    bool close;
    uint8_t result;
  } cases[] = {
      {"fire on the first entry starts a new game", {kEnter}, 0, false, kTitleNewGame},
      {"up from the first entry wraps to exit", {kUpKey, kEnter}, 0, false, kTitleQuit},
      {"down twice is exit too", {kDownKey, kDownKey, kEnter}, 0, false, kTitleQuit},
      {"down three times wraps to a new game",
       {kDownKey, kDownKey, kDownKey, kEnter},
       0,
       false,
       kTitleNewGame},
      {"continue, then fire on a slot", {kDownKey, kEnter, kEnter}, 0, false, kTitleContinue},
      {"Escape quits", {}, 27, false, kTitleQuit},
      {"E opens the editor", {}, 'E', false, kTitleEditor},
      {"so does e", {kDownKey}, 'e', false, kTitleEditor},
      {"closing the window quits", {kDownKey}, 0, true, kTitleQuit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uint64_t frame = platform().frameCount() + 4;
    for (int code : c.keys) {
      Key(frame, code);
      frame += 6;
    }
    if (c.typed) Char(frame, c.typed);
    if (c.close) platform().AtFrame(frame, {Ev::Close, 0});
    // Whatever happens, the title is left after a while.
    platform().AtFrame(frame + 40, {Ev::Character, 27});
    EXPECT_EQ(TitleMenu(&display()), c.result);
    // Let what is left of the script pass before the next case.
    while (platform().PendingEvents()) {
      platform().Present();
      platform().PumpMessages();
    }
    display().quit = false;
    display().TakeLastKey();
  }
}

TEST_F(TitleTest, UpAndDownMoveTheHighlightedEntry) {
  Key(4, kDownKey);
  Key(10, kDownKey);
  Key(16, kDownKey);
  Key(22, kUpKey);
  Char(30, 27);
  TitleMenu(&display());
  std::vector<int> seen;
  for (const FrameNote& n : gNotes) {
    ASSERT_EQ(n.shown, Shown::Title);
    if (n.choice >= 0 && (seen.empty() || seen.back() != n.choice)) seen.push_back(n.choice);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 2}));
}

TEST_F(TitleTest, ATapBetweenTwoStepsIsNeverLost) {
  // Each key goes down and up again in the same pump, between two steps:
  // the next step still sees it held, on the title and on the continue screen.
  auto tap = [&](uint64_t frame, int code) {
    platform().AtFrame(frame, {Ev::KeyDown, code});
    platform().AtFrame(frame, {Ev::KeyUp, code});
  };
  tap(4, kDownKey);   // the title's cursor to continue
  tap(10, kEnter);    // which opens the continue screen
  tap(20, kDownKey);  // slot 2 there
  Char(30, 27);
  Char(50, 27);
  EXPECT_EQ(TitleMenu(&display()), kTitleQuit);
  EXPECT_EQ(Runs(), (std::vector<Shown>{Shown::Title, Shown::Continue, Shown::Title}));
  std::vector<int> titleChoices, slots;
  for (const FrameNote& n : gNotes) {
    std::vector<int>& seen = n.shown == Shown::Title ? titleChoices : slots;
    if (n.choice >= 0 && (seen.empty() || seen.back() != n.choice)) seen.push_back(n.choice);
  }
  EXPECT_EQ(titleChoices, (std::vector<int>{0, 1}));
  EXPECT_EQ(slots, (std::vector<int>{0, 1}));
}

TEST_F(TitleTest, FireHeldFromTheLastScreenDoesNotSelect) {
  OnKeyDown(kEnter);  // still held as the title opens
  platform().AtFrame(10, {Ev::KeyUp, kEnter});
  platform().AtFrame(30, {Ev::Character, 27});
  EXPECT_EQ(TitleMenu(&display()), kTitleQuit);

  gNotes.clear();
  OnKeyDown(kEnter);
  uint64_t f = platform().frameCount();
  platform().AtFrame(f + 10, {Ev::KeyUp, kEnter});
  platform().AtFrame(f + 14, {Ev::KeyDown, kEnter});  // pressed anew
  platform().AtFrame(f + 40, {Ev::Character, 27});
  EXPECT_EQ(TitleMenu(&display()), kTitleNewGame);
}

TEST_F(TitleTest, EscapeOnTheContinueScreenComesBackWithContinueChosen) {
  Key(4, kDownKey);
  Key(10, kEnter);    // the continue screen
  Key(20, kDownKey);  // slot 2 there
  Char(30, 27);       // and back
  Char(50, 27);       // then leave the title
  EXPECT_EQ(TitleMenu(&display()), kTitleQuit);
  EXPECT_EQ(Runs(), (std::vector<Shown>{Shown::Title, Shown::Continue, Shown::Title}));
  // The continue screen opened on slot 1 and moved to slot 2.
  std::vector<int> slots;
  for (const FrameNote& n : gNotes)
    if (n.shown == Shown::Continue && n.choice >= 0 && (slots.empty() || slots.back() != n.choice))
      slots.push_back(n.choice);
  EXPECT_EQ(slots, (std::vector<int>{0, 1}));
  // Back on the title, continue is still the chosen entry.
  ASSERT_EQ(gNotes.back().shown, Shown::Title);
  EXPECT_EQ(gNotes.back().choice, 1);
}

TEST_F(TitleTest, TheContinueScreenLoadsTheChosenSlotOrGivesUpOnEscape) {
  // Slot 2 holds a game in the second world, slot 3 one in the third; slot 1
  // was never saved to.
  Player().level = 7;
  Player().worldNumber = 1;
  ASSERT_TRUE(SaveSlot(1));
  Player().level = 12;
  Player().worldNumber = 2;
  ASSERT_TRUE(SaveSlot(2));
  struct Case {
    const char* name;
    std::vector<int> keys;  // scan codes pressed in turn, 6 frames apart
    bool escape;            // Escape typed after them
    bool loaded;
    uint8_t level, world, slotCursor;
  } cases[] = {
      {"fire on slot 1, never saved to: a new game", {kEnter}, false, true, 1, 0, 0},
      {"down to slot 2 and fire", {kDownKey, kEnter}, false, true, 7, 1, 1},
      {"up from slot 1 wraps to slot 3", {kUpKey, kEnter}, false, true, 12, 2, 2},
      {"Escape gives up and leaves the game as it was", {kDownKey}, true, false, 30, 3, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Whatever game was going on before.
    ResetPlayer(kResetNewGame, 0, 0);
    Player().level = 30;
    Player().worldNumber = 3;
    uint64_t frame = platform().frameCount() + 4;
    for (int code : c.keys) {
      Key(frame, code);
      frame += 6;
    }
    if (c.escape) Char(frame, 27);
    EXPECT_EQ(ContinueScreen(&display()), c.loaded);
    EXPECT_EQ(Player().level, c.level);
    EXPECT_EQ(Player().worldNumber, c.world);
    EXPECT_EQ(GetPauseMenuView().slotCursor, c.slotCursor);
    while (platform().PendingEvents()) {
      platform().Present();
      platform().PumpMessages();
    }
    display().TakeLastKey();
  }
}

TEST_F(TitleTest, StepsComeEveryThirtyThreeMillisecondsWithoutSpinning) {
  // The band grows by 8 rows a step up to 200: after the first pass each
  // frame follows one step, 33 ms later.
  Char(60, 27);
  TitleMenu(&display());
  ASSERT_GT(gNotes.size(), 50u);
  for (size_t i = 2; i < 50; ++i) EXPECT_EQ(gNotes[i].ms - gNotes[i - 1].ms, 33u) << i;
}

// The intro's music has been started: the intro movie is playing or played.
bool gIntroSeen = false;
uint32_t gIntroStart = 0;
void NoteFrameAndIntro(HeadlessPlatform& p) {
  NoteFrame(p);
  if (!gIntroSeen && CachedSlot(205) != -1) {
    gIntroSeen = true;
    gIntroStart = p.Milliseconds();
  }
  // Back on the title after the intro: leave.
  if (gIntroSeen && gNotes.back().shown == Shown::Title && gNotes.back().ms > gIntroStart)
    p.Push({Ev::Character, 27});
}

TEST_F(TitleTest, LeftAloneItShowsTheCreditsThenTheIntroTenSecondsApart) {
  platform().onPresent = NoteFrameAndIntro;
  gIntroSeen = false;
  uint32_t start = platform().Milliseconds();
  EXPECT_EQ(TitleMenu(&display()), kTitleQuit);
  ASSERT_TRUE(gIntroSeen);

  // Title, credits, title, intro (its frames or its cleared screen), title.
  std::vector<Shown> runs = Runs();
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_EQ(runs[0], Shown::Title);
  EXPECT_EQ(runs[1], Shown::Other);
  EXPECT_EQ(runs[2], Shown::Title);
  EXPECT_EQ(runs[3], Shown::Other);
  EXPECT_EQ(runs[4], Shown::Title);

  // Where each run starts.
  std::vector<size_t> firsts;
  for (size_t i = 0; i < gNotes.size(); ++i)
    if (i == 0 || gNotes[i].shown != gNotes[i - 1].shown) firsts.push_back(i);
  uint32_t creditsAt = gNotes[firsts[1]].ms, creditsEnd = gNotes[firsts[2]].ms;
  uint32_t introAt = gNotes[firsts[3]].ms;
  EXPECT_GT(creditsAt - start, 10000u);
  EXPECT_LE(creditsAt - start, 10000u + 70u);
  // The plain credits run their whole scroll, 1150 frames of 33 ms, with a bar.
  EXPECT_NEAR(static_cast<double>(creditsEnd - creditsAt), 1150 * 33, 100);
  bool bar = false;
  for (size_t i = firsts[1]; i < firsts[2]; ++i) bar |= gNotes[i].bar;
  EXPECT_TRUE(bar);
  // Ten seconds back on the title, then the intro.
  EXPECT_GT(introAt - creditsEnd, 10000u - 70u);
  EXPECT_LE(introAt - creditsEnd, 10000u + 70u);
  EXPECT_GE(gIntroStart, introAt - 70);
}

// Ends the first idle show with a key, and the title after it with Escape.
void NoteFrameAndLeaveAfterAShow(HeadlessPlatform& p) {
  NoteFrame(p);
  size_t n = gNotes.size();
  if (gNotes.back().shown == Shown::Other && (n == 1 || gNotes[n - 2].shown == Shown::Title))
    p.Push({Ev::Character, ' '});
  if (gNotes.back().shown == Shown::Title && n > 1 && gNotes[n - 2].shown == Shown::Other)
    p.Push({Ev::Character, 27});
}

TEST_F(TitleTest, AMovePutsTheIdleShowsOff) {
  platform().onPresent = NoteFrameAndLeaveAfterAShow;
  uint32_t start = platform().Milliseconds();
  // About eight seconds in, a move down.
  platform().At(start + 8000, {Ev::KeyDown, kDownKey});
  platform().At(start + 8050, {Ev::KeyUp, kDownKey});
  EXPECT_EQ(TitleMenu(&display()), kTitleQuit);
  uint32_t showAt = 0;
  for (const FrameNote& n : gNotes)
    if (n.shown == Shown::Other && showAt == 0) showAt = n.ms;
  ASSERT_NE(showAt, 0u);
  EXPECT_GT(showAt - start, 18000u);
  EXPECT_LE(showAt - start, 18000u + 100u);
}

class CreditsTest : public TitleTest {
 protected:
  // The credits line that is drawn only after the ending, and the frame in
  // which it stands at y 240.
  int EndingLine() const {
    for (int k = 0; k < kCreditsLines; ++k)
      if (kCreditsTable[k][0] == '@' && kCreditsTable[k][1] == 'T') return k;
    return -1;
  }
};

uint64_t gWatchFrame = 0;
int gInkInBand = -1;
void NoteInkAt240(HeadlessPlatform& p) {
  if (p.frameCount() != gWatchFrame) return;
  gInkInBand = 0;
  for (int y = 240; y < 264; ++y)
    for (int x = 0; x < 640; ++x) gInkInBand += p.lastFrame()[y * 640 + x] != 0;
}

TEST_F(CreditsTest, PlainCreditsScrollOnceAndLeaveTheEndingTitlesOut) {
  int k = EndingLine();
  ASSERT_GE(k, 0) << "the credits have no title kept for the ending";
  // Frame i (counted from 1) is drawn with scroll -470 + i - 1.
  gWatchFrame = platform().frameCount() + static_cast<uint64_t>(20 * k - 240 + 470 + 1);
  gInkInBand = -1;
  platform().onPresent = NoteInkAt240;
  uint64_t before = platform().frameCount();
  ShowCredits(&display(), false);
  EXPECT_EQ(platform().frameCount() - before, 1150u);
  EXPECT_EQ(gInkInBand, 0);

  gWatchFrame = platform().frameCount() + static_cast<uint64_t>(20 * k - 240 + 470 + 1);
  gInkInBand = -1;
  before = platform().frameCount();
  platform().AtFrame(before + 1400, {Ev::Character, ' '});
  ShowCredits(&display(), true);
  EXPECT_GT(gInkInBand, 0);
  // After the ending the last picture stays until a key.
  EXPECT_EQ(platform().frameCount() - before, 1400u);
}

TEST_F(CreditsTest, AnyKeyOrTheWindowClosingEndsThem) {
  uint64_t before = platform().frameCount();
  platform().AtFrame(before + 20, {Ev::Character, 'q'});
  ShowCredits(&display(), false);
  EXPECT_EQ(platform().frameCount() - before, 20u);
  before = platform().frameCount();
  platform().AtFrame(before + 7, {Ev::Close, 0});
  ShowCredits(&display(), true);
  EXPECT_EQ(platform().frameCount() - before, 7u);
}

// The epilogue over a plain picture of shade 20 and no fonts: what darkens
// shows alone. Records column 0 of every row in chosen frames.
std::vector<uint64_t> gDarkFrames;
std::vector<std::vector<uint8_t>> gColumns;
void NoteColumn(HeadlessPlatform& p) {
  if (std::find(gDarkFrames.begin(), gDarkFrames.end(), p.frameCount()) == gDarkFrames.end())
    return;
  std::vector<uint8_t> column(480);
  for (int y = 0; y < 480; ++y) column[y] = p.lastFrame()[y * 640];
  gColumns.push_back(column);
}

class EpilogueTest : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    std::filesystem::create_directories(dir() + "/graphics");
    BmpImage img;
    img.width = 640;
    img.height = 480;
    img.pixels.assign(640 * 480, 20);
    for (int i = 0; i < 32; ++i)
      img.palette[4 * i] = img.palette[4 * i + 1] = img.palette[4 * i + 2] = i * 8;
    ASSERT_TRUE(WriteFileBytes(dir() + "/graphics/zoobo.bmp", EncodeBmp8(img)));
  }
};

TEST_F(EpilogueTest, ScrollsEveryOtherFrameAndDarkensNineteenRowsAFrame) {
  // Scroll after frame f (from 0) is -470 + (f + 1) / 2; the darkening starts
  // after the frame that brings it to 1 (f = 941) and shows in the next one.
  gDarkFrames = {942, 943, 944, 968, 2060};
  gColumns.clear();
  platform().onPresent = NoteColumn;
  ShowEpilogue(&display());
  EXPECT_EQ(platform().frameCount(), 2060u);
  ASSERT_EQ(gColumns.size(), 5u);
  auto count = [](const std::vector<uint8_t>& c, uint8_t v) {
    return std::count(c.begin(), c.end(), v);
  };
  EXPECT_EQ(count(gColumns[0], 20), 480);  // nothing darkened yet
  EXPECT_EQ(count(gColumns[1], 19), 19);   // rows 0, 19, ... 342
  for (int i = 0; i < 19; ++i) EXPECT_EQ(gColumns[1][19 * i], 19) << i;
  EXPECT_EQ(count(gColumns[2], 19), 38);
  // 26 frames take 494 rows: every row once, and rows 0, 19, ... 247 again.
  EXPECT_EQ(count(gColumns[3], 19), 466);
  EXPECT_EQ(count(gColumns[3], 18), 14);
  EXPECT_EQ(count(gColumns[4], 0), 480);  // black by the end
}

TEST_F(EpilogueTest, EscapeEndsItAndOtherKeysDoNot) {
  platform().AtFrame(10, {Ev::Character, 'x'});
  platform().AtFrame(30, {Ev::Character, 27});
  ShowEpilogue(&display());
  EXPECT_EQ(platform().frameCount(), 30u);
}

}  // namespace
}  // namespace torvel
