// Work is not lost: the question before each way out of unsaved changes, a
// failed load that keeps the world, and saves that say how they went, also
// into a folder that cannot be written.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "common/byte_io.h"
#include "editor_fixture.h"
#include "platform/paths.h"

namespace torvel::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kButtonX = 395;
constexpr int kNewY = 99, kLoadY = 187, kSaveY = 277;

class SafetyTest : public EditorTest {
 protected:
  std::string UserFile(const std::string& name) { return (fs::path(dir()) / name).string(); }
  void ClearBox() {
    for (int i = 0; i < 40; ++i) Type(8);
  }
  void FileMenu(const std::string& name, int buttonY) {
    Type('f');
    ASSERT_EQ(St().mode, kModeFileMenu);
    ClearBox();
    TypeText(name);
    Click(kButtonX, buttonY);
  }
  void PaintSomething() {
    SelectTool(kToolFloor);
    TypeTimes('+', 9);
    PointAtTile(4, 4);
    Press();
    Release();
    ASSERT_TRUE(St().dirty);
  }
  static std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes, 1u << 24)) << path;
    return bytes;
  }
};

enum class Way { Escape, Close, New, Load };

struct AskCase {
  const char* name;
  Way way;
};
const AskCase kWays[] = {
    {"EscapeInMapView", Way::Escape},
    {"ClosingTheWindow", Way::Close},
    {"NewWorld", Way::New},
    {"LoadWorld", Way::Load},
};

class AskTest : public SafetyTest, public ::testing::WithParamInterface<AskCase> {
 protected:
  // A world file to load: this world with floor 33 at (1, 1).
  void WriteOtherWorld() {
    uint8_t old = At(1, 1).floor;
    At(1, 1).floor = 33;
    ASSERT_TRUE(SaveWorld(EditorWorld(), "other.vwd"));
    At(1, 1).floor = old;
  }
  void ClearBoxOfAsk() {
    for (int i = 0; i < 40; ++i) Type(8);
  }
  // Takes the way out; true when the editor is still running after it.
  bool TakeWayOut(Way way) {
    switch (way) {
      case Way::Escape:
        return Type(27);
      case Way::Close:
        platform().Push({Ev::Close});
        return Ticks(2);
      case Way::New:
        FileMenu("", kNewY);
        return true;
      case Way::Load:
        FileMenu("other", kLoadY);
        return true;
    }
    return true;
  }
};

TEST_P(AskTest, CleanWorldGoesAtOnce) {
  const AskCase& c = GetParam();
  WriteOtherWorld();
  bool running = TakeWayOut(c.way);
  EXPECT_NE(St().mode, kModeAsk);
  EXPECT_EQ(running, c.way == Way::New || c.way == Way::Load);
}

TEST_P(AskTest, CancelKeepsEverything) {
  const AskCase& c = GetParam();
  WriteOtherWorld();
  PaintSomething();
  const std::vector<uint8_t> painted = WorldImage();
  ASSERT_TRUE(TakeWayOut(c.way));
  ASSERT_EQ(St().mode, kModeAsk);
  EXPECT_EQ(St().askAction, static_cast<uint8_t>(c.way));
  AnswerAsk(Answer::Cancel);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_TRUE(Ticks(3)) << "the editor goes on";
  EXPECT_EQ(WorldImage(), painted);
  EXPECT_TRUE(St().dirty);
  EXPECT_EQ(St().undoSteps, 1u);
}

TEST_P(AskTest, LeavingWithoutSavingGoesOn) {
  const AskCase& c = GetParam();
  WriteOtherWorld();
  PaintSomething();
  ASSERT_TRUE(TakeWayOut(c.way));
  ASSERT_EQ(St().mode, kModeAsk);
  if (c.way == Way::Escape || c.way == Way::Close) {
    AnswerAsk(Answer::Leave);
    EXPECT_TRUE(ended_) << "the editor ends";
    return;
  }
  AnswerAsk(Answer::Leave);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_FALSE(St().dirty);
  EXPECT_EQ(St().undoSteps, 0u);
  if (c.way == Way::Load) {
    EXPECT_EQ(At(1, 1).floor, 33);
  } else {
    EXPECT_NE(At(4, 4).floor, 9) << "a new world";
  }
}

TEST_P(AskTest, SavingFirstWritesTheWorldThenGoesOn) {
  const AskCase& c = GetParam();
  WriteOtherWorld();
  PaintSomething();
  const std::vector<uint8_t> painted = WorldImage();
  ASSERT_TRUE(TakeWayOut(c.way));
  ASSERT_EQ(St().mode, kModeAsk);
  ClearBoxOfAsk();
  TypeText("kept");
  AnswerAsk(Answer::Save);
  // Once saved, the way out is taken.
  EXPECT_EQ(ended_, c.way == Way::Escape || c.way == Way::Close);
  if (!ended_) {
    EXPECT_EQ(St().mode, kModeMap);
  }
  ASSERT_TRUE(fs::exists(UserFile("kept.vwd")));
  EXPECT_EQ(FileBytes(UserFile("kept.vwd")), painted);
}

INSTANTIATE_TEST_SUITE_P(Ways, AskTest, ::testing::ValuesIn(kWays),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafetyTest, AFailedSaveInTheQuestionKeepsItOpen) {
  PaintSomething();
  Type(27);
  ASSERT_EQ(St().mode, kModeAsk);
  for (int i = 0; i < 40; ++i) Type(8);
  Type(13);  // Enter saves, but there is no name
  EXPECT_EQ(St().mode, kModeAsk);
  EXPECT_STREQ(St().notice, "could not save: type a file name first");
  Type(27);  // Escape cancels
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_TRUE(St().dirty);
}

