#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "common/fixed.h"
#include "common/profile.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

TEST(ByteReader, ReadsLittleEndianAndStopsAtTheEnd) {
  const uint8_t bytes[] = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0x7F, 0x01};
  ByteReader r(bytes, sizeof bytes);
  EXPECT_EQ(r.U16(), 0x1234);
  EXPECT_EQ(r.I16(), -2);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.U32(), 0u);  // only three bytes left: a short read
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.Remaining(), 0u);
  EXPECT_EQ(r.U8(), 0);
}

TEST(ByteReader, ShortBytesZeroFillAndSkipBeyondFails) {
  const uint8_t bytes[] = {1, 2, 3};
  ByteReader r(bytes, sizeof bytes);
  uint8_t out[5] = {9, 9, 9, 9, 9};
  EXPECT_FALSE(r.Bytes(out, 5));
  for (uint8_t b : out) EXPECT_EQ(b, 0);
  ByteReader s(bytes, sizeof bytes);
  EXPECT_FALSE(s.Skip(4));
  ByteReader t(bytes, sizeof bytes);
  EXPECT_TRUE(t.Seek(3));
  EXPECT_FALSE(t.Seek(4));
}

TEST(ByteWriter, WritesWhatTheReaderReads) {
  ByteWriter w;
  w.U8(7);
  w.I16(-300);
  w.U32(0xDEADBEEF);
  w.I32(-5);
  w.PatchU16(1, 0x0102);
  ByteReader r(w.bytes());
  EXPECT_EQ(r.U8(), 7);
  EXPECT_EQ(r.U16(), 0x0102);
  EXPECT_EQ(r.U32(), 0xDEADBEEFu);
  EXPECT_EQ(r.I32(), -5);
  EXPECT_TRUE(r.ok());
}

TEST(Fixed, HelpersKeepSignsRight) {
  EXPECT_EQ(FixedToInt(ToFixed(-3)), -3);
  EXPECT_EQ(FixedToInt(-1), -1);  // just below 0 is pixel -1
  EXPECT_EQ(Dampen(5, 2), 3);
  EXPECT_EQ(Dampen(1, 2), 0);
  EXPECT_EQ(Dampen(-1, 2), 0);
  EXPECT_EQ(Dampen(-7, 2), -5);
  EXPECT_EQ(Clamp(20, 12), 12);
  EXPECT_EQ(Clamp(-20, 12), -12);
  EXPECT_EQ(Manhattan(-3, 4), 7);
}

TEST(Random, FixedStartAndSeparateJitter) {
  ResetRandom();
  int a[8];
  for (int& v : a) v = Random(1000);
  ResetRandom();
  for (int i = 0; i < 4; ++i) JitterRandom(5);  // drawing must not shift the game's draws
  for (int v : a) EXPECT_EQ(Random(1000), v);
}

TEST(Random, RangesAndTheSixteenBitEntryPoint) {
  ResetRandom();
  for (int i = 0; i < 2000; ++i) {
    int r = Random(7);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 7);
  }
  // n is reduced to 16 bits: 65536 + 3 draws below 3.
  for (int i = 0; i < 200; ++i) ASSERT_LT(Random(65536 + 3), 3);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(RandomLong(0), 0u);
  uint32_t big = 0;
  for (int i = 0; i < 200; ++i) big = std::max(big, RandomLong(4000000000u));
  EXPECT_GT(big, 65536u);
}

TEST(Profile, HandEditedFilesReadLikeTheSystemReader) {
  std::string text =
      "; comment\r\n[keyboard]\r\n  UPKEY =  Up  Left \r\nFireKey=\"Control\"\r\n"
      "[Other]\nUpKey=Q\n[Keyboard]\nLast=Z";
  std::string v;
  ASSERT_TRUE(FindProfileString(text, "Keyboard", "UpKey", v));
  EXPECT_EQ(v, "Up  Left");
  ASSERT_TRUE(FindProfileString(text, "KEYBOARD", "firekey", v));
  EXPECT_EQ(v, "Control");
  ASSERT_TRUE(FindProfileString(text, "Keyboard", "Last", v));  // no final newline
  EXPECT_EQ(v, "Z");
  EXPECT_FALSE(FindProfileString(text, "Keyboard", "DownKey", v));
  EXPECT_FALSE(FindProfileString(text, "Missing", "UpKey", v));
  EXPECT_FALSE(ReadProfileString("/nonexistent/keys.ini", "Keyboard", "UpKey", v));
}

