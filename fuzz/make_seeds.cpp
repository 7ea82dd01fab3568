// Makes the seed inputs of the fuzz corpora from the forged game data, cut
// down to a few kilobytes each with the game's own writers:
//
//   fuzz_make_seeds GAME_DIR CORPUS_DIR
//
// writes CORPUS_DIR/<fuzzer>/seed-* (the files it writes are replaced; the
// inputs fuzzing added, and the ones that once found a fault, are kept).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/wav.h"
#include "common/byte_io.h"
#include "common/fixed.h"
#include "gfx/bmp.h"
#include "gfx/flc_writer.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "input/input.h"
#include "platform/paths.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/play_loop.h"
#include "shell/replay.h"
#include "world/world.h"

namespace torvel {
namespace {

namespace fs = std::filesystem;

std::string gGame, gCorpus;
int gWritten = 0;

void Put(const std::string& fuzzer, const std::string& name, const std::vector<uint8_t>& bytes) {
  fs::create_directories(gCorpus + "/" + fuzzer);
  const std::string path = gCorpus + "/" + fuzzer + "/seed-" + name;
  if (!WriteFileBytes(path, bytes)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  ++gWritten;
}

void PutText(const std::string& fuzzer, const std::string& name, const std::string& text) {
  Put(fuzzer, name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> Read(const std::string& systemName) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(ResolveIn(gGame, systemName), bytes)) {
    std::fprintf(stderr, "cannot read %s in %s\n", systemName.c_str(), gGame.c_str());
    std::exit(1);
  }
  return bytes;
}

// ---- Pictures ----

BmpImage Crop(const BmpImage& image, int x0, int y0, int w, int h) {
  BmpImage out;
  out.width = w;
  out.height = h;
  out.palette = image.palette;
  out.pixels.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out.pixels[static_cast<size_t>(y) * w + x] =
          image.pixels[static_cast<size_t>(y0 + y) * image.width + x0 + x];
  return out;
}

// The header fields of a bitmap with the given colour count, compression
// and data size; rows follow the colour table.
void BmpHeader(ByteWriter& w, const BmpImage& image, int32_t height, uint32_t compression,
               uint32_t colours, uint32_t dataSize) {
  const uint32_t offset = 14 + 40 + 4 * colours;
  w.U8('B');
  w.U8('M');
  w.U32(offset + dataSize);
  w.U32(0);
  w.U32(offset);
  w.U32(40);
  w.I32(image.width);
  w.I32(height);
  w.U16(1);
  w.U16(8);
  w.U32(compression);
  w.U32(dataSize);
  w.U32(2835);
  w.U32(2835);
  w.U32(colours);
  w.U32(0);
  for (uint32_t i = 0; i < colours; ++i) {
    w.Bytes(&image.palette[i * 4], 3);
    w.U8(0);
  }
}

void PictureSeeds() {
  BmpImage title;
  if (!DecodeBmp8(Read("graphics\\title.bmp"), title)) std::exit(1);
  const BmpImage small = Crop(title, 300, 200, 21, 13);
  Put("bmp", "plain.bmp", EncodeBmp8(small));

  // Top-down rows, padded to four bytes.
  ByteWriter top;
  const size_t stride = (small.width + 3) & ~3;
  BmpHeader(top, small, -small.height, 0, 256, static_cast<uint32_t>(stride * small.height));
  for (int y = 0; y < small.height; ++y) {
    top.Bytes(&small.pixels[static_cast<size_t>(y) * small.width], small.width);
    top.Zeros(stride - small.width);
  }
  Put("bmp", "top-down.bmp", top.bytes());

  // Run-length rows: runs of equal pixels, end of line, end of picture.
  ByteWriter runs;
  for (int i = 0; i < small.height; ++i) {
    const uint8_t* row = &small.pixels[static_cast<size_t>(small.height - 1 - i) * small.width];
    for (int x = 0; x < small.width;) {
      int n = 1;
      while (x + n < small.width && n < 255 && row[x + n] == row[x]) ++n;
      runs.U8(static_cast<uint8_t>(n));
      runs.U8(row[x]);
      x += n;
    }
    runs.U8(0);
    runs.U8(0);
  }
  runs.U8(0);
  runs.U8(1);
  ByteWriter rle;
  BmpHeader(rle, small, small.height, 1, 256, static_cast<uint32_t>(runs.size()));
  rle.Bytes(runs.bytes().data(), runs.size());
  Put("bmp", "run-length.bmp", rle.bytes());

  // A short colour table: the pixels folded into its sixteen colours.
  BmpImage folded = small;
  for (uint8_t& p : folded.pixels) p &= 15;
  ByteWriter shortTable;
  BmpHeader(shortTable, folded, folded.height, 0, 16,
            static_cast<uint32_t>(stride * folded.height));
  for (int i = 0; i < folded.height; ++i) {
    shortTable.Bytes(&folded.pixels[static_cast<size_t>(folded.height - 1 - i) * folded.width],
                     folded.width);
    shortTable.Zeros(stride - folded.width);
  }
  Put("bmp", "short-table.bmp", shortTable.bytes());
}

// ---- Fonts, sprites, movies, sounds ----

void FontSeeds() {
  for (const char* name : {"listiumbig", "verdana", "listium"}) {
    Font font;
    const std::string file = std::string("graphics\\") + name + ".vft";
    if (LoadFontFile(ResolveIn(gGame, file), font) != kFontOk) std::exit(1);
    std::vector<FontGlyph> glyphs;
    for (size_t i = 0; i < font.glyphStart.size() && glyphs.size() < 6; ++i) {
      const uint8_t* g = font.data.data() + font.glyphStart[i];
      FontGlyph glyph;
      glyph.width = g[0];
      glyph.pixels.assign(g + 1, g + 1 + static_cast<size_t>(glyph.width) * font.height);
      glyphs.push_back(glyph);
    }
    std::vector<uint8_t> bytes;
    if (!EncodeFont(font.firstChar, font.height, font.blankWidth, font.gap, glyphs, bytes))
      std::exit(1);
    Put("font", std::string(name) + ".vft", bytes);
  }
}

void SpriteSeeds() {
  for (const char* name :
       {"bullets", "items", "intface", "shop", "sylabulus", "titlespr", "spider", "bat"}) {
    SpriteSet set;
    if (!set.LoadFile(ResolveIn(gGame, std::string("graphics\\") + name + ".vsp"))) std::exit(1);
    std::vector<Sprite> kept;
    size_t bytes = 0;
    for (int i = 0; i < set.Count() && kept.size() < 5; ++i) {
      const Sprite* s = set.GetSprite(i);
      if (!s || s->data.size() > 1500 || bytes + s->data.size() > 4000) continue;
      kept.push_back(*s);
      bytes += s->data.size();
    }
    Put("sprite_set", std::string(name) + ".vsp", EncodeSpriteSet(kept));
  }
}

void MovieSeeds() {
  BmpImage title;
  if (!DecodeBmp8(Read("graphics\\title.bmp"), title)) std::exit(1);
  // Three frames of a 32 x 24 window drifting across the picture, and a
  // single tiny frame.
  FlcEncoder flc;
  flc.Begin(32, 24, 66);
  for (int f = 0; f < 3; ++f) {
    BmpImage frame = Crop(title, 280 + 3 * f, 210, 32, 24);
    flc.AddFrame(frame.pixels.data(), frame.palette.data());
  }
  Put("movie", "drift.flc", flc.Finish());
  flc.Begin(8, 6, 33);
  BmpImage tiny = Crop(title, 100, 100, 8, 6);
  flc.AddFrame(tiny.pixels.data(), tiny.palette.data());
  Put("movie", "tiny.flc", flc.Finish());
}

std::vector<uint8_t> Wav(const WavSound& s, size_t frames, bool listChunk, bool longData) {
  const size_t bytes = std::min(s.data.size(), frames * s.format.blockAlign);
  ByteWriter w;
  w.Bytes("RIFF", 4);
  w.U32(0);
  w.Bytes("WAVE", 4);
  if (listChunk) {
    w.Bytes("LIST", 4);
    w.U32(8);
    w.Bytes("INFOISFT", 8);
  }
  w.Bytes("fmt ", 4);
  w.U32(16);
  w.U16(s.format.formatTag);
  w.U16(s.format.channels);
  w.U32(s.format.samplesPerSec);
  w.U32(s.format.avgBytesPerSec);
  w.U16(s.format.blockAlign);
  w.U16(s.format.bitsPerSample);
  w.Bytes("data", 4);
  // A stream written to a pipe does not know its length.
  w.U32(longData ? 0xFFFFFFFFu : static_cast<uint32_t>(bytes));
  w.Bytes(s.data.data(), bytes);
  w.PatchU32(4, static_cast<uint32_t>(w.size() - 8));
  return w.bytes();
}

void SoundSeeds() {
  const int numbers[] = {0, 1, 4, 202};
  for (int i = 0; i < 4; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "sound\\snd%03d.wav", numbers[i]);
    WavSound sound;
    const std::vector<uint8_t> bytes = Read(name);
    if (!ParseWav(bytes.data(), bytes.size(), sound)) std::exit(1);
    Put("wav", std::string(name + 6), Wav(sound, 300, i == 1, i == 2));
  }
}

// ---- Worlds ----

// A 20 x 20 window of a map around its hero start, with the monster starts
// and specials that lie in it.
Map Window(const Map& map) {
  int hx = map.width / 2, hy = map.height / 2;
  for (const MonsterStart& m : map.monsters) {
    if (m.kind == 1) {
      hx = m.x;
      hy = m.y;
    }
  }
  const int x0 = std::clamp(hx - 10, 0, map.width - 20);
  const int y0 = std::clamp(hy - 10, 0, map.height - 20);
  auto inside = [&](int x, int y) { return x >= x0 && y >= y0 && x < x0 + 20 && y < y0 + 20; };
  Map out;
  out.width = out.height = 20;
  std::memcpy(out.name, map.name, sizeof(out.name));
  out.song = map.song;
  out.flags = map.flags;
  out.tiles.resize(400);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) MapTile(out, x, y) = MapTile(map, x0 + x, y0 + y);
  size_t n = 0;
  for (const MonsterStart& m : map.monsters) {
    if (m.kind == 0 || !inside(m.x, m.y)) continue;
    out.monsters[n++] = {static_cast<uint8_t>(m.x - x0), static_cast<uint8_t>(m.y - y0), m.kind};
  }
  n = 0;
  for (const Special& s : map.specials) {
    if (s.trigger == 0 || !inside(s.x, s.y)) continue;
    Special c = s;
    c.x = static_cast<uint8_t>(s.x - x0);
    c.y = static_cast<uint8_t>(s.y - y0);
    if (inside(s.targetX, s.targetY)) {
      c.targetX = static_cast<uint8_t>(s.targetX - x0);
      c.targetY = static_cast<uint8_t>(s.targetY - y0);
    }
    out.specials[n++] = c;
  }
  return out;
}

void WorldSeeds() {
  for (int w = 0; w < kWorldCount; ++w) {
    const std::vector<uint8_t> file = Read(WorldFileName(w));
    World world;
    if (!ParseWorld(world, file.data(), file.size())) std::exit(1);
    const std::string stem = std::string(WorldFileName(w)).substr(0, 3);
    // The loader's fuzzer: a map count and map blocks behind a blank header.
    for (int m : {1, 2}) {
      if (m >= world.mapCount || !world.maps[m]) continue;
      ByteWriter out;
      out.U8(1);
      WriteMap(Window(*world.maps[m]), out);
      Put("world", stem + "-map" + std::to_string(m), out.bytes());
    }
    // The play fuzzer: three maps (the roaming map second, another last)
    // and the terrain table.
    for (int last : {2, static_cast<int>(WorldFinalMap(w))}) {
      if (last >= world.mapCount || !world.maps[last] || !world.maps[1] || !world.maps[0]) continue;
      ByteWriter out;
      out.U8(3);
      for (const TerrainEntry& e : world.terrain) {
        out.U16(e.flags);
        out.U8(e.next);
        out.U8(e.reserved);
      }
      WriteMap(Window(*world.maps[0]), out);
      WriteMap(Window(*world.maps[1]), out);
      WriteMap(Window(*world.maps[last]), out);
      Put("world_play", stem + "-to-map" + std::to_string(last), out.bytes());
    }
    FreeWorld(world);
  }
}

// ---- Saved games, replays, settings ----

PlayerRecord NewGame() {
  ResetPlayer(kResetNewGame, 0, 1);
  return Player();
}

PlayerRecord MidGame(uint8_t world, uint8_t level) {
  PlayerRecord r = NewGame();
  r.worldNumber = world;
  r.level = level;
  r.money = 777;
  r.score = 12345;
  for (int i = 0; i < kSpellSlots; i += 2) r.spells[i] = 1;
  r.spells[1] = 2;
  for (int m = 2; m < 6; ++m) r.mapsDone[world % kRecordWorlds][m] = 1;
  r.mapsDoneInWorld = 4;
  r.roamingX = ToFixed(20 * 32 + 16);
  r.roamingY = ToFixed(30 * 24 + 12);
  r.playTime = 30u * 60 * 47;
  r.musicVolume = 3;
  return r;
}

std::vector<uint8_t> SaveFile(const std::vector<PlayerRecord>& slots) {
  ByteWriter out;
  for (const PlayerRecord& r : slots) WritePlayerRecord(out, r);
  PlayerRecord empty;
  for (uint32_t& t : empty.worldMapTotal) t = 100;
  for (size_t i = slots.size(); i < 3; ++i) WritePlayerRecord(out, empty);
  return out.bytes();
}

void SaveSeeds() {
  PlayerRecord worldFour = MidGame(1, 5), world255 = MidGame(2, 9);
  worldFour.worldNumber = 4;
  world255.worldNumber = 255;
  PlayerRecord offMap = MidGame(0, 3), level255 = MidGame(1, 255);
  offMap.roamingX = ToFixed(-3000);
  offMap.roamingY = ToFixed(30000);
  PlayerRecord loud = MidGame(3, 20);
  loud.musicVolume = 9;
  Put("save", "new-game.sav", SaveFile({NewGame()}));
  Put("save", "three-worlds.sav", SaveFile({MidGame(1, 12), MidGame(2, 24), MidGame(3, 40)}));
  Put("save", "world-4-and-255.sav", SaveFile({worldFour, world255}));
  Put("save", "off-map-and-level-255.sav", SaveFile({offMap, level255}));
  Put("save", "volume-9.sav", SaveFile({loud, MidGame(0, 2)}));
  std::vector<uint8_t> cut = SaveFile({MidGame(2, 8), MidGame(0, 4)});
  cut.resize(500);
  Put("save", "one-slot-and-a-bit.sav", cut);

  Replay replay;
  replay.slotCursor = 1;
  replay.randomState = 0x1234567887654321ull;
  auto record = PlayerRecordBytes(NewGame());
  replay.record.assign(record.begin(), record.end());
  for (int i = 0; i < 40; ++i) {
    const uint8_t held = static_cast<uint8_t>((i / 8) % 2 ? 8 | 16 : 1);
    replay.steps.push_back({held, static_cast<uint8_t>(i % 8 == 0 ? held : 0),
                            static_cast<uint8_t>(i == 20 ? 27 : 0)});
  }
  Put("replay", "cut-short.rpl", EncodeReplay(replay));
  replay.finished = true;
  replay.recordedSteps = 40;
  replay.recordedDigest = 0xfeedfacecafebeefull;
  Put("replay", "finished.rpl", EncodeReplay(replay));
  replay.continuing = true;
  replay.saveFile = SaveFile({MidGame(1, 12)});
  replay.steps.resize(5);
  replay.recordedSteps = 5;
  Put("replay", "continuing-with-saves.rpl", EncodeReplay(replay));
}

void SettingsSeeds() {
  PutText("profile", "default-keys.ini", kDefaultKeysIni);
  PutText("profile", "hand-edited.ini",
          "\xEF\xBB\xBF; my keys\r\n[keyboard]\r\n  upkey = W Up  \r\nFireKey=\"Space\"\r\n"
          "[Display]\r\nWindow=1");
  PutText("profile", "sections.ini", "[A]\nUpKey=x\n[Keyboard\nUpKey=Left Right\n=\n[]\nk=v");
  PutText("port_ini", "defaults.ini",
          "[Display]\nWindow=0\nIntegerScaling=1\nVSync=1\nPresentEveryFrame=0\n");
  PutText("port_ini", "all-changed.ini",
          "[display]\r\nwindow = YES\r\nintegerscaling=off\r\nvsync=False\r\npresenteveryframe=on");
  PutText("port_ini", "odd-values.ini", "[Display]\nWindow=2\nIntegerScaling=\nVSync='on'\n");
  PutText("port_ini", "other-sections.ini", "; nothing here\n[Keyboard]\nWindow=1\n[Display");
}

}  // namespace
}  // namespace torvel

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz_make_seeds GAME_DIR CORPUS_DIR\n");
    return 2;
  }
  torvel::gGame = argv[1];
  torvel::gCorpus = argv[2];
  torvel::PictureSeeds();
  torvel::FontSeeds();
  torvel::SpriteSeeds();
  torvel::MovieSeeds();
  torvel::SoundSeeds();
  torvel::WorldSeeds();
  torvel::SaveSeeds();
  torvel::SettingsSeeds();
  std::printf("%d seeds written into %s\n", torvel::gWritten, argv[2]);
  return 0;
}
