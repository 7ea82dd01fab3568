// The editor's file menu, world menu and tileset picker, on world files and
// pictures in folders of the test's own.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "common/byte_io.h"
#include "editor_fixture.h"
#include "gfx/bmp.h"
#include "gfx/tiles.h"

namespace torvel::testing {
namespace {

namespace fs = std::filesystem;

// Buttons of the listing panels and the world menu.
constexpr int kButtonX = 395;
constexpr int kNewY = 99, kLoadY = 187, kSaveY = 277, kQuitY = 377;
constexpr int kMenuX = 420;
constexpr int kNewSmallY = 18, kNewMediumY = 35, kNewLargeY = 50, kCopyY = 67, kEditY = 127,
              kRenameY = 207, kDeleteY = 287;

class EditorFilesTest : public EditorTest {
 protected:
  // A game folder of the test's own, linking the forged pictures, fonts and
  // sprites but holding no worlds; the user folder beside it.
  void UseOwnFolders() {
    fs::path game = fs::path(dir()) / "game";
    fs::create_directories(game / "graphics");
    for (const auto& e : fs::directory_iterator(fs::path(TORVEL_GAME_DIR) / "graphics"))
      fs::create_symlink(e.path(), game / "graphics" / e.path().filename());
    fs::path user = fs::path(dir()) / "user";
    fs::create_directories(user);
    SetGameDir(game.string());
    SetUserDir(user.string());
  }
  std::string GamePath(const std::string& name) {
    return (fs::path(dir()) / "game" / name).string();
  }
  std::string UserFile(const std::string& name) {
    return (fs::path(dir()) / "user" / name).string();
  }

  void OpenFileMenu() {
    Type('f');
    ASSERT_EQ(St().mode, kModeFileMenu);
  }
  void ClearBox() {
    for (int i = 0; i < 40; ++i) Type(8);
  }
  void FileMenu(const std::string& name, int buttonY) {
    OpenFileMenu();
    ClearBox();
    TypeText(name);
    Click(kButtonX, buttonY);
    EXPECT_EQ(St().mode, kModeMap);
  }
  // New or Load over changes that are not saved: leave them.
  void FileMenuLeavingChanges(const std::string& name, int buttonY) {
    OpenFileMenu();
    ClearBox();
    TypeText(name);
    Click(kButtonX, buttonY);
    AnswerAsk(Answer::Leave);
    EXPECT_EQ(St().mode, kModeMap);
  }
  void OpenWorldMenu() {
    Type('m');
    ASSERT_EQ(St().mode, kModeWorldMenu);
  }
  void ClickMapEntry(int k) { Click(100, 14 + 14 * k + 6); }
  static std::vector<uint8_t> Bytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes, 1u << 24)) << path;
    return bytes;
  }
};

TEST_F(EditorFilesTest, SaveThenLoadBringsTheWorldBack) {
  UseOwnFolders();
  BlankMap();
  At(3, 3).floor = 42;
  EditorMap().song = 7;
  FileMenu("mine.vwd", kSaveY);
  ASSERT_TRUE(fs::exists(UserFile("mine.vwd")));
  EXPECT_FALSE(fs::exists(UserFile("mine.vwd.tmp")));
  At(3, 3).floor = 1;
  FileMenuLeavingChanges("mine.vwd", kLoadY);
  EXPECT_EQ(At(3, 3).floor, 42);
  EXPECT_EQ(EditorMap().song, 7);
  EXPECT_EQ(St().mapIndex, 0);
}

TEST_F(EditorFilesTest, ASaveLeavesTheShippedWorldInTheGameFolderAlone) {
  UseOwnFolders();
  // The shipped world: saved by an earlier visit, then moved into the game folder.
  At(1, 1).floor = 77;
  FileMenu("river.vwd", kSaveY);
  fs::rename(UserFile("river.vwd"), GamePath("river.vwd"));
  std::vector<uint8_t> shipped = Bytes(GamePath("river.vwd"));

  FileMenu("river.vwd", kLoadY);
  EXPECT_EQ(At(1, 1).floor, 77) << "read from the game folder";
  At(1, 1).floor = 78;
  FileMenu("river.vwd", kSaveY);
  EXPECT_EQ(Bytes(GamePath("river.vwd")), shipped);
  ASSERT_TRUE(fs::exists(UserFile("river.vwd")));
  // From now on the user's copy is the one read.
  At(1, 1).floor = 0;
  FileMenuLeavingChanges("river.vwd", kLoadY);
  EXPECT_EQ(At(1, 1).floor, 78);
}