TEST(Paths, SystemNamesMapWithCaseInsensitiveFallback) {
  std::string dir = testing::MakeTempDir("Paths.map");
  std::filesystem::create_directories(dir + "/Graphics");
  ASSERT_TRUE(WriteFileBytes(dir + "/Graphics/Title.BMP", std::vector<uint8_t>{1}));
  SetGameDir(dir);
  SetUserDir(dir + "/user");
  EXPECT_EQ(DataPath("graphics\\title.bmp"), dir + "/Graphics/Title.BMP");
  EXPECT_EQ(DataPath("graphics\\none.bmp"), dir + "/Graphics/none.bmp");
  // Read paths prefer the user folder's copy.
  EXPECT_EQ(ReadPath("river.vwd"), dir + "/river.vwd");
  std::filesystem::create_directories(dir + "/user");
  ASSERT_TRUE(WriteFileBytes(dir + "/user/river.vwd", std::vector<uint8_t>{1}));
  EXPECT_EQ(ReadPath("river.vwd"), dir + "/user/river.vwd");
}

TEST(Paths, FindFilesListsBothFoldersOnceSorted) {
  std::string dir = testing::MakeTempDir("Paths.find");
  std::filesystem::create_directories(dir + "/game/graphics");
  std::filesystem::create_directories(dir + "/user");
  for (const char* f : {"/game/b.vwd", "/game/A.VWD", "/user/b.vwd", "/user/c.vwd", "/game/x.txt",
                        "/game/graphics/t.bmp"})
    ASSERT_TRUE(WriteFileBytes(dir + f, std::vector<uint8_t>{1}));
  SetGameDir(dir + "/game");
  SetUserDir(dir + "/user");
  FindFiles find;
  std::string name;
  std::vector<std::string> names;
  for (bool ok = find.First("*.vwd", name); ok; ok = find.Next(name)) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"A.VWD", "b.vwd", "c.vwd"}));
  EXPECT_TRUE(find.First("graphics\\*.BMP", name));
  EXPECT_EQ(name, "t.bmp");
  EXPECT_FALSE(find.Next(name));
  EXPECT_FALSE(find.First("*.sav", name));
}

TEST(Paths, WildcardMatching) {
  EXPECT_TRUE(WildcardMatch("*.vwd", "river.VWD"));
  EXPECT_TRUE(WildcardMatch("r?ver.*", "rover.x"));
  EXPECT_TRUE(WildcardMatch("*", ""));
  EXPECT_FALSE(WildcardMatch("*.vwd", "river.vwdx"));
  EXPECT_TRUE(WildcardMatch("*a*b", "xxaxxb"));
  EXPECT_FALSE(WildcardMatch("?", ""));
}

TEST(Paths, UserFilesGoToThePerUserFolderUnlessPortableIsAsked) {
  std::string dir = testing::MakeTempDir("Paths.userDir");
  const std::string game = dir + "/game", exe = dir + "/bin", pref = dir + "/pref";
  std::filesystem::create_directories(game);
  std::filesystem::create_directories(exe);
  // A writable game folder, even one holding an old save, is no reason to write into it.
  ASSERT_TRUE(WriteFileBytes(game + "/torvel.sav", std::vector<uint8_t>{1}));
  EXPECT_EQ(ChooseUserDir(game, exe, false, pref), pref);
  EXPECT_EQ(ChooseUserDir(game, exe, true, pref), game);
  // No home folder to put them in: the game folder is all there is.
  EXPECT_EQ(ChooseUserDir(game, exe, false, ""), game);
  ASSERT_TRUE(WriteFileBytes(exe + "/portable", std::vector<uint8_t>{}));
  EXPECT_EQ(ChooseUserDir(game, exe, false, pref), game);
}

