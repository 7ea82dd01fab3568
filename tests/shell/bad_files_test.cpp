// Every file the game reads, missing, empty, cut short, full of garbage and
// far too long: the game either goes on without it, or stops with a message
// that names the file and exit status 1. It never crashes, hangs or (under
// the sanitizers) reads or writes outside its buffers. Each case runs in a
// child process of its own, over a game folder of links to the forged data
// in which the one file is replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "actors/kinds.h"
#include "actors/kinds_table.h"
#include "audio/sound.h"
#include "common/byte_io.h"
#include "gfx/font.h"
#include "gfx/movie.h"
#include "input/input.h"
#include "platform/port_settings.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/pause_menu.h"
#include "shell/play_loop.h"
#include "shell/program.h"
#include "shell/replay.h"
#include "shell/title.h"
#include "support/play_fixture.h"

namespace torvel {
namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Empty, Truncated, Garbage, Oversized };
constexpr Damage kDamages[] = {Damage::Missing, Damage::Empty, Damage::Truncated, Damage::Garbage,
                               Damage::Oversized};
const char* DamageName(Damage d) {
  static const char* const kNames[] = {"missing", "empty", "truncated", "garbage", "oversized"};
  return kNames[static_cast<int>(d)];
}

// What the game must do about a damaged file.
enum class Answer {
  GoesOn,  // plays on without it (exit status 0)
  Stops,   // stops at once, naming the file (exit status 1)
  Either,  // one of the two
};

std::vector<uint8_t> Garbage(size_t size, uint32_t seed) {
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(seed >> 24);
  }
  return bytes;
}

// The damaged file's bytes; false for a missing one.
bool Damaged(const std::vector<uint8_t>& good, Damage d, std::vector<uint8_t>& out) {
  switch (d) {
    case Damage::Missing:
      return false;
    case Damage::Empty:
      out.clear();
      break;
    case Damage::Truncated:
      out.assign(good.begin(), good.begin() + good.size() / 2);
      break;
    case Damage::Garbage:
      out = Garbage(good.size(), static_cast<uint32_t>(good.size()));
      break;
    case Damage::Oversized: {
      out = good;
      std::vector<uint8_t> tail = Garbage(4u << 20, 99);
      out.insert(out.end(), tail.begin(), tail.end());
      break;
    }
  }
  return true;
}

struct ChildEnd {
  bool exited = false;
  int status = -1;
  bool hung = false;
  std::string output;  // stderr and stdout
};

// Runs body in a child process; a body that comes back ends it with 0.
ChildEnd RunInChild(const std::string& outputPath, const std::function<void()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    dup2(fd, 2);
    alarm(120);  // a hang ends with SIGALRM
    body();
    std::fflush(nullptr);
    _exit(0);
  }
  ChildEnd end;
  int status = 0;
  waitpid(pid, &status, 0);
  end.exited = WIFEXITED(status);
  end.status = end.exited ? WEXITSTATUS(status) : -WTERMSIG(status);
  end.hung = WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM;
  std::vector<uint8_t> bytes;
  ReadFileBytes(outputPath, bytes);
  end.output.assign(bytes.begin(), bytes.end());
  return end;
}

class BadFilesTest : public testing::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    game_ = dir() + "/game";
    for (const char* folder : {"graphics", "sound"}) {
      fs::create_directories(fs::path(game_) / folder);
      for (const auto& e : fs::directory_iterator(fs::path(TORVEL_GAME_DIR) / folder))
        fs::create_symlink(e.path(), fs::path(game_) / folder / e.path().filename());
    }
    for (int w = 0; w < kWorldCount; ++w)
      fs::create_symlink(fs::path(TORVEL_GAME_DIR) / WorldFileName(w),
                         fs::path(game_) / WorldFileName(w));
    user_ = dir() + "/user";
    fs::create_directories(user_);
    SetGameDir(game_);
    SetUserDir(user_);
  }

  // Replaces a file of the game folder (or the user folder) by its damaged
  // form, runs the case in a child, and puts the file back.
  // after, when given, sees the damaged file as the child left it.
  void Check(const std::string& folder, const std::string& file, Answer answer, Damage d,
             const std::function<void()>& body,
             const std::function<void(const std::vector<uint8_t>*)>& after = {}) {
    const fs::path path = fs::path(folder) / file;
    std::vector<uint8_t> good;
    ASSERT_TRUE(ReadFileBytes(path.string(), good)) << path;
    const bool link = fs::is_symlink(path);
    const fs::path target = link ? fs::read_symlink(path) : fs::path();
    fs::remove(path);
    std::vector<uint8_t> bytes;
    if (Damaged(good, d, bytes)) {
      ASSERT_TRUE(WriteFileBytes(path.string(), bytes));
    }
    SCOPED_TRACE(file + " " + DamageName(d));
    const ChildEnd end = RunInChild(dir() + "/child.txt", body);
    EXPECT_FALSE(end.hung) << end.output;
    EXPECT_TRUE(end.exited) << "killed by signal " << -end.status << ":\n" << end.output;
    const std::string name = fs::path(file).filename().string();
    const bool named = end.output.find(name) != std::string::npos;
    switch (answer) {
      case Answer::GoesOn:
        EXPECT_EQ(end.status, 0) << end.output;
        break;
      case Answer::Stops:
        EXPECT_EQ(end.status, 1) << end.output;
        EXPECT_TRUE(named) << "the message does not name the file:\n" << end.output;
        break;
      case Answer::Either:
        EXPECT_TRUE(end.status == 0 || (end.status == 1 && named)) << end.output;
        break;
    }
    if (after) after(d == Damage::Missing ? nullptr : &bytes);
    fs::remove(path);
    if (link) {
      fs::create_symlink(target, path);
    } else {
      ASSERT_TRUE(WriteFileBytes(path.string(), good));
    }
  }

  // A few seconds of a game on the roaming map of world w, walking and firing.
  void PlayRoamingMap(uint8_t w) {
    ResetPlayer(kResetNewGame, 0, 0);
    Player().worldNumber = w;
    testing::Script s;
    s.Wait(5).Hold(kActionFire | kActionRight).Wait(30).Hold(kActionSpell | kActionUp).Wait(30);
    Run(s, {}, true);
  }

  std::string game_, user_;
};