TEST_F(EditorFilesTest, NameBoxesTakeNoSeparatorsAndAreBounded) {
  OpenFileMenu();
  TypeText("../a\\b/c:d*e?f|g\"h<i>j");
  EXPECT_STREQ(St().fileNameBox, "..abcdefghij");
  ClearBox();
  TypeText("abcdefghijklmnopqrstuvwxyz0123456789");
  EXPECT_STREQ(St().fileNameBox, "abcdefghijklmnopqrstuvwxyz0123");
  Type(13);
  EXPECT_STREQ(St().fileNameBox, "abcdefghijklmnopqrstuvwxyz0123");
  Type(27);
  // The tileset picker's box follows the same rules; Enter is not a name's.
  Click(340, 444);
  ASSERT_EQ(St().mode, kModeTileset);
  TypeText("x/y");
  Type(13);
  EXPECT_STREQ(St().tilesetNameBox, "xy");
  Type(27);
  // The map name box takes the game's letters, up to 31.
  OpenWorldMenu();
  TypeText("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
  EXPECT_STREQ(St().mapNameBox, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
}

TEST_F(EditorFilesTest, NamesThatLeaveTheFolderAreNeverWritten) {
  UseOwnFolders();
  fs::path user = fs::path(dir()) / "user";
  for (const char* name : {"..", ".", ""}) {
    FileMenu(name, kSaveY);
  }
  size_t files = 0;
  for (const auto& e : fs::directory_iterator(user)) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 0u);
  EXPECT_FALSE(fs::exists(fs::path(dir()) / ".tmp"));
  EXPECT_FALSE(fs::exists(fs::path(dir()) / "..vwd"));
  // Loading such a name reads nothing and keeps the world.
  At(2, 2).wall = 9;
  FileMenuLeavingChanges("..", kLoadY);
  EXPECT_EQ(At(2, 2).wall, 9);
  EXPECT_STREQ(St().notice, "could not load ..: not a usable file name");
}

TEST_F(EditorFilesTest, ListingPagesThroughFortyWorlds) {
  UseOwnFolders();
  for (int i = 0; i < 40; ++i) {
    char name[16];
    std::snprintf(name, sizeof(name), "w%02d.vwd", i);
    std::ofstream(UserFile(name)) << "x";
  }
  OpenFileMenu();
  auto filled = [] {
    int n = 0;
    for (int k = 0; k < 18; ++k) n += EditorFileListEntry(k)[0] != '\0';
    return n;
  };
  EXPECT_EQ(filled(), 18);
  EXPECT_STREQ(EditorFileListEntry(0), "w00.vwd");
  Click(120, 365);
  EXPECT_EQ(filled(), 18);
  EXPECT_STREQ(EditorFileListEntry(0), "w18.vwd");
  Click(120, 365);
  EXPECT_EQ(filled(), 4);
  EXPECT_STREQ(EditorFileListEntry(3), "w39.vwd");
  Click(120, 365);
  EXPECT_EQ(filled(), 18);
  EXPECT_STREQ(EditorFileListEntry(0), "w00.vwd");
  // A row puts its name in the box; an empty row empties it.
  Click(200, 86 + 14 * 2 + 4);
  EXPECT_STREQ(St().fileNameBox, "w02.vwd");
  Click(120, 365);
  Click(120, 365);
  Click(200, 86 + 14 * 10 + 4);
  EXPECT_STREQ(St().fileNameBox, "");
  EXPECT_EQ(St().mode, kModeFileMenu);
}

TEST_F(EditorFilesTest, NewStartsAFreshWorldOnMap0) {
  OpenWorldMenu();
  Click(kMenuX, kNewSmallY);
  ClickMapEntry(1);
  Type(27);
  ASSERT_EQ(St().mapIndex, 1);
  At(2, 2).floor = 100;
  FileMenuLeavingChanges("", kNewY);
  EXPECT_EQ(EditorWorld().mapCount, 1);
  EXPECT_EQ(St().mapIndex, 0);
  EXPECT_LT(At(2, 2).floor, 2);
  // Quit closes the menu and changes nothing.
  At(2, 2).floor = 100;
  FileMenu("", kQuitY);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_EQ(At(2, 2).floor, 100);
}

TEST_F(EditorFilesTest, LoadingGoesBackToMap0AndKeepsTheView) {
  UseOwnFolders();
  OpenWorldMenu();
  for (int i = 0; i < 7; ++i) Click(kMenuX, kNewSmallY);
  ClickMapEntry(7);
  Type(27);
  FileMenu("eight.vwd", kSaveY);
  ASSERT_EQ(St().mapIndex, 7);
  CameraTo(64, 48);
  FileMenu("eight.vwd", kLoadY);
  EXPECT_EQ(St().mapIndex, 0);
  EXPECT_EQ(EditorWorld().mapCount, 8);
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  EXPECT_EQ(cx, 64);
  EXPECT_EQ(cy, 48);
}

TEST_F(EditorFilesTest, LoadingPlacesTheMonsterStartsOfMap0) {
  UseOwnFolders();
  BlankMap();
  EditorMap().monsters[0] = {4, 4, 4};
  EditorMap().monsters[1] = {6, 4, 1};
  FileMenu("guys.vwd", kSaveY);
  FileMenu("guys.vwd", kLoadY);
  EXPECT_EQ(GuysOfKind(4), 1);
  EXPECT_EQ(GuysOfKind(1), 1);
}

TEST_F(EditorFilesTest, AMonsterStartOfAKindTheGameLacksIsDroppedOnLoading) {
  UseOwnFolders();
  // Only a damaged or hand-made file holds a kind past the table's 59.
  World strange;
  strange.mapCount = 1;
  strange.maps[0] = std::make_unique<Map>();
  NewMap(*strange.maps[0], kSizeSmall, "STRANGE");
  strange.maps[0]->monsters[0] = {4, 4, 4};
  strange.maps[0]->monsters[1] = {6, 4, 200};
  ASSERT_TRUE(SaveWorld(strange, "strange.vwd"));
  FileMenu("strange.vwd", kLoadY);
  EXPECT_EQ(GuysOfKind(4), 1);
  EXPECT_EQ(GuysOfKind(200), 0);
  EXPECT_EQ(EditorMap().monsters[1].kind, 0);
  // The map is drawn with its starts, tick after tick.
  EXPECT_TRUE(Ticks(3));
}

TEST_F(EditorFilesTest, WorldMenuNewMapsOfEachSize) {
  OpenWorldMenu();
  TypeText("KAPTA");
  Click(kMenuX, kNewSmallY);
  Click(kMenuX, kNewMediumY);
  Click(kMenuX, kNewLargeY);
  World& w = EditorWorld();
  ASSERT_EQ(w.mapCount, 4);
  const int32_t sizes[] = {20, 64, 128};
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(w.maps[k]->width, sizes[k - 1]);
    EXPECT_EQ(w.maps[k]->height, sizes[k - 1]);
    EXPECT_STREQ(w.maps[k]->name, "KAPTA");
  }
  EXPECT_STREQ(EditorMapListEntry(2), "02: KAPTA");
  EXPECT_EQ(St().mapIndex, 0) << "new maps are not selected";
  ClickMapEntry(3);
  EXPECT_EQ(St().mapIndex, 3);
  EXPECT_EQ(St().selectedMap, 3);
  EXPECT_EQ(EditorMap().width, 128);
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  EXPECT_EQ(cx, 320);
  EXPECT_EQ(cy, 240);
  Click(kMenuX, kEditY);
  EXPECT_EQ(St().mode, kModeMap);
}