TEST(Paths, TheDefaultUserFolderFollowsTheDataHome) {
  struct Case {
    const char* dataHome;  // null: unset
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/data", "/home/p", "/data/torvel"},
      {nullptr, "/home/p", "/home/p/.local/share/torvel"},
      {nullptr, "/home/p/", "/home/p/.local/share/torvel"},
      {"relative", "/home/p", "/home/p/.local/share/torvel"},  // not absolute: ignored
      {nullptr, nullptr, ""},
      {"", "", ""},
  };
  std::string oldData = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
  bool hadData = std::getenv("XDG_DATA_HOME") != nullptr;
  std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  bool hadHome = std::getenv("HOME") != nullptr;
  for (const Case& c : cases) {
    if (c.dataHome)
      setenv("XDG_DATA_HOME", c.dataHome, 1);
    else
      unsetenv("XDG_DATA_HOME");
    if (c.home)
      setenv("HOME", c.home, 1);
    else
      unsetenv("HOME");
    EXPECT_EQ(DefaultUserDir(), c.expected)
        << (c.dataHome ? c.dataHome : "-") << " " << (c.home ? c.home : "-");
  }
  if (hadData)
    setenv("XDG_DATA_HOME", oldData.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
  if (hadHome)
    setenv("HOME", oldHome.c_str(), 1);
  else
    unsetenv("HOME");
}

TEST(Paths, TheGameFolderIsBesideTheProgramOrInstalledNextToIt) {
  std::string dir = testing::MakeTempDir("Paths.gameDir");
  // A game folder: program and data side by side.
  std::filesystem::create_directories(dir + "/build/game/graphics");
  EXPECT_EQ(ChooseGameDir(dir + "/build/game"), dir + "/build/game");
  // Installed: the program in PREFIX/bin, the data in PREFIX/share/torvel.
  std::filesystem::create_directories(dir + "/prefix/bin");
  std::filesystem::create_directories(dir + "/prefix/share/torvel/graphics");
  EXPECT_EQ(ChooseGameDir(dir + "/prefix/bin"), dir + "/prefix/share/torvel");
  // Data nowhere: the program's own folder, where the start-up says what is missing.
  std::filesystem::create_directories(dir + "/lost/bin");
  EXPECT_EQ(ChooseGameDir(dir + "/lost/bin"), dir + "/lost/bin");
}

class EarlierUserFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir(testing::TestName());
    game_ = dir_ + "/game";
    user_ = dir_ + "/user";
    std::filesystem::create_directories(game_ + "/graphics");
    std::filesystem::create_directories(user_);
  }
  void Put(const std::string& path, uint8_t byte) {
    ASSERT_TRUE(WriteFileBytes(path, std::vector<uint8_t>{byte, byte}));
  }
  std::vector<uint8_t> Bytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    ReadFileBytes(path, bytes);
    return bytes;
  }
  const std::vector<std::string> shipped_{"river.vwd", "forest.vwd"};
  std::string dir_, game_, user_;
};

TEST_F(EarlierUserFiles, AreCopiedOnceAndNeverTakenAway) {
  Put(game_ + "/torvel.sav", 1);
  Put(game_ + "/keys.ini", 2);
  Put(game_ + "/port.ini", 3);
  Put(game_ + "/mine.vwd", 4);
  Put(game_ + "/River.vwd", 5);  // the game's own world, whatever its case
  Put(game_ + "/graphics/title.bmp", 6);
  std::vector<std::string> copied = CopyEarlierUserFiles(game_, user_, shipped_);
  EXPECT_EQ(copied, (std::vector<std::string>{"keys.ini", "mine.vwd", "port.ini", "torvel.sav"}));
  EXPECT_EQ(Bytes(user_ + "/torvel.sav"), (std::vector<uint8_t>{1, 1}));
  EXPECT_EQ(Bytes(user_ + "/mine.vwd"), (std::vector<uint8_t>{4, 4}));
  EXPECT_FALSE(FileExists(user_ + "/River.vwd"));
  EXPECT_FALSE(FileExists(user_ + "/title.bmp"));
  // The old files stay where they were.
  for (const char* name : {"/torvel.sav", "/keys.ini", "/port.ini", "/mine.vwd"})
    EXPECT_TRUE(FileExists(game_ + name)) << name;
  // The next start finds the player's files in place and copies nothing over them.
  Put(user_ + "/torvel.sav", 9);
  EXPECT_TRUE(CopyEarlierUserFiles(game_, user_, shipped_).empty());
  EXPECT_EQ(Bytes(user_ + "/torvel.sav"), (std::vector<uint8_t>{9, 9}));
}

TEST_F(EarlierUserFiles, StayPutWhenTheUserFolderHasFilesOfItsOwn) {
  struct Case {
    const char* own;  // a file already in the user folder
    bool copies;
  };
  const Case cases[] = {
      {"keys.ini", false},   {"torvel.sav", false}, {"PORT.INI", false},
      {"edited.vwd", false}, {"forest.vwd", true},  // a copy of a shipped world is not the player's
      {"notes.txt", true},
  };
  Put(game_ + "/torvel.sav", 1);
  for (const Case& c : cases) {
    std::filesystem::remove_all(user_);
    std::filesystem::create_directories(user_);
    Put(user_ + "/" + c.own, 7);
    EXPECT_EQ(!CopyEarlierUserFiles(game_, user_, shipped_).empty(), c.copies) << c.own;
    EXPECT_EQ(FileExists(user_ + "/torvel.sav"), c.copies || std::string(c.own) == "torvel.sav");
  }
  // Portable: the user folder is the game folder, nothing to copy.
  EXPECT_TRUE(CopyEarlierUserFiles(game_, game_, shipped_).empty());
}

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporary) {
  std::string dir = testing::MakeTempDir("AtomicWrite");
  std::string path = dir + "/torvel.sav";
  ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>(10, 1)));
  ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>(3, 2)));
  std::vector<uint8_t> back;
  ASSERT_TRUE(ReadFileBytes(path, back));
  EXPECT_EQ(back, std::vector<uint8_t>(3, 2));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  EXPECT_FALSE(WriteFileAtomic(dir + "/missing-folder/x", std::vector<uint8_t>(1, 1)));
}

}  // namespace
}  // namespace torvel