bool EndsWith(const std::string& s, const char* tail) {
  const size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// A sprite set that a monster kind draws with.
bool IsKindSet(const std::string& file) {
  const std::string name = "graphics\\" + file;
  // Kind 1, the hero, is loaded at start-up with the other sets of the game.
  for (int i = 2; i < kKindCount; ++i) {
    if (name == kKindTable[i].spriteFile) return true;
  }
  return false;
}

TEST_F(BadFilesTest, EveryPictureFontMovieAndSpriteSetIsAnswered) {
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(fs::path(game_) / "graphics"))
    files.push_back(e.path().filename().string());
  std::sort(files.begin(), files.end());
  ASSERT_GT(files.size(), 40u);
  for (const std::string& file : files) {
    const std::string name = "graphics\\" + file;
    for (Damage d : kDamages) {
      if (EndsWith(file, ".bmp")) {
        // A picture that cannot be shown is skipped.
        Check(game_ + "/graphics", file, Answer::GoesOn, d, [&] {
          ShowSplashPicture(&display(), name.c_str(), 2, 195, false);
          display().LoadBmp(name.c_str());
        });
      } else if (EndsWith(file, ".vft")) {
        // Text in a font that failed to load draws nothing.
        Check(game_ + "/graphics", file, Answer::GoesOn, d, [&] {
          ExitGraphics();
          InitGraphics(&display());
          for (int f = 0; f < 3; ++f) Print(10, 10 + 30 * f, "TORVEL 0123", 0, f);
        });
      } else if (EndsWith(file, ".flc")) {
        // A movie that cannot be played is skipped.
        Check(game_ + "/graphics", file, Answer::GoesOn, d, [&] {
          platform().presentMs = 60;
          platform().AtFrame(platform().frameCount() + 8,
                             {HeadlessPlatform::EventType::Character, 27});
          PlayMovie(name.c_str(), false, 60, &display());
        });
      } else if (EndsWith(file, ".vsp") && IsKindSet(file)) {
        // A creature cannot be drawn without its set: the game stops.
        const Answer answer =
            d == Damage::Oversized || d == Damage::Truncated ? Answer::Either : Answer::Stops;
        Check(game_ + "/graphics", file, answer, d, [&] {
          for (int i = 2; i < kKindCount; ++i) {
            if (name == kKindTable[i].spriteFile) KindSprites(i);
          }
        });
      } else {
        // The sets of the hero, items, status display, shop, bullets and
        // title: the start-up, the title, and play with shots.
        Check(game_ + "/graphics", file, Answer::Either, d, [&] {
          GlobalShutdown();
          GlobalInit(&display());
          platform().AtFrame(platform().frameCount() + 5,
                             {HeadlessPlatform::EventType::Character, 27});
          TitleMenu(&display());
          PlayRoamingMap(0);
        });
      }
    }
  }
}

TEST_F(BadFilesTest, EverySoundIsAnsweredBySilence) {
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(fs::path(game_) / "sound"))
    files.push_back(e.path().filename().string());
  ASSERT_GT(files.size(), 100u);
  std::sort(files.begin(), files.end());
  for (Damage d : kDamages) {
    // Every sound damaged the same way at once; the game plays on silent.
    for (const std::string& file : files) {
      std::vector<uint8_t> good, bytes;
      const std::string path = game_ + "/sound/" + file;
      ASSERT_TRUE(ReadFileBytes(path, good));
      fs::remove(path);
      if (Damaged(good, d, bytes)) {
        ASSERT_TRUE(WriteFileBytes(path, bytes));
      }
    }
    SCOPED_TRACE(DamageName(d));
    const ChildEnd end = RunInChild(dir() + "/child.txt", [&] {
      for (int n = 0; n < 255; ++n) MakeNormalSound(n);
      UpdateSounds();
      PlayRoamingMap(0);
    });
    EXPECT_TRUE(end.exited && end.status == 0) << end.status << "\n" << end.output;
    for (const std::string& file : files) {
      fs::remove(game_ + "/sound/" + file);
      fs::create_symlink(fs::path(TORVEL_GAME_DIR) / "sound" / file, game_ + "/sound/" + file);
    }
  }
}