TEST_F(EditorFilesTest, WorldMenuCopiesAndRenames) {
  OpenWorldMenu();
  World& w = EditorWorld();
  w.maps[0]->specials[0].trigger = 1;
  Click(kMenuX, kCopyY);
  ASSERT_EQ(w.mapCount, 2);
  EXPECT_EQ(w.maps[1]->tiles.size(), w.maps[0]->tiles.size());
  EXPECT_EQ(w.maps[1]->specials[0].trigger, 1);
  ClickMapEntry(1);
  TypeText("HOBAR");
  Click(kMenuX, kRenameY);
  EXPECT_STREQ(w.maps[1]->name, "HOBAR");
  EXPECT_STREQ(EditorMapListEntry(1), "01: HOBAR");
  for (int i = 0; i < 5; ++i) Type(8);
  Click(kMenuX, kRenameY);
  EXPECT_STREQ(w.maps[1]->name, "");
  EXPECT_STREQ(w.maps[0]->name, "H0BbIN MNP");
}

TEST_F(EditorFilesTest, DeletingMap2OfFiveShiftsTheRest) {
  OpenWorldMenu();
  World& w = EditorWorld();
  for (int i = 0; i < 4; ++i) Click(kMenuX, kNewSmallY);
  for (int k = 0; k < 5; ++k) std::snprintf(w.maps[k]->name, 32, "MAP %d", k);
  ClickMapEntry(2);
  Click(kMenuX, kDeleteY);
  ASSERT_EQ(w.mapCount, 4);
  EXPECT_STREQ(w.maps[2]->name, "MAP 3");
  EXPECT_STREQ(w.maps[3]->name, "MAP 4");
  EXPECT_EQ(w.maps[4], nullptr);
  EXPECT_EQ(St().mapIndex, 0);
  EXPECT_EQ(St().selectedMap, 0);
  EXPECT_STREQ(EditorMapListEntry(3), "03: MAP 4");
  EXPECT_STREQ(EditorMapListEntry(4), "");
  // Map 0 stays.
  Click(kMenuX, kDeleteY);
  EXPECT_EQ(w.mapCount, 4);
}

