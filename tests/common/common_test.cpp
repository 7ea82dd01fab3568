#include <gtest/gtest.h>

#include <filesystem>

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

TEST(Paths, PortableModeWhenTheGameFolderIsWritable) {
  std::string dir = testing::MakeTempDir("Paths.portable");
  EXPECT_EQ(ChooseUserDir(dir, dir + "/pref"), dir);
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