TEST_F(BadFilesTest, EveryWorldIsPlayedOrNamed) {
  for (uint8_t w = 0; w < kWorldCount; ++w) {
    for (Damage d : kDamages) {
      // Bytes after the last map are no part of the world: a longer file plays.
      Check(game_, WorldFileName(w), d == Damage::Oversized ? Answer::GoesOn : Answer::Stops, d,
            [&] { PlayRoamingMap(w); });
    }
  }
}

TEST_F(BadFilesTest, ThePlayersFilesAreAnsweredAndNeverLost) {
  // The player's own files, each in a whole form first.
  ResetPlayer(kResetNewGame, 0, 0);
  Player().level = 9;
  Player().worldNumber = 1;
  ASSERT_TRUE(SaveSlot(0));
  Player().level = 14;
  ASSERT_TRUE(SaveSlot(2));
  ASSERT_TRUE(WriteFileBytes(user_ + "/keys.ini", kDefaultKeysIni, std::strlen(kDefaultKeysIni)));
  const std::string portIni = "[Display]\nWindow=1\nIntegerScaling=0\nVSync=1\n";
  ASSERT_TRUE(WriteFileBytes(user_ + "/port.ini", portIni.data(), portIni.size()));

  for (Damage d : kDamages) {
    const std::string keysPath = user_ + "/keys.ini";
    Check(
        user_, "keys.ini", Answer::GoesOn, d, [&] { InitInput(); },
        [&](const std::vector<uint8_t>* damaged) {
          // The defaults are written only where there was no file.
          std::vector<uint8_t> now;
          ASSERT_TRUE(ReadFileBytes(keysPath, now));
          if (damaged) {
            EXPECT_EQ(now, *damaged) << "the player's keys.ini was replaced";
          } else {
            EXPECT_EQ(std::string(now.begin(), now.end()), kDefaultKeysIni);
          }
        });
    Check(user_, "port.ini", Answer::GoesOn, d, [&] {
      const PortSettings s = ReadPortSettings(UserPath("port.ini"));
      (void)s;
    });
    Check(user_, "torvel.sav", Answer::GoesOn, d, [&] {
      SlotSummary summaries[3];
      ReadSlotSummaries(summaries);
      platform().AtFrame(platform().frameCount() + 4, {HeadlessPlatform::EventType::KeyDown, 28});
      platform().AtFrame(platform().frameCount() + 6, {HeadlessPlatform::EventType::KeyUp, 28});
      if (!ContinueScreen(&display())) _exit(3);
      testing::Script s;
      s.Wait(40);
      Run(s, {}, true);
      // Saving into another slot keeps every whole slot the file held.
      std::vector<uint8_t> before;
      ReadFileBytes(UserPath(kSaveFileName), before);
      if (!SaveSlot(1)) _exit(4);
      std::vector<uint8_t> after;
      ReadFileBytes(UserPath(kSaveFileName), after);
      if (after.size() != 1008u) _exit(5);
      for (size_t slot : {0u, 2u}) {
        const size_t end = (slot + 1) * 336;
        if (before.size() >= end && !std::equal(before.begin() + slot * 336, before.begin() + end,
                                                after.begin() + slot * 336))
          _exit(6);
      }
    });
  }
}

TEST_F(BadFilesTest, AReplayThatCannotBePlayedIsNamed) {
  Replay replay;
  auto record = PlayerRecordBytes(Player());
  replay.record.assign(record.begin(), record.end());
  for (int i = 0; i < 60; ++i) replay.steps.push_back({kActionRight, 0, 0});
  replay.finished = true;
  replay.recordedSteps = 60;
  const std::string path = dir() + "/game.rpl";
  ASSERT_TRUE(WriteFileBytes(path, EncodeReplay(replay)));
  for (Damage d : kDamages) {
    std::vector<uint8_t> good, bytes;
    ASSERT_TRUE(ReadFileBytes(path, good));
    fs::remove(path);
    if (Damaged(good, d, bytes)) {
      ASSERT_TRUE(WriteFileBytes(path, bytes));
    }
    SCOPED_TRACE(DamageName(d));
    const ChildEnd end = RunInChild(dir() + "/child.txt", [&] {
      InstallPlatform(nullptr);
      _exit(RunReplayProgram(path, game_));
    });
    // 2 and the file's name when it cannot be played; 1 when it plays but
    // not to the recorded end (cut short, or another digest).
    EXPECT_TRUE(end.exited) << end.output;
    EXPECT_TRUE(end.status == 1 || end.status == 2) << end.status << "\n" << end.output;
    if (end.status == 2) {
      EXPECT_NE(end.output.find("game.rpl"), std::string::npos) << end.output;
    }
    fs::remove(path);
    ASSERT_TRUE(WriteFileBytes(path, good));
  }
}

}  // namespace
}  // namespace torvel