TEST_F(SafetyTest, ASecondCloseWhileAskingKeepsAsking) {
  PaintSomething();
  platform().Push({Ev::Close});
  ASSERT_TRUE(Ticks(2));
  ASSERT_EQ(St().mode, kModeAsk);
  platform().Push({Ev::Close});
  EXPECT_TRUE(Ticks(2));
  EXPECT_EQ(St().mode, kModeAsk);
  EXPECT_FALSE(display().quit);
}

struct BadLoad {
  const char* name;
  const char* file;     // written into the user folder first, unless null
  const char* content;  // its bytes
  const char* typed;
  const char* notice;
};
const BadLoad kBadLoads[] = {
    {"Missing", nullptr, "", "missing", "could not load missing.vwd: no such file"},
    {"Garbage", "junk.vwd", "not a world at all", "junk",
     "could not load junk.vwd: not a world file, or a damaged one"},
    {"Empty", "empty.vwd", "", "empty.vwd",
     "could not load empty.vwd: not a world file, or a damaged one"},
    {"NoName", nullptr, "", "", "could not load (no name): type or pick a file name first"},
};

class BadLoadTest : public SafetyTest, public ::testing::WithParamInterface<BadLoad> {};

TEST_P(BadLoadTest, KeepsTheWorldAndSaysWhy) {
  const BadLoad& c = GetParam();
  if (c.file) std::ofstream(UserFile(c.file), std::ios::binary) << c.content;
  // A world of two maps, the second one shown and painted.
  Type('m');
  Click(420, 35);
  Click(100, 14 + 14 + 6);
  Type(27);
  PaintSomething();
  const std::vector<uint8_t> before = WorldImage();
  FileMenu(c.typed, kLoadY);
  AnswerAsk(Answer::Leave);
  EXPECT_EQ(WorldImage(), before);
  EXPECT_EQ(St().mapIndex, 1);
  EXPECT_STREQ(St().notice, c.notice);
  EXPECT_TRUE(St().dirty);
  EXPECT_EQ(St().undoSteps, 2u) << "the history is kept with the world";
}

INSTANTIATE_TEST_SUITE_P(Files, BadLoadTest, ::testing::ValuesIn(kBadLoads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafetyTest, SavingSaysSoForAFewSecondsAndAddsTheExtension) {
  PaintSomething();
  FileMenu("mine", kSaveY);
  EXPECT_TRUE(fs::exists(UserFile("mine.vwd")));
  EXPECT_FALSE(fs::exists(UserFile("mine")));
  EXPECT_STREQ(St().notice, "saved mine.vwd");
  EXPECT_STREQ(St().worldName, "mine.vwd");
  EXPECT_FALSE(St().dirty);
  Ticks(60);
  EXPECT_STREQ(St().notice, "saved mine.vwd");
  Ticks(70);
  EXPECT_STREQ(St().notice, "");
  // A name with its own extension is taken as typed.
  FileMenu("notes.bak", kSaveY);
  EXPECT_TRUE(fs::exists(UserFile("notes.bak")));
}

TEST_F(SafetyTest, CtrlSSavesUnderTheWorldsName) {
  PaintSomething();
  platform().Push({Ev::KeyDown, 29});
  platform().Push({Ev::KeyDown, 31});
  Ticks(1);
  EXPECT_STREQ(St().notice, "no file name yet: save it from the file menu");
  EXPECT_TRUE(St().dirty);
  platform().Push({Ev::KeyUp, 31});
  platform().Push({Ev::KeyUp, 29});
  FileMenu("quick", kSaveY);
  PointAtTile(6, 6);
  Press();
  Release();
  ASSERT_TRUE(St().dirty);
  const std::vector<uint8_t> painted = WorldImage();
  platform().Push({Ev::KeyDown, 29});
  platform().Push({Ev::KeyDown, 31});
  Ticks(1);
  EXPECT_FALSE(St().dirty);
  EXPECT_EQ(FileBytes(UserFile("quick.vwd")), painted);
}

// A user folder the program cannot write: read-only, or, where that does
// not stop the test's own user (root), one on a file system nobody writes.
std::string UnwritableFolder(const std::string& base) {
  fs::path ro = fs::path(base) / "readonly";
  fs::create_directories(ro);
  ::chmod(ro.c_str(), 0555);
  std::string probe = (ro / "probe").string();
  if (std::FILE* f = std::fopen(probe.c_str(), "wb")) {
    std::fclose(f);
    fs::remove(probe);
    return "/sys/torvel-no-such-folder";
  }
  return ro.string();
}

TEST_F(SafetyTest, ASaveIntoAReadOnlyFolderSaysWhyAndLosesNothing) {
  PaintSomething();
  FileMenu("mine", kSaveY);
  ASSERT_TRUE(fs::exists(UserFile("mine.vwd")));
  const std::vector<uint8_t> saved = FileBytes(UserFile("mine.vwd"));
  std::string folder = UnwritableFolder(dir());
  {
    std::FILE* f = std::fopen((folder + "/probe").c_str(), "wb");
    if (f) std::fclose(f);
    if (f) GTEST_SKIP() << "no folder here refuses writing";
  }
  SetUserDir(folder);
  PointAtTile(6, 6);
  Press();
  Release();
  FileMenu("mine", kSaveY);
  std::string notice = St().notice;
  EXPECT_EQ(notice.rfind("could not save mine.vwd: ", 0), 0u) << notice;
  EXPECT_GT(notice.size(), std::string("could not save mine.vwd: ").size());
  EXPECT_TRUE(St().dirty);
  SetUserDir(dir());
  EXPECT_EQ(FileBytes(UserFile("mine.vwd")), saved);
  ::chmod((fs::path(dir()) / "readonly").c_str(), 0755);
}

}  // namespace
}  // namespace torvel::testing
