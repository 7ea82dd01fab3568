#include "forge/mockups.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "forge/fonts/font_builder.h"
#include "forge/palette.h"
#include "forge/pictures/pictures.h"
#include "forge/preview.h"
#include "forge/sprite_output.h"
#include "forge/tilesets/tileset_builder.h"
#include "forge/tilesets/tileset_scene.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

namespace torvel::forge {

namespace {

// The three fonts as the game loads them.
struct Fonts {
  Font big, editor, small;
  bool Load() {
    auto one = [](const FontDesign& design, Font& font) {
      BuiltFont built = BuildFont(design);
      std::vector<uint8_t> bytes;
      return EncodeFont(built.firstChar, built.height, built.blankWidth, built.gap, built.glyphs,
                        bytes) &&
             LoadFontBytes(bytes.data(), bytes.size(), font) == kFontOk;
    };
    return one(BigFontDesign(), big) && one(EditorFontDesign(), editor) &&
           one(SmallFontDesign(), small);
  }
};

// A painted set in the game's form.
struct Set {
  std::vector<Sprite> sprites;
  explicit Set(const SpriteSetArt& art) {
    for (const SpriteImage& s : art.sprites) sprites.push_back(EncodeSpriteImage(s));
  }
  const Sprite* operator[](int i) const { return &sprites.at(static_cast<size_t>(i)); }
};

class Screen {
 public:
  explicit Screen(Display& d) : d_(d) {}
  void Show(const std::vector<uint8_t>& pixels) {
    for (int y = 0; y < 480; ++y) std::memcpy(d_.screen + y * d_.pitch, &pixels[y * 640], 640);
  }
  void Save(const std::string& path) const {
    std::vector<uint8_t> out(640 * 480);
    for (int y = 0; y < 480; ++y) std::memcpy(&out[y * 640], d_.screen + y * d_.pitch, 640);
    std::array<uint8_t, 1024> bgrx{};
    std::memcpy(bgrx.data(), d_.palette, 1024);
    WritePicturePreview(path, out, 640, 480, bgrx);
  }
  Display* operator->() { return &d_; }
  Display* get() { return &d_; }