TEST_F(EditorFilesTest, TwentyFourMapsTakeNoMore) {
  OpenWorldMenu();
  for (int i = 0; i < 25; ++i) Click(kMenuX, kNewSmallY);
  EXPECT_EQ(EditorWorld().mapCount, 24);
  Click(kMenuX, kCopyY);
  EXPECT_EQ(EditorWorld().mapCount, 24);
  ClickMapEntry(23);
  EXPECT_EQ(St().mapIndex, 23);
}

TEST_F(EditorFilesTest, TilesetPickerCutsAPictureIntoTheTiles) {
  UseOwnFolders();
  // Each 32 x 24 block filled with its own tile number.
  BmpImage picture;
  picture.width = 640;
  picture.height = 480;
  picture.pixels.resize(640 * 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x)
      picture.pixels[y * 640 + x] = static_cast<uint8_t>((x / 32 + (y / 24) * 20) % 251);
  }
  for (int i = 0; i < 256; ++i) picture.palette[i * 4 + 1] = static_cast<uint8_t>(i);
  fs::create_directories(UserFile("graphics"));
  ASSERT_TRUE(WriteFileAtomic(UserFile("graphics/mytiles.bmp"), EncodeBmp8(picture)));

  std::vector<uint8_t> before(GetTile(0), GetTile(0) + kTileBlockBytes);
  Click(340, 444);
  ASSERT_EQ(St().mode, kModeTileset);
  TypeText("nothere.bmp");
  Click(kButtonX, kLoadY);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), GetTile(0)))
      << "a missing picture changes nothing";

  Click(340, 444);
  for (int i = 0; i < 20; ++i) Type(8);
  TypeText("mytiles.bmp");
  Click(kButtonX, kLoadY);
  EXPECT_EQ(St().mode, kModeMap);
  for (int t : {0, 1, 19, 20, 250, 399}) {
    const uint8_t* tile = GetTile(t);
    EXPECT_EQ(tile[0], t % 251) << t;
    EXPECT_EQ(tile[767], t % 251) << t;
  }
  EXPECT_EQ(display().palette[200 * 4 + 1], 200) << "the picture's palette is shown";
  // The tiles belong to the world: a save writes them.
  FileMenu("tiled.vwd", kSaveY);
  std::vector<uint8_t> saved = Bytes(UserFile("tiled.vwd"));
  ASSERT_GT(saved.size(), 1u + 768u * 21u);
  EXPECT_EQ(saved[1 + 768 * 20], 20);
}

}  // namespace
}  // namespace torvel::testing