 private:
  Display& d_;
};

// The status display's bar, drawn the way the game draws it.
void Bar(Display* d, int x, int y, int v, int m, int kind) {
  if (v < m && m < 128) d->FillBox(x + m - 1, y + 1, x + m - 1, y + 7, 16);
  if (v == 0) return;
  int o = v - 1;
  int f = kind == 1 ? 111 : (o > m * 2 / 3 ? 44 : (o > m / 3 ? 174 : 140));
  d->FillBox(x, y + 1, x, y + 7, static_cast<uint8_t>(f - 6));
  d->FillBox(x + o, y + 1, x + o, y + 7, static_cast<uint8_t>(f - 6));
  if (v >= 2) {
    d->FillBox(x + 1, y + 1, x + 1, y + 7, static_cast<uint8_t>(f - 1));
    d->FillBox(x + o - 1, y + 1, x + o - 1, y + 7, static_cast<uint8_t>(f - 1));
  }
  if (v >= 4) {
    d->FillBox(x + 2, y, x + o - 2, y, static_cast<uint8_t>(f - 3));
    d->FillBox(x + 2, y + 8, x + o - 2, y + 8, static_cast<uint8_t>(f - 3));
    d->FillBox(x + 2, y + 1, x + o - 2, y + 1, static_cast<uint8_t>(f));
    d->FillBox(x + 2, y + 7, x + o - 2, y + 7, static_cast<uint8_t>(f));
    d->FillBox(x + 2, y + 2, x + o - 2, y + 2, static_cast<uint8_t>(f + 8));
    d->FillBox(x + 2, y + 3, x + o - 2, y + 6, static_cast<uint8_t>(f + 4));
  }
}

void PlayScreen(Screen& s, const Fonts& fonts, const Set& items, const Set& bullets,
                const Set& ui) {
  Display* d = s.get();
  d->SetPalette(GamePaletteBgrx().data());
  std::vector<uint8_t> tiles = BuildTileset(Theme::kRiver);
  s.Show(RenderTilesetScene(tiles, TilesetTerrain(Theme::kRiver)));
  auto at = [](int c, int r) { return std::pair<int, int>{c * 32 + 16, r * 24 + 12}; };
  struct Thing {
    int sprite, c, r, height;
    bool shadow, ghost;
  };
  const Thing things[] = {
      {156, 13, 7, 0, false, false}, {17, 15, 7, 0, false, false}, {159, 6, 7, 0, false, false},
      {7, 3, 9, 6, false, true},     {45, 14, 9, 4, true, false},  {61, 16, 10, 8, true, true},
      {157, 12, 16, 0, true, false}, {99, 18, 14, 8, true, false}, {27, 11, 15, 0, false, false},
      {28, 1, 10, 0, true, false},   {19, 8, 6, 0, false, false},  {155, 17, 13, 0, false, false}};
  for (const Thing& t : things) {
    auto [x, y] = at(t.c, t.r);
    if (t.shadow) DrawShadow(items[t.sprite], x, y, d);
  }
  for (const Thing& t : things) {
    auto [x, y] = at(t.c, t.r);
    if (t.ghost)
      DrawGhost(items[t.sprite], x, y - t.height, d, 0);
    else
      DrawBright(items[t.sprite], x, y - t.height, d, 0);
  }
  // Shots in flight and a blast.
  DrawShadow(bullets[182 + 5 * 0 + 2], 380, 290, d);
  DrawGhost(bullets[182 + 5 * 0 + 2], 380, 270, d, 0);
  DrawGhost(bullets[182 + 5 * 0 + 4], 420, 270, d, 0);
  DrawShadow(bullets[9], 250, 262, d);
  DrawBright(bullets[9], 250, 242, d, 0);
  DrawGhost(bullets[112], 520, 250, d, 0);
  DrawGlow(bullets[38], 505, 225, d, 0);
  DrawGlow(bullets[41], 530, 215, d, 0);
  // The status display, as it draws itself.
  DrawBright(ui[0], 0, -1, d, 0);
  Bar(d, 2, 3, 40, 64, 0);
  Bar(d, 2, 19, 22, 30, 1);
  DrawGhost(ui[35], 244, 14, d, -4);
  DrawGhost(ui[40], 255, 14, d, -4);
  for (int i = 0; i < 3; ++i) DrawBright(ui[1], 21 * i, -1, d, 0);
  DrawBright(ui[3], 86, -17, d, 0);
  DrawBright(ui[6], 86, -17, d, 0);
  int remaining = 7;
  for (int i = 0; i < 19; ++i)
    d->FillBox(2, 33 + i, 36, 33 + i,
               static_cast<uint8_t>(i < remaining ? 0 : 152 + remaining - i));
  DrawBright(ui[43 + 1], 0, 31, d, 0);
  DrawBright(ui[53 + 2], 0, 31, d, 0);
  DrawBright(ui[42], 443, -1, d, 0);
  for (int slot = 3; slot >= 0; --slot) {
    int raise = slot == 1 ? 10 : 0;
    DrawBright(ui[11 + 2 * slot + (slot == 0 ? 1 : 0)], 512 + 12 * slot + raise, 22 + raise, d, 0);
  }
  const char* spell = "LVAMR";  // the selected spell's name
  DrawStringGlow(d, 638 - TextWidth(spell, fonts.small), -1, spell, fonts.small);
  DrawStringGlow(d, 320, -1, "$00123", fonts.small);
  int gauge = 72;
  DrawBright(ui[8], 640, 479, d, 0);
  d->FillBox(640 - 19, 477 - gauge, 640 - 4, 476, static_cast<uint8_t>(109 + gauge / 8));
  DrawBright(ui[9], 640, 479, d, 0);
  DrawBright(ui[30], 0, 462, d, 0);
  Bar(d, 2, 466, 80, 128, 0);
  DrawStringSolid(d, 10, 441, "CKEVET", fonts.small, 0);
  DrawString(d, 9, 440, "CKEVET", fonts.small);
  DrawStringBright(d, 320 - TextWidth("3AH0B0!", fonts.big) / 2, 180, "3AH0B0!", fonts.big, 0);
}

void ShopScreen(Screen& s, const Fonts& fonts, const Set& shop, const Set& ui) {
  Display* d = s.get();
  ScreenPicture picture = ShopPicture();
  d->SetPalette(picture.palette.data());
  s.Show(picture.pixels);
  const int owned[16] = {1, 1, 0, 0, 1, 0, 0, 0, 1, 1, 1, 0, 1, 0, 0, 0};
  const int icons[16] = {13, 14, 15, 16, 3, 4, 5, 6, 8, 9, 10, 11, 18, 19, 20, -1};
  for (int cell = 0; cell < 16; ++cell) {
    int x = cell < 12 ? 30 + 80 * (cell % 4) : 30 + 80 * (cell - 12),
        y = cell < 12 ? 50 + 80 * (cell / 4) : 290;
    DrawBright(shop[owned[cell] ? 1 : 0], x, y, d, 0);
    if (icons[cell] >= 0) DrawBright(shop[icons[cell]], x, y, d, 0);
  }
  DrawStringGlow(d, 278, 308, "BCE", fonts.small);
  DrawBright(shop[2], 110, 130, d, 0);
  // The stats panel.
  int x = 450, b = x - 80;
  DrawGlow(shop[21], x, 250, d, 0);
  auto name = [&](int y, const char* text) {
    DrawStringSolid(d, x - 18, y + 2, text, fonts.small, 0);
    DrawString(d, x - 20, y, text, fonts.small);
  };
  DrawBright(shop[1], b, 50, d, 0);
  DrawBright(shop[13 + 2], b, 50, d, 0);
  name(70, "VYHHAR UVRLA");
  DrawBright(shop[1], b, 106, d, 0);
  DrawBright(shop[18], b, 106, d, 0);
  name(126, "L0DBECKA-CEPDQE");
  DrawBright(shop[1], b, 274, d, 0);
  DrawBright(shop[3 + 1], b, 274, d, 0);
  name(294, "L0C0X N3 C0CHbI");
  DrawBright(shop[1], b, 330, d, 0);
  DrawBright(shop[8 + 3], b, 330, d, 0);
  name(350, "S0TNHKN C4ACTbR");
  const char* stats[4] = {"GN3Hb:045/064", "MAHA:012/030", "0LbIT:0100/0250", "DEHbFN: $123"};
  for (int i = 0; i < 4; ++i) {
    DrawStringSolid(d, x - 78, 384 + 20 * i + 2, stats[i], fonts.small, 0);
    DrawString(d, x - 80, 384 + 20 * i, stats[i], fonts.small);
  }
  DrawBright(ui[67], x + 175, 476, d, 0);
  DrawBright(ui[63], x + 175, 476, d, 0);
  DrawBright(ui[65], x + 175, 476 - 5, d, 0);
  DrawStringBright(d, 2, 2, "MAFA3NH", fonts.big, 0);
  DrawStringSolid(d, 6, 361, "L0C0X N3 C0CHbI", fonts.small, 0);
  DrawString(d, 5, 360, "L0C0X N3 C0CHbI", fonts.small);
  DrawStringGlow(d, 355 - TextWidth("$180", fonts.small), 360, "$180", fonts.small);
  const char* lines[4] = {"LP0CT0N C0CH0BbIN L0C0X.", "SbET CNVbHEE SAVb3AB0F0.",
                          "LAXHET CM0V0N N VECHbIM BETP0M.", "E&E HE MAFNR, H0 YGE HE NFPYUKA."};
  for (int i = 0; i < 4; ++i) DrawStringGlowBright(d, 5, 390 + 20 * i, lines[i], fonts.small, -4);
}

void TitleScreen(Screen& s, const Fonts& fonts, const Set& title) {
  Display* d = s.get();
  d->SetPalette(GamePaletteBgrx().data());
  d->ClearScreen();
  int band = 200;
  for (int r = 0; r < band; ++r) {
    int c = std::max(0, 0xC0000 - r * (0xC0000 / band));
    d->FillBox(0, 479 - r, 639, 479 - r, static_cast<uint8_t>(96 + c / 65536));
  }
  DrawBright(title[0], 80, 10, d, 0);
  DrawBright(title[1], 17, 105, d, 0);
  const char* entries[3] = {"H0BAR NFPA", "LP0D0VGNTb", "BbIX0D"};
  for (int i = 0; i < 3; ++i)
    DrawStringBright(d, 320 - TextWidth(entries[i], fonts.big) / 2, 260 + 60 * i, entries[i],
                     fonts.big, static_cast<int8_t>(i == 0 ? 0 : -10));
  DrawString(d, 328, 457, "(C) KY3HNQA T0PBEVA", fonts.small);
}

}  // namespace

bool WriteMockups(const ForgeOptions& options, const ForgedSets& sets) {
  if (options.previewDir.empty()) return true;
  Fonts fonts;
  if (!fonts.Load()) {
    std::fprintf(stderr, "forge: mockups skipped, the fonts did not build\n");
    return true;
  }
  Set items(*sets.items), bullets(*sets.bullets), ui(*sets.intface), shop(*sets.shop),
      title(*sets.title);
  // The game's drawing needs a display; a headless one serves.
  HeadlessPlatform platform;
  InstallPlatform(&platform);
  {
    Display display("TORVEL", 640, 480, 8, true);
    Screen screen(display);
    PlayScreen(screen, fonts, items, bullets, ui);
    screen.Save(PreviewPath(options, "mockup_play"));
    ShopScreen(screen, fonts, shop, ui);
    screen.Save(PreviewPath(options, "mockup_shop"));
    TitleScreen(screen, fonts, title);
    screen.Save(PreviewPath(options, "mockup_title"));
  }
  InstallPlatform(nullptr);
  return true;
}

}  // namespace torvel::forge
